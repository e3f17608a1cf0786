#include "reports/ReportEngine.h"

#include "TestSupport.h"
#include "base/ConversionError.h"
#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/Numbers.h"
#include "base/PictureFormatter.h"

#include <gtest/gtest.h>

#include <climits>

namespace dialtally {

namespace {

struct Call {
    int Year, Month, Day, Hour, Minute, Second;
    int Duration = 60;
    Currency Cost = 0;
    Currency MonthCharge = 0;
    std::string Service = "Net";
};

TRep MakeRep(const std::vector<Call>& calls)
{
    TRep rep;
    for (const Call& c : calls) {
        const int i = AddConnection(rep);
        rep.DateTimeOn[i] =
            EncodeDate(c.Year, c.Month, c.Day) + EncodeTime(c.Hour, c.Minute, c.Second, 0);
        rep.DateTimeOff[i] = rep.DateTimeOn[i] + c.Duration / 86400.0;
        rep.Duration[i] = c.Duration;
        rep.Cost[i] = c.Cost;
        rep.MonthCharge[i] = c.MonthCharge;
        rep.Service[i] = c.Service;
    }
    return rep;
}

TCfg AllOn()
{
    TCfg cfg;
    cfg.FileName = "/home/u/Reports/Week.rep";
    cfg.ReportDescription = "Week";
    cfg.CriteriaDateFrom = "3/1/2001";
    cfg.CriteriaDateTo = "3/31/2001";
    for (std::string* flag :
         {&cfg.DetailDateOn, &cfg.DetailTimeOn, &cfg.DetailDateOff, &cfg.DetailTimeOff,
          &cfg.DetailDuration, &cfg.DetailCost, &cfg.DetailService, &cfg.DetailShow, &cfg.TotalDay,
          &cfg.TotalWeek, &cfg.TotalMonth, &cfg.TotalYear, &cfg.TotalTotal, &cfg.TotalShow})
        *flag = "1";
    cfg.ColSize = "0";
    cfg.GraphYAxis = "3";
    return cfg;
}

TCfg Only(const std::vector<std::string TCfg::*>& totals)
{
    TCfg cfg = AllOn();
    for (auto member : {&TCfg::TotalDay, &TCfg::TotalWeek, &TCfg::TotalMonth, &TCfg::TotalYear,
                        &TCfg::TotalTotal})
        cfg.*member = "0";
    for (auto member : totals)
        cfg.*member = "1";
    return cfg;
}

using Cells = std::vector<std::string>;

Cells Row(const ReportTable& table, int row)
{
    Cells cells;
    for (int c = 0; c < ReportTextColumns; ++c)
        cells.emplace_back(table.Cell(row, c));
    return cells;
}

std::vector<RowKind> BodyKinds(const ReportTable& table)
{
    return std::vector<RowKind>(table.Kinds.begin() + 1, table.Kinds.end());
}

class FakeDisplay : public ReportDisplay {
public:
    void ShowReport(const TCfg& cfg) override { Shown.push_back(cfg.ReportDescription); }
    void SetMainCaption(const std::string& title) override { Captions.push_back(title); }
    void SetBuilding(bool building) override { Building.push_back(building); }
    int TableWidth() const override { return Width; }

