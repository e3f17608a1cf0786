// An archive's contents, a rotated log and a format's marker lists: the
// archive only ever grows at its end, and archiving the log again at once
// adds nothing, as the archive already holds its last lines. (Empty lines
// are not looked for, lest one anywhere in the log hide the lines after
// it: a log of nothing else gains them each time.)
#include "FuzzSupport.h"

#include "base/InputFile.h"
#include "logs/LogArchive.h"

#include <filesystem>

using namespace dialtally;

namespace {

constexpr char PartEnd = '\x1e';

std::string Contents(const std::string& path)
{
    std::string contents;
    Require(ReadWholeFile(path, contents), "the archive reads");
    return contents;
}

bool HasNoTextLine(std::string_view text)
{
    return text.find_first_not_of("\r\n") == text.npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t switches = input.Byte();
    const std::string folder = FuzzFolder() + "archive/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder + "log");

    TLCfg formats;
    formats.Count = 1;
    formats.Current = 1;
    formats.LogType[1] = "Fuzz";
    formats.LogFile[1] = folder + "log/syslog*";
    formats.Online[1] = input.Line();
    formats.Offline[1] = input.Line();
    const std::string_view rest = input.Rest();
    const std::size_t cut = std::min(rest.find(PartEnd), rest.size());
    const std::string_view old = rest.substr(0, cut);
    const std::string_view log = rest.substr(std::min(cut + 1, rest.size()));
    WriteFuzzFile(folder + "log/syslog", log);
    ArchiveOptions options;
    options.Target = folder + "syslog.old";
    options.Skip = switches & 1;
    options.Clear = false;
    const bool existed = switches & 2 || !old.empty();
    if (existed)
        WriteFuzzFile(options.Target, old);

    Require(ArchiveLogFile(formats, options) == ArchiveResult::Done, "the log is archived");
    const std::string once = Contents(options.Target);
    Require(once.starts_with(old), "the archive grows only at its end");
    Require(ArchiveLogFile(formats, options) == ArchiveResult::Done, "the log is archived again");
    Require(HasNoTextLine(log) || Contents(options.Target) == once,
            "archiving again at once adds nothing");
    return 0;
}
