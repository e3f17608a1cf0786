#include "reports/ReportRows.h"

#include "base/RegionalSettings.h"
#include "reports/ReportLayout.h"

namespace dialtally {

ReportRowWriter::ReportRowWriter(const TCfg& cfg, const EngineOptions& options, const TRep& rep,
                                 ReportTable& table, ReportChart& chart)
    : m_rep(rep), m_table(table), m_chart(chart), m_points(options.ChartPoints),
      m_durationDec(options.DurationDec), m_mode(ValueModeOf(cfg)),
      m_scale(cfg.GraphYAxis == "1" ? 3600.0 : (cfg.GraphYAxis == "2" ? 60.0 : 1.0)),
      m_detailDate(DetailDatePicture(options.DayInclude)),
      m_detailDateOff(DetailDatePicture(options.DayInclude)), m_time(Regional().LongTimeFormat),
      m_weekDate(Regional().ShortDateFormat), m_monthRow("MMMM yyyy"),
      m_monthLabel(MonthLabelPicture())
{
    // A total point stands on the X of the finer row before it when a
    // finer level is shown too.
    const bool details = IsOn(cfg.DetailShow);
    const bool days = details || IsOn(cfg.TotalDay);
    const bool weeks = days || IsOn(cfg.TotalWeek);
    const bool months = weeks || IsOn(cfg.TotalMonth);
    m_step = {1, details ? 0 : 1, days ? 0 : 1, weeks ? 0 : 1, months ? 0 : 1};
}

void ReportRowWriter::DetailRow(int i)
{
    std::string& text = m_table.Text;
    m_table.StartRow(RowKind::Detail);
    const std::size_t dateStart = text.size();
    m_detailDate.Append(text, m_rep.DateTimeOn[i]);
    m_table.EndCell();
    // The point's label is the date cell, taken before the text grows on.
    AddChartPoint(ChartLevel::Details, PointValue(m_rep.Duration[i], m_rep.Cost[i], 1),
                  std::string_view(text).substr(dateStart));
    m_time.Append(text, m_rep.DateTimeOn[i]);
    m_table.EndCell();
    m_detailDateOff.Append(text, m_rep.DateTimeOff[i]);
    m_table.EndCell();
    m_time.Append(text, m_rep.DateTimeOff[i]);
    m_table.EndCell();
    AppendDurationText(text, m_rep.Duration[i], m_durationDec);
    m_table.EndCell();
    AppendMoney(text, m_rep.Cost[i]);
    m_table.EndCell();
    m_table.AddCell(m_rep.Service[i]);
}

void ReportRowWriter::TakeDetailRow(const ReportTable& rows, int row, const ReportChart& points)
{
    m_table.AddRowOf(rows, row);
    if (!m_points)
        return;
    const ChartSeries& made = points.Of(ChartLevel::Details);
    const ChartPoint& point = made.Points[static_cast<std::size_t>(row)];
    AddChartPoint(ChartLevel::Details, point.Value, made.LabelOf(point));
}

void ReportRowWriter::TotalRow(TotalLevel level, const LevelTotals& totals, int i,
                               TDateTime weekStart)
{
    static constexpr RowKind kinds[] = {RowKind::Day, RowKind::Week, RowKind::Month, RowKind::Year,
                                        RowKind::Total};
    std::string& text = m_table.Text;
    m_table.StartRow(kinds[static_cast<int>(level)]);
    if (level == TotalLevel::Day)
        text += ' ';
    else
        text += std::to_string(totals.Days);
    m_table.EndCell();
    text += std::to_string(totals.Connections);
    m_table.EndCell();
    m_table.AddCell(" ");
    m_table.AddCell(" ");
    AppendDurationText(text, totals.Seconds, m_durationDec);
    m_table.EndCell();
    AppendMoney(text, totals.Charges);
    m_table.EndCell();

    const TDateTime on = m_rep.DateTimeOn[i];
    const double value = PointValue(totals.Seconds, totals.Charges, totals.Connections);
    switch (level) {
    case TotalLevel::Day: {
        const std::size_t start = text.size();
        m_detailDate.Append(text, on);
        m_table.EndCell();
        AddChartPoint(ChartLevel::Days, value, std::string_view(text).substr(start));
        break;
    }
    case TotalLevel::Week: {
        std::string label = m_weekDate.Format(weekStart);
        text += label;
        text += " - ";
        m_weekDate.Append(text, weekStart + 6);
        m_table.EndCell();
        AddChartPoint(ChartLevel::Weeks, value, label);
        break;
    }
    case TotalLevel::Month:
        m_monthRow.Append(text, on);
        m_table.EndCell();
        AddChartPoint(ChartLevel::Months, value, m_monthLabel.Format(on));
        break;
    case TotalLevel::Year: {
        std::string year = std::to_string(YearOf(on));
        m_table.AddCell(year);
        AddChartPoint(ChartLevel::Years, value, year);
        break;
    }
    case TotalLevel::Total:
        m_table.AddCell("Total");
        break;
    }
}

double ReportRowWriter::PointValue(std::int64_t seconds, Currency charges,
                                   std::int32_t connections) const
{
    double value = 0;
    switch (m_mode) {
    case ChartValueMode::Seconds:
        value = static_cast<double>(seconds);
        break;
    case ChartValueMode::Charges:
        value = CurrencyToDouble(charges);
        break;
    case ChartValueMode::Count:
        value = connections;
        break;
    }
    return m_scale == 1.0 ? value : value / m_scale;
}

void ReportRowWriter::AddChartPoint(ChartLevel level, double value, std::string_view label)
{
    if (!m_points)
        return;
    m_chart.MaxX += m_step[static_cast<int>(level)];
    m_chart.Of(level).Add(m_chart.MaxX, value, label);
    m_chart.LastSeries = static_cast<int>(level);
}

} // namespace dialtally
