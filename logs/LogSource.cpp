#include "logs/LogSource.h"

#include "base/Clock.h"
#include "base/Messages.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <glob.h>
#include <set>
#include <sys/stat.h>
#include <tuple>

namespace dialtally {

namespace {

constexpr std::string_view JournalPrefix = "journal:";

std::string Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool IsDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// Where a rotated file stands: numbered ones by their number (higher is
// older), dated ones by their date, the live file last.
struct RotationKey {
    int Group = 2;     // 0 numbered, 1 dated, 2 live
    long long Age = 0; // number, descending; date, ascending
    std::string Name;

    bool operator<(const RotationKey& other) const
    {
        const long long age = Group == 0 ? -Age : Age;
        const long long otherAge = other.Group == 0 ? -other.Age : other.Age;
        return std::tie(Group, age, Name) < std::tie(other.Group, otherAge, other.Name);
    }
};

RotationKey KeyOf(const std::string& path)
{
    RotationKey key;
    key.Name = path;
    std::string name = std::filesystem::path(path).filename().string();
    if (name.ends_with(".gz"))
        name.resize(name.size() - 3);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && IsDigits(std::string_view(name).substr(dot + 1)) &&
        name.size() - dot - 1 <= 6) {
        key.Group = 0;
        key.Age = std::stoll(name.substr(dot + 1));
        return key;
    }
    const std::size_t dash = name.rfind('-');
    if (dash != std::string::npos && IsDigits(std::string_view(name).substr(dash + 1)) &&
        name.size() - dash - 1 >= 8 && name.size() - dash - 1 <= 14) {
        key.Group = 1;
        key.Age = std::stoll(name.substr(dash + 1));
    }
    return key;
}

bool HasWildcard(std::string_view text)
{
    return text.find_first_of("*?[") != std::string_view::npos;
}

std::vector<std::string> Expand(const std::string& pattern)
{
    std::vector<std::string> files;
    glob_t found{};
    if (::glob(pattern.c_str(), GLOB_NOSORT, nullptr, &found) == 0) {
        std::error_code error;
        for (std::size_t i = 0; i < found.gl_pathc; ++i)
            // An archive beside the set ("syslog.old", as Archive proposes
            // it) is no member: its lines would count twice.
            if (std::filesystem::is_regular_file(found.gl_pathv[i], error) &&
                !std::string_view(found.gl_pathv[i]).ends_with(".old"))
                files.emplace_back(found.gl_pathv[i]);
    }
    ::globfree(&found);
    return files;
}

// Whether the name is there at all, so the read message says "not found"
// only when it is not.
bool Exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// journald renames a file it could not close to ".journal~"; journalctl
// reads those with the others.
bool IsJournalFileName(std::string_view name)
{
    return name.ends_with(".journal") || name.ends_with(".journal~");
}

} // namespace

