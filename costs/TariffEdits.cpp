#include "costs/TariffEdits.h"

#include "base/ConversionError.h"
#include "base/Currency.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/RegionalSettings.h"

#include <algorithm>
#include <utility>

namespace dialtally {

namespace {

// Moves entries i+1..count of a 1-based column one place down.
template <typename Column> void CloseGap(Column& column, int i, int count)
{
    for (int k = i; k < count; ++k)
        column[static_cast<std::size_t>(k)] = std::move(column[static_cast<std::size_t>(k + 1)]);
    column[static_cast<std::size_t>(count)] = typename Column::value_type{};
}

} // namespace

std::string ReformatCharge(std::string_view text)
{
    const std::string digits = DigitsOnly(text);
    if (std::none_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(text);
    try {
        return FormatMoney(TextToCurrency(digits));
    } catch (const ConversionError&) {
        return std::string(text);
    }
}

std::string StoredCharge(std::string_view editText)
{
    return editText.empty() ? std::string("0") : DigitsOnly(editText);
}

void NewRatePeriod(TTod& periods, int k)
{
    if (k < 1 || k > TTod::MaxPeriods)
        return;
    const auto i = static_cast<std::size_t>(k);
    periods.MondayToFriday[i] = true;
    periods.Saturday[i] = true;
    periods.Sunday[i] = true;
    periods.ApplyFree[i] = false;
    periods.TimeFrom[i] = TimeToText(EncodeTime(0, 0, 0, 0));
    periods.TimeTo[i] = TimeToText(EncodeTime(23, 59, 59, 999));
    periods.UnitCharge[i] = std::string(1, Regional().DecimalSeparator) + "10";
    periods.UnitMinutes[i] = "1";
    periods.InitialCharge[i] = "0";
    periods.InitialMinutes[i] = "0";
}

std::array<std::string, 10> RatePeriodCells(const TTod& periods, int k)
{
    if (k < 1 || k > TTod::MaxPeriods)
        return {};
    const auto i = static_cast<std::size_t>(k);
    auto flag = [](bool on) { return std::string(on ? "X" : ""); };
    return {flag(periods.MondayToFriday[i]),
            flag(periods.Saturday[i]),
            flag(periods.Sunday[i]),
            periods.TimeFrom[i],
            periods.TimeTo[i],
            flag(periods.ApplyFree[i]),
            periods.UnitCharge[i],
            periods.UnitMinutes[i],
            periods.InitialCharge[i],
            periods.InitialMinutes[i]};
}

void RemoveRatePeriod(TTod& periods, int k)
{
    const int count = std::min(periods.Count, TTod::MaxPeriods);
    if (k < 1 || k > count)
        return;
    CloseGap(periods.MondayToFriday, k, count);
    CloseGap(periods.Saturday, k, count);
    CloseGap(periods.Sunday, k, count);
    CloseGap(periods.ApplyFree, k, count);
    CloseGap(periods.TimeFrom, k, count);
    CloseGap(periods.TimeTo, k, count);
    CloseGap(periods.UnitCharge, k, count);
    CloseGap(periods.UnitMinutes, k, count);
    CloseGap(periods.InitialCharge, k, count);
    CloseGap(periods.InitialMinutes, k, count);
    periods.Count = count - 1;
}

void RemoveProvider(TProv& table, int i)
{
    const int count = std::min(table.Count, TProv::MaxProviders);
    if (i < 1 || i > count)
        return;
    CloseGap(table.Provider, i, count);
    CloseGap(table.ProviderMonthBegin, i, count);
    CloseGap(table.ProviderMonthCharge, i, count);
    CloseGap(table.ProviderMonthFree, i, count);
    CloseGap(table.ProviderTod, i, count);
    CloseGap(table.NextMonthStart, i, count);
    CloseGap(table.FreeSecondsLeft, i, count);
    table.Count = count - 1;
}

void RemoveLink(TServ& table, int i)
{
    const int count = std::min(table.Count, TServ::MaxLinks);
    if (i < 1 || i > count)
        return;
    CloseGap(table.Service, i, count);
    CloseGap(table.Provider, i, count);
    table.Count = count - 1;
}

} // namespace dialtally
