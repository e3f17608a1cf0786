#include "TestSupport.h"

#include "reports/ReportFile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

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

// Paths another start hands over: only regular files named *.rep are
// opened, and whatever else came in the burst is named in one message.
TEST(ReportFileFaults, HandedOverPathsThatAreNoReportFilesAreNotOpened)
{
    TempFolder folder;
    RecordingFrontEnd ui;
    folder.Write("Week.rep", "ReportDescription=Week\r\n");
    folder.Write("Upper.REP", "ReportDescription=Upper\r\n");
    folder.Write("notes.txt", "ReportDescription=Notes\r\n");
    std::filesystem::create_directory(folder.File("Folder.rep"));
    ASSERT_EQ(::mkfifo(folder.File("Pipe.rep").c_str(), 0600), 0);
    std::vector<std::string> lines{"\"" + folder.File("Week.rep") + "\"",
                                   folder.File("notes.txt"),
                                   "",
                                   folder.File("Folder.rep"),
                                   folder.File("Pipe.rep"),
                                   folder.File("Upper.REP"),
                                   folder.File("Missing.rep")};
    for (int n = 0; n < 12; ++n)
        lines.push_back(folder.File("Gone" + std::to_string(n) + ".rep"));
    std::vector<std::string> opened;
    OpenHandedOverReports(lines, [&](const std::string& path) { opened.push_back(path); });
    EXPECT_EQ(opened,
              (std::vector<std::string>{folder.File("Week.rep"), folder.File("Upper.REP")}));
    std::string expected = "These files were not opened:\n\r" + folder.File("notes.txt") +
                           ": not a report file (*.rep)\n\r" + folder.File("Folder.rep") +
                           ": not a report file (*.rep)\n\r" + folder.File("Pipe.rep") +
                           ": not a report file (*.rep)\n\r" + folder.File("Missing.rep") +
                           ": not found";
    for (int n = 0; n < 6; ++n)
        expected += "\n\r" + folder.File("Gone" + std::to_string(n) + ".rep") + ": not found";
    expected += "\n\r... and 6 more.";
    EXPECT_EQ(ui.Texts(MessageKind::Error), std::vector<std::string>{expected});
}

} // namespace

} // namespace dialtally
