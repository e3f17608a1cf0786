// A log format (the first fifteen lines) and any log bytes (the rest): the
// pass never fails, every connection comes from a line of the log, no
// duration is negative, and the report is built.
#include "FuzzSupport.h"

#include "base/Clock.h"
#include "logs/LogFormats.h"

#include <algorithm>

using namespace dialtally;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    PickRegionalPreset(input.Byte());
    const std::uint8_t switches = input.Byte();
    SetFixedToday(EncodeDate(2026, 12, 9));
    const std::string& folder = FuzzFolder();

    TLCfg formats;
    formats.Count = 1;
    for (const LogFormatField& field : LogFormatFields())
        (formats.*field.Column)[1] = std::string(input.Line());
    formats.LogType[1] = "Fuzz";
    formats.LogFile[1] = folder + "fuzz.log";
    const std::string_view log = input.Rest();
    WriteFuzzFile(formats.LogFile[1], log);

    const TRep rep = FuzzReportPass(formats, switches);

    const auto lines =
        std::count(log.begin(), log.end(), '\n') + std::count(log.begin(), log.end(), '\r') + 1;
    Require(rep.Count() >= 0 && rep.Count() <= lines, "at most one connection a line");
    for (int i = 0; i < rep.Count(); ++i)
        Require(rep.Duration[static_cast<std::size_t>(i)] >= 0, "no negative duration");
    SetFixedToday(std::nullopt);
    return 0;
}
