#include "reports/ReportProperties.h"
#include "base/ConversionError.h"
#include "reports/ReportFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

TLCfg Formats(std::initializer_list<const char*> names)
{
    TLCfg table;
    for (const char* name : names)
        table.LogType[++table.Count] = name;
    return table;
}

TProv Providers(std::initializer_list<const char*> names)
{
    TProv table;
    for (const char* name : names)
        table.Provider[++table.Count] = name;
    return table;
}

TCfg Defaults()
{
    TCfg report;
    SetReportDefaults(report, "/reports/Default.rep");
    return report;
}

} // namespace

TEST(ReportProperties, JoinServiceProviders)
{
    EXPECT_EQ(JoinServiceProviders({"A", "B", "C"}, {true, false, true}), "A,C");
    EXPECT_EQ(JoinServiceProviders({"A", "B"}, {false, false}), "");
    EXPECT_EQ(JoinServiceProviders({}, {}), "");
}

TEST(ReportProperties, SortedNamesIgnoreLetterCase)
{
    EXPECT_EQ(SortedNames({"beta", "Alpha", "alpha", "Gamma"}),
              (std::vector<std::string>{"Alpha", "alpha", "beta", "Gamma"}));
}

TEST(ReportProperties, ListIndexOf)
{
    struct Case {
        const char* Value;
        int Offset;
        int Items;
        int Index;
    };
    for (const Case& c :
         {Case{"1", 0, 2, 1}, Case{"0", 0, 2, 0}, Case{"2", 0, 2, -1}, Case{"-1", 0, 2, -1},
          Case{"5", 1, 5, 4}, Case{"1", 1, 5, 0}, Case{"0", 1, 5, -1}, Case{" 3", 1, 5, 2},
          Case{"2147483647", 1, 5, -1}, Case{"-2147483648", 1, 5, -1}})
        EXPECT_EQ(ListIndexOf(c.Value, c.Offset, c.Items), c.Index) << c.Value;
    for (const char* bad : {"", "x", "1.0", "1 ", "99999999999"})
        EXPECT_THROW(ListIndexOf(bad, 0, 2), ConversionError) << bad;
}

TEST(ReportProperties, UnchangedDefaultsWriteBackUnchangedAndModified)
{
    const TCfg defaults = Defaults();
    const PropertiesValues v = ReadPropertiesValues(
        defaults, Formats({"Windows Update", "Windows Dial-Up Networking"}), Providers({}));
    TCfg written = Defaults();
    written.TotalsMode = 3;
    written.DefTotalDay = "x";
    WritePropertiesValues(v, written);
    EXPECT_TRUE(SameReport(written, defaults));
    EXPECT_TRUE(written.Modified);
    EXPECT_EQ(written.TotalsMode, 0);
    EXPECT_EQ(written.DefTotalDay, written.TotalDay);
}

TEST(ReportProperties, LogTypeTakesTheListsLetterCaseOrBecomesEmpty)
{
    TCfg report = Defaults();
    report.LogType = "windows UPDATE";
    const TLCfg formats = Formats({"Windows Update", "Modem"});
    PropertiesValues v = ReadPropertiesValues(report, formats, Providers({}));
    EXPECT_EQ(v.LogIndex, 1);
    WritePropertiesValues(v, report);
    EXPECT_EQ(report.LogType, "Windows Update");

    report.LogType = "Nowhere";
    v = ReadPropertiesValues(report, formats, Providers({}));
    EXPECT_EQ(v.LogIndex, -1);
    WritePropertiesValues(v, report);
    EXPECT_EQ(report.LogType, "");
}

TEST(ReportProperties, ValuesOutsideTheirListsWriteTheIndexOfNoSelection)
{
    TCfg report = Defaults();
    report.ReportType = "text";
    report.ColSize = "7";
    report.GraphYAxis = "9";
    report.Graph3d = "-3";
    const PropertiesValues v = ReadPropertiesValues(report, Formats({}), Providers({}));
    EXPECT_EQ(v.View, -1);
    WritePropertiesValues(v, report);
    EXPECT_EQ(report.ReportType, "text"); // no button on: unchanged
    EXPECT_EQ(report.ColSize, "-1");
    EXPECT_EQ(report.GraphYAxis, "0");
    EXPECT_EQ(report.Graph3d, "-1");
}

TEST(ReportProperties, DatesAndTimesComeBackInTheRegionalForm)
{
    {
        TCfg report = Defaults();
        report.CriteriaDateFrom = "03/05/2001";
        report.CriteriaTimeFrom = "14:20";
        WritePropertiesValues(ReadPropertiesValues(report, Formats({}), Providers({})), report);
        EXPECT_EQ(report.CriteriaDateFrom, "3/5/2001");
        EXPECT_EQ(report.CriteriaTimeFrom, "2:20:00 PM");
    }
    ScopedRegional german("de-DE");
    TCfg report = Defaults();
    report.CriteriaDateTo = "05.03.2001";
    report.CriteriaTimeTo = "7:05";
    WritePropertiesValues(ReadPropertiesValues(report, Formats({}), Providers({})), report);
    EXPECT_EQ(report.CriteriaDateTo, "5.3.2001");
    EXPECT_EQ(report.CriteriaTimeTo, "07:05:00");
}

TEST(ReportProperties, UnreadableValuesRaise)
{
    const std::vector<std::pair<std::string TCfg::*, const char*>> cases = {
        {&TCfg::CriteriaDateFrom, "31/31/2001"},
        {&TCfg::CriteriaDateTo, "soon"},
        {&TCfg::CriteriaTimeFrom, "25:00"},
        {&TCfg::CriteriaTimeTo, ""},
        {&TCfg::ColSize, "Equal"},
        {&TCfg::ColAlign, ""},
        {&TCfg::GraphYAxis, "1.5"},
        {&TCfg::Graph3d, "3D"}};
    for (const auto& [field, text] : cases) {
        TCfg report = Defaults();
        report.*field = text;
        EXPECT_THROW(ReadPropertiesValues(report, Formats({}), Providers({})), ConversionError)
            << text;
    }
}

TEST(ReportProperties, AppliedChangeClassAgainstTheShownEntry)
{
    const TCfg shown = Defaults();
    THCfg history;
    EXPECT_EQ(AppliedChangeClass(shown, history), 1); // nothing shown yet
    history.Items = {shown};
    history.Count = 1;
    history.Position = 0;
    EXPECT_EQ(AppliedChangeClass(shown, history), 4);

    const std::vector<std::pair<std::string TCfg::*, int>> cases = {
        {&TCfg::CriteriaInclude, 1}, {&TCfg::ServiceProviders, 1}, {&TCfg::ReportDescription, 2},
        {&TCfg::GraphYAxis, 2},      {&TCfg::ReportType, 3},       {&TCfg::GraphLegend, 3},
        {&TCfg::DetailCost, 4},      {&TCfg::ColStretch, 4}};
    for (const auto& [field, expected] : cases) {
        TCfg current = shown;
        current.*field += "9";
        EXPECT_EQ(AppliedChangeClass(current, history), expected);
    }

    history.Position = 1; // past the entries
    EXPECT_EQ(AppliedChangeClass(shown, history), 1);
}

} // namespace dialtally
