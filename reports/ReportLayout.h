#pragma once

#include "reports/ChartSeries.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportTable.h"

#include <array>
#include <climits>
#include <string>
#include <string_view>

namespace dialtally {

// The seven column heads of row 0.
const std::array<const char*, ReportTextColumns>& ReportColumnHeads();
void WriteHeadRow(ReportTable& table);
// ReportDescription, two blanks and the date range in the long date
// format. A date text that cannot be read is shown as it stands.
std::string ReportTitle(const TCfg& cfg);

ChartValueMode ValueModeOf(const TCfg& cfg);
// Sorted by Date On when details are shown, else by Description; the
// indicator only while exactly one of details and totals is shown.
SortIndicator SortIndicatorFor(const TCfg& cfg);
ChartSetup SetupChart(const TCfg& cfg);
// Puts the value labels of the set-up on their series.
void ApplyChartSetup(ReportChart& chart, const ChartSetup& setup);

// Pixel width of a cell text as the grid would draw it.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual int TextWidth(std::string_view text, RowKind kind) const = 0;
    // A width the text cannot exceed, so that sizing a large table can
    // skip texts that cannot widen a column; by default none is known.
    virtual int WidthBound(std::string_view, RowKind) const { return INT_MAX; }
};

// Every character (UTF-8 code point) the same width; for the report
// command and the tests.
class FixedWidthMeasure : public TextMeasure {
public:
    explicit FixedWidthMeasure(int charWidth = 8) : m_charWidth(charWidth) {}
    int TextWidth(std::string_view text, RowKind kind) const override;
    int WidthBound(std::string_view text, RowKind) const override
    {
        return static_cast<int>(text.size()) * m_charWidth;
    }

private:
    int m_charWidth;
};

// Room a column gets beside its widest text when sized to its contents.
constexpr int CellMargin = 6;

// The first body row is the "no data" message.
bool HoldsNoDataMessage(const ReportTable& table);
// The Detail switches: a column is hidden only when its switch is "0";
// the end date and time also without details; the sequence never shows.
std::array<bool, ReportColumns> ReportColumnVisibility(const TCfg& cfg);
// Stretch from ColStretch; widths to the contents unless ColSize is "1"
// (Equal: (tableWidth - 20) / 8 each), which leaves the widths of a
// "no data" table alone.
void SizeReportColumns(const TCfg& cfg, const ReportTable& table, ColumnLayout& layout,
                       int tableWidth, const TextMeasure& measure);
void ShowReportColumns(const TCfg& cfg, const ReportTable& table, ColumnLayout& layout,
                       int tableWidth, const TextMeasure& measure);
// Every column as wide as its widest text.
void SizeColumnsToContents(const ReportTable& table, ColumnLayout& layout,
                           const TextMeasure& measure);

} // namespace dialtally
