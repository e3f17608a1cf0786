#include "costs/TariffEdits.h"

#include "base/ConversionError.h"
#include "base/Currency.h"
#include "base/DataFile.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Numbers.h"
#include "base/RegionalSettings.h"

#include <algorithm>
#include <utility>

namespace dialtally {

namespace {

// Moves entries i+1..count of a 1-based column one place down.
template <typename Column> void CloseGap(Column& column, int i, int count)
{
    for (int k = i; k < count; ++k)
        column[k] = std::move(column[k + 1]);
    column[count] = typename Column::value_type{};
}

// Closes the gap in every column of a table.
template <typename... Columns> void CloseGaps(int i, int count, Columns&... columns)
{
    (CloseGap(columns, i, count), ...);
}

// A number the other usual decimal mark makes, and the current one not.
bool HasOtherDecimalMark(std::string_view text)
{
    const char decimal = Regional().DecimalSeparator;
    const char other = decimal == '.' ? ',' : '.';
    return text.find(other) != std::string_view::npos &&
           text.find(decimal) == std::string_view::npos;
}

bool IsOfOtherSettings(std::string_view key, std::string_view value)
{
    if (key == "ProviderMonthCharge" || key == "ProviderMonthFree")
        return HasOtherDecimalMark(value);
    if (!key.starts_with("ProviderTod"))
        return false;
    // Rate periods are written as ten fields, nine separators.
    const char separator = Regional().ListSeparator;
    const char other = separator == ',' ? ';' : ',';
    const auto count = [&](char c) { return std::count(value.begin(), value.end(), c); };
    if (count(separator) != 9)
        return count(other) == 9;
    return HasOtherDecimalMark(NthItem(value, separator, 7)) ||
           HasOtherDecimalMark(NthItem(value, separator, 8)) ||
           HasOtherDecimalMark(NthItem(value, separator, 9));
}

} // namespace

std::string TariffLineOfOtherSettings(const std::string& programFolder)
{
    std::string found;
    int entries = 0;
    ReadDataFileEntries(ProvidersPath(programFolder), "Provider=", TProv::MaxProviders, entries,
                        [&](int, const KeyValue& kv) {
                            if (found.empty() && IsOfOtherSettings(kv.Key, kv.Value))
                                found = std::string(kv.Key) + "=" + std::string(kv.Value);
                        });
    return found;
}

namespace {

// The notation of an amount, whatever its size.
bool IsAmountNotation(std::string_view text)
{
    const RegionalSettings& rs = Regional();
    std::string t(text);
    const auto replaceAll = [&t](const std::string& what, const std::string& with) {
        if (what.empty())
            return;
        for (std::size_t at = 0; (at = t.find(what, at)) != std::string::npos; at += with.size())
            t.replace(at, what.size(), with);
    };
    const std::string noBreakSpace = "\xC2\xA0";
    replaceAll(rs.CurrencySymbol, " ");
    replaceAll(noBreakSpace, " ");
    const std::size_t first = t.find_first_not_of(' ');
    if (first == std::string::npos)
        return true;
    t = t.substr(first, t.find_last_not_of(' ') - first + 1);
    // A blank inside is a thousands separator where the preset's is one.
    const bool blankGroups = rs.ThousandsSeparator == " " || rs.ThousandsSeparator == noBreakSpace;
    const std::string group = blankGroups ? std::string(" ") : rs.ThousandsSeparator;

    const std::size_t decimal = t.find(rs.DecimalSeparator);
    const std::string whole = t.substr(0, decimal);
    const std::string fraction = decimal == std::string::npos ? "" : t.substr(decimal + 1);
    const auto allDigits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!allDigits(fraction) || (whole.empty() && fraction.empty()))
        return false;
    if (group.empty() || whole.find(group) == std::string::npos)
        return allDigits(whole);
    std::size_t start = 0;
    for (bool firstGroup = true;; firstGroup = false) {
        const std::size_t end = whole.find(group, start);
        const std::string_view digits =
            std::string_view(whole).substr(start, end == std::string::npos ? end : end - start);
        if (!allDigits(digits) || digits.empty() || digits.size() > 3 ||
            (!firstGroup && digits.size() != 3))
            return false;
        if (end == std::string::npos)
            return true;
        start = end + group.size();
    }
}

} // namespace

