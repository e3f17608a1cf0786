#include "costs/Links.h"

#include "logs/DataFile.h"
#include "logs/Messages.h"
#include "platform/Folders.h"

std::string LinksPath(const std::string& programFolder)
{
    return WithTrailingSeparator(programFolder) + "Dialtally.srv";
}

void DefaultLinks(TServ& table)
{
    table = TServ{};
    table.Count = 1;
    table.Current = 1;
    table.Service[1] = "My ISP";
    table.Provider[1] = "Sample Internet Service Provider";
}

void LoadLinks(TServ& table, const std::string& programFolder)
{
    const std::string path = LinksPath(programFolder);
    TServ loaded;
    int seen = 0;
    const DataFileRead read = ReadDataFile(path, [&](std::string_view line) {
        if (line.find("Service=") != std::string_view::npos) {
            ++seen;
            if (seen <= TServ::MaxLinks)
                loaded.Current = seen;
        }
        KeyValue kv;
        if (seen == 0 || seen > TServ::MaxLinks || !SplitKeyValue(line, kv))
            return;
        const auto i = static_cast<std::size_t>(loaded.Current);
        if (kv.Key == "Service")
            loaded.Service[i] = kv.Value;
        else if (kv.Key == "Provider")
            loaded.Provider[i] = kv.Value;
    });
    switch (read) {
    case DataFileRead::Missing:
        DefaultLinks(table);
        return;
    case DataFileRead::Ok:
        loaded.Count = loaded.Current;
        table = loaded;
        return;
    case DataFileRead::Failed:
        table = TServ{};
        ShowReadError(path);
        return;
    }
}

bool SaveLinks(const TServ& table, const std::string& programFolder)
{
    DataFileWriter writer("Dialtally Link Configuration");
    for (int i = 1; i <= table.Count && i <= TServ::MaxLinks; ++i) {
        writer.Add("Service", table.Service[static_cast<std::size_t>(i)]);
        writer.Add("Provider", table.Provider[static_cast<std::size_t>(i)]);
    }
    const std::string path = LinksPath(programFolder);
    if (writer.Save(path))
        return true;
    ShowWriteError(path);
    return false;
}

int FindLink(std::string_view description, const TServ& table)
{
    for (int i = 1; i <= table.Count && i <= TServ::MaxLinks; ++i)
        if (table.Service[static_cast<std::size_t>(i)] == description)
            return i;
    return 0;
}
