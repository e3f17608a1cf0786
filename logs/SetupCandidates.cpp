#include "logs/SetupCandidates.h"

#include "platform/Folders.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace dialtally {

namespace {

std::string LowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

std::vector<std::string> SetupCandidates(const std::string& windowsFolder)
{
    std::vector<std::string> modemLogs;
    std::vector<std::string> logs;
    std::error_code error;
    const std::string folder = WithTrailingSeparator(windowsFolder);
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file(error))
            continue;
        const std::string name = it->path().filename().string();
        const std::string lower = LowerCase(name);
        if (lower == "modemlog.txt")
            modemLogs.push_back(folder + name);
        else if (lower.size() > 4 && lower.ends_with(".log"))
            logs.push_back(folder + name);
    }
    // The directory's own order means nothing here; a sorted list reads
    // better and stays the same from run to run.
    std::sort(modemLogs.begin(), modemLogs.end());
    std::sort(logs.begin(), logs.end(), [](const std::string& a, const std::string& b) {
        return LowerCase(a) < LowerCase(b);
    });
    modemLogs.insert(modemLogs.end(), logs.begin(), logs.end());
    return modemLogs;
}

std::vector<std::string> WindowsSetupCandidates(const std::string& windowsFolder,
                                                const std::vector<DetectedLog>& found)
{
    // Paths are compared as the files they name: "/var//log" and a link to
    // the log folder are the same folders.
    const auto same = [](const std::string& a, const std::string& b) {
        std::error_code error;
        return std::filesystem::weakly_canonical(a, error) ==
               std::filesystem::weakly_canonical(b, error);
    };
    const bool systemLogs = same(windowsFolder, "/var/log");
    std::vector<std::string> offered;
    for (std::string& path : SetupCandidates(windowsFolder)) {
        const bool detected = std::any_of(found.begin(), found.end(), [&](const DetectedLog& log) {
            return same(log.Source, path);
        });
        if (!detected && (!systemLogs || LowerCase(path).ends_with("/modemlog.txt")))
            offered.push_back(std::move(path));
    }
    return offered;
}

bool ApplySetupChoice(TLCfg& formats, const std::string& path, const std::string& programFolder)
{
    if (formats.Count < 1)
        return false;
    formats.LogFile[1] = path;
    return SaveLogFormats(formats, programFolder);
}

} // namespace dialtally