    std::vector<std::string> Shown, Captions;
    std::vector<bool> Building;
    int Width = 1000;
};

struct Built {
    ReportOutput Output;
    FakeDisplay Display;
    RecordingFrontEnd Front;
};

std::unique_ptr<Built> Build(const TCfg& cfg, const TRep& rep, EngineOptions options = {})
{
    auto built = std::make_unique<Built>();
    ReportEngine engine(built->Output, built->Display);
    engine.BuildReport(cfg, rep, options);
    return built;
}

const Call March5{2001, 3, 5, 14, 20, 7, 3725, 2100, 199500};

} // namespace

TEST(ReportEngine, OneConnectionWithEveryTotalInEnUs)
{
    const auto b = Build(AllOn(), MakeRep({March5}));
    const ReportTable& t = b->Output.Table;
    ASSERT_EQ(t.RowCount(), 7);
    EXPECT_EQ(Row(t, 0), (Cells{"Date On", "Time On", "Date Off", "Time Off", "Duration", "Cost",
                                "Description"}));
    EXPECT_EQ(Row(t, 1), (Cells{"3/5/2001", "2:20:07 PM", "3/5/2001", "3:22:12 PM", "1:02:05",
                                "$0.21", "Net"}));
    EXPECT_EQ(Row(t, 2), (Cells{" ", "1", " ", " ", "1:02:05", "$0.21", "3/5/2001"}));
    EXPECT_EQ(Row(t, 3), (Cells{"1", "1", " ", " ", "1:02:05", "$0.21", "3/4/2001 - 3/10/2001"}));
    // Monthly charges count from the month level up.
    EXPECT_EQ(Row(t, 4), (Cells{"1", "1", " ", " ", "1:02:05", "$20.16", "March 2001"}));
    EXPECT_EQ(Row(t, 5), (Cells{"1", "1", " ", " ", "1:02:05", "$20.16", "2001"}));
    EXPECT_EQ(Row(t, 6), (Cells{"1", "1", " ", " ", "1:02:05", "$20.16", "Total"}));
    EXPECT_EQ(BodyKinds(t), (std::vector<RowKind>{RowKind::Detail, RowKind::Day, RowKind::Week,
                                                  RowKind::Month, RowKind::Year, RowKind::Total}));
    EXPECT_EQ(t.CellText(1, SequenceColumn), "1");
    EXPECT_EQ(t.CellText(6, SequenceColumn), "6");
    EXPECT_EQ(b->Output.StatusFigures,
              (std::array<std::string, 5>{"Week", "1 ", "1 ", "1:02:05 ", "$20.16 "}));
    EXPECT_EQ(b->Output.Title, "Week  Thursday, March 1, 2001 - Saturday, March 31, 2001");
}

TEST(ReportEngine, OneConnectionInGermanWithDayNamesAndDecimalHours)
{
    ScopedRegional german("de-DE");
    const auto b = Build(AllOn(), MakeRep({March5}), {true, true, false});
    const ReportTable& t = b->Output.Table;
    ASSERT_EQ(t.RowCount(), 7);
    EXPECT_EQ(Row(t, 1), (Cells{"Mo 05.03.2001", "14:20:07", "Mo 05.03.2001", "15:22:12", "1,035",
                                "0,21 €", "Net"}));
    EXPECT_EQ(Row(t, 2), (Cells{" ", "1", " ", " ", "1,035", "0,21 €", "Mo 05.03.2001"}));
    EXPECT_EQ(Row(t, 3)[6], "04.03.2001 - 10.03.2001");
    EXPECT_EQ(Row(t, 4)[5], "20,16 €");
    EXPECT_EQ(Row(t, 4)[6], "März 2001");
    EXPECT_EQ(b->Output.StatusFigures[3], "1,035 ");
    EXPECT_EQ(b->Output.StatusFigures[4], "20,16 € ");
    const ChartSeries& months = b->Output.Chart.Of(ChartLevel::Months);
    EXPECT_EQ(months.LabelOf(months.Points.at(0)), "3.2001");
}

TEST(ReportEngine, DayRowLabelCarriesTheDayNameButTheWeekLabelDoesNot)
{
    ScopedRegional british("en-GB");
    const auto b = Build(Only({&TCfg::TotalDay, &TCfg::TotalWeek}),
                         MakeRep({{2000, 1, 3, 9, 0, 0}}), {true, false, false});
    const ReportTable& t = b->Output.Table;
    EXPECT_EQ(Row(t, 1)[0], "Mon 03/01/2000");
    EXPECT_EQ(Row(t, 2)[6], "Mon 03/01/2000");
    EXPECT_EQ(Row(t, 3)[6], "02/01/2000 - 08/01/2000");
    const ChartSeries& weeks = b->Output.Chart.Of(ChartLevel::Weeks);
    EXPECT_EQ(weeks.LabelOf(weeks.Points.at(0)), "02/01/2000");
}

TEST(ReportEngine, TwoConnectionsOnOneDayShareTheirDayRow)
{
    const auto b =
        Build(Only({&TCfg::TotalDay}),
              MakeRep({{2001, 3, 5, 8, 0, 0, 60, 100}, {2001, 3, 5, 20, 0, 0, 120, 200}}));
    const ReportTable& t = b->Output.Table;
    EXPECT_EQ(BodyKinds(t), (std::vector<RowKind>{RowKind::Detail, RowKind::Detail, RowKind::Day}));
    EXPECT_EQ(Row(t, 3), (Cells{" ", "2", " ", " ", "0:03:00", "$0.03", "3/5/2001"}));
}

struct BreakCase {
    const char* Name;
    std::vector<Call> Calls;
    std::vector<RowKind> Kinds;
};

void PrintTo(const BreakCase& c, std::ostream* os)
{
    *os << c.Name;
}

class ReportBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(ReportBreaks, RowsFollowTheBreakTestsInOrder)
{
    const auto b =
        Build(Only({&TCfg::TotalDay, &TCfg::TotalWeek, &TCfg::TotalMonth, &TCfg::TotalYear}),
              MakeRep(GetParam().Calls));
    EXPECT_EQ(BodyKinds(b->Output.Table), GetParam().Kinds);
}

constexpr RowKind D = RowKind::Detail, Dy = RowKind::Day, W = RowKind::Week, M = RowKind::Month,
                  Y = RowKind::Year;

INSTANTIATE_TEST_SUITE_P(ReportEngine, ReportBreaks,
                         testing::Values(
                             // Saturday and the Sunday after it lie in different weeks.
                             BreakCase{"SaturdaySunday",
                                       {{2000, 1, 1, 12, 0, 0}, {2000, 1, 2, 12, 0, 0}},
                                       {D, Dy, W, D, Dy, W, M, Y}},
                             BreakCase{"SundayToSaturday",
                                       {{2000, 1, 2, 0, 0, 0}, {2000, 1, 8, 23, 59, 59}},
                                       {D, Dy, D, Dy, W, M, Y}},
                             BreakCase{"MidnightAtMonthEnd",
                                       {{2001, 1, 31, 23, 59, 59}, {2001, 2, 1, 0, 0, 0}},
                                       {D, Dy, M, D, Dy, W, M, Y}},
                             // 31 December 2000 was a Sunday: the new year stays in its week.
                             BreakCase{"YearEnd",
                                       {{2000, 12, 31, 23, 30, 0}, {2001, 1, 1, 0, 10, 0}},
                                       {D, Dy, M, Y, D, Dy, W, M, Y}},
                             // A list going back in time breaks the day whenever a part grows.
                             BreakCase{"BackInTime",
                                       {{2001, 2, 10, 8, 0, 0}, {2001, 1, 20, 8, 0, 0}},
                                       {D, Dy, D, Dy, W, M, Y}}),
                         [](const auto& info) { return info.param.Name; });

TEST(ReportEngine, DaysCountCalendarDaysPerBucket)
{
    const auto b = Build(Only({&TCfg::TotalWeek, &TCfg::TotalMonth, &TCfg::TotalTotal}),
                         MakeRep({{2001, 3, 5, 8, 0, 0},
                                  {2001, 3, 5, 9, 0, 0},
                                  {2001, 3, 6, 9, 0, 0},
                                  {2001, 3, 12, 9, 0, 0}}));
    const ReportTable& t = b->Output.Table;
    ASSERT_EQ(t.RowCount(), 9);
    EXPECT_EQ(Row(t, 4)[0], "2"); // first week: two days, three calls
    EXPECT_EQ(Row(t, 4)[1], "3");
    EXPECT_EQ(Row(t, 6)[0], "1"); // the next week starts again at one day
    EXPECT_EQ(Row(t, 7)[0], "3"); // month
    EXPECT_EQ(Row(t, 8)[0], "3"); // total
    EXPECT_EQ(Row(t, 8)[1], "4");
}

struct ShowCase {
    const char* Detail;
    const char* Total;
    std::vector<RowKind> Kinds;
    bool SortShown;
    int SortColumn;
};

void PrintTo(const ShowCase& c, std::ostream* os)
{
    *os << "DetailShow " << c.Detail << " TotalShow " << c.Total;
}

class ReportSections : public testing::TestWithParam<ShowCase> {};

TEST_P(ReportSections, DetailAndTotalSwitchesChooseTheRows)
{
    TCfg cfg = Only({&TCfg::TotalDay, &TCfg::TotalTotal});
    cfg.DetailShow = GetParam().Detail;
    cfg.TotalShow = GetParam().Total;
    const auto b = Build(cfg, MakeRep({{2001, 3, 5, 8, 0, 0}, {2001, 3, 6, 8, 0, 0}}));
    EXPECT_EQ(BodyKinds(b->Output.Table), GetParam().Kinds);
    EXPECT_EQ(b->Output.Sort.Shown, GetParam().SortShown);
    EXPECT_EQ(b->Output.Sort.Column, GetParam().SortColumn);
    EXPECT_EQ(b->Output.Columns.Visible[2], cfg.DetailShow != "0");
}

INSTANTIATE_TEST_SUITE_P(
    ReportEngine, ReportSections,
    testing::Values(ShowCase{"1", "1", {D, Dy, D, Dy, RowKind::Total}, false, 0},
                    ShowCase{"1", "0", {D, D}, true, 0},
                    ShowCase{"0", "1", {Dy, Dy, RowKind::Total}, true, 6},
                    ShowCase{"0", "0", {}, false, 6}));

TEST(ReportEngine, EmptyListShowsTheMessageAndZeroFigures)
{
    TCfg cfg = AllOn();
    cfg.ColSize = "1";
    cfg.DetailDateOn = "0";
    const auto b = Build(cfg, TRep{});
    const ReportTable& t = b->Output.Table;
    ASSERT_EQ(t.RowCount(), 2);
    EXPECT_EQ(t.Kinds[1], RowKind::Message);
    EXPECT_EQ(t.Cell(1, 0), "There was no data found matching the criteria.");
    EXPECT_TRUE(b->Output.Columns.Visible[0]);
    // Equal widths would cut the message; the columns keep what it needs.
    EXPECT_EQ(b->Output.Columns.Width[0], 46 * 8 + CellMargin);
    EXPECT_EQ(b->Output.StatusFigures,
              (std::array<std::string, 5>{"Week", "0 ", "0 ", "0:00:00 ", "$0.00 "}));
    EXPECT_TRUE(b->Display.Building.empty());
    EXPECT_EQ(b->Display.Shown, (std::vector<std::string>{"Week"}));
    for (const auto& series : b->Output.Chart.Series)
        EXPECT_TRUE(series.Points.empty());
    EXPECT_EQ(b->Output.Chart.LastSeries, -1);
}

// The bottom axis takes its labels from the series that got the last point.
TEST(ReportEngine, RemembersTheSeriesOfTheLastPoint)
{
    TCfg cfg = AllOn();
    EXPECT_EQ(Build(cfg, MakeRep({March5, March5}))->Output.Chart.LastSeries,
              static_cast<int>(ChartLevel::Years));
    cfg.TotalShow = "0";
    EXPECT_EQ(Build(cfg, MakeRep({March5, March5}))->Output.Chart.LastSeries,
              static_cast<int>(ChartLevel::Details));
}

TEST(ReportEngine, BuildTellsTheWindowAndTheStatusBar)
{
    TCfg cfg = AllOn();
    const auto b = Build(cfg, MakeRep({March5, March5}));
    EXPECT_EQ(b->Display.Captions, (std::vector<std::string>{"Week"}));
    EXPECT_EQ(b->Display.Shown, (std::vector<std::string>{"Week"}));
    EXPECT_EQ(b->Display.Building, (std::vector<bool>{true, false}));
    EXPECT_EQ(b->Front.BusyCalls, (std::vector<bool>{true, false}));
    ASSERT_FALSE(b->Front.Progress.empty());
    EXPECT_EQ(b->Front.Progress.front(), (std::pair<int, int>{0, 1}));
    EXPECT_EQ(b->Front.Progress.back(), (std::pair<int, int>{0, 0}));
    ASSERT_EQ(b->Front.StatusTexts.size(), 5u);
    EXPECT_EQ(b->Front.StatusTexts[2], (std::pair<int, std::string>{2, "2 "}));
    EXPECT_EQ(b->Output.SelectedRow, b->Output.Table.BodyRowCount());
}

TEST(ReportEngine, TextTopSelectsTheFirstRow)
{
    const auto b = Build(AllOn(), MakeRep({March5}), {false, false, true});
    EXPECT_EQ(b->Output.SelectedRow, 1);
    EXPECT_EQ(b->Output.SelectedColumn, 0);
}

TEST(ReportChart, TotalPointsStandOnTheLastFinerPoint)
{
    const auto b =
        Build(Only({&TCfg::TotalDay}),
              MakeRep({{2001, 3, 5, 8, 0, 0}, {2001, 3, 5, 9, 0, 0}, {2001, 3, 6, 9, 0, 0}}));
    const ReportChart& chart = b->Output.Chart;
    std::vector<int> details, days;
    std::vector<std::string> labels;
    for (const ChartPoint& p : chart.Of(ChartLevel::Details).Points) {
        details.push_back(p.X);
        labels.emplace_back(chart.Of(ChartLevel::Details).LabelOf(p));
    }
    for (const ChartPoint& p : chart.Of(ChartLevel::Days).Points)
        days.push_back(p.X);
    EXPECT_EQ(details, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(days, (std::vector<int>{2, 3}));
    // A detail point is labelled with its row's date.
    EXPECT_EQ(labels, (std::vector<std::string>{std::string(b->Output.Table.Cell(1, 0)),
                                                std::string(b->Output.Table.Cell(2, 0)),
                                                std::string(b->Output.Table.Cell(4, 0))}));
    EXPECT_NE(labels[1], labels[2]);
}

TEST(ReportChart, WithoutDetailsTheFinestTotalSteps)
{
    TCfg cfg = Only({&TCfg::TotalDay, &TCfg::TotalMonth, &TCfg::TotalYear});
    cfg.DetailShow = "0";
    const auto b = Build(cfg, MakeRep({{2001, 3, 5, 8, 0, 0}, {2001, 4, 6, 9, 0, 0}}));
    const ReportChart& chart = b->Output.Chart;
    ASSERT_EQ(chart.Of(ChartLevel::Days).Points.size(), 2u);
    EXPECT_EQ(chart.Of(ChartLevel::Days).Points[0].X, 1);
    EXPECT_EQ(chart.Of(ChartLevel::Days).Points[1].X, 2);
    EXPECT_EQ(chart.Of(ChartLevel::Months).Points[0].X, 1);
    EXPECT_EQ(chart.Of(ChartLevel::Months).Points[1].X, 2);
    EXPECT_EQ(chart.Of(ChartLevel::Years).Points.at(0).X, 2);
    EXPECT_EQ(chart.Of(ChartLevel::Months).LabelOf(chart.Of(ChartLevel::Months).Points[0]),
              "3/2001");
    EXPECT_EQ(chart.Of(ChartLevel::Years).LabelOf(chart.Of(ChartLevel::Years).Points[0]), "2001");
}

struct ValueCase {
    const char* Axis;
    double Detail;
    double Month; // total of the two calls, the monthly charge included
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << "GraphYAxis " << c.Axis;
}

class ReportChartValues : public testing::TestWithParam<ValueCase> {};

TEST_P(ReportChartValues, ValueModeAndScale)
{
    TCfg cfg = Only({&TCfg::TotalMonth});
    cfg.GraphYAxis = GetParam().Axis;
    const auto b = Build(cfg, MakeRep({{2001, 3, 5, 8, 0, 0, 5400, 2100, 199500},
                                       {2001, 3, 6, 8, 0, 0, 1800, 900}}));
    EXPECT_DOUBLE_EQ(b->Output.Chart.Of(ChartLevel::Details).Points.at(0).Value, GetParam().Detail);
    EXPECT_DOUBLE_EQ(b->Output.Chart.Of(ChartLevel::Months).Points.at(0).Value, GetParam().Month);
}

INSTANTIATE_TEST_SUITE_P(ReportEngine, ReportChartValues,
                         testing::Values(ValueCase{"1", 1.5, 2.0}, ValueCase{"2", 90, 120},
                                         ValueCase{"3", 5400, 7200}, ValueCase{"4", 0.21, 20.25},
                                         ValueCase{"5", 1, 2}));

TEST(ReportChart, SeriesColours)
{
    const ReportChart chart;
    EXPECT_EQ(chart.Of(ChartLevel::Details).Color, 0xFF0000u);
    EXPECT_EQ(chart.Of(ChartLevel::Days).Color, 0x008000u);
    EXPECT_EQ(chart.Of(ChartLevel::Weeks).Color, 0xFFFF00u);
    EXPECT_EQ(chart.Of(ChartLevel::Months).Color, 0x0000FFu);
    EXPECT_EQ(chart.Of(ChartLevel::Years).Color, 0xFFFFFFu);
}

struct SetupCase {
    const char* TotalShow;
    const char* Year;
    const char* Month;
    const char* Week;
    const char* Day;
    int Series;
};

void PrintTo(const SetupCase& c, std::ostream* os)
{
    *os << "series " << c.Series;
}

class ReportChartSetup : public testing::TestWithParam<SetupCase> {};

TEST_P(ReportChartSetup, ValueLabelsOnTheCoarsestShownSeries)
{
    TCfg cfg = AllOn();
    cfg.GraphValues = "1";
    cfg.TotalShow = GetParam().TotalShow;
    cfg.TotalYear = GetParam().Year;
    cfg.TotalMonth = GetParam().Month;
    cfg.TotalWeek = GetParam().Week;
    cfg.TotalDay = GetParam().Day;
    EXPECT_EQ(SetupChart(cfg).ValueSeries, GetParam().Series);
    ReportChart chart;
    ApplyChartSetup(chart, SetupChart(cfg));
    for (int s = 0; s < ChartSeriesCount; ++s)
        EXPECT_EQ(chart.Series[s].ShowValues, s == GetParam().Series);
}

INSTANTIATE_TEST_SUITE_P(
    ReportEngine, ReportChartSetup,
    testing::Values(SetupCase{"0", "1", "1", "1", "1", 0}, SetupCase{"1", "1", "1", "1", "1", 4},
                    SetupCase{"1", "0", "1", "1", "1", 3}, SetupCase{"1", "0", "0", "1", "1", 2},
                    SetupCase{"1", "0", "0", "0", "1", 1}, SetupCase{"1", "0", "0", "0", "0", 0}));

TEST(ReportChart, SetupTitlesLegendAndView)
{
    TCfg cfg = AllOn();
    cfg.Graph3d = "1";
    cfg.GraphLegend = "1";
    cfg.GraphYAxis = "2";
    ChartSetup setup = SetupChart(cfg);
    EXPECT_TRUE(setup.View3D);
    EXPECT_TRUE(setup.Legend);
    EXPECT_EQ(setup.Title, "Week");
    EXPECT_EQ(setup.LeftAxisTitle, "Minutes");
    EXPECT_EQ(setup.ValueSeries, -1);
    cfg.GraphYAxis = "7";
    cfg.Graph3d = "yes";
    setup = SetupChart(cfg);
    EXPECT_FALSE(setup.LeftAxisTitle.has_value());
    EXPECT_FALSE(setup.View3D);
}

TEST(ReportColumns, DetailSwitchesHideColumns)
{
    TCfg cfg = AllOn();
    cfg.DetailCost = "0";
    cfg.DetailService = "";
    auto visible = ReportColumnVisibility(cfg);
    EXPECT_EQ(visible, (std::array<bool, 8>{true, true, true, true, true, false, true, false}));
    cfg.DetailShow = "0";
    visible = ReportColumnVisibility(cfg);
    EXPECT_EQ(visible, (std::array<bool, 8>{true, true, false, false, true, false, true, false}));
}

TEST(ReportColumns, EqualWidthsShareTheTableWidthAmongEightColumns)
{
    TCfg cfg = AllOn();
    cfg.ColSize = "1";
    cfg.ColStretch = "1";
    const auto b = Build(cfg, MakeRep({March5}));
    EXPECT_TRUE(b->Output.Columns.Stretch);
    for (int width : b->Output.Columns.Width)
        EXPECT_EQ(width, (1000 - 20) / 8);
}

TEST(ReportColumns, AutosizeTakesTheWidestText)
{
    const auto b = Build(AllOn(), MakeRep({March5}));
    const ColumnLayout& layout = b->Output.Columns;
    EXPECT_FALSE(layout.Stretch);
    EXPECT_EQ(layout.Width[0], 8 * 8 + CellMargin);  // "3/5/2001"
    EXPECT_EQ(layout.Width[6], 20 * 8 + CellMargin); // "3/4/2001 - 3/10/2001"
    EXPECT_EQ(layout.Width[4], 8 * 8 + CellMargin);  // the head "Duration"
}

TEST(ReportFormats, MonthLabelsReadBack)
{
    EXPECT_EQ(MonthLabelToDate("3/2001"), EncodeDate(2001, 3, 1));
    EXPECT_THROW(MonthLabelToDate("March 2001"), ConversionError);
    EXPECT_THROW(MonthLabelToDate("13/2001"), ConversionError);
    ScopedRegional swedish("sv-SE");
    PictureFormatter label(MonthLabelPicture());
    EXPECT_EQ(label.Format(EncodeDate(2001, 3, 17)), "2001-3");
    EXPECT_EQ(MonthLabelToDate("2001-3"), EncodeDate(2001, 3, 1));
    EXPECT_THROW(MonthLabelToDate("3/2001"), ConversionError);
}

TEST(ReportFormats, StripDayName)
{
    EXPECT_EQ(StripDayName("Mon 3/5/2001"), "3/5/2001");
    EXPECT_EQ(StripDayName("3/5/2001"), "3/5/2001");
    EXPECT_EQ(StripDayName("a b c"), "b c");
}

TEST(ReportFormats, DurationTextMatchesTheGeneralRoutines)
{
    for (int seconds = 0; seconds < 40'000; ++seconds) {
        ASSERT_EQ(DurationText(seconds, true), FormatFixed(seconds / 3600.0, 3)) << seconds;
        ASSERT_EQ(DurationText(seconds, false), SecondsToDurationText(seconds)) << seconds;
    }
    EXPECT_EQ(DurationText(3725, true), "1.035");
    EXPECT_EQ(DurationText(5400, true), "1.500");
    EXPECT_EQ(DurationText(3725, false), "1:02:05");
    // Sums past the 32-bit range stay right.
    EXPECT_EQ(DurationText(3'000'000'000LL, false), "833333:20:00");
    EXPECT_EQ(DurationText(3'000'000'000LL, true), "833333.333");
}

TEST(PictureFormatter, MatchesFormatDateTime)
{
    const std::vector<std::string> pictures{
        "M/d/yyyy", "ddd dd.MM.yyyy",   "dddd, MMMM d, yyyy", "h:mm:ss tt", "HH:mm:ss",
        "yy-M-d",   "'den 'd MMM yyyy", "MMMM yyyy",          "yyyy'/'M",   "ttt t hh H m s",
        "'open"};
    const std::vector<TDateTime> values{EncodeDate(2001, 3, 5) + EncodeTime(14, 20, 7, 0),
                                        EncodeDate(2000, 12, 31) + EncodeTime(10, 0, 0, 0),
                                        EncodeDate(2000, 12, 31) + EncodeTime(23, 59, 59, 999) +
                                            0.6 / 86'400'000,
                                        EncodeDate(2000, 2, 29),
                                        EncodeDate(1999, 1, 1) + EncodeTime(0, 0, 0, 1),
                                        EncodeDate(2024, 7, 14) + EncodeTime(12, 0, 0, 0)};
    for (const RegionalSettings* preset : RegionalPresets())
        for (const std::string& picture : pictures) {
            PictureFormatter formatter(picture, *preset);
            for (int round = 0; round < 2; ++round) // the second round meets the cache
                for (TDateTime value : values)
                    EXPECT_EQ(formatter.Format(value), FormatDateTime(picture, value, *preset))
                        << preset->Name << " " << picture << " " << value;
        }
}

TEST(ReportEngine, DurationSumsDoNotWrapAtThirtyTwoBits)
{
    Call longCall{2001, 3, 5, 0, 0, 0, 2'000'000'000};
    const auto b = Build(Only({&TCfg::TotalTotal}), MakeRep({longCall, longCall}));
    EXPECT_EQ(Row(b->Output.Table, 3)[4], "1111111:06:40");
    EXPECT_EQ(b->Output.StatusFigures[3], "1111111:06:40 ");
}

} // namespace dialtally

namespace dialtally {

namespace {

// Detail rows made on a second core stand in the table and the chart as if
// the build had made them all, whichever totals come between them; a build
// without chart points (the report command's) makes the same table.
TEST(ReportEngine, RowsMadeOnTwoCoresAreTheRowsMadeOnOne)
{
    std::vector<Call> calls;
    for (int n = 0; n < 40'000; ++n)
        calls.push_back({2001, 1 + n / 4000, 1 + n / 200 % 20, n % 24, n % 60, 0, 60 + n % 7,
                         n % 13 * 100, n % 4000 == 0 ? 99 : 0, "Net " + std::to_string(n % 3)});
    const TRep rep = MakeRep(calls);
    TCfg charges = AllOn(), count = AllOn();
    charges.GraphYAxis = "4";
    count.GraphYAxis = "5";
    for (const TCfg& cfg : {AllOn(), Only({&TCfg::TotalDay}), Only({}), charges, count}) {
        EngineOptions one, two, bare;
        one.TwoCoresFrom = INT_MAX;
        two.TwoCoresFrom = bare.TwoCoresFrom = 0;
        bare.ChartPoints = false;
        const auto single = Build(cfg, rep, one);
        const auto both = Build(cfg, rep, two);
        const auto tableOnly = Build(cfg, rep, bare);
        for (const auto* other : {both.get(), tableOnly.get()}) {
            EXPECT_EQ(other->Output.Table.Text, single->Output.Table.Text);
            EXPECT_EQ(other->Output.Table.Ends, single->Output.Table.Ends);
            EXPECT_EQ(other->Output.Table.Kinds, single->Output.Table.Kinds);
        }
        for (const ChartSeries& series : tableOnly->Output.Chart.Series)
            EXPECT_TRUE(series.Points.empty());
        for (int s = 0; s < ChartSeriesCount; ++s) {
            const ChartSeries& sa = both->Output.Chart.Series[s];
            const ChartSeries& sb = single->Output.Chart.Series[s];
            const auto& a = sa.Points;
            const auto& b = sb.Points;
            ASSERT_EQ(a.size(), b.size()) << s;
            for (std::size_t p = 0; p < a.size(); ++p)
                ASSERT_TRUE(a[p].X == b[p].X && a[p].Value == b[p].Value &&
                            sa.LabelOf(a[p]) == sb.LabelOf(b[p]))
                    << "series " << s << " point " << p;
        }
    }
}

} // namespace

} // namespace dialtally
