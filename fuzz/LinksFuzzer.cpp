// Any bytes as Dialtally.srv: loading never fails, and what was loaded
// survives a save and a second load unchanged.
#include "FuzzSupport.h"

#include "costs/Links.h"

#include <memory>

using namespace dialtally;

namespace {

bool HoldsMarker(const TServ& table)
{
    for (int i = 1; i <= table.Count; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (table.Service[k].find("Service=") != std::string::npos ||
            table.Provider[k].find("Service=") != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& folder = FuzzFolder();
    WriteFuzzFile(LinksPath(folder), std::string_view(reinterpret_cast<const char*>(data), size));

    auto first = std::make_unique<TServ>();
    LoadLinks(*first, folder);
    Require(first->Count >= 0 && first->Count <= TServ::MaxLinks, "Count stays in the table");
    Require(SaveLinks(*first, folder), "the table can be saved");
    if (HoldsMarker(*first))
        return 0;
    auto second = std::make_unique<TServ>();
    LoadLinks(*second, folder);
    Require(*first == *second, "load, save, load gives the same table");
    return 0;
}
