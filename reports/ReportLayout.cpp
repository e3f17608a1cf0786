#include "reports/ReportLayout.h"

#include "base/ConversionError.h"
#include "base/DateFormat.h"
#include "base/DateRoutines.h"

#include <algorithm>

namespace dialtally {

const std::array<const char*, ReportTextColumns>& ReportColumnHeads()
{
    static const std::array<const char*, ReportTextColumns> heads{
        "Date On", "Time On", "Date Off", "Time Off", "Duration", "Cost", "Description"};
    return heads;
}

void WriteHeadRow(ReportTable& table)
{
    table.StartRow(RowKind::Head);
    for (const char* head : ReportColumnHeads())
        table.AddCell(head);
}

std::string ReportTitle(const TCfg& cfg)
{
    const auto longDate = [](const std::string& text) {
        try {
            return FormatDateTime(Regional().LongDateFormat, TextToDate(text));
        } catch (const ConversionError&) {
            return text;
        }
    };
    return cfg.ReportDescription + "  " + longDate(cfg.CriteriaDateFrom) + " - " +
           longDate(cfg.CriteriaDateTo);
}

ChartValueMode ValueModeOf(const TCfg& cfg)
{
    if (cfg.GraphYAxis == "5")
        return ChartValueMode::Count;
    if (cfg.GraphYAxis == "4")
        return ChartValueMode::Charges;
    return ChartValueMode::Seconds;
}

SortIndicator SortIndicatorFor(const TCfg& cfg)
{
    SortIndicator sort;
    sort.Column = IsOn(cfg.DetailShow) ? 0 : 6;
    sort.Ascending = true;
    sort.Shown = IsOn(cfg.DetailShow) != IsOn(cfg.TotalShow);
    return sort;
}

ChartSetup SetupChart(const TCfg& cfg)
{
    ChartSetup setup;
    setup.View3D = IsOn(cfg.Graph3d);
    setup.Title = cfg.ReportDescription;
    static const std::array<const char*, 5> axisTitles{"Hours", "Minutes", "Seconds", "Cost",
                                                       "Count"};
    if (cfg.GraphYAxis.size() == 1 && cfg.GraphYAxis[0] >= '1' && cfg.GraphYAxis[0] <= '5')
        setup.LeftAxisTitle = axisTitles[cfg.GraphYAxis[0] - '1'];
    if (IsOn(cfg.GraphValues)) {
        ChartLevel level = ChartLevel::Details;
        if (!IsOn(cfg.TotalShow))
            level = ChartLevel::Details;
        else if (IsOn(cfg.TotalYear))
            level = ChartLevel::Years;
        else if (IsOn(cfg.TotalMonth))
            level = ChartLevel::Months;
        else if (IsOn(cfg.TotalWeek))
            level = ChartLevel::Weeks;
        else if (IsOn(cfg.TotalDay))
            level = ChartLevel::Days;
        setup.ValueSeries = static_cast<int>(level);
    }
    setup.Legend = IsOn(cfg.GraphLegend);
    return setup;
}

void ApplyChartSetup(ReportChart& chart, const ChartSetup& setup)
{
    chart.Setup = setup;
    for (int s = 0; s < ChartSeriesCount; ++s)
        chart.Series[s].ShowValues = s == setup.ValueSeries;
}

int FixedWidthMeasure::TextWidth(std::string_view text, RowKind) const
{
    int characters = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    return characters * m_charWidth;
}

bool HoldsNoDataMessage(const ReportTable& table)
{
    return table.RowCount() > 1 && table.Kinds[1] == RowKind::Message;
}

std::array<bool, ReportColumns> ReportColumnVisibility(const TCfg& cfg)
{
    const std::array<const std::string*, ReportTextColumns> switches{
        &cfg.DetailDateOn,   &cfg.DetailTimeOn, &cfg.DetailDateOff, &cfg.DetailTimeOff,
        &cfg.DetailDuration, &cfg.DetailCost,   &cfg.DetailService};
    std::array<bool, ReportColumns> visible{};
    for (int c = 0; c < ReportTextColumns; ++c)
        visible[c] = *switches[c] != "0";
    if (cfg.DetailShow == "0") {
        visible[2] = false;
        visible[3] = false;
    }
    visible[SequenceColumn] = false;
    return visible;
}

void SizeColumnsToContents(const ReportTable& table, ColumnLayout& layout,
                           const TextMeasure& measure)
{
    std::array<int, ReportColumns> widths{};
    // The text of the row above in the same column, of the same kind,
    // cannot widen the column again: dates, costs and descriptions repeat.
    std::array<std::string_view, ReportTextColumns> above{};
    for (int row = 0; row < table.RowCount(); ++row)
        for (int c = 0; c < ReportTextColumns; ++c) {
            const std::string_view text = table.Cell(row, c);
            const RowKind kind = table.Kinds[row];
            if (row > 0 && kind == table.Kinds[row - 1] && text == above[c])
                continue;
            above[c] = text;
            if (measure.WidthBound(text, kind) > widths[c])
                widths[c] = std::max(widths[c], measure.TextWidth(text, kind));
        }
    widths[SequenceColumn] =
        measure.TextWidth(std::to_string(table.BodyRowCount()), RowKind::Detail);
    for (int c = 0; c < ReportColumns; ++c)
        layout.Width[c] = widths[c] + CellMargin;
}

void SizeReportColumns(const TCfg& cfg, const ReportTable& table, ColumnLayout& layout,
                       int tableWidth, const TextMeasure& measure)
{
    layout.Stretch = IsOn(cfg.ColStretch);
    if (!IsOn(cfg.ColSize)) {
        SizeColumnsToContents(table, layout, measure);
        return;
    }
    if (HoldsNoDataMessage(table))
        return;
    const int width = std::max(0, (tableWidth - 20) / ReportColumns);
    layout.Width.fill(width);
}

void ShowReportColumns(const TCfg& cfg, const ReportTable& table, ColumnLayout& layout,
                       int tableWidth, const TextMeasure& measure)
{
    layout.Visible = ReportColumnVisibility(cfg);
    // The "no data" message stands in the first column, which must show it.
    if (HoldsNoDataMessage(table))
        layout.Visible[0] = true;
    SizeReportColumns(cfg, table, layout, tableWidth, measure);
}

} // namespace dialtally
