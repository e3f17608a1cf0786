#include "reports/ReportFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace dialtally {

namespace {

TCfg Defaults(const std::string& path = "/reports/Default.rep")
{
    TCfg report;
    SetReportDefaults(report, path);
    return report;
}

// Every saved field set to a text of its own; one of them holds "=".
TCfg Distinct()
{
    TCfg report = Defaults();
    int n = 0;
    for (const ReportField& field : ReportFields())
        report.*field.Member = std::string(field.Key) + "-" + std::to_string(++n);
    report.CriteriaInclude = "a=b,c==d";
    report.ServiceProviders.clear();
    return report;
}

} // namespace

struct DefaultDatesCase {
    const char* Preset;
    const char* DateFrom;
    const char* DateTo;
    const char* TimeFrom;
    const char* TimeTo;
};

void PrintTo(const DefaultDatesCase& c, std::ostream* os)
{
    *os << c.Preset;
}

class ReportDefaultDates : public testing::TestWithParam<DefaultDatesCase> {};

TEST_P(ReportDefaultDates, FollowTheRegionalSettings)
{
    const DefaultDatesCase& c = GetParam();
    ScopedRegional regional(c.Preset);
    const TCfg report = Defaults();
    EXPECT_EQ(report.CriteriaDateFrom, c.DateFrom);
    EXPECT_EQ(report.CriteriaDateTo, c.DateTo);
    EXPECT_EQ(report.CriteriaTimeFrom, c.TimeFrom);
    EXPECT_EQ(report.CriteriaTimeTo, c.TimeTo);
    // The as-defined copies start equal to the criteria.
    EXPECT_EQ(report.DefDateFrom, c.DateFrom);
    EXPECT_EQ(report.DefTimeTo, c.TimeTo);
}

INSTANTIATE_TEST_SUITE_P(Presets, ReportDefaultDates,
                         testing::Values(DefaultDatesCase{"en-US", "1/1/2000", "12/31/2000",
                                                          "12:00:00 AM", "11:59:59 PM"},
                                         DefaultDatesCase{"de-DE", "1.1.2000", "31.12.2000",
                                                          "00:00:00", "23:59:59"}),
                         [](const auto& info) {
                             std::string name = info.param.Preset;
                             name.erase(name.find('-'), 1);
                             return name;
                         });

TEST(ReportFile, DefaultsAreWrittenAsThirtySevenLines)
{
    TempFolder folder;
    TCfg report = Defaults();
    report.FileName = "ignored";
    report.Modified = true;
    ASSERT_TRUE(WriteReportFile(report, folder.File("a.rep")));
    EXPECT_EQ(folder.Read("a.rep"), "*\r\n"
                                    "*  Dialtally Report Configuration\r\n"
                                    "*\r\n"
                                    "ReportDescription=Dial-Up Networking\r\n"
                                    "ReportType=Text\r\n"
                                    "LogType=Windows Dial-Up Networking\r\n"
                                    "ServiceProviders=\r\n"
                                    "CriteriaDateAll=1\r\n"
                                    "CriteriaDateFrom=1/1/2000\r\n"
                                    "CriteriaDateTo=12/31/2000\r\n"
                                    "CriteriaTimeAll=1\r\n"
                                    "CriteriaTimeFrom=12:00:00 AM\r\n"
                                    "CriteriaTimeTo=11:59:59 PM\r\n"
                                    "CriteriaDescripAll=1\r\n"
                                    "CriteriaInclude=\r\n"
                                    "CriteriaExclude=\r\n"
                                    "DetailDateOn=1\r\n"
                                    "DetailTimeOn=1\r\n"
                                    "DetailDateOff=0\r\n"
                                    "DetailTimeOff=0\r\n"
                                    "DetailDuration=1\r\n"
                                    "DetailCost=0\r\n"
                                    "DetailService=1\r\n"
                                    "DetailShow=1\r\n"
                                    "TotalDay=0\r\n"
                                    "TotalWeek=0\r\n"
                                    "TotalMonth=0\r\n"
                                    "TotalYear=0\r\n"
                                    "TotalTotal=1\r\n"
                                    "TotalShow=1\r\n"
                                    "ColSize=1\r\n"
                                    "ColAlign=0\r\n"
                                    "ColStretch=0\r\n"
                                    "GraphYAxis=1\r\n"
                                    "Graph3d=1\r\n"
                                    "GraphValues=1\r\n"
                                    "GraphLegend=0\r\n");
}

