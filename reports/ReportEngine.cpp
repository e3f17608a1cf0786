#include "reports/ReportEngine.h"

#include "base/FrontEnd.h"
#include "base/LargePages.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "reports/DetailRowsAhead.h"
#include "reports/ProgressSteps.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <system_error>
#include <thread>

namespace dialtally {

namespace {

std::int64_t WholeDay(TDateTime value)
{
    return static_cast<std::int64_t>(std::floor(value));
}

TDateTime SundayOf(TDateTime value)
{
    return value - (DayOfWeek(value) - 1);
}

// DecodeDate of the connections in order, worked out again only when the
// day changes. Only a time within a millisecond of midnight can round into
// the next day; such a value is always decoded.
class DayDates {
public:
    CivilDate Of(TDateTime value)
    {
        constexpr double LastWholeMs = 1.0 - 1.0 / 86'400'000;
        const double whole = std::floor(value);
        if (value - whole >= LastWholeMs)
            return DecodeDate(value);
        if (whole != m_whole) {
            m_whole = whole;
            m_date = DecodeDate(value);
        }
        return m_date;
    }

private:
    double m_whole = -1e300;
    CivilDate m_date{};
};

} // namespace

const TextMeasure& ReportDisplay::Measure() const
{
    static const FixedWidthMeasure fixed;
    return fixed;
}

ReportEngine::ReportEngine(ReportOutput& output, ReportDisplay& display)
    : m_output(output), m_display(display)
{
}

void ReportEngine::PrepareReport(const TCfg& cfg)
{
    m_output.Table.Clear();
    m_output.Chart.Clear();
    m_output.Sort = SortIndicatorFor(cfg);
    m_output.Chart.Mode = ValueModeOf(cfg);
    m_output.SelectedRow = 0;
    m_output.SelectedColumn = 0;
    m_totals.fill(LevelTotals{});
}

void ReportEngine::BuildReport(const TCfg& cfg, const TRep& rep, const EngineOptions& options)
{
    PrepareReport(cfg);
    WriteHeadRow(m_output.Table);
    m_output.Title = ReportTitle(cfg);
    m_display.SetMainCaption(cfg.ReportDescription);
    ApplyChartSetup(m_output.Chart, SetupChart(cfg));
    m_display.ShowReport(cfg);

    if (rep.LastIndex < 0) {
        ReportTable& table = m_output.Table;
        table.StartRow(RowKind::Message);
        table.AddCell(NoDataMessage);
        for (int c = 1; c < ReportTextColumns; ++c)
            table.AddCell("");
        // The message stands in the first column, which must show it.
        m_output.Columns.Visible = ReportColumnVisibility(cfg);
        m_output.Columns.Visible[0] = true;
        SizeColumnsToContents(table, m_output.Columns, m_display.Measure());
    } else {
        BuildRows(cfg, rep, options);
    }
    WriteStatusFigures(cfg, options);
}

void ReportEngine::BuildRows(const TCfg& cfg, const TRep& rep, const EngineOptions& options)
{
    struct BuildingFlag {
        ReportDisplay& Display;
        explicit BuildingFlag(ReportDisplay& display) : Display(display)
        {
            Display.SetBuilding(true);
            SetBusy(true);
        }
        ~BuildingFlag()
        {
            SetBusy(false);
            Display.SetBuilding(false);
        }
    } building(m_display);

    const bool details = IsOn(cfg.DetailShow);
    const bool totals = IsOn(cfg.TotalShow);
    const bool totalDay = IsOn(cfg.TotalDay), totalWeek = IsOn(cfg.TotalWeek);
    const bool totalMonth = IsOn(cfg.TotalMonth), totalYear = IsOn(cfg.TotalYear);
    const int last = rep.LastIndex;

    ReportTable& table = m_output.Table;
    const std::size_t rows = (details ? last + 1 : 0) + (totals ? (last + 1) / 4 + 8 : 0);
    table.Kinds.reserve(rows + 1);
    table.Ends.reserve((rows + 1) * ReportTextColumns);
    // Dates, times, duration and cost take about 56 bytes; the descriptions
    // are judged from the first few.
    const int sample = std::min(last + 1, 1000);
    std::size_t serviceBytes = 0;
    for (int i = 0; i < sample; ++i)
        serviceBytes += rep.Service[i].size();
    table.Text.reserve((rows + 1) * (64 + serviceBytes / sample));
    if (details && options.ChartPoints)
        m_output.Chart.Of(ChartLevel::Details).Points.reserve(last + 1);
    AdviseLargePages(table.Kinds.data(), table.Kinds.capacity() * sizeof(RowKind));
    AdviseLargePages(table.Ends.data(), table.Ends.capacity() * sizeof(std::uint32_t));
    AdviseLargePages(table.Text.data(), table.Text.capacity());
    const auto& points = m_output.Chart.Of(ChartLevel::Details).Points;
    AdviseLargePages(points.data(), points.capacity() * sizeof(ChartPoint));

    ReportRowWriter writer(cfg, options, rep, table, m_output.Chart);
    std::optional<DetailRowsAhead> ahead;
    if (details && last + 1 >= options.TwoCoresFrom && std::thread::hardware_concurrency() >= 2) {
        try {
            ahead.emplace(cfg, options, rep);
        } catch (const std::system_error&) {
            // No thread to be had: one core makes them all.
        }
    }
    LevelTotals& day = m_totals[0];
    LevelTotals& week = m_totals[1];
    LevelTotals& month = m_totals[2];
    LevelTotals& year = m_totals[3];
    LevelTotals& total = m_totals[4];
    const auto closeBucket = [&](TotalLevel level, int i, TDateTime weekStart) {
        LevelTotals& bucket = m_totals[static_cast<int>(level)];
        writer.TotalRow(level, bucket, i, weekStart);
        if (level != TotalLevel::Total) {
            bucket.Connections = 0;
            bucket.Seconds = 0;
            bucket.Charges = 0;
            bucket.Days = 0;
        }
    };

    TDateTime weekStart = SundayOf(rep.DateTimeOn[0]);
    week.Days = month.Days = year.Days = total.Days = 1;
    ProgressSteps progress(last);
    DayDates dates;
    CivilDate next = dates.Of(rep.DateTimeOn[0]);
    for (int i = 0; i <= last; ++i) {
        progress.Step(i);
        if (i > 0 && WholeDay(rep.DateTimeOn[i]) > WholeDay(rep.DateTimeOn[i - 1])) {
            ++week.Days;
            ++month.Days;
            ++year.Days;
            ++total.Days;
        }
        const std::int64_t seconds = rep.Duration[i];
        const Currency cost = rep.Cost[i];
        const Currency withMonthly = cost + rep.MonthCharge[i];
        for (LevelTotals* level : {&day, &week, &month, &year, &total}) {
            ++level->Connections;
            level->Seconds += seconds;
        }
        day.Charges += cost;
        week.Charges += cost;
        month.Charges += withMonthly;
        year.Charges += withMonthly;
        total.Charges += withMonthly;

        if (details && !(ahead && ahead->TakeRow(i, writer)))
            writer.DetailRow(i);
        if (!totals || i >= last)
            continue;
        const CivilDate current = next;
        next = dates.Of(rep.DateTimeOn[i + 1]);
        if (totalDay &&
            (next.Day > current.Day || next.Month > current.Month || next.Year > current.Year))
            closeBucket(TotalLevel::Day, i, weekStart);
        if (totalWeek && WholeDay(rep.DateTimeOn[i + 1]) > WholeDay(weekStart + 6)) {
            closeBucket(TotalLevel::Week, i, weekStart);
            weekStart = SundayOf(rep.DateTimeOn[i + 1]);
        }
        if (totalMonth && (next.Month > current.Month || next.Year > current.Year))
            closeBucket(TotalLevel::Month, i, weekStart);
        if (totalYear && next.Year > current.Year)
            closeBucket(TotalLevel::Year, i, weekStart);
    }
    if (totals) {
        if (totalDay)
            closeBucket(TotalLevel::Day, last, weekStart);
        if (totalWeek)
            closeBucket(TotalLevel::Week, last, weekStart);
        if (totalMonth)
            closeBucket(TotalLevel::Month, last, weekStart);
        if (totalYear)
            closeBucket(TotalLevel::Year, last, weekStart);
        if (IsOn(cfg.TotalTotal))
            closeBucket(TotalLevel::Total, last, weekStart);
    }

    ShowReportColumns(cfg, table, m_output.Columns, m_display.TableWidth(), m_display.Measure());
    const int bodyRows = table.BodyRowCount();
    m_output.SelectedRow = bodyRows == 0 ? 0 : (options.TextTop ? 1 : bodyRows);
    m_output.SelectedColumn = 0;
}

void ReportEngine::WriteStatusFigures(const TCfg& cfg, const EngineOptions& options)
{
    const LevelTotals& total = m_totals[static_cast<int>(TotalLevel::Total)];
    std::array<std::string, StatusFigureCount>& figures = m_output.StatusFigures;
    figures[0] = FileTitle(cfg.FileName);
    figures[1] = std::to_string(total.Days) + " ";
    figures[2] = std::to_string(total.Connections) + " ";
    figures[3] = DurationText(total.Seconds, options.DurationDec) + " ";
    figures[4] = FormatMoney(total.Charges) + " ";
    for (int panel = 0; panel < StatusFigureCount; ++panel)
        CurrentFrontEnd().SetStatusText(panel, figures[panel]);
}

} // namespace dialtally
