#include "logs/LogArchive.h"

#include "base/AtomicFile.h"
#include "base/FileStamp.h"
#include "base/InputFile.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "logs/LogSource.h"

#include <algorithm>
#include <cctype>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <functional>
#include <limits>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace dialtally {

namespace {

std::string UpperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool SameFile(const std::string& source, const std::string& target)
{
    if (UpperCase(source) == UpperCase(target))
        return true;
    // Another spelling of the same file would have the archive append the
    // log to itself and then clear both.
    std::error_code error;
    return std::filesystem::equivalent(source, target, error);
}

enum class ClearOutcome { Cleared, Changed, Failed };

// Truncates in place rather than replacing the file, so that a dialer
// holding the log open keeps writing into the file that is read.
ClearOutcome ClearSource(const std::string& path, const FileStamp& before)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return ClearOutcome::Failed;
    struct stat now {};
    ClearOutcome outcome = ClearOutcome::Failed;
    if (::fstat(fd, &now) == 0) {
        if (!(StampOf(now) == before))
            outcome = ClearOutcome::Changed;
        else if (::ftruncate(fd, 0) == 0 && ::fsync(fd) == 0)
            outcome = ClearOutcome::Cleared;
    }
    if (::close(fd) != 0 && outcome == ClearOutcome::Cleared)
        outcome = ClearOutcome::Failed;
    return outcome;
}

// Whether the set's pattern names the target too, so that every report
// would read the archived lines a second time. Both are taken as absolute
// paths, as a relative one is read from the program folder.
bool WouldJoinTheSet(const std::string& source, const std::string& target)
{
    if (target.ends_with(".old") || ResolveLogSource(source).Kind != LogSourceKind::Set)
        return false;
    std::error_code error;
    const std::string pattern =
        std::filesystem::absolute(source, error).lexically_normal().string();
    const std::string path = std::filesystem::absolute(target, error).lexically_normal().string();
    return ::fnmatch(pattern.c_str(), path.c_str(), FNM_PATHNAME | FNM_PERIOD) == 0;
}

// An archive a format reads (one ending in ".old", the name Archive
// proposes and no log rotation uses) is added to as any archive: it is no
// program's live log, which the write in one step would take from its
// writer.
bool ArchiveAFormatReads(const TLCfg& formats, const std::string& target)
{
    if (!target.ends_with(".old"))
        return false;
    for (int f = 1; f <= formats.Count; ++f) {
        const LogSourceName log = ResolveLogSource(formats.LogFile[f]);
        std::error_code error;
        if (log.Kind == LogSourceKind::File && std::filesystem::equivalent(log.Text, target, error))
            return true;
    }
    return false;
}

ArchiveResult ArchiveFailed(const std::string& source)
{
    ShowError("An error occurred archiving " + source + ".");
    return ArchiveResult::Failed;
}

// The lines near the archive's end that a run may look for in its source,
// with how far each stands from the end: the last line, and the begin and
// end lines, whose date and time make them unique, down past any added by
// hand to the last one an earlier run copied there.
using ArchivedLines = std::map<std::string, std::size_t, std::less<>>;

ArchivedLines LastLines(std::string_view contents,
                        const std::function<bool(std::string_view)>& marked)
{
    constexpr std::size_t Lines = 1000;
    ArchivedLines last;
    for (std::size_t fromEnd = 0; !contents.empty() && fromEnd < Lines; ++fromEnd) {
        while (!contents.empty() && (contents.back() == '\n' || contents.back() == '\r'))
            contents.remove_suffix(1);
        const std::size_t end = contents.find_last_of("\r\n");
        const std::string_view line =
            end == std::string_view::npos ? contents : contents.substr(end + 1);
        if (fromEnd == 0 || marked(line))
            last.try_emplace(std::string(line), fromEnd);
        contents.remove_suffix(line.size());
    }
    return last;
}

// How many empty lines the text ends in, past the line end of its last line.
std::size_t EmptyLinesAtEnd(std::string_view text)
{
    const std::size_t last = text.find_last_not_of("\r\n");
    const std::string_view ends = last == std::string_view::npos ? text : text.substr(last + 1);
    const auto lineEnds = static_cast<std::size_t>(std::count(ends.begin(), ends.end(), '\n'));
    return last == std::string_view::npos || lineEnds == 0 ? lineEnds : lineEnds - 1;
}