TEST(ReportFile, AllSavedFieldsSurviveARoundTrip)
{
    TempFolder folder;
    const TCfg written = Distinct();
    ASSERT_TRUE(WriteReportFile(written, folder.File("all.rep")));

    TCfg read = Defaults();
    std::string reportFolder;
    RecentFiles recent;
    RecordingFrontEnd frontEnd;
    ASSERT_TRUE(ReadReportFile(read, folder.File("all.rep"), reportFolder, recent));
    for (const ReportField& field : ReportFields())
        EXPECT_EQ(read.*field.Member, written.*field.Member) << field.Key;
    EXPECT_EQ(read.CriteriaInclude, "a=b,c==d");
    EXPECT_EQ(read.ServiceProviders, "");
    EXPECT_TRUE(frontEnd.Messages.empty());
}

TEST(ReportFile, ReadingAppliesOnlyTheKeysTheFileHas)
{
    TempFolder folder;
    folder.Write("graph.rep",
                 "*\r\n*  Dialtally Report Configuration\r\n*\r\nReportType=Graph\r\n");
    TCfg report = Distinct();
    report.FileName = "/elsewhere/Old.rep";
    report.Modified = true;
    report.TotalsMode = 2;
    report.DefTotalDay = "stale";
    const TCfg before = report;
    std::string reportFolder = "/elsewhere/";
    RecentFiles recent;
    recent.Entries[0] = "/elsewhere/Old.rep";
    RecordingFrontEnd frontEnd;

    ASSERT_TRUE(ReadReportFile(report, folder.File("graph.rep"), reportFolder, recent));

    for (const ReportField& field : ReportFields()) {
        if (std::string(field.Key) != "ReportType") {
            EXPECT_EQ(report.*field.Member, before.*field.Member) << field.Key;
        }
    }
    EXPECT_EQ(report.ReportType, "Graph");
    EXPECT_EQ(report.FileName, folder.File("graph.rep"));
    EXPECT_FALSE(report.Modified);
    EXPECT_EQ(report.TotalsMode, 0);
    EXPECT_EQ(report.DefTotalDay, before.TotalDay);
    EXPECT_EQ(reportFolder, folder.Path());
    EXPECT_EQ(recent.Entries[0], folder.File("graph.rep"));
    EXPECT_EQ(recent.Entries[1], "/elsewhere/Old.rep");
    ASSERT_FALSE(frontEnd.StatusTexts.empty());
    EXPECT_EQ(frontEnd.StatusTexts.back(), std::make_pair(0, std::string("graph")));
}

TEST(ReportFile, FileOfBannersOnlyChangesNoField)
{
    TempFolder folder;
    folder.Write("empty.rep", "*\r\n*  Dialtally Report Configuration\r\n*\r\n");
    TCfg report = Distinct();
    const TCfg before = report;
    std::string reportFolder;
    RecentFiles recent;
    RecordingFrontEnd frontEnd;
    ASSERT_TRUE(ReadReportFile(report, folder.File("empty.rep"), reportFolder, recent));
    EXPECT_TRUE(SameReport(report, before));
}

struct ParseCase {
    const char* Line;
    const char* ReportType;      // expected afterwards; it starts as "Text"
    const char* CriteriaInclude; // expected afterwards; it starts empty
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << '"' << c.Line << '"';
}

class ReportLineParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(ReportLineParsing, AppliesExactKeysOnly)
{
    TCfg report = Defaults();
    ParseReportLine(report, GetParam().Line);
    EXPECT_EQ(report.ReportType, GetParam().ReportType);
    EXPECT_EQ(report.CriteriaInclude, GetParam().CriteriaInclude);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReportLineParsing,
    testing::Values(
        ParseCase{"ReportType=Graph", "Graph", ""}, ParseCase{"ReportType=", "", ""},
        ParseCase{"ReportType=Split ", "Split ", ""}, // values are not trimmed
        ParseCase{"CriteriaInclude=a=b,c", "Text", "a=b,c"},
        ParseCase{" ReportType=Graph", "Text", ""}, ParseCase{"ReportType =Graph", "Text", ""},
        ParseCase{"reporttype=Graph", "Text", ""}, ParseCase{"REPORTTYPE=Graph", "Text", ""},
        ParseCase{"ReportTypeGraph", "Text", ""},
        ParseCase{"*  Dialtally Report Configuration", "Text", ""}, ParseCase{"", "Text", ""},
        ParseCase{"FileName=/x.rep", "Text", ""}, ParseCase{"=Graph", "Text", ""}));

