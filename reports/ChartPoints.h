#pragma once

#include "base/DateTime.h"
#include "reports/ChartSeries.h"
#include "reports/ReportSearch.h"
#include "reports/ReportTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace dialtally {

// The date range a chart point stands for, from its X label: a year, a
// month, a week (its Sunday and six days on) or one day. Raises
// ConversionError for a label the series does not write.
struct PointDates {
    TDateTime Begin = 0;
    TDateTime End = 0;
};
PointDates ChartPointDates(ChartLevel series, std::string_view label);

// The chart menu's begin and end items for a point: "&Begin: " and
// "&End: " with the dates in the short date format. Raises as
// ChartPointDates.
struct ChartPointItems {
    std::string BeginCaption;
    std::string EndCaption;
    PointDates Dates; // what the items set the date pickers to
};
ChartPointItems ChartPointItemsFor(ChartLevel series, std::string_view label);

// What a double click on a point looks for in the grid: the year as it
// stands, a month as "mmmm yyyy", any other label unchanged. Raises
// ConversionError for a month label that names no month.
std::string ChartPointSearchText(ChartLevel series, std::string_view label);
// The grid cell of a double-clicked point: column by column, top to
// bottom, the first visible data cell containing the search text, in a row
// of the point's own kind when there is one (a day total, not its day's
// first connection); for a year only a label cell equal to it (a count of
// 2001 connections is no year). Points of one label (connections of one day) are told apart by
// `sameLabelBefore`, how many points of the series before it carry that
// label: the cell found is the match after as many others in build order
// (a sorted grid shows them in another), or the first when there are fewer.
std::optional<GridCell> FindChartPointCell(const ReportTable& table,
                                           const ColumnVisibility& visible, ChartLevel series,
                                           std::string_view label, int sameLabelBefore = 0);

// A point's value as the value marks show it: at most three decimals,
// trailing zeros dropped, the regional decimal separator.
std::string ChartValueText(double value);
// The value a mark is drawn with: rounded to thousandths as the text of the
// grid and of ChartValueText is (the double's exact value, ties to even).
double ChartMarkValue(double value);
// The hint over a point: its label, a blank and its value.
std::string ChartHintText(std::string_view label, double value);

// The zoom depth of the chart: the number of zoom steps in force.
class ChartZoom {
public:
    // What ZoomOut asks of the chart.
    enum class Action {
        Undo, // undo the zoom: back to the whole chart
        Widen // zoom to a span twice as wide; completion counts as usual
    };

    int Depth() const { return m_depth; }
    // Every completed zoom, in or out, drawn by the user or asked for.
    void ZoomCompleted() { ++m_depth; }
    void ZoomUndone() { m_depth = 0; }
    Action ZoomOut();

private:
    int m_depth = 0;
};

// Spans of the plot area in pixels for ZoomIn (the middle half) and for
// ZoomOut (twice as wide).
struct PixelSpan {
    int Left = 0;
    int Right = 0;
};
PixelSpan ZoomInSpan(int left, int right);
PixelSpan ZoomOutSpan(int left, int right);

// The bottom axis range after scrolling by half the shown range, kept
// within the data's limits.
struct AxisRange {
    double Min = 0;
    double Max = 0;
};
AxisRange ScrolledRange(AxisRange shown, AxisRange data, bool right);

} // namespace dialtally
