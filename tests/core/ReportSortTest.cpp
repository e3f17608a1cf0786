#include "reports/ReportSort.h"

#include "TestSupport.h"
#include "base/ConversionError.h"
#include "reports/GridCriteria.h"
#include "reports/ReportEngine.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

using Row = std::array<std::string, ReportTextColumns>;

ReportTable MakeTable(const std::vector<Row>& rows, RowKind kind = RowKind::Detail)
{
    ReportTable table;
    WriteHeadRow(table);
    for (const Row& row : rows) {
        table.StartRow(kind);
        for (const std::string& cell : row)
            table.AddCell(cell);
    }
    return table;
}

// Column values top to bottom, each with its row number.
std::vector<std::string> Column(const ReportTable& table, int column)
{
    std::vector<std::string> cells;
    for (int row = 1; row < table.RowCount(); ++row)
        cells.push_back(table.CellText(row, column) + "#" + table.CellText(row, SequenceColumn));
    return cells;
}

Row Detail(std::string date, std::string time, std::string duration, std::string cost,
           std::string service)
{
    return {date, time, date, time, duration, cost, service};
}

struct SortCase {
    const char* Name;
    int Column;
    SortStyle Style;
    std::vector<std::string> Cells; // the column's texts in build order
    std::vector<std::string> Sorted;
};