TEST(ReportFile, KeyGivenTwiceKeepsItsLastValue)
{
    TempFolder folder;
    folder.Write("twice.rep", "ReportType=Graph\nreporttype=Text\r\nReportType=Split\r");
    TCfg report = Defaults();
    std::string reportFolder;
    RecentFiles recent;
    RecordingFrontEnd frontEnd;
    ASSERT_TRUE(ReadReportFile(report, folder.File("twice.rep"), reportFolder, recent));
    EXPECT_EQ(report.ReportType, "Split");
}

// A report that is missing, or that is there but cannot be read, leaves
// the report, its folder and the recent list as they were and says why.
TEST(ReportFile, AFileThatCannotBeReadLeavesEverythingAsItWas)
{
    const struct {
        const char* Name;
        bool Exists; // as a folder, which cannot be read as a file
        const char* Reason;
    } cases[] = {{"gone.rep", false, "The file was not found."},
                 {"dir.rep", true, "A dial-up connection may be active."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TempFolder folder;
        if (c.Exists)
            std::filesystem::create_directory(folder.File(c.Name));
        TCfg report = Distinct();
        report.FileName = "/old/Old.rep";
        report.Modified = true;
        const TCfg before = report;
        std::string reportFolder = "/old/";
        RecentFiles recent;
        recent.Entries[0] = "/old/Old.rep";
        recent.Entries[1] = folder.File(c.Name); // neither moved up nor dropped
        const RecentFiles recentBefore = recent;
        RecordingFrontEnd frontEnd;

        EXPECT_FALSE(ReadReportFile(report, folder.File(c.Name), reportFolder, recent));

        EXPECT_TRUE(SameReport(report, before));
        EXPECT_EQ(report.FileName, "/old/Old.rep");
        EXPECT_TRUE(report.Modified);
        EXPECT_EQ(reportFolder, "/old/");
        EXPECT_EQ(recent.Entries, recentBefore.Entries);
        EXPECT_EQ(frontEnd.Texts(MessageKind::Error),
                  std::vector<std::string>{"An error occurred reading " + folder.File(c.Name) +
                                           ".\n\r" + c.Reason});
    }
}

TEST(ReportFile, WriteFailureShowsTheWriteError)
{
    TempFolder folder;
    RecordingFrontEnd frontEnd;
    const std::string path = folder.File("no-such-folder/a.rep");
    EXPECT_FALSE(WriteReportFile(Defaults(), path));
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred writing " + path + "."});
}

TEST(DefaultTemplate, MissingFileGivesTheBuiltInDefaultsSilently)
{
    TempFolder folder;
    RecordingFrontEnd frontEnd;
    TCfg report = Distinct();
    report.Modified = true;
    report.DatesMode = 3;
    EXPECT_TRUE(LoadDefaultTemplate(report, folder.File("Default.rep")));
    EXPECT_TRUE(SameReport(report, Defaults()));
    EXPECT_EQ(report.FileName, folder.File("Default.rep"));
    EXPECT_FALSE(report.Modified);
    EXPECT_EQ(report.DatesMode, 0);
    EXPECT_EQ(report.DefTotalDay, "0");
    EXPECT_EQ(report.DefDateAll, "1");
    EXPECT_TRUE(frontEnd.Messages.empty());
}

TEST(DefaultTemplate, FileOverlaysTheDefaults)
{
    TempFolder folder;
    folder.Write("Default.rep", "*\r\nReportDescription=Mine\r\nTotalDay=1\r\n");
    RecordingFrontEnd frontEnd;
    TCfg report;
    EXPECT_TRUE(LoadDefaultTemplate(report, folder.File("Default.rep")));
    TCfg expected = Defaults();
    expected.ReportDescription = "Mine";
    expected.TotalDay = "1";
    EXPECT_TRUE(SameReport(report, expected));
    EXPECT_EQ(report.FileName, folder.File("Default.rep"));
    EXPECT_TRUE(frontEnd.Messages.empty());
}

TEST(DefaultTemplate, UnreadableFileShowsTheReadError)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.File("Default.rep"));
    RecordingFrontEnd frontEnd;
    TCfg report;
    EXPECT_FALSE(LoadDefaultTemplate(report, folder.File("Default.rep")));
    EXPECT_TRUE(SameReport(report, Defaults()));
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error).size(), 1u);
}

