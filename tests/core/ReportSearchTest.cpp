#include "reports/ReportSearch.h"

#include "TestSupport.h"
#include "base/ConversionError.h"
#include "reports/GridCriteria.h"
#include "reports/ReportLayout.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

const ColumnVisibility AllShown{true, true, true, true, true, true, true, false};

// Three detail rows and a day total.
ReportTable SearchTable()
{
    ReportTable table;
    WriteHeadRow(table);
    const std::vector<std::array<const char*, 7>> rows = {
        {"Mon 3/5/2001", "10:00:00 AM", "3/5/2001", "10:20:00 AM", "0:20:00", "$0.20", "ISP"},
        {"Mon 3/5/2001", "11:00:00 AM", "3/5/2001", "11:05:00 AM", "0:05:00", "$0.05", "Other isp"},
        {"Mon 3/5/2001", "1:00:00 PM", "3/5/2001", "1:30:00 PM", "0:30:00", "$0.30", "Caf\xC3\xA9"},
    };
    for (const auto& row : rows) {
        table.StartRow(RowKind::Detail);
        for (const char* cell : row)
            table.AddCell(cell);
    }
    table.StartRow(RowKind::Day);
    for (const char* cell : {" ", "3", " ", " ", "0:55:00", "$0.55", "Mon 3/5/2001"})
        table.AddCell(cell);
    return table;
}

TEST(ReportSearch, DownThenFindNextUntilFinished)
{
    const ReportTable table = SearchTable();
    ReportSearch search;
    const FindOptions down{.Down = true};
    SearchResult result = search.Find(table, AllShown, "isp", down, GridCell{0, 1});
    EXPECT_EQ(result.Cell, (GridCell{6, 1}));
    result = search.FindNext(table, AllShown, GridCell{0, 1});
    EXPECT_EQ(result.Cell, (GridCell{6, 2}));
    // The dialog asking again for the same search goes on as Find Next.
    result = search.Find(table, AllShown, "isp", down, GridCell{6, 2});
    EXPECT_FALSE(result.Cell);
    EXPECT_STREQ(result.Message, FinishedSearchingMessage);
}

TEST(ReportSearch, UpFromTheEndFoldsAccentedLetters)
{
    const ReportTable table = SearchTable();
    ReportSearch search;
    SearchResult result = search.Find(table, AllShown, "CAF\xC3\x89", FindOptions{}, GridCell{});
    EXPECT_EQ(result.Cell, (GridCell{6, 3}));
    result = search.Find(table, AllShown, "3/5/2001", FindOptions{}, GridCell{});
    EXPECT_EQ(result.Cell, (GridCell{6, 4})); // the total's label before its blanks
    result = search.FindNext(table, AllShown, GridCell{6, 4});
    EXPECT_EQ(result.Cell, (GridCell{2, 3}));
    result = search.FindNext(table, AllShown, GridCell{0, 3});
    EXPECT_EQ(result.Cell, (GridCell{2, 2}));
}

TEST(ReportSearch, DownFoldsOnlyAsciiLetters)
{
    const ReportTable table = SearchTable();
    ReportSearch search;
    const SearchResult result =
        search.Find(table, AllShown, "CAF\xC3\x89", FindOptions{.Down = true}, GridCell{});
    EXPECT_FALSE(result.Cell);
    EXPECT_STREQ(result.Message, TextNotFoundMessage);
}

TEST(ReportSearch, MatchCaseWholeWordAndHiddenColumns)
{
    const ReportTable table = SearchTable();
    EXPECT_EQ(FindCellDown(table, AllShown, "isp", {.Down = true, .MatchCase = true}, {}),
              (GridCell{6, 2}));
    EXPECT_EQ(FindCellUp(table, AllShown, "isp", {.WholeWord = true}, {}), (GridCell{6, 1}));
    ColumnVisibility noDescription = AllShown;
    noDescription[6] = false;
    EXPECT_FALSE(FindCellUp(table, noDescription, "isp", {}, {}));
    // The row numbers of the hidden column are never found.
    EXPECT_FALSE(FindCellDown(table, AllShown, "4", {.Down = true, .WholeWord = true}, {}));
}

TEST(ReportSearch, FindNextBeforeAnySearchDoesNothing)
{
    ReportSearch search;
    const SearchResult result = search.FindNext(SearchTable(), AllShown, GridCell{0, 1});
    EXPECT_FALSE(result.Cell);
    EXPECT_EQ(result.Message, nullptr);
}

