#include "platform/Folders.h"

#include "base/LineReader.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace dialtally {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// XDG_CONFIG_HOME when it is an absolute path; a relative one is to be
// ignored, or each working folder would have its own settings.
std::string ConfigFolder()
{
    const std::string config = Env("XDG_CONFIG_HOME");
    return config.starts_with('/') ? WithTrailingSeparator(config) : HomeFolder() + ".config/";
}

bool IsFolder(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in user-dirs.dirs.
std::string DocumentsFromUserDirs()
{
    LineReader reader;
    if (!reader.Open(ConfigFolder() + "user-dirs.dirs"))
        return {};
    std::string_view line;
    const std::string_view key = "XDG_DOCUMENTS_DIR=";
    while (reader.ReadLine(line)) {
        if (!line.starts_with(key))
            continue;
        std::string value(line.substr(key.size()));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.starts_with("$HOME"))
            value = HomeFolder() + value.substr(value.size() > 5 && value[5] == '/' ? 6 : 5);
        return value;
    }
    return {};
}

} // namespace

std::string WithTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string HomeFolder()
{
    std::string home = Env("HOME");
    if (home.empty()) {
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
            found != nullptr && found->pw_dir != nullptr)
            home = found->pw_dir;
    }
    return home.empty() ? "/" : WithTrailingSeparator(home);
}

std::string WindowsSpelling(const std::string& path)
{
    std::error_code error;
    const fs::path given(path);
    if (fs::exists(given, error) || !given.has_parent_path())
        return path;
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    const std::string wanted = lower(given.filename().string());
    std::string found;
    for (auto it = fs::directory_iterator(given.parent_path(), error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        if (lower(it->path().filename().string()) != wanted)
            continue;
        if (!found.empty())
            return path; // two spellings: which one is meant is not ours to guess
        found = it->path().string();
    }
    return found.empty() ? path : found;
}

LinuxFolders::LinuxFolders(std::optional<std::string> homeOption, std::string executableFolder,
                           bool createProgramFolder)
    : m_executable(std::move(executableFolder))
{
    std::string folder;
    std::error_code error;
    if (homeOption && !homeOption->empty()) {
        folder = *homeOption;
    } else if (!Env("DIALTALLY_HOME").empty()) {
        folder = Env("DIALTALLY_HOME");
    } else if (!m_executable.empty() &&
               fs::exists(WithTrailingSeparator(m_executable) + "Dialtally.ini", error)) {
        folder = m_executable;
    } else {
        folder = ConfigFolder() + "Dialtally";
    }
    if (createProgramFolder)
        fs::create_directories(folder, error); // a failure shows on the first read or write
    m_program = WithTrailingSeparator(fs::absolute(folder, error).lexically_normal().string());
}

std::string LinuxFolders::WindowsFolder() const
{
    const std::string configured = Env("DIALTALLY_WINDOWS_DIR");
    if (!configured.empty())
        return WithTrailingSeparator(configured);
    const std::string wine = HomeFolder() + ".wine/drive_c/windows/";
    return IsFolder(wine) ? wine : "/var/log/";
}

std::string LinuxFolders::ProgramFilesFolder() const
{
    std::string folder = Env("DIALTALLY_PROGRAM_FILES");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string LinuxFolders::DocumentsFolder() const
{
    const std::string documents = DocumentsFromUserDirs();
    return WithTrailingSeparator(documents.empty() ? HomeFolder() + "Documents" : documents);
}

std::string LinuxFolders::LogFolder() const
{
    const std::string prepared = Env("DIALTALLY_LOG_DIR");
    return prepared.empty() ? "/var/log/" : WithTrailingSeparator(prepared);
}

bool LinuxFolders::ReadsSystemJournal() const
{
    return Env("DIALTALLY_LOG_DIR").empty();
}

std::string LinuxFolders::DataFolder() const
{
    const std::string configured = Env("DIALTALLY_DATA_DIR");
    if (!configured.empty())
        return WithTrailingSeparator(configured);
    if (!m_executable.empty()) {
        std::error_code error;
        const fs::path beside =
            (fs::path(m_executable) / DIALTALLY_DATA_FROM_BIN).lexically_normal();
        if (fs::is_directory(beside, error))
            return WithTrailingSeparator(beside.string());
    }
    return WithTrailingSeparator(DIALTALLY_INSTALLED_DATA_DIR);
}

std::string LinuxFolders::ExecutableFolder()
{
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : WithTrailingSeparator(exe.parent_path().string());
}

} // namespace dialtally
