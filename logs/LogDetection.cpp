#include "logs/LogDetection.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Numbers.h"
#include "logs/FormatLibrary.h"
#include "logs/Locator.h"
#include "logs/LogSource.h"
#include "logs/SetupCandidates.h"

#include <algorithm>
#include <glob.h>

namespace dialtally {

namespace {

// The syslog files the ready-made formats may find their lines in.
const char* const SyslogSets[] = {"syslog", "messages", "daemon.log", "ppp.log"};
constexpr std::string_view JournalPrefix = "journal:";
constexpr std::string_view SystemLogs = "/var/log/";
constexpr std::size_t LineHeadBytes = 64 * 1024;

bool IsJournalFormat(const TLCfg& library, int f)
{
    return std::string_view(library.LogFile[f]).starts_with(JournalPrefix);
}

// True when the line is one the format reads as a begin line: it holds a
// begin marker, its date and time convert, as the log reader reads them,
// and its description is found. Formats for two versions of a program may
// share their markers and tell their lines apart only by the description.
bool ReadsAsBegin(const TLCfg& library, int f, std::string_view line, TDateTime modified)
{
    if (library.Online[f].empty() || !MatchesLists(line, library.Online[f], {}))
        return false;
    if (!library.OnService[f].empty() && Locate(library.OnService[f], line).empty())
        return false;
    try {
        const int month = LogMonth(Locate(library.OnMonth[f], line));
        const int day = StrToInt(Locate(library.OnDate[f], line));
        LogDate(IsFileYearLocator(library.OnYear[f]) ? InferYear(month, day, modified)
                                                     : StrToInt(Locate(library.OnYear[f], line)),
                month, day);
        TextToTime(Locate(library.OnTime[f], line) + " " + Locate(library.OnAmpm[f], line));
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

bool HasFiles(const std::string& pattern)
{
    glob_t found{};
    const bool any = ::glob(pattern.c_str(), GLOB_NOSORT, nullptr, &found) == 0;
    ::globfree(&found);
    return any;
}

// Reads the source once and counts the begin lines of each format.
void Count(const std::string& source, const std::vector<int>& formats, const TLCfg& library,
           std::size_t budget, std::vector<DetectedLog>& found)
{
    if (formats.empty())
        return;
    LogSource reader(LineHeadBytes);
    if (!reader.Open(source))
        return;
    std::vector<int> counts(formats.size(), 0);
    std::size_t seen = 0;
    std::string_view line;
    while (seen < budget && reader.ReadLine(line)) {
        seen += line.size() + 1;
        for (std::size_t k = 0; k < formats.size(); ++k)
            if (ReadsAsBegin(library, formats[k], line, reader.Modified()))
                ++counts[k];
    }
    for (std::size_t k = 0; k < formats.size(); ++k)
        if (counts[k] > 0)
            found.push_back({source, formats[k], counts[k]});
}

} // namespace

std::vector<DetectedLog> DetectLogs(const Folders& folders, const TLCfg& library,
                                    std::size_t budget)
{
    std::vector<DetectedLog> found;
    std::vector<int> journalFormats, fileFormats, windowsFormats;
    const std::string windows = folders.WindowsFolder();
    for (int f = 1; f <= library.Count; ++f) {
        const std::string& own = library.LogFile[f];
        // Without Wine the Windows folder is /var/log/, which holds the sets.
        if (IsJournalFormat(library, f))
            journalFormats.push_back(f);
        else if (own.find_first_of("*?[") == std::string::npos && !own.starts_with(SystemLogs) &&
                 !windows.empty() && own.starts_with(windows) &&
                 own.find('/', windows.size()) == std::string::npos)
            windowsFormats.push_back(f);
        else
            fileFormats.push_back(f);
    }

    const std::string logs = folders.LogFolder();
    if (folders.ReadsSystemJournal()) {
        for (int f : journalFormats)
            Count(library.LogFile[f], {f}, library, budget, found);
    } else if (!logs.empty()) {
        for (const std::string& pattern :
             {logs + "journal/*.journal", logs + "journal/*/*.journal"})
            if (HasFiles(pattern)) {
                Count(pattern, journalFormats, library, budget, found);
                break;
            }
    }

    if (!logs.empty()) {
        std::vector<std::string> sets;
        for (const char* name : SyslogSets)
            sets.push_back(logs + name + "*");
        // A format's own place under /var/log/, looked for in the log folder.
        for (int f : fileFormats) {
            const std::string& own = library.LogFile[f];
            if (own.starts_with(SystemLogs)) {
                const std::string there = logs + own.substr(SystemLogs.size());
                if (std::find(sets.begin(), sets.end(), there) == sets.end())
                    sets.push_back(there);
            }
        }
        for (const std::string& set : sets)
            if (HasFiles(set))
                Count(set, fileFormats, library, budget, found);
    }

    if (!windows.empty() && windows != logs)
        for (const std::string& file : SetupCandidates(windows))
            Count(file, windowsFormats, library, budget, found);
    return found;
}

std::string ApplyDetectedLog(TLCfg& formats, const TLCfg& library, const DetectedLog& log,
                             const std::string& programFolder)
{
    const int f = AddLibraryFormat(formats, library, log.Format, log.Source);
    if (f == 0 || !SaveLogFormats(formats, programFolder))
        return {};
    formats.Current = f;
    return formats.LogType[f];
}

} // namespace dialtally
