// Any bytes as Dialtally.prv, under any preset: loading never fails, and
// what was loaded survives a save and a second load unchanged.
#include "FuzzSupport.h"

#include "costs/Providers.h"

#include <memory>

using namespace dialtally;

namespace {

bool HoldsMarker(const TProv& t)
{
    const auto has = [](const std::string& value) {
        return value.find("Provider=") != std::string::npos;
    };
    for (int i = 1; i <= t.Count; ++i) {
        const auto p = static_cast<std::size_t>(i);
        const TTod& tod = t.ProviderTod[p];
        if (has(t.Provider[p]) || has(t.ProviderMonthBegin[p]) || has(t.ProviderMonthCharge[p]) ||
            has(t.ProviderMonthFree[p]))
            return true;
        for (int k = 1; k <= tod.Count; ++k) {
            const auto q = static_cast<std::size_t>(k);
            if (has(tod.TimeFrom[q]) || has(tod.TimeTo[q]) || has(tod.UnitCharge[q]) ||
                has(tod.UnitMinutes[q]) || has(tod.InitialCharge[q]) || has(tod.InitialMinutes[q]))
                return true;
        }
    }
    return false;
}

// Periods past a provider's count carry no meaning and are not saved.
bool SameMeaning(const TProv& a, const TProv& b)
{
    if (a.Count != b.Count)
        return false;
    for (int i = 1; i <= a.Count; ++i) {
        const auto p = static_cast<std::size_t>(i);
        if (a.Provider[p] != b.Provider[p] || a.ProviderMonthBegin[p] != b.ProviderMonthBegin[p] ||
            a.ProviderMonthCharge[p] != b.ProviderMonthCharge[p] ||
            a.ProviderMonthFree[p] != b.ProviderMonthFree[p])
            return false;
        const TTod& x = a.ProviderTod[p];
        const TTod& y = b.ProviderTod[p];
        if (x.Count != y.Count)
            return false;
        for (int k = 1; k <= x.Count; ++k) {
            const auto q = static_cast<std::size_t>(k);
            if (x.MondayToFriday[q] != y.MondayToFriday[q] || x.Saturday[q] != y.Saturday[q] ||
                x.Sunday[q] != y.Sunday[q] || x.ApplyFree[q] != y.ApplyFree[q] ||
                x.TimeFrom[q] != y.TimeFrom[q] || x.TimeTo[q] != y.TimeTo[q] ||
                x.UnitCharge[q] != y.UnitCharge[q] || x.UnitMinutes[q] != y.UnitMinutes[q] ||
                x.InitialCharge[q] != y.InitialCharge[q] ||
                x.InitialMinutes[q] != y.InitialMinutes[q])
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    PickRegionalPreset(input.Byte());
    const std::string& folder = FuzzFolder();
    WriteFuzzFile(ProvidersPath(folder), input.Rest());

    auto first = std::make_unique<TProv>();
    LoadProviders(*first, folder);
    Require(first->Count >= 0 && first->Count <= TProv::MaxProviders, "Count stays in the table");
    for (int i = 1; i <= first->Count; ++i) {
        const int periods = first->ProviderTod[static_cast<std::size_t>(i)].Count;
        Require(periods >= 0 && periods <= TTod::MaxPeriods, "period counts stay in the table");
    }
    Require(SaveProviders(*first, folder), "the table can be saved");
    if (HoldsMarker(*first))
        return 0;
    auto second = std::make_unique<TProv>();
    LoadProviders(*second, folder);
    Require(SameMeaning(*first, *second), "load, save, load gives the same table");
    return 0;
}
