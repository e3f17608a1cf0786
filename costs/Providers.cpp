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
    const TTod& tod = table.ProviderTod[provider];
    const char sep = Regional().ListSeparator;
    std::string text;
    const auto add = [&](std::string_view field, bool last = false) {
        text += field;
        if (!last)
            text += sep;
    };
    add(Flag(tod.MondayToFriday[period]));
    add(Flag(tod.Saturday[period]));
    add(Flag(tod.Sunday[period]));
    add(tod.TimeFrom[period]);
    add(tod.TimeTo[period]);
    add(Flag(tod.ApplyFree[period]));
    add(tod.UnitCharge[period]);
    add(tod.UnitMinutes[period]);
    add(tod.InitialCharge[period]);
    add(tod.InitialMinutes[period], true);
    return text;
}

void DecodeRatePeriod(TProv& table, std::string_view text, int period)
{
    if (table.Current < 1 || table.Current > TProv::MaxProviders || period < 1 ||
        period > TTod::MaxPeriods)
        return;
    TTod& tod = table.ProviderTod[table.Current];
    const char sep = Regional().ListSeparator;
    const auto field = [&](int n) { return NthItem(text, sep, n); };
    tod.Count = period;
    tod.MondayToFriday[period] = field(1) == "1";
    tod.Saturday[period] = field(2) == "1";
    tod.Sunday[period] = field(3) == "1";
    tod.TimeFrom[period] = field(4);
    tod.TimeTo[period] = field(5);
    tod.ApplyFree[period] = field(6) == "1";
    tod.UnitCharge[period] = field(7);
    tod.UnitMinutes[period] = field(8);
    tod.InitialCharge[period] = field(9);
    tod.InitialMinutes[period] = field(10);
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
            loaded.Current = entry; // the rate period decoder works on the current provider
            if (kv.Key == "Provider")
                loaded.Provider[entry] = kv.Value;
            else if (kv.Key == "ProviderMonthBegin")
                loaded.ProviderMonthBegin[entry] = kv.Value;
            else if (kv.Key == "ProviderMonthCharge")
                loaded.ProviderMonthCharge[entry] = kv.Value;
            else if (kv.Key == "ProviderMonthFree")
                loaded.ProviderMonthFree[entry] = kv.Value;
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
        writer.Add("Provider", table.Provider[i]);
        writer.Add("ProviderMonthBegin", table.ProviderMonthBegin[i]);
        writer.Add("ProviderMonthCharge", table.ProviderMonthCharge[i]);
        writer.Add("ProviderMonthFree", table.ProviderMonthFree[i]);
        const TTod& tod = table.ProviderTod[i];
        for (int k = 1; k <= tod.Count && k <= TTod::MaxPeriods; ++k)
            writer.Add("ProviderTod" + std::to_string(k), EncodeRatePeriod(table, i, k));
    }
    return writer.SaveOrShowError(ProvidersPath(programFolder));
}

int FindProvider(std::string_view name, const TProv& table)
{
    for (int i = 1; i <= table.Count && i <= TProv::MaxProviders; ++i)
        if (table.Provider[i] == name)
            return i;
    return 0;
}

} // namespace dialtally
