#include "platform/JournalSource.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <optional>
#include <systemd/sd-journal.h>

namespace dialtally {

namespace {

// The value of FIELD in the current entry; empty when it has none.
std::string_view Field(sd_journal* journal, const char* field)
{
    const void* data = nullptr;
    std::size_t length = 0;
    if (sd_journal_get_data(journal, field, &data, &length) < 0)
        return {};
    const std::string_view text(static_cast<const char*>(data), length);
    const std::size_t equals = text.find('=');
    return equals == std::string_view::npos ? std::string_view() : text.substr(equals + 1);
}

void AppendStamp(std::string& line, std::uint64_t microseconds)
{
    const auto seconds = static_cast<std::time_t>(microseconds / 1'000'000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[40];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    line += stamp;
    // Offsets lie within a day, so the hours take two digits.
    const int offset = static_cast<int>(local.tm_gmtoff / 60);
    const int hours = std::abs(offset) / 60 % 24;
    const int minutes = std::abs(offset) % 60;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", offset < 0 ? '-' : '+', hours, minutes);
    line += zone;
}

} // namespace

bool SystemJournalExists()
{
    // An empty folder (a container, a machine that keeps no journal) is no
    // journal; a folder that cannot be listed may hold one.
    for (const char* folder : {"/var/log/journal", "/run/log/journal"}) {
        std::error_code error;
        std::filesystem::recursive_directory_iterator it(folder, error), end;
        for (; !error && it != end; it.increment(error))
            if (it->path().extension() == ".journal")
                return true;
        if (error == std::errc::permission_denied)
            return true;
    }
    return false;
}

JournalSource::~JournalSource()
{
    Close();
}

void JournalSource::Close()
{
    if (m_journal)
        sd_journal_close(m_journal);
    m_journal = nullptr;
    m_line.clear();
    m_handed = 0;
    m_failed = false;
}

bool JournalSource::AddMatches(const std::vector<std::string>& matches)
{
    for (const std::string& match : matches) {
        const std::string term =
            match.find('=') == std::string::npos ? "SYSLOG_IDENTIFIER=" + match : match;
        if (sd_journal_add_match(m_journal, term.data(), term.size()) < 0 ||
            sd_journal_add_disjunction(m_journal) < 0)
            return false;
    }
    return true;
}

JournalSource::Opened JournalSource::OpenSystem(const std::vector<std::string>& matches)
{
    Close();
    if (sd_journal_open(&m_journal, SD_JOURNAL_LOCAL_ONLY | SD_JOURNAL_SYSTEM) < 0) {
        m_journal = nullptr;
        return SystemJournalExists() ? Opened::Unreadable : Opened::NotFound;
    }
    // The library opens what it may and leaves the rest: without the
    // systemd-journal group no system file is open.
    std::uint64_t bytes = 0;
    if (sd_journal_get_usage(m_journal, &bytes) < 0 || bytes == 0) {
        Close();
        return SystemJournalExists() ? Opened::Unreadable : Opened::NotFound;
    }
    if (!AddMatches(matches)) {
        Close();
        return Opened::Unreadable;
    }
    return Opened::Yes;
}

JournalSource::Opened JournalSource::OpenFiles(const std::vector<std::string>& paths,
                                               const std::vector<std::string>& matches,
                                               std::vector<std::string>* lost)
{
    Close();
    if (paths.empty())
        return Opened::NotFound;
    std::vector<std::string> readable = paths;
    if (!OpenJournalFiles(readable)) {
        // The library opens all or none: find the ones that read alone.
        readable.clear();
        std::optional<Opened> first;
        for (const std::string& path : paths) {
            if (OpenJournalFiles({path})) {
                readable.push_back(path);
                Close();
                continue;
            }
            std::error_code error;
            if (!first)
                first =
                    std::filesystem::exists(path, error) ? Opened::Unreadable : Opened::NotFound;
            if (lost)
                lost->push_back(path);
        }
        if (readable.empty() || !OpenJournalFiles(readable))
            return first.value_or(Opened::Unreadable);
    }
    if (!AddMatches(matches)) {
        Close();
        return Opened::Unreadable;
    }
    return Opened::Yes;
}

bool JournalSource::OpenJournalFiles(const std::vector<std::string>& paths)
{
    std::vector<const char*> list;
    for (const std::string& path : paths) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return false;
        list.push_back(path.c_str());
    }
    list.push_back(nullptr);
    if (sd_journal_open_files(&m_journal, list.data(), 0) < 0) {
        m_journal = nullptr;
        return false;
    }
    return true;
}

// Formats the next entry into m_line; false at the end or on a fault.
bool JournalSource::NextLine()
{
    m_line.clear();
    m_handed = 0;
    const int next = sd_journal_next(m_journal);
    if (next <= 0) {
        m_failed = next < 0;
        return false;
    }
    std::uint64_t realtime = 0;
    if (sd_journal_get_realtime_usec(m_journal, &realtime) < 0) {
        m_failed = true;
        return false;
    }
    AppendStamp(m_line, realtime);
    m_line += ' ';
    // Any process names itself: a line break in its name or process id
    // would start a line of its choosing, as one in its message would.
    const std::size_t fields = m_line.size();
    std::string_view identifier = Field(m_journal, "SYSLOG_IDENTIFIER");
    if (identifier.empty())
        identifier = Field(m_journal, "_COMM");
    m_line += identifier.empty() ? std::string_view("-") : identifier;
    std::string_view pid = Field(m_journal, "SYSLOG_PID");
    if (pid.empty())
        pid = Field(m_journal, "_PID");
    if (!pid.empty()) {
        m_line += '[';
        m_line += pid;
        m_line += ']';
    }
    m_line += ": ";
    m_line += Field(m_journal, "MESSAGE");
    std::replace_if(
        m_line.begin() + static_cast<std::ptrdiff_t>(fields), m_line.end(),
        [](char c) { return c == '\n' || c == '\r'; }, ' ');
    m_line += '\n';
    return true;
}

ssize_t JournalSource::Read(char* buffer, std::size_t size)
{
    if (!m_journal)
        return -1;
    std::size_t filled = 0;
    while (filled < size) {
        if (m_handed == m_line.size() && !NextLine())
            break;
        const std::size_t n = std::min(size - filled, m_line.size() - m_handed);
        std::memcpy(buffer + filled, m_line.data() + m_handed, n);
        m_handed += n;
        filled += n;
    }
    if (filled > 0)
        return static_cast<ssize_t>(filled);
    return m_failed ? -1 : 0;
}

} // namespace dialtally
