#include "reports/ChartPoints.h"

#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/Numbers.h"
#include "base/RegionalSettings.h"
#include "reports/QuickToggles.h"
#include "reports/ReportFormats.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace dialtally {

PointDates ChartPointDates(ChartLevel series, std::string_view label)
{
    switch (series) {
    case ChartLevel::Years: {
        const int year = StrToInt(label);
        return {EncodeDate(year, 1, 1), EncodeDate(year, 12, 31)};
    }
    case ChartLevel::Months: {
        const TDateTime first = MonthLabelToDate(label);
        return {first, EndOfMonth(first)};
    }
    case ChartLevel::Weeks: {
        const TDateTime sunday = TextToDate(StripDayName(label));
        return {sunday, sunday + 6};
    }
    case ChartLevel::Days:
    case ChartLevel::Details:
        break;
    }
    const TDateTime day = TextToDate(StripDayName(label));
    return {day, day};
}

ChartPointItems ChartPointItemsFor(ChartLevel series, std::string_view label)
{
    const PointDates dates = ChartPointDates(series, label);
    const std::string& picture = Regional().ShortDateFormat;
    return {"&Begin: " + MenuText(FormatDateTime(picture, dates.Begin)),
            "&End: " + MenuText(FormatDateTime(picture, dates.End)), dates};
}

std::string ChartPointSearchText(ChartLevel series, std::string_view label)
{
    if (series == ChartLevel::Months)
        return FormatDateTime("MMMM yyyy", MonthLabelToDate(label));
    return std::string(label);
}

namespace {

RowKind RowKindOf(ChartLevel series)
{
    switch (series) {
    case ChartLevel::Details:
        return RowKind::Detail;
    case ChartLevel::Days:
        return RowKind::Day;
    case ChartLevel::Weeks:
        return RowKind::Week;
    case ChartLevel::Months:
        return RowKind::Month;
    case ChartLevel::Years:
        break;
    }
    return RowKind::Year;
}

} // namespace

std::optional<GridCell> FindChartPointCell(const ReportTable& table,
                                           const ColumnVisibility& visible, ChartLevel series,
                                           std::string_view label, int sameLabelBefore)
{
    const std::string text = ChartPointSearchText(series, label);
    if (text.empty())
        return std::nullopt;
    const bool year = series == ChartLevel::Years;
    // First among the rows of the point's own kind: a day total's date
    // stands in its day's detail rows too. Then, as before, among all.
    std::vector<int> rows;
    for (const bool ownKind : {true, false}) {
        for (int column = 0; column < ReportTextColumns; ++column) {
            if (!visible[column] || (year && column != 6))
                continue;
            for (int row = 1; row < table.RowCount(); ++row) {
                if (ownKind && table.Kinds[static_cast<std::size_t>(row)] != RowKindOf(series))
                    continue;
                const std::string_view cell = table.Cell(row, column);
                if (year ? cell == text : cell.find(text) != std::string_view::npos)
                    rows.push_back(row);
            }
            // The points of one label are the rows of one column, in the
            // order they were built, which a sorted grid no longer shows.
            if (rows.empty())
                continue;
            if (sameLabelBefore >= static_cast<int>(rows.size()))
                return GridCell{column, rows.front()};
            const auto nth = rows.begin() + sameLabelBefore;
            std::nth_element(rows.begin(), nth, rows.end(), [&](int a, int b) {
                return table.SequenceNumber(a) < table.SequenceNumber(b);
            });
            return GridCell{column, *nth};
        }
    }
    return std::nullopt;
}

std::string ChartValueText(double value)
{
    std::string text = FormatFixed(value, 3);
    const char separator = Regional().DecimalSeparator;
    if (text.find(separator) != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == separator)
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

double ChartMarkValue(double value)
{
    // In a long double the product is exact: 53 bits of the value and 10
    // of the thousand.
    return static_cast<double>(std::nearbyint(static_cast<long double>(value) * 1000.0L) / 1000.0L);
}

std::string ChartHintText(std::string_view label, double value)
{
    std::string hint(label);
    hint += ' ';
    hint += ChartValueText(value);
    return hint;
}

ChartZoom::Action ChartZoom::ZoomOut()
{
    const int depth = m_depth;
    if (depth - 1 <= 0) {
        m_depth = 0;
        return Action::Undo;
    }
    // The wider zoom's completion brings the depth to depth - 1.
    m_depth = depth - 2;
    return Action::Widen;
}

PixelSpan ZoomInSpan(int left, int right)
{
    const int width = right - left;
    return {left + width / 4, right - width / 4};
}

PixelSpan ZoomOutSpan(int left, int right)
{
    const int width = right - left;
    return {left - width / 2, right + width / 2};
}

AxisRange ScrolledRange(AxisRange shown, AxisRange data, bool right)
{
    const double span = shown.Max - shown.Min;
    double shift = right ? span / 2 : -span / 2;
    // Stop at the data's edge rather than past it; a range wider than the
    // data does not move.
    if (right)
        shift = std::max(0.0, std::min(shift, data.Max - shown.Max));
    else
        shift = std::min(0.0, std::max(shift, data.Min - shown.Min));
    return {shown.Min + shift, shown.Max + shift};
}

} // namespace dialtally