struct FoldCase {
    const char* Text;
    const char* Upper;
};

class LocaleFold : public ::testing::TestWithParam<FoldCase> {};

TEST_P(LocaleFold, UpperCase)
{
    EXPECT_EQ(LocaleUpperCase(GetParam().Text), GetParam().Upper);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, LocaleFold,
    ::testing::Values(FoldCase{"abc xyz", "ABC XYZ"}, FoldCase{"caf\xC3\xA9", "CAF\xC3\x89"},
                      FoldCase{"\xC3\xBF", "\xC5\xB8"}, // y diaeresis
                      FoldCase{"stra\xC3\x9F"
                               "e",
                               "STRA\xC3\x9F"
                               "E"}, // sharp s stays
                      FoldCase{"\xC5\x82\xC3\xB3"
                               "d\xC5\xBA",
                               "\xC5\x81\xC3\x93"
                               "D\xC5\xB9"},
                      FoldCase{"\xD0\xB4\xD0\xB0", "\xD0\x94\xD0\x90"}, // Cyrillic
                      FoldCase{"\xE9t\xFF", "\xE9T\xFF"}));             // no UTF-8

TEST(GridCriteria, IncludePutsTheNewWordFirst)
{
    EXPECT_EQ(AddDescriptionWord("ISP", "Work"), "ISP,Work");
    EXPECT_EQ(AddDescriptionWord("ISP", ""), "ISP");
}

TEST(GridCriteria, ItemsOfTheClickedCell)
{
    const ReportTable table = SearchTable();
    CellCriteriaItems items = CellCriteriaFor(table, 6, 1);
    EXPECT_EQ(items.Kind, CellCriteriaKind::Description);
    EXPECT_EQ(items.IncludeCaption, "&Include: ISP");
    EXPECT_EQ(items.ExcludeCaption, "&Exclude: ISP");
    items = CellCriteriaFor(table, 0, 2);
    EXPECT_EQ(items.IncludeCaption, "&Begin: 3/5/2001");
    EXPECT_EQ(items.ExcludeCaption, "&End: 3/5/2001");
    EXPECT_EQ(CellCriteriaDate(items), EncodeDate(2001, 3, 5));
    EXPECT_EQ(CellCriteriaFor(table, 1, 1).Kind, CellCriteriaKind::None); // a time
    EXPECT_EQ(CellCriteriaFor(table, 6, 4).Kind, CellCriteriaKind::None); // a total row
    EXPECT_EQ(CellCriteriaFor(table, 6, 0).Kind, CellCriteriaKind::None); // the heads
    EXPECT_EQ(CellCriteriaFor(table, -1, -1).Kind, CellCriteriaKind::None);
    EXPECT_TRUE(IsGridTotalRow(table, 4));
    EXPECT_FALSE(IsGridTotalRow(table, 3));
}

TEST(GridCriteria, MessageRowAndEmptyCellsOfferNothing)
{
    ReportTable table;
    WriteHeadRow(table);
    table.StartRow(RowKind::Message);
    table.AddCell("There was no data found matching the criteria.");
    for (int c = 1; c < ReportTextColumns; ++c)
        table.AddCell("");
    EXPECT_EQ(CellCriteriaFor(table, 0, 1).Kind, CellCriteriaKind::None);
    EXPECT_EQ(CellCriteriaFor(table, 6, 1).Kind, CellCriteriaKind::None);
    EXPECT_FALSE(IsGridTotalRow(table, 1));
}

TEST(GridCriteria, UnreadableDateRaises)
{
    CellCriteriaItems items;
    items.Text = "31/31/2001";
    EXPECT_THROW(CellCriteriaDate(items), ConversionError);
}

TEST(GridCriteria, DescriptionBoxesSwitchTheCriteria)
{
    TCfg cfg;
    DescriptionBoxesChanged(cfg, "ISP", "");
    EXPECT_EQ(cfg.CriteriaDescripAll, "0");
    DescriptionBoxesChanged(cfg, "", "Test");
    EXPECT_EQ(cfg.CriteriaDescripAll, "0");
    DescriptionBoxesChanged(cfg, "", "");
    EXPECT_EQ(cfg.CriteriaDescripAll, "1");
}

} // namespace

} // namespace dialtally
