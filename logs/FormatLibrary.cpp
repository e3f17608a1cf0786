#include "logs/FormatLibrary.h"

#include "base/DataFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

namespace dialtally {

std::string FormatLibraryFolder(const Folders& folders)
{
    const std::string data = folders.DataFolder();
    return data.empty() ? std::string() : WithTrailingSeparator(data) + "formats/";
}

TLCfg LoadFormatLibrary(const std::string& folder, const Folders& folders)
{
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(folder, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error))
        if (it->path().extension() == ".log" && it->is_regular_file(error))
            files.push_back(it->path().string());
    std::sort(files.begin(), files.end());

    TLCfg library;
    for (const std::string& file : files) {
        TLCfg one;
        int count = 0;
        const DataFileRead read =
            ReadDataFileEntries(file, "LogType=", 1, count, [&](int entry, const KeyValue& kv) {
                for (const LogFormatField& field : LogFormatFields())
                    if (kv.Key == field.Key) {
                        (one.*field.Column)[entry] = std::string(kv.Value);
                        break;
                    }
            });
        if (read != DataFileRead::Ok || count != 1 || library.Count >= TLCfg::MaxFormats)
            continue;
        const int i = ++library.Count;
        for (const LogFormatField& field : LogFormatFields())
            (library.*field.Column)[i] = (one.*field.Column)[1];
        std::string& logFile = library.LogFile[i];
        if (!logFile.empty() && logFile.find('/') == std::string::npos &&
            logFile.find(':') == std::string::npos)
            logFile = WindowsSpelling(folders.WindowsFolder() + logFile);
    }
    // The dialog and the setup list them by name.
    std::vector<int> order(static_cast<std::size_t>(library.Count));
    for (int i = 0; i < library.Count; ++i)
        order[static_cast<std::size_t>(i)] = i + 1;
    // ... as the Log Files dialog's list does, without regard to case.
    const auto folded = [&](int f) {
        std::string name = library.LogType[f];
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return name;
    };
    std::sort(order.begin(), order.end(), [&](int a, int b) { return folded(a) < folded(b); });
    TLCfg sorted;
    sorted.Count = library.Count;
    for (int i = 1; i <= library.Count; ++i)
        for (const LogFormatField& field : LogFormatFields())
            (sorted.*field.Column)[i] =
                (library.*field.Column)[order[static_cast<std::size_t>(i - 1)]];
    sorted.Current = sorted.Count > 0 ? 1 : 0;
    return sorted;
}

int AddLibraryFormat(TLCfg& table, const TLCfg& library, int index, const std::string& logFile)
{
    if (index < 1 || index > library.Count)
        return 0;
    int target = FindLogFormat(table, library.LogType[index]);
    if (target == 0) {
        if (table.Count >= TLCfg::MaxFormats)
            return 0;
        target = ++table.Count;
    }
    for (const LogFormatField& field : LogFormatFields())
        (table.*field.Column)[target] = (library.*field.Column)[index];
    if (!logFile.empty())
        table.LogFile[target] = logFile;
    return target;
}

} // namespace dialtally
