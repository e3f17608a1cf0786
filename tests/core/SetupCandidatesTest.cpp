#include "TestSupport.h"

#include "logs/SetupCandidates.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

TEST(SetupCandidates, ModemLogFirstThenLogFiles)
{
    TempFolder windows;
    for (const char* name : {"zmodem.log", "Setup.LOG", "MODEMLOG.TXT", "notes.txt", ".log"})
        windows.Write(name, "x");
    std::filesystem::create_directory(windows.File("folder.log"));
    EXPECT_EQ(SetupCandidates(windows.Path()),
              (std::vector<std::string>{windows.File("MODEMLOG.TXT"), windows.File("Setup.LOG"),
                                        windows.File("zmodem.log")}));
}

// Above the logs found on this machine: not a file offered there with its
// format, and of the system's log folder (no Wine) no "*.log" but a modem log.
TEST(SetupCandidates, TheWindowsListLeavesOutWhatIsNoWindowsLog)
{
    TempFolder windows;
    for (const char* name : {"ModemLog.txt", "wvdial.log", "Modem 1.log"})
        windows.Write(name, "x");
    const std::vector<DetectedLog> found{{windows.File("wvdial.log"), 3, 2}};
    EXPECT_EQ(
        WindowsSetupCandidates(windows.Path(), found),
        (std::vector<std::string>{windows.File("ModemLog.txt"), windows.File("Modem 1.log")}));
    // The same folder through a link, or spelled otherwise.
    std::filesystem::create_directory_symlink(windows.Path(), windows.File("link"));
    EXPECT_EQ(WindowsSetupCandidates(windows.File("link"), found).size(), 2u);
    for (const char* system : {"/var/log", "/var//log/", "/var/log/."})
        for (const std::string& path : WindowsSetupCandidates(system, {}))
            EXPECT_TRUE(path.ends_with("/ModemLog.txt") || path.ends_with("/modemlog.txt")) << path;
}

TEST(SetupCandidates, EmptyOrMissingFolderGivesNone)
{
    TempFolder windows;
    EXPECT_TRUE(SetupCandidates(windows.Path()).empty());
    EXPECT_TRUE(SetupCandidates(windows.File("missing")).empty());
}

TEST(SetupCandidates, ChoiceGoesToFormatOneAndIsSaved)
{
    TempFolder home;
    RecordingFrontEnd ui;
    FixedFolders folders;
    folders.Program = home.Path();
    folders.Windows = "/win/";
    TLCfg formats;
    LoadDefaultLogFormats(formats, folders);
    formats.LogType[1] = "Renamed";
    ASSERT_TRUE(ApplySetupChoice(formats, "/win/Modem 1.log", home.Path()));

    TLCfg loaded;
    LoadLogFormats(loaded, folders);
    EXPECT_EQ(loaded.Count, 2);
    EXPECT_EQ(loaded.LogType[1], "Renamed");
    EXPECT_EQ(loaded.LogFile[1], "/win/Modem 1.log");
    EXPECT_EQ(loaded.LogType[2], "Windows Update (Win98)");
}

} // namespace

} // namespace dialtally
