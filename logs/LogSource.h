#pragma once

#include "base/DateTime.h"
#include "base/FileRange.h"
#include "base/LineReader.h"
#include "platform/GzipFile.h"
#include "platform/JournalSource.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// What a format's LogFile names. A file of exactly that name is always that
// file, read as it is today; otherwise:
// - "journal:" and identifiers or FIELD=value matches, separated by commas
//   ("journal:pppd"): the system journal;
// - a name with the wildcards "*", "?" or "[" ("/var/log/syslog*"): the set
//   of files it matches, read one after another as one log, oldest first;
//   a set of "*.journal" files is read as journal files;
// - a name ending in ".journal": that journal file;
// - a name ending in ".gz": that file decompressed.
enum class LogSourceKind { File, Set, Journal, JournalFiles };

struct LogSourceName {
    LogSourceKind Kind = LogSourceKind::File;
    std::string Text;                 // the LogFile as written
    std::vector<std::string> Matches; // of a journal source
    std::vector<std::string> Members; // of a set (oldest first) or journal files
};

LogSourceName ResolveLogSource(const std::string& logFile);
// True for a LogFile that names one plain file (what may be cleared).
bool IsSingleFileSource(const std::string& logFile);
// What Tools, View Log File opens for a LogFile: the file itself, or of a
// set its newest member, the one being written to. When there is no such
// file (the journal, a missing file, a set that matches nothing) Path is
// empty and Reason tells the user why.
struct ViewableLog {
    std::string Path;
    std::string Reason;
};
ViewableLog ViewableLogFile(const std::string& logFile);
// Files in logrotate's order, oldest first: "syslog.9.gz" ... "syslog.2.gz",
// "syslog.1", "syslog"; dated names ("syslog-20261201.gz") by their date,
// before the live file.
std::vector<std::string> RotationOrder(std::vector<std::string> paths);

// Reads the lines of any log source. A set is read member after member
// as one log, so that a connection beginning in one file and ending in the
// next is paired; ".gz" members are decompressed as they are read.
class LogSource {
public:
    explicit LogSource(std::size_t maxLineLength = std::string::npos) : m_reader(maxLineLength) {}

    // False when nothing could be opened: ErrorName() and ErrorFound() tell
    // the read message what and whether it was there.
    bool Open(const std::string& logFile);
    // Opens the bytes from `begin` to `end` of `file`, one plain file named
    // `path`, whose lines take their missing year from `modified`.
    void OpenPart(std::shared_ptr<InputFile> file, const std::string& path, std::uint64_t begin,
                  std::uint64_t end, TDateTime modified);
    void Close();
    // Reads the source again from its start, from the files opened then,
    // whatever their names point to by now. Only a source of regular files
    // can (CanRestart); when one of them cannot be read again, the source
    // fails as at a read error.
    bool CanRestart() const;
    bool Restart();
    // The member of a set being read, counting from 0; 0 for any other
    // source.
    std::size_t Member() const { return m_next > 0 ? m_next - 1 : 0; }
    // The open source when it is one plain file that can be read in parts,
    // else null.
    std::shared_ptr<InputFile> PlainFile() const;
    // The next line, valid until the next call; false at the end or on a
    // fault (Failed()).
    bool ReadLine(std::string_view& line);
    // As LineReader's, over every member of a set.
    void AddMarker(std::string_view text, std::uint32_t groups)
    {
        m_reader.AddMarker(text, groups);
    }
    bool ReadMarkedLine(std::string_view& line, std::uint32_t groups);
    std::optional<bool> MarkerOccurs(std::uint32_t group) const
    {
        return m_reader.MarkerOccurs(group);
    }
    // True once the source, a member of a set or a journal file could not be
    // opened or read. A set goes on with its next member, journal files
    // without the one that does not open; a read fault ends anything else.
    bool Failed() const { return m_failed; }
    // How many times a set's reading skipped what a member held past a
    // fault: a connection open at such a gap lost its end line.
    int Gaps() const { return m_gaps; }
    // Of a set: leaves the rest of the member being read, as a gap, and goes
    // on with the next one, so that members whose lines another format
    // reads (the stamps changed with the syslog daemon's settings) do not
    // hide the others. False for any other source.
    bool SkipMember();
    // The members left in part by SkipMember, joined by ", ".
    const std::string& SkippedMembers() const { return m_skipped; }
    // The source, or the members of a set or journal files, that could not
    // be opened or read, in reading order and joined by ", ".
    const std::string& ErrorName() const { return m_errorName; }
    bool ErrorFound() const { return m_errorFound; }
    // The read message for them; of the system journal, which is no file,
    // in words of its own.
    std::string ErrorText() const;
    // When the file being read was last written to, in local time: the
    // reference of year-less lines. 0 for the journal, whose lines carry
    // their year.
    TDateTime Modified() const { return m_modified; }

private:
    // Reads `opened`, or the file of that name when it is null.
    bool OpenMember(const std::string& path, std::shared_ptr<InputFile> opened);
    // The set's next member that opens; each one that does not is a gap.
    bool OpenNextMember();
    // The next line of the source, all of them or only marked ones.
    bool NextLine(std::string_view& line, const std::uint32_t* markerGroups);
    bool Fail(const std::string& name, bool found);

    LineReader m_reader;
    GzipFile m_gzip;
    std::shared_ptr<InputFile> m_file; // the member being read when it is not compressed
    FileRange m_range;
    JournalSource m_journal;
    LogSourceName m_name;
    std::vector<std::shared_ptr<InputFile>> m_opened; // a set's members, opened at its start
    std::shared_ptr<InputFile> m_member;              // the file being read, compressed or not
    std::size_t m_next = 0;                           // the set member to open next
    int m_gaps = 0;
    bool m_stopped = false; // a read fault ended what is not a set, or a skip the last member
    TDateTime m_modified = 0;
    bool m_failed = false;
    std::string m_errorName;
    bool m_errorFound = false;
    std::string m_skipped;
};

} // namespace dialtally