enum class Copied { Failed, Done, AfterAGap };

// Appends the lines of the source to the target's old contents and writes
// both in one step. A new archive is no more readable than its source: a
// private log must not turn up world-readable beside itself.
//
// A source that is never cleared (a set, the journal) still holds what an
// earlier run archived: only the lines after the archive's last line are
// appended, or, past lines added by hand, after the last line of the
// archive that the source holds. When it holds none of them any more, all
// of its lines are, and those written between the two runs may be gone
// (AfterAGap). An archive gaining nothing keeps its time, which dates lines
// that give no year.
template <typename Reader>
Copied CopyLines(Reader& reader, const TLCfg& formats, const ArchiveOptions& options,
                 mode_t sourceMode, bool onlyNewLines)
{
    std::string contents;
    std::error_code error;
    const bool existed = std::filesystem::exists(options.Target, error);
    if (existed && !ReadWholeFile(options.Target, contents))
        return Copied::Failed;
    const auto marked = [&](std::string_view line) {
        return IsArchiveLine(line, formats.Online[formats.Current],
                             formats.Offline[formats.Current]);
    };
    const std::size_t oldSize = contents.size();
    const std::size_t emptyAtEnd = EmptyLinesAtEnd(contents);
    const ArchivedLines lastLines = onlyNewLines ? LastLines(contents, marked) : ArchivedLines();
    // The latest of those lines found so far: how near the archive's end it
    // stands and where the source's lines after it begin.
    std::size_t nearest = std::numeric_limits<std::size_t>::max(), archived = std::string::npos;
    std::string_view line;
    while (reader.ReadLine(line)) {
        // Matched before the lines are skipped: the last run may have kept
        // every line.
        const auto found = lastLines.find(line);
        if (!options.Skip || marked(line)) {
            contents.append(line);
            contents.append("\r\n");
        }
        if (found != lastLines.end() && found->second <= nearest) {
            nearest = found->second;
            archived = contents.size();
        }
    }
    const bool readFailed = reader.Failed();
    reader.Close();
    if (archived != std::string::npos) {
        contents.erase(oldSize, archived - oldSize);
        // The empty lines the archive ends in followed its last line in the
        // source too.
        for (std::size_t n = nearest == 0 ? emptyAtEnd : 0;
             n > 0 && contents.compare(oldSize, 2, "\r\n") == 0; --n)
            contents.erase(oldSize, 2);
        // Empty lines alone are nothing new: a source that ends in one would
        // add it again at every run.
        if (contents.find_first_not_of("\r\n", oldSize) == std::string::npos)
            contents.resize(oldSize);
    }
    // An archive edited by hand may lack its last line end, which would
    // join its last line and the first one added into one.
    if (contents.size() > oldSize && oldSize > 0 && contents[oldSize - 1] != '\n' &&
        contents[oldSize - 1] != '\r')
        contents.insert(oldSize, "\r\n");
    if (readFailed)
        return Copied::Failed;
    // The copy is on disk before anything is taken from the source. Only
    // its readers come from the source: a read-only log would otherwise
    // give an archive that no later run may add to.
    if (!(existed && contents.size() == oldSize) &&
        !WriteFileAtomically(options.Target, contents, 0600 | (sourceMode & 0044)))
        return Copied::Failed;
    return onlyNewLines && oldSize > 0 && archived == std::string::npos ? Copied::AfterAGap
                                                                        : Copied::Done;
}

// A set, the journal or a compressed file: copied like a file, but never
// cleared; its lines belong to the system's log rotation.
ArchiveResult ArchiveSource(const TLCfg& formats, const ArchiveOptions& options,
                            const std::string& source)
{
    if (options.Clear) {
        ShowError(source + " is not a single log file, so it cannot be cleared after an "
                           "archive.\n\rTurn \"Clear source after archive\" off to archive it.");
        return ArchiveResult::Refused;
    }
    // A set or the journal holds the system's logs, which few may read.
    struct stat status {};
    const mode_t mode = ::stat(source.c_str(), &status) == 0 ? status.st_mode : 0600;
    LogSource reader;
    const Copied copied =
        reader.Open(source) ? CopyLines(reader, formats, options, mode, true) : Copied::Failed;
    if (copied == Copied::Failed)
        return ArchiveFailed(source);
    ShowInfo("Completed archive to " + options.Target + "." +
             (copied == Copied::AfterAGap
                  ? "\n\r" + source +
                        " no longer holds the last line archived to it before: lines written "
                        "between the two archives may be missing."
                  : ""));
    return ArchiveResult::Done;
}

} // namespace

