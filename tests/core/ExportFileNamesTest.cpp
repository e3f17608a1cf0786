#include "reports/ExportFileNames.h"

#include "reports/ExportWriters.h"

#include <gtest/gtest.h>

namespace dialtally {

TEST(ExportFileNames, ChangeFileExtTouchesOnlyTheName)
{
    struct Case {
        const char* Path;
        const char* Extension;
        const char* Expected;
    } cases[] = {
        {"/home/u/Week.rep", ".csv", "/home/u/Week.csv"},
        {"C:\\Reports\\Week.rep", ".csv", "C:\\Reports\\Week.csv"},
        {"/home/u.v/Week", ".csv", "/home/u.v/Week.csv"},
        {"/home/u/Week.2001.rep", ".htm", "/home/u/Week.2001.htm"},
        {"", ".csv", ".csv"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChangeFileExt(c.Path, c.Extension), c.Expected) << c.Path;
}

TEST(ExportFileNames, FirstExportProposesTheReportAsCsv)
{
    EXPECT_EQ(ProposedExportFile("", "/r/Week.rep"), "/r/Week.csv");
    EXPECT_EQ(ProposedExportFile("/x/last.htm", "/r/Week.rep"), "/x/last.htm");
    EXPECT_EQ(ExportFileForType("/r/Week.csv", ExportHtml), "/r/Week.htm");
    EXPECT_EQ(ExportFileForType("/r/Week.csv", ExportDocx), "/r/Week.docx");
    EXPECT_EQ(ExportFileForType("/r/Week.csv", 9), "/r/Week.csv");
}

// A save dialog may carry the "*" of the HTML pattern "*.htm*" into the name.
TEST(ExportFileNames, BrowsingGivesPlainNamesWithTheTypesExtension)
{
    struct Case {
        const char* Path;
        int Format;
        int FilterIndex;
        const char* Expected;
    } cases[] = {
        {"/r/Monthly.htm*", ExportHtml, 1, "/r/Monthly.htm"},
        {"/r/Monthly.csv", ExportHtml, 1, "/r/Monthly.htm"},
        {"/r/Monthly.*", ExportText, 1, "/r/Monthly.txt"},
        {"/r/Mon?thly", ExportCsv, 1, "/r/Monthly.csv"},
        {"/r.d/Monthly.html", ExportHtml, 2, "/r.d/Monthly.html"},
        {"/r/Monthly.htm*", ExportHtml, 2, "/r/Monthly.htm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BrowsedExportFile(c.Path, c.Format, c.FilterIndex), c.Expected) << c.Path;
    EXPECT_EQ(ProposedExportFile("/x/last.htm*", "/r/Week.rep"), "/x/last.htm");
}

TEST(ExportFileNames, ChartFilterForcesItsExtension)
{
    EXPECT_EQ(ChartPicturePath("/r/Week.bmp", 2), "/r/Week.svg");
    EXPECT_EQ(ChartPicturePath("/r/Week.bmp", 3), "/r/Week.pdf");
    EXPECT_EQ(ChartPicturePath("/r/Week.svg", 1), "/r/Week.bmp");
    EXPECT_EQ(ChartPicturePath("/r/Week", 4), "/r/Week.bmp");
}

TEST(ExportFileNames, SplitFilterPairsNamesAndPatterns)
{
    const auto pairs = SplitFilter("HTML Files (*.htm)|*.htm*|All Files|*.*");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, "HTML Files (*.htm)");
    EXPECT_EQ(pairs[0].second, "*.htm*");
    EXPECT_EQ(pairs[1].second, "*.*");
    EXPECT_EQ(SplitFilter(ChartPictureFilter).size(), 4u);
    EXPECT_TRUE(SplitFilter("odd").empty());
}

} // namespace dialtally
