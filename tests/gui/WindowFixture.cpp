#include "WindowFixture.h"

#include <fstream>
#include <sstream>

namespace dialtally {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WindowFixture::SetUp()
{
    const fs::path samples = DIALTALLY_SAMPLES_DIR;
    for (const auto& entry : fs::directory_iterator(samples / "home"))
        fs::copy_file(entry.path(), fs::path(m_home.Path()) / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
    // Reports live in the program folder here.
    std::ofstream(fs::path(m_home.Path()) / "Dialtally.ini", std::ios::binary)
        << "[Files]\r\nPath=" << m_home.Path() << "\r\nDefault=" << m_home.Path()
        << "Default.rep\r\n"
        << m_extraSettings;
    const std::string monthly = ReadText(samples / "Monthly.rep");
    for (const char* name : {"A", "B", "C"}) {
        std::string text = monthly;
        const std::string key = "ReportDescription=Monthly Totals";
        text.replace(text.find(key), key.size(), std::string("ReportDescription=Report ") + name);
        std::ofstream(ReportPath(name), std::ios::binary) << text;
    }
    m_folders.Program = m_home.Path();
    m_folders.Windows = m_home.Path();
    m_folders.Documents = m_home.Path();
}

std::unique_ptr<TMainForm> WindowFixture::MakeWindow()
{
    auto window = std::make_unique<TMainForm>(m_folders);
    m_messages = std::make_unique<RecordingFrontEnd>();
    return window;
}

std::string WindowFixture::WriteReport(const std::string& name,
                                       const std::vector<std::pair<std::string, std::string>>& keys)
{
    std::string text = ReadText(ReportPath("A"));
    for (const auto& [key, value] : keys) {
        const std::size_t at = text.find("\n" + key + "=");
        const std::size_t end = text.find('\r', at + 1);
        text.replace(at + 1, end - at - 1, key + "=" + value);
    }
    const std::string path = ReportPath(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace dialtally
