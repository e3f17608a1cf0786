#include "TestSupport.h"

#include "reports/ReportFile.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

// A report path that stops being a readable file between the choice of the
// file and its reading: the report in hand stays as it was.
TEST(ReportFileFaults, APathThatVanishesLeavesTheReportAsItWas)
{
    TempFolder folder;
    RecordingFrontEnd ui;
    struct Case {
        const char* Name;
        void (*Break)(const TempFolder&);
        const char* Reason;
    };
    const Case cases[] = {
        {"removed", [](const TempFolder& f) { std::filesystem::remove(f.File("Gone.rep")); },
         "The file was not found."},
        {"dangling link",
         [](const TempFolder& f) {
             std::filesystem::remove(f.File("Gone.rep"));
             std::filesystem::create_symlink(f.File("nowhere.rep"), f.File("Gone.rep"));
         },
         "The file was not found."},
        {"replaced by a folder",
         [](const TempFolder& f) {
             std::filesystem::remove(f.File("Gone.rep"));
             std::filesystem::create_directory(f.File("Gone.rep"));
         },
         "A dial-up connection may be active."},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(folder.File("Gone.rep"));
        folder.Write("Gone.rep", "ReportDescription=Vanishing\r\n");
        TCfg report;
        SetReportDefaults(report, folder.File("Default.rep"));
        report.ReportDescription = "Mine";
        const TCfg before = report;
        std::string reportFolder = "/reports/";
        RecentFiles recent;
        c.Break(folder);
        ui.Messages.clear();
        EXPECT_FALSE(ReadReportFile(report, folder.File("Gone.rep"), reportFolder, recent))
            << c.Name;
        EXPECT_TRUE(SameReport(report, before)) << c.Name;
        EXPECT_EQ(report.FileName, before.FileName) << c.Name;
        EXPECT_EQ(reportFolder, "/reports/") << c.Name;
        EXPECT_EQ(recent.Entries[0], "") << c.Name;
        ASSERT_EQ(ui.Messages.size(), 1u) << c.Name;
        EXPECT_EQ(ui.Messages[0].Text,
                  "An error occurred reading " + folder.File("Gone.rep") + ".\n\r" + c.Reason)
            << c.Name;
    }
}

} // namespace

} // namespace dialtally