TEST(ReportFile, MakeCurrentSetsFileFolderAndStatusTitle)
{
    RecordingFrontEnd frontEnd;
    TCfg report;
    std::string reportFolder;
    MakeCurrent(report, reportFolder, "/home/u/My reports/Phone.v2.rep");
    EXPECT_EQ(report.FileName, "/home/u/My reports/Phone.v2.rep");
    EXPECT_EQ(reportFolder, "/home/u/My reports/");
    ASSERT_EQ(frontEnd.StatusTexts.size(), 1u);
    EXPECT_EQ(frontEnd.StatusTexts[0], std::make_pair(0, std::string("Phone")));
}

TEST(SameReport, IgnoresTheDocumentState)
{
    TCfg a = Distinct();
    TCfg b = a;
    b.FileName = "/other.rep";
    b.Modified = true;
    b.TotalsMode = b.DatesMode = b.TimesMode = b.DescripMode = 1;
    b.DefTotalDay = b.DefInclude = b.DefExclude = b.DefTimeTo = "x";
    EXPECT_TRUE(SameReport(a, b));
}

TEST(SameReport, EverySavedFieldCountsAndCaseMatters)
{
    const TCfg a = Distinct();
    for (const ReportField& field : ReportFields()) {
        TCfg b = a;
        b.*field.Member += "!";
        EXPECT_FALSE(SameReport(a, b)) << field.Key;
    }
    TCfg lower = a;
    lower.ReportType = "reporttype-2";
    EXPECT_FALSE(SameReport(a, lower));
}

class ReportChangeClassOfField : public testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(ReportChangeClassOfField, DependsOnTheFieldThatDiffers)
{
    const auto& [key, expected] = GetParam();
    const TCfg a = Defaults();
    TCfg b = a;
    bool found = false;
    for (const ReportField& field : ReportFields())
        if (std::string(field.Key) == key) {
            b.*field.Member = "changed";
            found = true;
        }
    ASSERT_TRUE(found) << key;
    EXPECT_EQ(ReportChangeClass(a, b), expected);
    EXPECT_EQ(ReportChangeClass(b, a), expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, ReportChangeClassOfField,
                         testing::Values(std::pair{"LogType", 1}, std::pair{"ServiceProviders", 1},
                                         std::pair{"CriteriaTimeTo", 1},
                                         std::pair{"CriteriaExclude", 1},
                                         std::pair{"ReportDescription", 2},
                                         std::pair{"TotalWeek", 2}, std::pair{"ColAlign", 2},
                                         std::pair{"GraphYAxis", 2}, std::pair{"ReportType", 3},
                                         std::pair{"Graph3d", 3}, std::pair{"GraphLegend", 3},
                                         std::pair{"DetailCost", 4}, std::pair{"ColSize", 4},
                                         std::pair{"ColStretch", 4}),
                         [](const auto& info) { return std::string(info.param.first); });

TEST(ReportChangeClass, TheLowestClassThatAppliesWins)
{
    const TCfg a = Defaults();
    TCfg b = a;
    EXPECT_EQ(ReportChangeClass(a, b), 4);
    b.FileName = "/x.rep";
    b.Modified = true;
    EXPECT_EQ(ReportChangeClass(a, b), 4);
    b.Graph3d = "0";
    b.DetailCost = "1";
    EXPECT_EQ(ReportChangeClass(a, b), 3);
    b.TotalWeek = "1";
    EXPECT_EQ(ReportChangeClass(a, b), 2);
    b.CriteriaExclude = "x";
    EXPECT_EQ(ReportChangeClass(a, b), 1);
}

TEST(ReportFile, ExtensionBecomesRep)
{
    const std::map<std::string, std::string> cases = {
        {"/r/a.txt", "/r/a.rep"},           {"/r/a", "/r/a.rep"},     {"/r/a.b.txt", "/r/a.b.rep"},
        {"/r.d/a", "/r.d/a.rep"},           {"/r/a.rep", "/r/a.rep"}, {"a.txt", "a.rep"},
        {"/r/Untitled", "/r/Untitled.rep"},
    };
    for (const auto& [chosen, expected] : cases)
        EXPECT_EQ(WithReportExtension(chosen), expected) << chosen;
}

} // namespace dialtally