std::vector<std::string> RotationOrder(std::vector<std::string> paths)
{
    std::vector<std::pair<RotationKey, std::string>> keyed;
    for (std::string& path : paths)
        keyed.emplace_back(KeyOf(path), std::move(path));
    std::sort(keyed.begin(), keyed.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> ordered;
    for (auto& [key, path] : keyed)
        ordered.push_back(std::move(path));
    return ordered;
}

LogSourceName ResolveLogSource(const std::string& logFile)
{
    LogSourceName name;
    name.Text = logFile;
    // A file of exactly this name is read as it always was.
    if (logFile.empty() || Exists(logFile)) {
        name.Kind = LogSourceKind::File;
        if (IsJournalFileName(logFile)) {
            name.Kind = LogSourceKind::JournalFiles;
            name.Members = {logFile};
        }
        return name;
    }
    if (std::string_view(logFile).starts_with(JournalPrefix)) {
        name.Kind = LogSourceKind::Journal;
        std::string_view rest = std::string_view(logFile).substr(JournalPrefix.size());
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            const std::string match = Trimmed(rest.substr(0, comma));
            if (!match.empty())
                name.Matches.push_back(match);
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
        return name;
    }
    if (HasWildcard(logFile)) {
        std::vector<std::string> members = Expand(logFile);
        if (logFile.ends_with(".journal"))
            for (std::string& member : Expand(logFile + "~"))
                members.push_back(std::move(member));
        // logrotate compressing syslog.1 into syslog.1.gz: the .gz is not
        // whole until the plain file is gone, and holds the same lines.
        const std::set<std::string> all(members.begin(), members.end());
        std::erase_if(members, [&](const std::string& member) {
            return member.ends_with(".gz") && all.contains(member.substr(0, member.size() - 3));
        });
        name.Members = RotationOrder(std::move(members));
        const bool journals =
            !name.Members.empty() &&
            std::all_of(name.Members.begin(), name.Members.end(),
                        [](const std::string& member) { return IsJournalFileName(member); });
        name.Kind = journals ? LogSourceKind::JournalFiles : LogSourceKind::Set;
        return name;
    }
    if (logFile.ends_with(".journal")) {
        name.Kind = LogSourceKind::JournalFiles;
        name.Members = {logFile};
    }
    return name;
}

bool IsSingleFileSource(const std::string& logFile)
{
    const LogSourceName name = ResolveLogSource(logFile);
    return name.Kind == LogSourceKind::File && !logFile.ends_with(".gz");
}

ViewableLog ViewableLogFile(const std::string& logFile)
{
    const LogSourceName name = ResolveLogSource(logFile);
    switch (name.Kind) {
    case LogSourceKind::File:
        if (!Exists(logFile))
            return {{}, "The file " + logFile + " was not found."};
        return {logFile, {}};
    case LogSourceKind::Set:
        if (name.Members.empty())
            return {{}, "No file matches " + logFile + "."};
        return {name.Members.back(), {}};
    case LogSourceKind::Journal:
    case LogSourceKind::JournalFiles:
        break;
    }
    return {{},
            "This log is kept in the systemd journal, which has no text file to open; "
            "journalctl shows its entries."};
}

void LogSource::OpenPart(std::shared_ptr<InputFile> file, const std::string& path,
                         std::uint64_t begin, std::uint64_t end, TDateTime modified)
{
    Close();
    m_failed = false;
    m_errorName.clear();
    m_skipped.clear();
    m_errorFound = false;
    m_name = LogSourceName{LogSourceKind::File, path, {}, {}};
    m_modified = modified;
    m_range.Open(std::move(file), begin, end);
    m_reader.Open(m_range);
}

std::shared_ptr<InputFile> LogSource::PlainFile() const
{
    if (m_name.Kind != LogSourceKind::File || !m_file || !m_file->IsRegular() || m_range.IsUtf16())
        return nullptr;
    return m_file;
}

void LogSource::Close()
{
    m_reader.Close();
    m_range.Close();
    m_file.reset();
    m_member.reset();
    m_journal.Close();
    m_opened.clear();
    m_next = 0;
    m_gaps = 0;
    m_stopped = false;
}

std::string LogSource::ErrorText() const
{
    if (m_name.Kind == LogSourceKind::Journal)
        return ReadErrorTextWithReason(
            m_errorName, m_errorFound
                             ? "Only members of the systemd-journal or adm group may read the "
                               "system journal."
                             : "This machine keeps no system journal.");
    // A journal file that is there but does not open is damaged (as one
    // journald left after an unclean shutdown may be) or closed to the user.
    if (m_name.Kind == LogSourceKind::JournalFiles && m_errorFound)
        return ReadErrorTextWithReason(m_errorName,
                                       "A journal file may be damaged, or readable only by "
                                       "members of the systemd-journal or adm group.");
    return ReadErrorText(m_errorName, m_errorFound);
}

bool LogSource::Fail(const std::string& name, bool found)
{
    if (!m_failed) {
        m_failed = true;
        m_errorName = name;
        m_errorFound = found;
    } else if (m_errorName != name && !m_errorName.ends_with(", " + name)) {
        m_errorName += ", " + name;
    }
    return false;
}

bool LogSource::SkipMember()
{
    if (m_name.Kind != LogSourceKind::Set || m_next == 0)
        return false;
    m_skipped += (m_skipped.empty() ? "" : ", ") + m_name.Members[m_next - 1];
    ++m_gaps;
    // With no member left, the reader must not hand out what it holds of
    // this one.
    if (!OpenNextMember())
        m_stopped = true;
    return true;
}

bool LogSource::OpenNextMember()
{
    while (m_next < m_name.Members.size()) {
        const std::size_t member = m_next++;
        const bool opened = OpenMember(m_name.Members[member],
                                       member < m_opened.size() ? m_opened[member] : nullptr);
        // Kept, to be read again on a restart.
        if (member < m_opened.size())
            m_opened[member] = m_member;
        if (opened)
            return true;
        ++m_gaps;
    }
    return false;
}

bool LogSource::OpenMember(const std::string& path, std::shared_ptr<InputFile> opened)
{
    m_file.reset();
    m_member.reset();
    // One that would not open with the others (too many open files) is
    // tried again by its name.
    if (!opened) {
        opened = std::make_shared<InputFile>();
        if (!opened->Open(path)) {
            m_modified = 0;
            return Fail(path, Exists(path));
        }
    }
    m_member = opened;
    // The change time of the file opened, not of whatever the name points
    // to a moment later.
    m_modified = LocalDateTime(opened->ModifiedSeconds());
    if (path.ends_with(".gz")) {
        if (!m_gzip.Open(std::move(opened)))
            return Fail(path, Exists(path));
        m_reader.Open(m_gzip);
        return true;
    }
    m_file = opened;
    m_range.Open(std::move(opened));
    m_reader.Open(m_range);
    return true;
}

bool LogSource::CanRestart() const
{
    switch (m_name.Kind) {
    case LogSourceKind::File:
        // Not a part of a file: a part's file is no member.
        return m_member && m_member->IsRegular();
    case LogSourceKind::Set:
        return std::ranges::all_of(m_opened, [](const std::shared_ptr<InputFile>& file) {
            return !file || file->IsRegular();
        });
    case LogSourceKind::Journal:
    case LogSourceKind::JournalFiles:
        break;
    }
    return false;
}

bool LogSource::Restart()
{
    if (!CanRestart())
        return false;
    std::vector<std::shared_ptr<InputFile>> files =
        m_name.Kind == LogSourceKind::Set ? m_opened : std::vector{m_member};
    for (const std::shared_ptr<InputFile>& file : files)
        if (file && !file->Rewind()) {
            m_stopped = true;
            return Fail(m_name.Text, true);
        }
    const LogSourceName name = m_name;
    Close();
    m_failed = false;
    m_errorName.clear();
    m_skipped.clear();
    m_errorFound = false;
    m_name = name;
    if (m_name.Kind == LogSourceKind::File)
        return OpenMember(m_name.Text, std::move(files.front()));
    m_opened = std::move(files);
    return OpenNextMember();
}

bool LogSource::Open(const std::string& logFile)
{
    Close();
    m_failed = false;
    m_errorName.clear();
    m_skipped.clear();
    m_errorFound = false;
    m_modified = 0;
    m_name = ResolveLogSource(logFile);
    switch (m_name.Kind) {
    case LogSourceKind::File:
        return OpenMember(logFile, nullptr);
    case LogSourceKind::Set:
        if (m_name.Members.empty())
            return Fail(logFile, false);
        // Every member is opened at once: logrotate renaming them during
        // the pass would otherwise give a name read later another file's
        // lines, or none, and the report would miss a file unsaid.
        for (const std::string& member : m_name.Members) {
            auto file = std::make_shared<InputFile>();
            m_opened.push_back(file->Open(member) ? std::move(file) : nullptr);
        }
        return OpenNextMember();
    case LogSourceKind::Journal:
    case LogSourceKind::JournalFiles: {
        std::vector<std::string> lost;
        const JournalSource::Opened opened =
            m_name.Kind == LogSourceKind::Journal
                ? m_journal.OpenSystem(m_name.Matches)
                : m_journal.OpenFiles(m_name.Members, m_name.Matches, &lost);
        if (opened != JournalSource::Opened::Yes)
            return Fail(logFile, opened == JournalSource::Opened::Unreadable);
        // Told of after the read, as a damaged member of a set is.
        for (const std::string& file : lost)
            Fail(file, Exists(file));
        m_reader.Open(m_journal);
        return true;
    }
    }
    return false;
}

bool LogSource::ReadLine(std::string_view& line)
{
    return NextLine(line, nullptr);
}

bool LogSource::ReadMarkedLine(std::string_view& line, std::uint32_t groups)
{
    return NextLine(line, &groups);
}

bool LogSource::NextLine(std::string_view& line, const std::uint32_t* markerGroups)
{
    const bool set = m_name.Kind == LogSourceKind::Set;
    if (m_stopped)
        return false;
    while (true) {
        if (markerGroups ? m_reader.ReadMarkedLine(line, *markerGroups) : m_reader.ReadLine(line))
            return true;
        if (m_reader.Failed()) {
            const std::string& name = set && m_next > 0 ? m_name.Members[m_next - 1] : m_name.Text;
            Fail(name, m_name.Kind == LogSourceKind::File || set ? Exists(name) : true);
            if (!set) {
                m_stopped = true;
                return false;
            }
            // One damaged member (a rotation cut short by a full disk) must
            // not hide the newer ones: the rest of it is a gap.
            ++m_gaps;
        }
        if (!set || !OpenNextMember())
            return false;
    }
}

} // namespace dialtally