std::string ArchivePrompt(const TLCfg& formats)
{
    if (formats.Current < 1 || formats.Current > TLCfg::MaxFormats)
        return "Select a file to archive the log file to.";
    return "Select a file to archive the " + formats.LogType[formats.Current] + " log file to.";
}

std::string ProposedArchiveTarget(const TLCfg& formats, const std::string& remembered)
{
    if (!remembered.empty())
        return remembered;
    if (formats.Current < 1 || formats.Current > formats.Count)
        return {};
    std::string source = formats.LogFile[formats.Current];
    if (source.empty())
        return {};
    // A set or the journal names no file: the archive takes what its name
    // says before any wildcard ("syslog*": "syslog.old"), or the journal's
    // matches ("journal:pppd": "pppd.old", in the program's folder).
    if (source.starts_with("journal:")) {
        source.erase(0, std::string_view("journal:").size());
        std::erase(source, ' ');
        for (char& c : source)
            if (c == '/' || c == '=' || c == ',')
                c = '-';
    } else if (const std::size_t wild = source.find_first_of("*?["); wild != std::string::npos) {
        const std::size_t folder = source.rfind('/', wild);
        const std::size_t cut = source.find('/', wild);
        source.erase(wild, cut == std::string::npos ? std::string::npos : cut - wild);
        if (cut != std::string::npos || source.size() == folder + 1)
            source = source.substr(0, folder + 1) + "archive";
    }
    std::filesystem::path path = source.empty() ? std::string("archive") : source;
    path.replace_extension(".old");
    return path.string();
}

bool IsArchiveLine(std::string_view line, std::string_view online, std::string_view offline)
{
    return MatchesLists(line, online, {}) || MatchesLists(line, offline, {});
}

ArchiveResult ArchiveLogFile(const TLCfg& formats, const ArchiveOptions& options,
                             const std::function<void()>& beforeClear)
{
    if (formats.Current < 1 || formats.Current > formats.Count) {
        ShowError("The log file format was not found.");
        return ArchiveResult::Refused;
    }
    const std::string& source = formats.LogFile[formats.Current];
    if (SameFile(source, options.Target)) {
        ShowError("The source and target files cannot be the same.");
        return ArchiveResult::Refused;
    }
    if (const std::optional<std::string> input =
            options.InputNamedBy && !ArchiveAFormatReads(formats, options.Target)
                ? options.InputNamedBy(options.Target)
                : std::nullopt) {
        ShowMadeFromError(options.Target, *input, "archive to");
        return ArchiveResult::Refused;
    }
    if (WouldJoinTheSet(source, options.Target)) {
        ShowError(options.Target + " would be read as part of the log " + source +
                  ".\n\rChoose a file outside it.");
        return ArchiveResult::Refused;
    }
    if (!IsSingleFileSource(source))
        return ArchiveSource(formats, options, source);
    // Taken before the source is opened, so that any line the dialer adds
    // from here on shows as a change when the source is to be cleared.
    struct stat status {};
    if (::stat(source.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return ArchiveFailed(source);
    const FileStamp stamp = StampOf(status);

    // Read as the reports read it: a log saved as UTF-16 is copied as its
    // text, and "Skip unnecessary data" finds its lines.
    LogSource reader;
    if (!reader.Open(source))
        return ArchiveFailed(source);
    if (CopyLines(reader, formats, options, status.st_mode, false) == Copied::Failed)
        return ArchiveFailed(source);

    if (options.Clear) {
        if (beforeClear)
            beforeClear();
        switch (ClearSource(source, stamp)) {
        case ClearOutcome::Cleared:
            break;
        case ClearOutcome::Changed:
            ShowInfo("Completed archive to " + options.Target + ".\n\r" + source +
                     " was not cleared because it changed during the archive.");
            return ArchiveResult::NotCleared;
        case ClearOutcome::Failed:
            // The copy is made: archiving again would append it twice.
            ShowError("An error occurred archiving " + source + ".\n\rIts lines were copied to " +
                      options.Target + ", but it could not be cleared.");
            return ArchiveResult::NotCleared;
        }
    }
    ShowInfo("Completed archive to " + options.Target + ".");
    return ArchiveResult::Done;
}

} // namespace dialtally
