#include "platform/FileTypeRegistration.h"

#include "base/AtomicFile.h"
#include "base/Messages.h"
#include "platform/ApplicationId.h"
#include "platform/XmlText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace dialtally {

namespace {

const char* const RegistryErrorText =
    "Registry error.\n\rThe user account may not have the required rights.";

std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The extension without its dot; empty when it could leave its folder or
// break a file name.
std::string BareExtension(const std::string& extension)
{
    std::string bare = extension.starts_with('.') ? extension.substr(1) : extension;
    for (const char c : bare)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            return {};
    return LowerCase(bare);
}

std::string MimePackage(const std::string& extension, const std::string& name)
{
    const std::string comment = XmlEscaped(name + " Document");
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           XmlEscaped(FileTypeMimeType(name)) +
           "\">\n"
           "    <comment>" +
           comment +
           "</comment>\n"
           "    <icon name=\"" +
           std::string(ApplicationId) +
           "\"/>\n"
           "    <glob pattern=\"*." +
           XmlEscaped(BareExtension(extension)) +
           "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

// One argument of an Exec key: quoted when it holds a reserved character,
// then escaped as a string value; '%' doubled. Empty when the path cannot
// be written in a desktop entry at all.
std::string ExecArgument(const std::string& path)
{
    const std::string_view reserved = " \t\n\"'\\><~|&;$*?#()`";
    bool quote = false;
    for (const char c : path) {
        if (static_cast<unsigned char>(c) < 0x20)
            return {};
        if (reserved.find(c) != std::string_view::npos)
            quote = true;
    }
    std::string argument;
    for (const char c : path) {
        if (c == '%')
            argument += "%%";
        else if (quote && (c == '"' || c == '`' || c == '$'))
            argument += std::string("\\\\") + c;
        else if (c == '\\')
            argument += quote ? "\\\\\\\\" : "\\\\";
        else
            argument += c;
    }
    return quote ? "\"" + argument + "\"" : argument;
}

std::string DesktopEntry(const std::string& name, const std::string& exec)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           name +
           "\n"
           "Comment=" +
           name +
           " Document\n"
           "Exec=" +
           exec +
           " %f\n"
           "Icon=" +
           std::string(ApplicationId) +
           "\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "MimeType=" +
           FileTypeMimeType(name) + ";\n";
}

bool WriteIn(const std::string& path, const std::string& contents)
{
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return !error && WriteFileAtomically(path, contents);
}

std::string FindOnPath(const std::string& program)
{
    const char* value = std::getenv("PATH");
    const std::string path = value ? value : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::string folder = path.substr(start, end - start);
        if (!folder.empty()) {
            const std::string candidate = folder + "/" + program;
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

void RefreshMimeDatabase()
{
    RunInstalledTool("update-mime-database", XdgDataHome() + "mime");
}

} // namespace

std::string FileTypeMimeType(const std::string& name)
{
    return "application/x-" + LowerCase(name) + "-report";
}

std::string FileTypePackagePath(const std::string& extension)
{
    return XdgDataHome() + "mime/packages/dialtally-" + BareExtension(extension) + ".xml";
}

std::string FileTypeDesktopEntryPath(const std::string& name)
{
    return XdgDataHome() + "applications/" + LowerCase(name) + ".desktop";
}

bool FileTypeRegistered(const std::string& extension)
{
    std::error_code error;
    return !BareExtension(extension).empty() &&
           std::filesystem::exists(FileTypePackagePath(extension), error);
}

bool RegisterFileType(const std::string& extension, const std::string& name,
                      const std::string& /*topic*/)
{
    std::error_code error;
    const std::string executable = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const std::string exec = error ? std::string() : ExecArgument(executable);
    const bool written = !BareExtension(extension).empty() && !name.empty() && !exec.empty() &&
                         WriteIn(FileTypePackagePath(extension), MimePackage(extension, name)) &&
                         WriteIn(FileTypeDesktopEntryPath(name), DesktopEntry(name, exec));
    if (!written) {
        ShowError(RegistryErrorText);
        return false;
    }
    RefreshMimeDatabase();
    RunInstalledTool("update-desktop-database", XdgDataHome() + "applications");
    ShowInfo("A file type has been created.");
    return true;
}

bool RemoveFileType(const std::string& extension)
{
    if (!FileTypeRegistered(extension))
        return false;
    std::error_code error;
    if (!std::filesystem::remove(FileTypePackagePath(extension), error) || error) {
        ShowError("The file type could not be removed.\n\rThe user account may not have the "
                  "required rights.");
        return false;
    }
    RefreshMimeDatabase();
    ShowInfo("The file type has been removed.");
    return true;
}

bool RunInstalledTool(const std::string& program, const std::string& argument)
{
    const std::string found = FindOnPath(program);
    if (found.empty())
        return false;
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0)
        return false;
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string arg0 = program;
    std::string arg1 = argument;
    char* argv[] = {arg0.data(), arg1.data(), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, found.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    while (::waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace dialtally
