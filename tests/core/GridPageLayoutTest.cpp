#include "reports/GridPageLayout.h"

#include "TestSupport.h"
#include "base/DateFormat.h"
#include "base/DateTime.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

GridMetrics Metrics(int bodyRows, double rowHeight, double availableHeight)
{
    GridMetrics m;
    m.ColumnWidths = {100, 100, 100};
    m.RowHeights.assign(static_cast<std::size_t>(bodyRows) + 1, rowHeight);
    m.AvailableWidth = 400;
    m.AvailableHeight = availableHeight;
    return m;
}

} // namespace

TEST(PaginateGrid, RepeatsTheHeaderOnEveryPage)
{
    // 10 per page: the header and nine rows.
    const GridPagination p = PaginateGrid(Metrics(20, 10, 100));
    ASSERT_EQ(p.Pages.size(), 3u);
    EXPECT_EQ(p.Pages[0].FirstRow, 1);
    EXPECT_EQ(p.Pages[0].EndRow, 10);
    EXPECT_EQ(p.Pages[1].FirstRow, 10);
    EXPECT_EQ(p.Pages[1].EndRow, 19);
    EXPECT_EQ(p.Pages[2].EndRow, 21);
    for (const GridPage& page : p.Pages)
        EXPECT_TRUE(page.WithHeader);
}

TEST(PaginateGrid, WithoutRepeatOnlyTheFirstPageHasTheHeader)
{
    GridMetrics m = Metrics(20, 10, 100);
    m.RepeatHeader = false;
    const GridPagination p = PaginateGrid(m);
    ASSERT_EQ(p.Pages.size(), 3u);
    EXPECT_TRUE(p.Pages[0].WithHeader);
    EXPECT_FALSE(p.Pages[1].WithHeader);
    EXPECT_EQ(p.Pages[1].FirstRow, 10);
    EXPECT_EQ(p.Pages[1].EndRow, 20); // ten rows without the header
}

TEST(PaginateGrid, EveryRowIsPrintedOnceInOrder)
{
    GridMetrics m = Metrics(57, 7, 100);
    m.RowHeights[13] = 250; // taller than a page
    const GridPagination p = PaginateGrid(m);
    int next = 1;
    for (const GridPage& page : p.Pages) {
        EXPECT_EQ(page.FirstRow, next);
        EXPECT_GT(page.EndRow, page.FirstRow);
        next = page.EndRow;
    }
    EXPECT_EQ(next, 58);
}

TEST(PaginateGrid, AnEmptyTableGivesOnePage)
{
    EXPECT_EQ(PaginateGrid(Metrics(0, 10, 100)).Pages.size(), 1u);
    EXPECT_EQ(PaginateGrid(GridMetrics{}).Pages.size(), 1u);
}

TEST(PaginateGrid, WideTablesGoAcrossAfterDown)
{
    GridMetrics m = Metrics(20, 10, 100);
    m.AvailableWidth = 250; // two columns fit
    const GridPagination p = PaginateGrid(m);
    ASSERT_EQ(p.Pages.size(), 6u);
    EXPECT_EQ(p.Pages[0].FirstColumn, 0);
    EXPECT_EQ(p.Pages[0].EndColumn, 2);
    EXPECT_EQ(p.Pages[2].EndColumn, 2);
    EXPECT_EQ(p.Pages[3].FirstColumn, 2);
    EXPECT_EQ(p.Pages[3].EndColumn, 3);
    EXPECT_EQ(p.Pages[3].FirstRow, 1);
}

TEST(PaginateGrid, ShrinkingToTheWidthKeepsAllColumnsOnAPage)
{
    GridMetrics m = Metrics(20, 10, 100);
    m.AvailableWidth = 150;
    m.FitToPage = 2;
    const GridPagination p = PaginateGrid(m);
    EXPECT_DOUBLE_EQ(p.Scale, 0.5);
    // Half the scale fits twice the rows: the header and 19.
    ASSERT_EQ(p.Pages.size(), 2u);
    EXPECT_EQ(p.Pages[0].EndColumn, 3);
    EXPECT_EQ(p.Pages[0].EndRow, 20);
}

TEST(PageHasRoom, NeedsTheHeaderAndARowBetweenTheMargins)
{
    struct Case {
        int BodyRows;
        double Width, Height;
        int Fit;
        bool Expected;
    } cases[] = {
        {20, 400, 100, 0, true}, {20, 400, 20, 0, true}, {20, 400, 19, 0, false},
        {0, 400, 10, 0, true},   {20, 0, 100, 0, false}, {20, -50, 100, 0, false},
        {20, 400, 0, 0, false},  {20, 150, 15, 2, true}, // shrunk to half
        {20, 600, 30, 1, false},                         // grown to twice
    };
    for (const Case& c : cases) {
        GridMetrics m = Metrics(c.BodyRows, 10, c.Height);
        m.AvailableWidth = c.Width;
        m.FitToPage = c.Fit;
        EXPECT_EQ(PageHasRoom(m), c.Expected) << c.BodyRows << " " << c.Width << " " << c.Height;
    }
}

