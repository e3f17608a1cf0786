#include "TestSupport.h"

#include "logs/LogFormats.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <vector>

namespace dialtally {

namespace {

class LogFormatsFile : public ::testing::Test {
protected:
    FixedFolders MakeFolders() const
    {
        FixedFolders f;
        f.Program = home.Path();
        f.Windows = "/win/";
        f.ProgramFiles = "/pf";
        return f;
    }

    TempFolder home;
    RecordingFrontEnd ui;
    TLCfg table;
};

TEST_F(LogFormatsFile, MissingFileGivesBuiltInFormats)
{
    LoadLogFormats(table, MakeFolders());
    EXPECT_EQ(table.Count, 2);
    EXPECT_EQ(table.Current, 1);
    EXPECT_EQ(table.LogFile[1], "/win/ModemLog.Txt");
    EXPECT_EQ(table.LogFile[2], "/pf/WindowsUpdate/wuhistv3.log");
    EXPECT_EQ(table.Offline[1], "No Carrier,Hanging up");
    EXPECT_EQ(table.OffTime[2], table.OnTime[2]);
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_FALSE(std::filesystem::exists(home.File("Dialtally.log")));
}

TEST_F(LogFormatsFile, SavedBytesAreExact)
{
    table.Count = 1;
    table.LogType[1] = "Mine";
    table.LogFile[1] = "C:=x";
    table.Online[1] = "up";
    ASSERT_TRUE(SaveLogFormats(table, home.Path()));
    EXPECT_EQ(home.Read("Dialtally.log"),
              "*\r\n*  Dialtally Log File Configuration\r\n*\r\n"
              "LogType=Mine\r\nLogFile=C:=x\r\nOnline=up\r\nOnMonth=\r\nOnDate=\r\nOnYear=\r\n"
              "OnTime=\r\nOnAmpm=\r\nOnService=\r\nOffline=\r\nOffMonth=\r\nOffDate=\r\n"
              "OffYear=\r\nOffTime=\r\nOffAmpm=\r\n");
}

// Windows ignores letter case: the built-in format finds the modem log a
// Wine prefix or a copy from Windows holds in another case.
TEST_F(LogFormatsFile, TheModemLogIsFoundInAnyLetterCase)
{
    const struct {
        std::vector<const char*> Files;
        const char* Expected;
    } cases[] = {
        {{}, "ModemLog.Txt"},
        {{"modemlog.txt"}, "modemlog.txt"},
        {{"ModemLog.Txt", "MODEMLOG.TXT"}, "ModemLog.Txt"},
        {{"modemlog.txt", "MODEMLOG.TXT"}, "ModemLog.Txt"}, // which one is meant is unclear
    };
    for (const auto& c : cases) {
        TempFolder windows;
        for (const char* file : c.Files)
            windows.Write(file, "");
        FixedFolders folders = MakeFolders();
        folders.Windows = windows.Path();
        LoadDefaultLogFormats(table, folders);
        EXPECT_EQ(table.LogFile[1], windows.Path() + c.Expected) << c.Expected;
    }
}

TEST_F(LogFormatsFile, RoundTripKeepsEveryValue)
{
    LoadDefaultLogFormats(table, MakeFolders());
    table.Online[2] = "a=b,c";
    table.OnService[1] = "{\"x\"}{'='};";
    ASSERT_TRUE(SaveLogFormats(table, home.Path()));
    TLCfg loaded;
    LoadLogFormats(loaded, MakeFolders());
    EXPECT_EQ(loaded.Count, 2);
    EXPECT_EQ(loaded.Current, 2);
    loaded.Current = table.Current;
    EXPECT_EQ(loaded, table);
}

TEST_F(LogFormatsFile, LoadingRules)
{
    struct Case {
        const char* Name;
        const char* Contents;
        int Count;
        const char* LogType1;
        const char* OnService1;
        const char* LogType2;
    };
    const Case cases[] = {
        {"banners only", "*\r\n*  Dialtally Log File Configuration\r\n*\r\n", 0, "", "", ""},
        {"LogType line only", "LogType=A\r\n", 1, "A", "", ""},
        {"lower-case key starts nothing", "logtype=A\r\nLogType=B\r\n", 1, "B", "", ""},
        {"keys before the first format", "OnService=1;2\r\nLogType=A\r\n", 1, "A", "", ""},
        {"later key wins", "LogType=A\r\nOnService=1;2\r\nOnService=3;4\r\n", 1, "A", "3;4", ""},
        {"LogType= inside another value", "LogType=A\r\nOnService=xLogType=y\r\n", 2, "A", "", ""},
        {"LF and CR line ends", "LogType=A\nOnService=1;2\rLogType=B", 2, "A", "1;2", "B"},
        {"no banner, no final line end", "LogType=A\r\nLogType=B", 2, "A", "", "B"},
    };
    for (const Case& c : cases) {
        home.Write("Dialtally.log", c.Contents);
        TLCfg t;
        LoadLogFormats(t, MakeFolders());
        EXPECT_EQ(t.Count, c.Count) << c.Name;
        EXPECT_EQ(t.Current, t.Count) << c.Name;
        EXPECT_EQ(t.LogType[1], c.LogType1) << c.Name;
        EXPECT_EQ(t.OnService[1], c.OnService1) << c.Name;
        EXPECT_EQ(t.LogType[2], c.LogType2) << c.Name;
    }
    // The value of the line that started format 2 belongs to format 2.
    home.Write("Dialtally.log", "LogType=A\r\nOnService=xLogType=y\r\n");
    TLCfg t;
    LoadLogFormats(t, MakeFolders());
    EXPECT_EQ(t.OnService[2], "xLogType=y");
}

TEST_F(LogFormatsFile, FormatsPastTheTableAreIgnored)
{
    std::string contents;
    for (int i = 1; i <= 300; ++i)
        contents += "LogType=F" + std::to_string(i) + "\r\nLogFile=/f" + std::to_string(i) + "\r\n";
    home.Write("Dialtally.log", contents);
    LoadLogFormats(table, MakeFolders());
    EXPECT_EQ(table.Count, 256);
    EXPECT_EQ(table.LogType[256], "F256");
    EXPECT_EQ(table.LogFile[256], "/f256");
}

TEST_F(LogFormatsFile, UnreadableFileGivesEmptyTableAndReadError)
{
    std::filesystem::create_directory(home.File("Dialtally.log")); // exists, cannot be read
    LoadLogFormats(table, MakeFolders());
    EXPECT_EQ(table.Count, 0);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Kind, MessageKind::Error);
    EXPECT_EQ(ui.Messages[0].Text, "An error occurred reading " + home.File("Dialtally.log") +
                                       ".\n\rA dial-up connection may be active.");
}

TEST_F(LogFormatsFile, FailedSaveKeepsTheOldFileAndSaysSo)
{
    home.Write("Dialtally.log", "LogType=Old\r\n");
    LoadDefaultLogFormats(table, MakeFolders());
    {
        ScopedFileSizeLimit full(64); // the new file fails half-way
        EXPECT_FALSE(SaveLogFormats(table, home.Path()));
    }
    EXPECT_EQ(home.Read("Dialtally.log"), "LogType=Old\r\n");
    EXPECT_EQ(
        ui.Texts(MessageKind::Error),
        std::vector<std::string>{"An error occurred writing " + home.File("Dialtally.log") + "."});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.Path()),
                            std::filesystem::directory_iterator()),
              1); // no temporary file left behind
}

TEST(LogFormats, FindIsExactAndTakesTheFirst)
{
    TLCfg t;
    t.Count = 3;
    t.LogType[1] = "Modem";
    t.LogType[2] = "modem";
    t.LogType[3] = "Modem";
    t.LogType[4] = "Beyond";
    EXPECT_EQ(FindLogFormat(t, "Modem"), 1);
    EXPECT_EQ(FindLogFormat(t, "modem"), 2);
    EXPECT_EQ(FindLogFormat(t, "MODEM"), 0);
    EXPECT_EQ(FindLogFormat(t, "Beyond"), 0);
}

} // namespace

} // namespace dialtally
