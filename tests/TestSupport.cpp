#include "TestSupport.h"

#include "base/Clock.h"
#include "base/DateTime.h"
#include "base/LineReader.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>

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

} // namespace dialtally
