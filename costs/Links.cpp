#include "costs/Links.h"

#include "base/DataFile.h"
#include "base/Messages.h"
#include "platform/Folders.h"

namespace dialtally {

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
    const DataFileRead read = ReadDataFileEntries(path, "Service=", TServ::MaxLinks, loaded.Count,
                                                  [&](int entry, const KeyValue& kv) {
                                                      if (kv.Key == "Service")
                                                          loaded.Service[entry] = kv.Value;
                                                      else if (kv.Key == "Provider")
                                                          loaded.Provider[entry] = kv.Value;
                                                  });
    loaded.Current = loaded.Count;
    TakeLoadedTable(table, std::move(loaded), read, path, DefaultLinks);
}

bool SaveLinks(const TServ& table, const std::string& programFolder, bool showError)
{
    DataFileWriter writer("Dialtally Link Configuration");
    for (int i = 1; i <= table.Count && i <= TServ::MaxLinks; ++i) {
        writer.Add("Service", table.Service[i]);
        writer.Add("Provider", table.Provider[i]);
    }
    return showError ? writer.SaveOrShowError(LinksPath(programFolder))
                     : writer.Save(LinksPath(programFolder));
}

int FindLink(std::string_view description, const TServ& table)
{
    for (int i = 1; i <= table.Count && i <= TServ::MaxLinks; ++i)
        if (table.Service[i] == description)
            return i;
    return 0;
}

} // namespace dialtally