bool IsAmountText(std::string_view text)
{
    if (!IsAmountNotation(text))
        return false;
    try {
        TextToCurrency(StoredCharge(text)); // no more digits than money holds
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

std::string RatePeriodEditProblem(const RatePeriodEdit& edit)
{
    const std::string_view text = edit.Text;
    if (text.empty())
        return {};
    const char decimal = Regional().DecimalSeparator;
    const bool whole = edit.Kind == RatePeriodEdit::WholeMinutes;
    const bool digitsOnly = std::all_of(text.begin(), text.end(), [&](char c) {
        return (c >= '0' && c <= '9') || (!whole && c == decimal);
    });
    const bool oneSeparator = std::count(text.begin(), text.end(), decimal) <= 1;
    const bool aDigit =
        std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    bool readable = digitsOnly && oneSeparator && aDigit && (!whole || text.size() <= 9);
    if (readable && !whole) {
        try {
            readable = TextToCurrency(text) > 0 || edit.Kind == RatePeriodEdit::Charge;
        } catch (const ConversionError&) {
            readable = false;
        }
    }
    if (readable)
        return {};
    const std::string example = std::string("0") + decimal + "05";
    switch (edit.Kind) {
    case RatePeriodEdit::Charge:
        return "'" + std::string(text) + "' is not a charge. Type it as, for example, " + example +
               ".";
    case RatePeriodEdit::UnitMinutes:
        return "'" + std::string(text) +
               "' is not a length of minutes above zero. Type it as, for example, 1 or 0" +
               decimal + "5.";
    case RatePeriodEdit::WholeMinutes:
        break;
    }
    return "'" + std::string(text) +
           "' is not a whole number of minutes. Type it as, for example, 2.";
}

std::string MonthFreeHoursProblem(std::string_view text)
{
    int hours = 0;
    if (text.empty() || ParseInteger32(text, hours))
        return {};
    return "'" + std::string(text) +
           "' is not a whole number of hours. Type it as, for example, 10.";
}

std::string ReformatCharge(std::string_view text)
{
    if (text.empty() || !IsAmountText(text))
        return std::string(text);
    return FormatMoney(TextToCurrency(DigitsOnly(text)));
}

std::string StoredCharge(std::string_view editText)
{
    return editText.empty() ? std::string("0") : DigitsOnly(editText);
}

void NewRatePeriod(TTod& periods, int k)
{
    if (k < 1 || k > TTod::MaxPeriods)
        return;
    periods.MondayToFriday[k] = true;
    periods.Saturday[k] = true;
    periods.Sunday[k] = true;
    periods.ApplyFree[k] = false;
    periods.TimeFrom[k] = TimeToText(EncodeTime(0, 0, 0, 0));
    periods.TimeTo[k] = TimeToText(EncodeTime(23, 59, 59, 999));
    periods.UnitCharge[k] = std::string(1, Regional().DecimalSeparator) + "10";
    periods.UnitMinutes[k] = "1";
    periods.InitialCharge[k] = "0";
    periods.InitialMinutes[k] = "0";
}

std::array<std::string, 10> RatePeriodCells(const TTod& periods, int k)
{
    if (k < 1 || k > TTod::MaxPeriods)
        return {};
    auto flag = [](bool on) { return std::string(on ? "X" : ""); };
    return {flag(periods.MondayToFriday[k]),
            flag(periods.Saturday[k]),
            flag(periods.Sunday[k]),
            periods.TimeFrom[k],
            periods.TimeTo[k],
            flag(periods.ApplyFree[k]),
            periods.UnitCharge[k],
            periods.UnitMinutes[k],
            periods.InitialCharge[k],
            periods.InitialMinutes[k]};
}

void RemoveRatePeriod(TTod& periods, int k)
{
    const int count = std::min(periods.Count, TTod::MaxPeriods);
    if (k < 1 || k > count)
        return;
    CloseGaps(k, count, periods.MondayToFriday, periods.Saturday, periods.Sunday, periods.ApplyFree,
              periods.TimeFrom, periods.TimeTo, periods.UnitCharge, periods.UnitMinutes,
              periods.InitialCharge, periods.InitialMinutes);
    periods.Count = count - 1;
}

void RemoveProvider(TProv& table, int i)
{
    const int count = std::min(table.Count, TProv::MaxProviders);
    if (i < 1 || i > count)
        return;
    CloseGaps(i, count, table.Provider, table.ProviderMonthBegin, table.ProviderMonthCharge,
              table.ProviderMonthFree, table.ProviderTod, table.NextMonthStart,
              table.FreeSecondsLeft);
    table.Count = count - 1;
}

void RemoveLink(TServ& table, int i)
{
    const int count = std::min(table.Count, TServ::MaxLinks);
    if (i < 1 || i > count)
        return;
    CloseGaps(i, count, table.Service, table.Provider);
    table.Count = count - 1;
}

} // namespace dialtally
