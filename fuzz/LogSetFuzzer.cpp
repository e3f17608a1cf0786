// A log format (fifteen lines) and a rotated set of up to four members
// (the rest, members parted by a byte 0x1E, oldest first), each written
// plain or compressed and dated by the input: the pass over the set never
// fails, gives at most one connection a line, and no connection ends
// before it begins. Lines without a year take theirs from the members'
// times here, which a plain log of the other target never varies.
#include "FuzzSupport.h"

#include "base/Clock.h"
#include "logs/LogFormats.h"

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

using namespace dialtally;

namespace {

constexpr char MemberEnd = '\x1e';
constexpr std::size_t MaxMembers = 4;

void SetModified(const std::string& path, std::time_t seconds)
{
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    Require(::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0, "the member's time is set");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    PickRegionalPreset(input.Byte());
    const std::uint8_t compressed = input.Byte(); // bit i: member i is a .gz
    const std::uint8_t switches = input.Byte();
    // The live member's time, up to about three years before today, and
    // each older member's, some days before the next.
    const int daysBack = input.Byte() << 2 | (input.Byte() & 3);
    const std::uint8_t spacing = input.Byte();
    SetFixedToday(EncodeDate(2026, 12, 9));

    const std::string folder = FuzzFolder() + "set/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);

    TLCfg formats;
    formats.Count = 1;
    for (const LogFormatField& field : LogFormatFields())
        (formats.*field.Column)[1] = std::string(input.Line());
    formats.LogType[1] = "Fuzz";
    formats.LogFile[1] = folder + "syslog*";

    std::vector<std::string_view> members;
    std::string_view rest = input.Rest();
    while (members.size() + 1 < MaxMembers && rest.find(MemberEnd) != std::string_view::npos) {
        members.push_back(rest.substr(0, rest.find(MemberEnd)));
        rest.remove_prefix(members.back().size() + 1);
    }
    members.push_back(rest);
    // 2026-12-09 12:00 UTC
    std::time_t modified = 1796817600 - std::time_t{daysBack} * 86400;
    std::size_t lines = 0;
    for (std::size_t i = members.size(); i-- > 0;) {
        const std::string_view text = members[i];
        const std::size_t age = members.size() - 1 - i;
        const bool gz = age > 0 && (compressed >> age & 1);
        std::string path = folder + "syslog";
        if (age > 0)
            path += "." + std::to_string(age) + (gz ? ".gz" : "");
        // A member that already looks compressed is written as it is, so
        // that damaged ones are read too.
        WriteFuzzFile(path, gz && !text.starts_with("\x1f\x8b") ? GzipCompressed(text) : text);
        SetModified(path, modified);
        modified -= std::time_t{spacing} * 3600;
        lines += static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n') +
                                          std::count(text.begin(), text.end(), '\r') + 1);
    }

    const TRep rep = FuzzReportPass(formats, switches);

    Require(rep.Count() >= 0 && static_cast<std::size_t>(rep.Count()) <= lines,
            "at most one connection a line");
    // Over the change from daylight saving time an end may read earlier
    // than its begin on the clock; its duration is real time.
    for (int i = 0; i < rep.Count(); ++i)
        Require(rep.Duration[static_cast<std::size_t>(i)] >= 0,
                "no connection ends before it begins");
    SetFixedToday(std::nullopt);
    return 0;
}
