#include "reports/ChartPoints.h"

#include "TestSupport.h"
#include "base/ConversionError.h"
#include "base/Numbers.h"
#include "reports/ReportFormats.h"
#include "reports/ReportLayout.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

struct DatesCase {
    ChartLevel Series;
    const char* Label;
    CivilDate Begin;
    CivilDate End;
};

class PointRange : public ::testing::TestWithParam<DatesCase> {};

TEST_P(PointRange, BeginAndEndOfThePoint)
{
    const DatesCase& c = GetParam();
    const PointDates dates = ChartPointDates(c.Series, c.Label);
    EXPECT_EQ(dates.Begin, EncodeDate(c.Begin.Year, c.Begin.Month, c.Begin.Day));
    EXPECT_EQ(dates.End, EncodeDate(c.End.Year, c.End.Month, c.End.Day));
}

INSTANTIATE_TEST_SUITE_P(
    Series, PointRange,
    ::testing::Values(DatesCase{ChartLevel::Years, "2001", {2001, 1, 1}, {2001, 12, 31}},
                      DatesCase{ChartLevel::Months, "2/2024", {2024, 2, 1}, {2024, 2, 29}},
                      DatesCase{ChartLevel::Weeks, "12/29/2002", {2002, 12, 29}, {2003, 1, 4}},
                      DatesCase{ChartLevel::Days, "Mon 3/5/2001", {2001, 3, 5}, {2001, 3, 5}},
                      DatesCase{ChartLevel::Details, "3/6/2001", {2001, 3, 6}, {2001, 3, 6}}));

TEST(ChartPointItems, YearPointInTheShortDateFormat)
{
    ChartPointItems items = ChartPointItemsFor(ChartLevel::Years, "2001");
    EXPECT_EQ(items.BeginCaption, "&Begin: 1/1/2001");
    EXPECT_EQ(items.EndCaption, "&End: 12/31/2001");
    ScopedRegional german("de-DE");
    items = ChartPointItemsFor(ChartLevel::Years, "2001");
    EXPECT_EQ(items.BeginCaption, "&Begin: 01.01.2001");
    EXPECT_EQ(items.EndCaption, "&End: 31.12.2001");
}

TEST(ChartPointItems, LabelsOfNoDateRaise)
{
    EXPECT_THROW(ChartPointDates(ChartLevel::Years, "Total"), ConversionError);
    EXPECT_THROW(ChartPointDates(ChartLevel::Months, "13/2001"), ConversionError);
    EXPECT_THROW(ChartPointDates(ChartLevel::Days, "Mon"), ConversionError);
}

ReportTable YearTable()
{
    ReportTable table;
    WriteHeadRow(table);
    const std::vector<std::array<const char*, 7>> rows = {
        {"1", "2001", " ", " ", "9:00:00", "$1.00", "March 2001"},
        {"20", "2001", " ", " ", "9:00:00", "$1.00", "2001"},
    };
    for (const auto& row : rows) {
        table.StartRow(RowKind::Year);
        for (const char* cell : row)
            table.AddCell(cell);
    }
    return table;
}