TEST(PageTextRooms, TheWidestTextGivesWayToTheOthers)
{
    using Widths = std::array<double, 3>; // left, centre, right
    struct Case {
        Widths Texts;
        Widths Expected;
    } cases[] = {
        {{100, 0, 20}, {100, 0, 20}}, {{200, 0, 20}, {125, 0, 20}},  {{100, 0, 90}, {55, 0, 90}},
        {{20, 0, 200}, {20, 0, 125}}, {{100, 80, 10}, {30, 80, 10}}, {{10, 200, 10}, {10, 120, 10}},
        {{0, 0, 300}, {0, 0, 150}},   {{0, 300, 0}, {0, 150, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageTextRooms(c.Texts, 150, 5), c.Expected)
            << c.Texts[0] << " " << c.Texts[1] << " " << c.Texts[2];
}

TEST(FitScale, FollowsTheSetting)
{
    struct Case {
        int Fit;
        double Table, Available, Expected;
    } cases[] = {
        {0, 200, 100, 1}, {0, 50, 100, 1}, {1, 50, 100, 2},    {1, 200, 100, 1}, {2, 200, 100, 0.5},
        {2, 50, 100, 1},  {3, 50, 100, 2}, {3, 200, 100, 0.5}, {4, 200, 100, 1}, {3, 0, 100, 1},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(FitScale(c.Fit, c.Table, c.Available), c.Expected)
            << c.Fit << " " << c.Table;
}

TEST(BordersFor, DrawsTheNamedLines)
{
    struct Case {
        int Borders;
        bool Outer, Double, Vertical, Horizontal;
    } cases[] = {
        {0, false, false, false, false}, {1, true, false, true, true},
        {2, true, true, true, true},     {3, false, false, true, false},
        {4, false, false, false, true},  {5, true, false, false, false},
        {6, true, false, true, false},   {7, true, false, false, true},
        {9, false, false, false, false},
    };
    for (const Case& c : cases) {
        const BorderLines b = BordersFor(c.Borders);
        EXPECT_EQ(b.Outer, c.Outer) << c.Borders;
        EXPECT_EQ(b.DoubleOuter, c.Double) << c.Borders;
        EXPECT_EQ(b.Vertical, c.Vertical) << c.Borders;
        EXPECT_EQ(b.Horizontal, c.Horizontal) << c.Borders;
    }
}

TEST(PrintColumnWidths, FixedBeforeScreenBeforeText)
{
    PrintSettings s;
    const std::vector<double> text{40, 80}, screen{60, 30};
    EXPECT_EQ(PrintColumnWidths(s, text, screen, 25, 5), (std::vector<double>{45, 85}));
    s.NoAutoSize = true;
    EXPECT_EQ(PrintColumnWidths(s, text, screen, 25, 5), (std::vector<double>{65, 35}));
    s.UseFixedWidth = true;
    EXPECT_EQ(PrintColumnWidths(s, text, screen, 25, 5), (std::vector<double>{30, 30}));
}

TEST(PrintDatePicture, ReadsTheStoredFormat)
{
    const TDateTime when = EncodeDate(2001, 3, 5) + EncodeTime(9, 7, 4, 0);
    struct Case {
        const char* Preset;
        const char* Format;
        const char* Expected;
    } cases[] = {
        {"en-US", "dd/mm/yyyy", "05/03/2001"}, {"de-DE", "dd/mm/yyyy", "05.03.2001"},
        {"en-US", "d mmmm yy", "5 March 01"},  {"en-US", "hh:mm:ss", "09:07:04"},
        {"en-US", "hh:nn", "09:07"},           {"en-US", "'Printed' dd", "Printed 05"},
        {"en-US", "h:nn am/pm", "9:07 AM"},
    };
    for (const Case& c : cases) {
        ScopedRegional preset(c.Preset);
        EXPECT_EQ(FormatDateTime(PrintDatePicture(c.Format), when), c.Expected) << c.Format;
    }
    const TDateTime evening = EncodeDate(2001, 3, 5) + EncodeTime(21, 7, 0, 0);
    EXPECT_EQ(FormatDateTime(PrintDatePicture("h:nn am/pm"), evening), "9:07 PM");
    EXPECT_EQ(FormatDateTime(PrintDatePicture("hh:nn"), evening), "21:07");
}

TEST(PageTextsFor, PutsEachTextAtItsPlace)
{
    PrintSettings s;
    s.TitleText = "Calls";
    s.PagePrefix = "Page ";
    s.PageNumSep = " of ";
    s.Date = 1; // shares the top left with the title
    s.Time = 0;
    s.PageNr = 6;
    const PageTexts texts = PageTextsFor(s, 2, 7, EncodeDate(2001, 3, 5));
    EXPECT_EQ(texts.At[1], (std::vector<std::string>{"Calls", "05/03/2001"}));
    EXPECT_EQ(texts.At[6], (std::vector<std::string>{"Page 2 of 7"}));
    EXPECT_EQ(texts.LinesAtTop(), 2);
    EXPECT_EQ(texts.LinesAtBottom(), 1);
    for (int p : {0, 2, 3, 4, 5})
        EXPECT_TRUE(texts.At[static_cast<std::size_t>(p)].empty()) << p;
}

TEST(PageTextsFor, PositionsOutsideTheListPrintNowhere)
{
    PrintSettings s;
    s.Title = 7;
    s.Date = -1;
    const PageTexts texts = PageTextsFor(s, 1, 1, EncodeDate(2001, 3, 5));
    EXPECT_EQ(texts.LinesAtTop(), 1); // the page number at the top right only
}

} // namespace dialtally
