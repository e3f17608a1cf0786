#include "TestSupport.h"

#include "base/Clock.h"
#include "base/DateTime.h"
#include "base/LineReader.h"

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <utime.h>
#include <zlib.h>

namespace dialtally {

RecordingFrontEnd::RecordingFrontEnd()
{
    SetFrontEnd(this);
}

RecordingFrontEnd::~RecordingFrontEnd()
{
    SetFrontEnd(nullptr);
}

MessageAnswer RecordingFrontEnd::ShowMessage(MessageKind kind, MessageButtons buttons,
                                             const std::string& text)
{
    Messages.push_back({kind, buttons, text});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (Answers.empty())
        return MessageAnswer::Yes;
    const MessageAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void RecordingFrontEnd::SetStatusText(int panel, const std::string& text)
{
    StatusTexts.emplace_back(panel, text);
}

std::vector<std::string> RecordingFrontEnd::Texts(MessageKind kind) const
{
    std::vector<std::string> texts;
    for (const Message& m : Messages)
        if (m.Kind == kind)
            texts.push_back(m.Text);
    return texts;
}

ScopedRegional::ScopedRegional(const std::string& presetName) : m_previous(Regional())
{
    const RegionalSettings* preset = FindRegionalPreset(presetName);
    if (!preset)
        throw std::invalid_argument("no preset " + presetName);
    SetRegional(*preset);
}

ScopedRegional::~ScopedRegional()
{
    const RegionalSettings* preset = FindRegionalPreset(m_previous.Name);
    SetRegional(preset ? *preset : m_previous);
}

ScopedToday::ScopedToday(int year, int month, int day)
{
    SetFixedToday(EncodeDate(year, month, day));
}

ScopedToday::~ScopedToday()
{
    SetFixedToday(std::nullopt);
}

TempFolder::TempFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "dialtally-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code error;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

std::string TempFolder::Path() const
{
    return m_path.string() + "/";
}

void TempFolder::Write(const std::string& name, const std::string& contents) const
{
    std::ofstream out(File(name), std::ios::binary);
    out << contents;
}

std::string TempFolder::Read(const std::string& name) const
{
    std::ifstream in(File(name), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<std::vector<std::string>> ReaderLines(const std::string& path)
{
    LineReader reader;
    if (!reader.Open(path))
        return std::nullopt;
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.ReadLine(line))
        lines.emplace_back(line);
    if (reader.Failed())
        return std::nullopt;
    return lines;
}

ScopedFileSizeLimit::ScopedFileSizeLimit(unsigned long bytes)
{
    std::signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_soft = limit.rlim_cur;
    m_hard = limit.rlim_max;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit()
{
    rlimit limit{m_soft, m_hard};
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

namespace {

std::time_t LocalSeconds(const std::string& stamp)
{
    std::tm local{};
    local.tm_isdst = -1;
    ::strptime(stamp.c_str(), "%Y-%m-%d %H:%M:%S", &local);
    return std::mktime(&local);
}

} // namespace

TDateTime At(const std::string& stamp)
{
    return LocalDateTime(LocalSeconds(stamp));
}

bool SetModified(const std::string& path, const std::string& stamp)
{
    const utimbuf times{LocalSeconds(stamp), LocalSeconds(stamp)};
    return ::utime(path.c_str(), &times) == 0;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

bool WriteGzip(const std::string& path, const std::string& text)
{
    gzFile file = gzopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written =
        text.empty() || gzwrite(file, text.data(), static_cast<unsigned>(text.size())) > 0;
    return gzclose(file) == Z_OK && written;
}

bool WriteJournal(const std::string& path, const std::vector<std::string>& entries,
                  const std::string& bootId)
{
    // A value holding a line break takes the export format's binary form:
    // the name, a line break, its length in 64 bits little-endian, itself.
    const auto field = [](const std::string& name, const std::string& value) {
        if (value.find('\n') == std::string::npos)
            return name + "=" + value + "\n";
        std::string length;
        for (int i = 0; i < 8; ++i)
            length += static_cast<char>(static_cast<std::uint64_t>(value.size()) >> (8 * i) & 0xFF);
        return name + "\n" + length + value + "\n";
    };
    std::string exported;
    long long monotonic = 1'000'000;
    for (const std::string& entry : entries) {
        const std::size_t a = entry.find('|'), b = entry.find('|', a + 1),
                          c = entry.find('|', b + 1);
        exported +=
            "__REALTIME_TIMESTAMP=" +
            std::to_string(static_cast<long long>(LocalSeconds(entry.substr(0, a))) * 1'000'000) +
            "\n__MONOTONIC_TIMESTAMP=" + std::to_string(monotonic += 1'000'000) +
            "\n_BOOT_ID=" + bootId + "\n" +
            field("SYSLOG_IDENTIFIER", entry.substr(a + 1, b - a - 1)) +
            field("SYSLOG_PID", entry.substr(b + 1, c - b - 1)) +
            field("MESSAGE", entry.substr(c + 1)) + "\n";
    }
    const std::string exportPath = path + ".export";
    std::ofstream(exportPath, std::ios::binary) << exported;
    const std::string command = std::string(DIALTALLY_JOURNAL_REMOTE) + " -o '" + path + "' - < '" +
                                exportPath + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

} // namespace dialtally