TEST(ChartPointSearch, SearchTextsAndCells)
{
    const ColumnVisibility shown{true, true, true, true, true, true, true, false};
    EXPECT_EQ(ChartPointSearchText(ChartLevel::Months, "3/2001"), "March 2001");
    EXPECT_EQ(ChartPointSearchText(ChartLevel::Weeks, "3/4/2001"), "3/4/2001");
    const ReportTable table = YearTable();
    // The year's label, not the count of 2001 connections before it.
    EXPECT_EQ(FindChartPointCell(table, shown, ChartLevel::Years, "2001"), (GridCell{6, 2}));
    EXPECT_EQ(FindChartPointCell(table, shown, ChartLevel::Months, "3/2001"), (GridCell{6, 1}));
    EXPECT_FALSE(FindChartPointCell(table, shown, ChartLevel::Years, "2002"));

    // Connections of one day: each point finds its own row.
    ReportTable day;
    day.StartRow(RowKind::Head);
    for (int c = 0; c < ReportTextColumns; ++c)
        day.AddCell("head");
    for (const char* time : {"1:05:00 AM", "11:05:00 AM", "3:00:00 PM"}) {
        day.StartRow(RowKind::Detail);
        for (const char* cell : {"3/14/2025", time, "0:11:00", "$0.10", " ", " ", "svc"})
            day.AddCell(cell);
    }
    for (int before = 0; before < 3; ++before)
        EXPECT_EQ(FindChartPointCell(day, shown, ChartLevel::Details, "3/14/2025", before),
                  (GridCell{0, before + 1}));
    EXPECT_EQ(FindChartPointCell(day, shown, ChartLevel::Details, "3/14/2025", 7),
              (GridCell{0, 1}));
    // Sorted the other way round, each still finds its own connection.
    day.Sequence = {0, 3, 2, 1};
    for (int before = 0; before < 3; ++before)
        EXPECT_EQ(FindChartPointCell(day, shown, ChartLevel::Details, "3/14/2025", before),
                  (GridCell{0, 3 - before}));
    day.Sequence.clear();
    // The day's total, not its first connection, whose date comes first.
    day.StartRow(RowKind::Day);
    for (const char* cell : {" ", "3", "0:33:00", "$0.30", " ", " ", "3/14/2025"})
        day.AddCell(cell);
    EXPECT_EQ(FindChartPointCell(day, shown, ChartLevel::Days, "3/14/2025"), (GridCell{6, 4}));
}

TEST(ChartHint, LabelAndValueAsTheMarksShowIt)
{
    EXPECT_EQ(ChartHintText("3/2001", 1.5), "3/2001 1.5");
    EXPECT_EQ(ChartHintText("2001", 2.0), "2001 2");
    EXPECT_EQ(ChartValueText(0.12349), "0.123");
    ScopedRegional german("de-DE");
    EXPECT_EQ(ChartValueText(1.25), "1,25");
    EXPECT_EQ(ChartValueText(30), "30");
}

// A mark's value shows as the grid shows the same decimal hours, also where
// seconds / 3600 is a tie in thousandths (6:07:21 is 6.1225 hours).
TEST(ChartHint, MarksRoundAsTheGridDoes)
{
    for (std::int64_t seconds = 0; seconds < 200'000; seconds += 9) {
        std::string grid;
        AppendDurationText(grid, seconds, true);
        const double hours = static_cast<double>(seconds) / 3600;
        ASSERT_EQ(FormatFixed(ChartMarkValue(hours), 3), grid) << seconds;
    }
}

TEST(ChartZoom, InTwiceOutTwiceIsUnzoomed)
{
    ChartZoom zoom;
    zoom.ZoomCompleted();
    zoom.ZoomCompleted();
    EXPECT_EQ(zoom.ZoomOut(), ChartZoom::Action::Widen);
    zoom.ZoomCompleted();
    EXPECT_EQ(zoom.Depth(), 1);
    EXPECT_EQ(zoom.ZoomOut(), ChartZoom::Action::Undo);
    EXPECT_EQ(zoom.Depth(), 0);
    EXPECT_EQ(zoom.ZoomOut(), ChartZoom::Action::Undo);
}

TEST(ChartZoom, SpansAndScrolling)
{
    EXPECT_EQ(ZoomInSpan(100, 500).Left, 200);
    EXPECT_EQ(ZoomInSpan(100, 500).Right, 400);
    EXPECT_EQ(ZoomOutSpan(200, 400).Left, 100);
    EXPECT_EQ(ZoomOutSpan(200, 400).Right, 500);
    AxisRange range = ScrolledRange({10, 20}, {0, 100}, true);
    EXPECT_DOUBLE_EQ(range.Min, 15);
    range = ScrolledRange({88, 98}, {0, 100}, true);
    EXPECT_DOUBLE_EQ(range.Max, 100);
    range = ScrolledRange({2, 12}, {0, 100}, false);
    EXPECT_DOUBLE_EQ(range.Min, 0);
}

} // namespace

} // namespace dialtally
