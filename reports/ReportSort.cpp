#include "reports/ReportSort.h"

#include "base/ConversionError.h"
#include "base/Currency.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "base/Numbers.h"
#include "base/RegionalSettings.h"
#include "reports/ReportFormats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace dialtally {

namespace {

// Unreadable numeric texts before all numbers, equal among themselves:
// "equal to everything" would not be an order a sort can rely on.
struct NumericKey {
    bool Readable = false;
    double Value = 0;
    bool operator<(const NumericKey& other) const
    {
        if (Readable != other.Readable)
            return !Readable;
        return Readable && Value < other.Value;
    }
};

NumericKey ReadNumeric(std::string_view cell)
{
    if (cell.empty())
        return {true, 0};
    std::string text(cell);
    std::replace(text.begin(), text.end(), Regional().DecimalSeparator, '.');
    double value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
        return {};
    return {true, value};
}

// TimeTextToSeconds's reading, with the hours wide enough for the grand
// total of a long list.
std::int64_t DurationSeconds(std::string_view cell)
{
    const std::size_t separator = cell.find(Regional().TimeSeparator);
    std::int64_t hours = 0;
    if (separator == std::string_view::npos || !ParseInteger(cell.substr(0, separator), hours))
        return TimeTextToSeconds(cell); // raises the routine's own error
    const int minutes = StrToInt(cell.substr(separator + 1, 2));
    const int seconds =
        cell.size() > separator + 3 ? StrToInt(cell.substr(separator + 4, 2)) : StrToInt("");
    return hours * 3600 + minutes * 60 + seconds;
}

// One key per row, read once; rows often repeat the text of the row
// before (a day's dates), which is then not read again.
template <typename Key, typename Read>
std::vector<Key> ReadKeys(const ReportTable& table, int column, Read read)
{
    std::vector<Key> keys;
    keys.reserve(table.RowCount());
    keys.emplace_back(); // the head row
    std::string_view previous;
    for (int row = 1; row < table.RowCount(); ++row) {
        const std::string_view cell = table.Cell(row, column);
        if (row > 1 && cell == previous)
            keys.push_back(keys.back());
        else
            keys.push_back(read(cell));
        previous = cell;
    }
    return keys;
}

// Keys travel with their row numbers, so that the sort reads memory in
// order rather than jumping about the key vector.
template <typename Key>
std::vector<std::uint32_t> Ordered(const std::vector<Key>& keys, bool ascending)
{
    struct Entry {
        Key Value;
        std::uint32_t Row;
    };
    std::vector<Entry> entries;
    entries.reserve(keys.size());
    for (std::size_t row = 1; row < keys.size(); ++row)
        entries.push_back({keys[row], static_cast<std::uint32_t>(row)});
    if (ascending)
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.Value < b.Value; });
    else
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return b.Value < a.Value; });
    std::vector<std::uint32_t> order;
    order.reserve(entries.size());
    for (const Entry& entry : entries)
        order.push_back(entry.Row);
    return order;
}

std::vector<std::uint32_t> RowOrder(const ReportTable& table, int column, SortStyle style,
                                    bool ascending)
{
    switch (style) {
    case SortStyle::Date:
        return Ordered(ReadKeys<TDateTime>(
                           table, column,
                           [](std::string_view cell) { return TextToDate(StripDayName(cell)); }),
                       ascending);
    case SortStyle::Time:
        return Ordered(ReadKeys<TDateTime>(table, column,
                                           [](std::string_view cell) { return TextToTime(cell); }),
                       ascending);
    case SortStyle::Duration:
        return Ordered(ReadKeys<std::int64_t>(table, column, DurationSeconds), ascending);
    case SortStyle::Amount:
        return Ordered(ReadKeys<Currency>(
                           table, column,
                           [](std::string_view cell) { return TextToCurrency(DigitsOnly(cell)); }),
                       ascending);
    case SortStyle::Numeric:
        return Ordered(ReadKeys<NumericKey>(table, column, ReadNumeric), ascending);
    case SortStyle::Text: {
        std::vector<std::string_view> keys(table.RowCount());
        for (int row = 1; row < table.RowCount(); ++row)
            keys[row] = table.Cell(row, column);
        return Ordered(keys, ascending);
    }
    case SortStyle::Sequence:
        break;
    }
    std::vector<int> keys(table.RowCount());
    for (int row = 1; row < table.RowCount(); ++row)
        keys[row] = table.SequenceNumber(row);
    return Ordered(keys, ascending);
}

// The rows in the new order, written once into fresh buffers.
void Reorder(ReportTable& table, const std::vector<std::uint32_t>& order)
{
    ReportTable sorted;
    sorted.Text.reserve(table.Text.size());
    sorted.Ends.reserve(table.Ends.size());
    sorted.Kinds.reserve(table.Kinds.size());
    sorted.Sequence.reserve(table.Kinds.size());
    const auto copyRow = [&](int row) {
        sorted.Kinds.push_back(table.Kinds[row]);
        sorted.Sequence.push_back(static_cast<std::uint32_t>(table.SequenceNumber(row)));
        for (int column = 0; column < ReportTextColumns; ++column)
            sorted.AddCell(table.Cell(row, column));
    };
    copyRow(0);
    for (const std::uint32_t row : order)
        copyRow(static_cast<int>(row));
    table = std::move(sorted);
}

} // namespace

SortStyle ColumnSortStyle(int column, bool totalsOnly, bool durationDec)
{
    switch (column) {
    case 0:
        return totalsOnly ? SortStyle::Numeric : SortStyle::Date;
    case 1:
        return totalsOnly ? SortStyle::Numeric : SortStyle::Time;
    case 2:
        return totalsOnly ? SortStyle::Text : SortStyle::Date;
    case 3:
        return totalsOnly ? SortStyle::Text : SortStyle::Time;
    case 4:
        return durationDec ? SortStyle::Numeric : SortStyle::Duration;
    case 5:
        return SortStyle::Amount;
    case 6:
        return totalsOnly ? SortStyle::Sequence : SortStyle::Text;
    default:
        return SortStyle::Sequence;
    }
}

bool SortOffered(const TCfg& cfg)
{
    return IsOn(cfg.DetailShow) != IsOn(cfg.TotalShow);
}

void SortReportRows(ReportTable& table, int column, SortStyle style, bool ascending)
{
    if (table.RowCount() < 2 || column < 0 || column >= ReportColumns)
        return;
    if (column == SequenceColumn)
        style = SortStyle::Sequence;
    // Every key is read before the table is touched, so a conversion
    // error leaves it whole.
    const std::vector<std::uint32_t> order = RowOrder(table, column, style, ascending);
    Reorder(table, order);
}

bool SortByColumnClick(ReportTable& table, SortIndicator& sort, const TCfg& cfg, int column,
                       bool durationDec)
{
    if (!SortOffered(cfg) || table.RowCount() < 3 || column < 0 || column >= ReportTextColumns)
        return false;
    const bool ascending = column != sort.Column || !sort.Ascending;
    const BusyScope busy;
    SortReportRows(table, column, ColumnSortStyle(column, IsOn(cfg.TotalShow), durationDec),
                   ascending);
    sort.Column = column;
    sort.Ascending = ascending;
    return true;
}

} // namespace dialtally
