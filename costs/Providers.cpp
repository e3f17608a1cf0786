#include "costs/Providers.h"

#include "base/DataFile.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "base/RegionalSettings.h"
#include "platform/Folders.h"

namespace dialtally {

namespace {

const char* Flag(bool on)
{
    return on ? "1" : "0";
}

// The N of a "ProviderTodN" key, 1..10 written without leading zeros; 0
// for any other key.
int RatePeriodKey(std::string_view key)
{
    constexpr std::string_view prefix = "ProviderTod";
    if (!key.starts_with(prefix))
        return 0;
    const std::string_view number = key.substr(prefix.size());
    for (int n = 1; n <= TTod::MaxPeriods; ++n)
        if (number == std::to_string(n))
            return n;
    return 0;
}

} // namespace

std::string ProvidersPath(const std::string& programFolder)
{
    return WithTrailingSeparator(programFolder) + "Dialtally.prv";
}

std::string EncodeRatePeriod(const TProv& table, int provider, int period)
{
    const TTod& tod = table.ProviderTod[static_cast<std::size_t>(provider)];
    const auto k = static_cast<std::size_t>(period);
    const char sep = Regional().ListSeparator;
    std::string text;
    const auto add = [&](std::string_view field, bool last = false) {
        text += field;
        if (!last)
            text += sep;
    };
    add(Flag(tod.MondayToFriday[k]));
    add(Flag(tod.Saturday[k]));
    add(Flag(tod.Sunday[k]));
    add(tod.TimeFrom[k]);
    add(tod.TimeTo[k]);
    add(Flag(tod.ApplyFree[k]));
    add(tod.UnitCharge[k]);
    add(tod.UnitMinutes[k]);
    add(tod.InitialCharge[k]);
    add(tod.InitialMinutes[k], true);
    return text;
}

void DecodeRatePeriod(TProv& table, std::string_view text, int period)
{
    if (table.Current < 1 || table.Current > TProv::MaxProviders || period < 1 ||
        period > TTod::MaxPeriods)
        return;
    TTod& tod = table.ProviderTod[static_cast<std::size_t>(table.Current)];
    const auto k = static_cast<std::size_t>(period);
    const char sep = Regional().ListSeparator;
    const auto field = [&](int n) { return NthItem(text, sep, n); };
    tod.Count = period;
    tod.MondayToFriday[k] = field(1) == "1";
    tod.Saturday[k] = field(2) == "1";
    tod.Sunday[k] = field(3) == "1";
    tod.TimeFrom[k] = field(4);
    tod.TimeTo[k] = field(5);
    tod.ApplyFree[k] = field(6) == "1";
    tod.UnitCharge[k] = field(7);
    tod.UnitMinutes[k] = field(8);
    tod.InitialCharge[k] = field(9);
    tod.InitialMinutes[k] = field(10);
}

void DefaultProviders(TProv& table)
{
    const std::string decimal(1, Regional().DecimalSeparator);
    table = TProv{};
    table.Count = 2;
    table.Current = 1;
    table.Provider[1] = "Sample Internet Service Provider";
    table.ProviderMonthBegin[1] = "1";
    table.ProviderMonthCharge[1] = "19" + decimal + "95";
    table.ProviderMonthFree[1] = "0";

    table.Provider[2] = "Sample Telephone Company";
    table.ProviderMonthBegin[2] = "1";
    table.ProviderMonthCharge[2] = "4" + decimal + "95";
    table.ProviderMonthFree[2] = "0";
    TTod& tod = table.ProviderTod[2];
    tod.Current = 1;
    tod.Count = 2;
    tod.MondayToFriday[1] = true;
    tod.TimeFrom[1] = TimeToText(EncodeTime(7, 0, 0, 0));
    tod.TimeTo[1] = TimeToText(EncodeTime(18, 59, 59, 999));
    tod.UnitCharge[1] = decimal + "07";
    tod.MondayToFriday[2] = tod.Saturday[2] = tod.Sunday[2] = true;
    tod.TimeFrom[2] = TimeToText(EncodeTime(0, 0, 0, 0));
    tod.TimeTo[2] = TimeToText(EncodeTime(23, 59, 59, 999));
    tod.UnitCharge[2] = decimal + "05";
    for (std::size_t k = 1; k <= 2; ++k) {
        tod.UnitMinutes[k] = "1";
        tod.InitialCharge[k] = "0";
        tod.InitialMinutes[k] = "0";
    }
}

void LoadProviders(TProv& table, const std::string& programFolder)
{
    const std::string path = ProvidersPath(programFolder);
    TProv loaded;
    const DataFileRead read = ReadDataFileEntries(
        path, "Provider=", TProv::MaxProviders, loaded.Count, [&](int entry, const KeyValue& kv) {
            const auto p = static_cast<std::size_t>(entry);
            loaded.Current = entry; // the rate period decoder works on the current provider
            if (kv.Key == "Provider")
                loaded.Provider[p] = kv.Value;
            else if (kv.Key == "ProviderMonthBegin")
                loaded.ProviderMonthBegin[p] = kv.Value;
            else if (kv.Key == "ProviderMonthCharge")
                loaded.ProviderMonthCharge[p] = kv.Value;
            else if (kv.Key == "ProviderMonthFree")
                loaded.ProviderMonthFree[p] = kv.Value;
            else if (const int n = RatePeriodKey(kv.Key))
                DecodeRatePeriod(loaded, kv.Value, n);
        });
    loaded.Current = loaded.Count;
    TakeLoadedTable(table, std::move(loaded), read, path, DefaultProviders);
}

bool SaveProviders(const TProv& table, const std::string& programFolder)
{
    DataFileWriter writer("Dialtally Provider Configuration");
    for (int i = 1; i <= table.Count && i <= TProv::MaxProviders; ++i) {
        const auto p = static_cast<std::size_t>(i);
        writer.Add("Provider", table.Provider[p]);
        writer.Add("ProviderMonthBegin", table.ProviderMonthBegin[p]);
        writer.Add("ProviderMonthCharge", table.ProviderMonthCharge[p]);
        writer.Add("ProviderMonthFree", table.ProviderMonthFree[p]);
        const TTod& tod = table.ProviderTod[p];
        for (int k = 1; k <= tod.Count && k <= TTod::MaxPeriods; ++k)
            writer.Add("ProviderTod" + std::to_string(k), EncodeRatePeriod(table, i, k));
    }
    return writer.SaveOrShowError(ProvidersPath(programFolder));
}

int FindProvider(std::string_view name, const TProv& table)
{
    for (int i = 1; i <= table.Count && i <= TProv::MaxProviders; ++i)
        if (table.Provider[static_cast<std::size_t>(i)] == name)
            return i;
    return 0;
}

} // namespace dialtally
