#pragma once

#include "base/OneBasedColumn.h"

#include "base/DateTime.h"

#include <array>
#include <string>
#include <string_view>

namespace dialtally {

// The rate periods of one provider, up to 10, in parallel arrays indexed
// 1..10 (entry 0 unused). Their order matters: pricing takes the first
// that matches.
struct TTod {
    static constexpr int MaxPeriods = 10;
    template <typename T> using Column = OneBasedColumn<T, MaxPeriods>;

    int Current = 0; // the period being edited or evaluated
    int Count = 0;   // periods in use, 0..10
    Column<bool> MondayToFriday{};
    Column<bool> Saturday{};
    Column<bool> Sunday{};
    Column<bool> ApplyFree{};           // free hours are used up here first
    Column<std::string> TimeFrom;       // first time of day, time text
    Column<std::string> TimeTo;         // last time of day, inclusive
    Column<std::string> UnitCharge;     // charge per unit, decimal text
    Column<std::string> UnitMinutes;    // unit length in minutes, decimal text
    Column<std::string> InitialCharge;  // added once per connection
    Column<std::string> InitialMinutes; // integer text, taken off the unit count

    bool operator==(const TTod&) const = default;
};

// The providers, up to 25, indexed 1..25 (entry 0 unused). Tariff values
// stay text as typed and are converted when a connection is priced.
struct TProv {
    static constexpr int MaxProviders = 25;
    template <typename T> using Column = OneBasedColumn<T, MaxProviders>;

    int Current = 0;              // while loading: providers read so far; else the selected one
    int Count = 0;                // providers in use, 0..25
    Column<std::string> Provider; // name, matched exactly
    Column<std::string> ProviderMonthBegin;  // day the billing month begins, "1".."31"
    Column<std::string> ProviderMonthCharge; // decimal text, no currency symbol
    Column<std::string> ProviderMonthFree;   // whole free hours per billing month
    Column<TTod> ProviderTod;
    Column<TDateTime> NextMonthStart{}; // pricing state, not stored
    Column<int> FreeSecondsLeft{};      // pricing state, not stored; may go negative

    bool operator==(const TProv&) const = default;
};

std::string ProvidersPath(const std::string& programFolder);

// Fills the table from Dialtally.prv, or with the sample table when the
// file does not exist. A read error shows ShowReadError and leaves the
// table empty. Entries past the table's room are ignored.
void LoadProviders(TProv& table, const std::string& programFolder);
// A failure shows ShowWriteError and leaves the old file whole.
bool SaveProviders(const TProv& table, const std::string& programFolder);
void DefaultProviders(TProv& table);
int FindProvider(std::string_view name, const TProv& table);
// The value of a "ProviderTodN" line: ten fields joined by the regional
// list separator.
std::string EncodeRatePeriod(const TProv& table, int provider, int period);
// Fills period `period` of provider table.Current from such a value and
// makes it that provider's period count.
void DecodeRatePeriod(TProv& table, std::string_view text, int period);

} // namespace dialtally