class SortColumn : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortColumn, OrdersByTheStyle)
{
    const SortCase& c = GetParam();
    std::vector<Row> rows;
    for (const std::string& cell : c.Cells) {
        Row row;
        row[c.Column] = cell;
        rows.push_back(row);
    }
    ReportTable table = MakeTable(rows);
    SortReportRows(table, c.Column, c.Style, true);
    std::vector<std::string> sorted;
    for (int row = 1; row < table.RowCount(); ++row)
        sorted.emplace_back(table.Cell(row, c.Column));
    EXPECT_EQ(sorted, c.Sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SortColumn,
    ::testing::Values(SortCase{"Duration",
                               4,
                               SortStyle::Duration,
                               {"10:00:00", "1:00:00", "0:09:59", "2:00:00"},
                               {"0:09:59", "1:00:00", "2:00:00", "10:00:00"}},
                      SortCase{"DayNames",
                               0,
                               SortStyle::Date,
                               {"Mon 12/1/2000", "Fri 2/4/2000", "Tue 2/1/2000"},
                               {"Tue 2/1/2000", "Fri 2/4/2000", "Mon 12/1/2000"}},
                      SortCase{"Time",
                               1,
                               SortStyle::Time,
                               {"1:00:00 PM", "11:30:00 AM", "12:10:00 AM"},
                               {"12:10:00 AM", "11:30:00 AM", "1:00:00 PM"}},
                      SortCase{"Amount",
                               5,
                               SortStyle::Amount,
                               {"$10.00", "$9.50", "$0.21"},
                               {"$0.21", "$9.50", "$10.00"}},
                      SortCase{"Numeric",
                               1,
                               SortStyle::Numeric,
                               {"12", "", "3", " ", "7.5"},
                               {" ", "", "3", "7.5", "12"}},
                      SortCase{
                          "Text", 6, SortStyle::Text, {"b", "B", "a", "Z"}, {"B", "Z", "a", "b"}},
                      SortCase{"HugeDuration",
                               4,
                               SortStyle::Duration,
                               {"900000:00:00", "1:00:00"},
                               {"1:00:00", "900000:00:00"}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(SortReportRows, StableInBothDirections)
{
    ReportTable table =
        MakeTable({Detail("1/1/2000", "", "", "", "a"), Detail("1/2/2000", "", "", "", "b"),
                   Detail("1/1/2000", "", "", "", "c")});
    SortReportRows(table, 0, SortStyle::Date, false);
    EXPECT_EQ(Column(table, 6), (std::vector<std::string>{"b#2", "a#1", "c#3"}));
    SortReportRows(table, 0, SortStyle::Date, true);
    EXPECT_EQ(Column(table, 6), (std::vector<std::string>{"a#1", "c#3", "b#2"}));
}

TEST(SortReportRows, GermanDecimalComma)
{
    ScopedRegional german("de-DE");
    ReportTable table =
        MakeTable({{"", "", "", "", "10,5", "", ""}, {"", "", "", "", "9,75", "", ""}});
    SortReportRows(table, 4, SortStyle::Numeric, true);
    EXPECT_EQ(Column(table, 4), (std::vector<std::string>{"9,75#2", "10,5#1"}));
}

TEST(SortReportRows, UnreadableDateLeavesTheTable)
{
    ReportTable table =
        MakeTable({Detail("2/1/2000", "", "", "", "a"), Detail("1/1/2000", "", "", "", "b"),
                   Detail("no date", "", "", "", "c")});
    const std::string before = table.Text;
    EXPECT_THROW(SortReportRows(table, 0, SortStyle::Date, true), ConversionError);
    EXPECT_EQ(table.Text, before);
    EXPECT_TRUE(table.Sequence.empty());
}

TEST(SortByColumnClick, SameColumnReversesAnotherStartsAscending)
{
    TCfg cfg;
    cfg.DetailShow = "1";
    cfg.TotalShow = "0";
    ReportTable table = MakeTable({Detail("1/1/2000", "", "0:10:00", "$1.00", "b"),
                                   Detail("1/2/2000", "", "0:05:00", "$2.00", "a"),
                                   Detail("1/3/2000", "", "0:20:00", "$3.00", "c")});
    SortIndicator sort; // as the build leaves it: Date On, ascending
    ASSERT_TRUE(SortByColumnClick(table, sort, cfg, 0, false));
    EXPECT_EQ(Column(table, 6), (std::vector<std::string>{"c#3", "a#2", "b#1"}));
    EXPECT_FALSE(sort.Ascending);
    ASSERT_TRUE(SortByColumnClick(table, sort, cfg, 4, false));
    EXPECT_EQ(Column(table, 6), (std::vector<std::string>{"a#2", "b#1", "c#3"}));
    ASSERT_TRUE(SortByColumnClick(table, sort, cfg, 4, false));
    EXPECT_EQ(Column(table, 6), (std::vector<std::string>{"c#3", "b#1", "a#2"}));
    EXPECT_EQ(sort.Column, 4);
}

TEST(SortByColumnClick, NotOfferedWithBothSectionsOrFewRows)
{
    TCfg cfg;
    cfg.DetailShow = "1";
    cfg.TotalShow = "1";
    ReportTable table =
        MakeTable({Detail("1/2/2000", "", "", "", "b"), Detail("1/1/2000", "", "", "", "a")});
    SortIndicator sort;
    sort.Column = 6;
    EXPECT_FALSE(SortByColumnClick(table, sort, cfg, 0, false));
    cfg.TotalShow = "0";
    ReportTable small = MakeTable({Detail("1/2/2000", "", "", "", "b")});
    EXPECT_FALSE(SortByColumnClick(small, sort, cfg, 0, false));
    EXPECT_EQ(Column(table, 6), (std::vector<std::string>{"b#1", "a#2"}));
    EXPECT_EQ(sort.Column, 6);
}

class EngineTables : public ::testing::Test {
protected:
    // Three days of 3, 1 and 2 connections; totals only, by day.
    void SetUp() override
    {
        const int perDay[] = {3, 1, 2};
        for (int day = 0; day < 3; ++day)
            for (int k = 0; k < perDay[day]; ++k) {
                const int i = AddConnection(m_rep);
                m_rep.DateTimeOn[i] = EncodeDate(2001, 3, 5 + day) + (10 + k) / 24.0;
                m_rep.DateTimeOff[i] = m_rep.DateTimeOn[i] + 0.01;
                m_rep.Duration[i] = 864;
                m_rep.Service[i] = "Net";
            }
        for (std::string* flag : {&m_cfg.TotalDay, &m_cfg.TotalTotal, &m_cfg.TotalShow})
            *flag = "1";
        m_cfg.DetailShow = "0";
    }
    ReportOutput Build(const TCfg& cfg)
    {
        ReportOutput output;
        NoDisplay display;
        ReportEngine(output, display).BuildReport(cfg, m_rep, EngineOptions{});
        return output;
    }
    TRep m_rep;
    TCfg m_cfg;
};

TEST_F(EngineTables, TotalsByCountThenDescriptionRestoresBuildOrder)
{
    ReportOutput output = Build(m_cfg);
    const std::string built = output.Table.Text;
    ASSERT_TRUE(SortByColumnClick(output.Table, output.Sort, m_cfg, 1, false));
    EXPECT_EQ(Column(output.Table, 1), (std::vector<std::string>{"1#2", "2#3", "3#1", "6#4"}));
    ASSERT_TRUE(SortByColumnClick(output.Table, output.Sort, m_cfg, 6, false));
    EXPECT_EQ(output.Table.Text, built);
    EXPECT_EQ(output.Table.CellText(4, SequenceColumn), "4");
}

TEST_F(EngineTables, GridTotalRuleAgreesWithTheEngine)
{
    m_cfg.DetailShow = "1";
    m_cfg.TotalWeek = m_cfg.TotalMonth = m_cfg.TotalYear = "1";
    const ReportTable table = Build(m_cfg).Table;
    ASSERT_GT(table.RowCount(), 10);
    for (int row = 1; row < table.RowCount(); ++row)
        EXPECT_EQ(IsGridTotalRow(table, row),
                  table.Cell(row, 1) != " " && table.Cell(row, 2) == " ")
            << row;
}

} // namespace

} // namespace dialtally
