#include "app/Settings.h"
#include "TestSupport.h"
#include "app/MainCaption.h"
#include "base/NewIniFile.h"
#include "reports/Colors.h"
#include "reports/FontEntry.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

struct SettingsFixture : ::testing::Test {
    TempFolder folder;
    RecordingFrontEnd frontEnd;
    FixedFolders folders;

    SettingsFixture() { folders.Documents = "/home/u/Documents/"; }
    std::string IniPath() const { return folder.File("Dialtally.ini"); }
    // The built-in values with the file's text read over them.
    Settings Loaded(const std::string& text) const
    {
        folder.Write("Dialtally.ini", text);
        Settings settings = DefaultSettings(folders);
        LoadSettings(IniPath(), settings);
        return settings;
    }
};

// ---- colours and font entries

TEST(Colors, IdentifiersReadInAnyCaseAndWriteByName)
{
    EXPECT_EQ(IdentToColor("CLWINDOW"), clWindow);
    EXPECT_EQ(IdentToColor("clwindowtext"), clWindowText);
    EXPECT_EQ(IdentToColor("ClInfoBk"), SystemColor(24));
    EXPECT_EQ(IdentToColor("clNone"), 0x1FFFFFFF);
    EXPECT_EQ(IdentToColor("clMoneyGreen"), std::nullopt);
    EXPECT_EQ(clWindow, -2147483643);
    EXPECT_EQ(ColorToString(clFuchsia), "clFuchsia");
    EXPECT_EQ(ColorToString(cl3DDkShadow), "cl3DDkShadow");
    EXPECT_EQ(ColorToString(0x00FF8040), "$00FF8040");
    EXPECT_EQ(ColorToString(SystemColor(30)), "$8000001E");
    EXPECT_EQ(StringToColor("$00FF8040"), 0x00FF8040);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-2147483643"), clWindow);
    EXPECT_EQ(StringToColor("0x10"), std::nullopt);
    EXPECT_EQ(StringToColor("red"), std::nullopt);
}

struct FontCase {
    const char* Entry;
    bool Parsed;
    FontSpec Expected; // the font after reading over Start()
};

FontSpec Start()
{
    return FontSpec{"Courier New", 12, clNavy, FontPitch::Fixed, fsUnderline};
}

class FontEntryTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontEntryTest, ReadsACompleteEntryOrLeavesTheFont)
{
    FontSpec font = Start();
    EXPECT_EQ(ParseFontEntry(GetParam().Entry, font), GetParam().Parsed);
    EXPECT_EQ(font, GetParam().Expected) << GetParam().Entry;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FontEntryTest,
    ::testing::Values(
        FontCase{"MS Sans Serif,clWindowText,8,d,b",
                 true,
                 {"MS Sans Serif", 8, clWindowText, FontPitch::Default, fsBold}},
        FontCase{"Arial,CLRED,10,v,sibu",
                 true,
                 {"Arial", 10, clRed, FontPitch::Variable,
                  fsBold | fsItalic | fsUnderline | fsStrikeOut}},
        FontCase{
            "Arial,clRed,10,f,usib",
            true,
            {"Arial", 10, clRed, FontPitch::Fixed, fsBold | fsItalic | fsUnderline | fsStrikeOut}},
        // An empty style field is a plain font; an unknown pitch the default one.
        FontCase{"Arial,$00FF8040,9,d,", true, {"Arial", 9, 0x00FF8040, FontPitch::Default, 0}},
        FontCase{"Arial,255,9,x,b,q i",
                 true,
                 {"Arial", 9, clRed, FontPitch::Default, fsBold | fsItalic}},
        FontCase{",clBlack,7,d,", true, {"", 7, clBlack, FontPitch::Default, 0}},
        // Three commas, no style field: the font stays as it was.
        FontCase{"Arial,clRed,10,b", false, Start()}, FontCase{"Arial,clRed,10", false, Start()},
        FontCase{"Arial,clRed", false, Start()}, FontCase{"Arial", false, Start()},
        FontCase{"", false, Start()}, FontCase{"Arial,reddish,10,d,b", false, Start()},
        FontCase{"Arial,clRed,ten,d,b", false, Start()}));

TEST(FontEntry, WritesNameColourSizePitchAndStylesInTheirOrder)
{
    EXPECT_EQ(FontEntryText({"MS Sans Serif", 8, clWindowText, FontPitch::Default, fsBold}),
              "MS Sans Serif,clWindowText,8,d,b");
    EXPECT_EQ(FontEntryText({"Arial", 11, 0x123456, FontPitch::Fixed,
                             fsStrikeOut | fsUnderline | fsItalic | fsBold}),
              "Arial,$00123456,11,f,bius");
    EXPECT_EQ(FontEntryText({"Arial", 8, clNone, FontPitch::Variable, 0}), "Arial,clNone,8,v,");
}

// ---- loading

TEST_F(SettingsFixture, MissingFileGivesEveryDefault)
{
    Settings settings = DefaultSettings(folders);
    LoadSettings(folder.File("none.ini"), settings);
    EXPECT_EQ(settings, DefaultSettings(folders));
    EXPECT_TRUE(frontEnd.Messages.empty());

    EXPECT_EQ(settings.Files.Path, "/home/u/Documents/");
    EXPECT_EQ(settings.Files.Default, "/home/u/Documents/Default.rep");
    EXPECT_FALSE(settings.Toolbars.Btn[6]);
    EXPECT_FALSE(settings.Toolbars.Btn[8]);
    EXPECT_EQ(FontEntryText(settings.Text.TotalFont), "MS Sans Serif,clWindowText,8,d,b");
}

TEST_F(SettingsFixture, NoDocumentsFolderGivesAnEmptyReportFolder)
{
    folders.Documents.clear();
    const Settings settings = DefaultSettings(folders);
    EXPECT_EQ(settings.Files.Path, "");
    EXPECT_EQ(settings.Files.Default, "Default.rep");
}

struct BoundsCase {
    const char* Window;
    int Left, Top, Width, Height;
};

class WindowBoundsTest : public SettingsFixture,
                         public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(WindowBoundsTest, OnlyAPlacedWindowReplacesTheDesignedBounds)
{
    const WindowSettings window = Loaded(GetParam().Window).Window;
    EXPECT_EQ(window.Left, GetParam().Left);
    EXPECT_EQ(window.Top, GetParam().Top);
    EXPECT_EQ(window.Width, GetParam().Width);
    EXPECT_EQ(window.Height, GetParam().Height);
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, WindowBoundsTest,
    ::testing::Values(
        BoundsCase{"[Window]\nLeft=10\nTop=20\nWidth=600\nHeight=400\n", 10, 20, 600, 400},
        BoundsCase{"[Window]\nLeft=0\nTop=0\nWidth=600\nHeight=400\n", 0, 0, 600, 400},
        BoundsCase{"[Window]\nLeft=-4\nTop=-4\nWidth=1032\nHeight=776\n", -99, -99, -99, -99},
        BoundsCase{"[Window]\nLeft=10\nTop=20\nWidth=0\nHeight=400\n", -99, -99, -99, -99},
        BoundsCase{"[Window]\nLeft=10\nTop=20\nWidth=600\n", -99, -99, -99, -99},
        BoundsCase{"[Window]\nLeft=x\nTop=20\nWidth=600\nHeight=400\n", -99, -99, -99, -99}));

// The designed 590 by 348 fits a font of 6 by 13 pixels; a larger platform
// font gets a larger first window, and the bars and first rows always fit.
TEST(FirstWindowSize, ScalesTheDesignedSizeByTheFont)
{
    struct Case {
        FontUnits Font;
        WindowSize Room;
        WindowSize Expected;
    } cases[] = {
        {{6, 13}, {0, 0}, {590, 348}},     {{7, 17}, {0, 0}, {688, 455}},
        {{12, 26}, {0, 0}, {1180, 696}},   {{3, 13}, {0, 0}, {295, 348}},
        {{0, 13}, {0, 0}, {590, 348}},     {{6, -1}, {0, 0}, {590, 348}},
        {{7, 14}, {753, 464}, {753, 464}}, {{7, 17}, {600, 500}, {688, 500}},
    };
    for (const Case& c : cases) {
        const WindowSize size = FirstWindowSize(c.Font, c.Room);
        EXPECT_EQ(size.Width, c.Expected.Width) << c.Font.CharWidth << "x" << c.Font.LineHeight;
        EXPECT_EQ(size.Height, c.Expected.Height) << c.Font.CharWidth << "x" << c.Font.LineHeight;
    }
}

TEST_F(SettingsFixture, WindowStateOutsideItsRangeIsIgnored)
{
    EXPECT_EQ(Loaded("[Window]\nState=1\n").Window.State, 1);
    EXPECT_EQ(Loaded("[Window]\nState=7\n").Window.State, 0);
    EXPECT_FALSE(Loaded("[Window]\nStatusBar=0\n").Window.StatusBar);
}

TEST_F(SettingsFixture, RepeatedAndEmptyRecentFilesAreKeptOnce)
{
    const Settings settings = Loaded("[Files]\nRecent1=A\nRecent2=B\nRecent3=A\nRecent4=\n"
                                     "Recent5=C\n");
    const std::array<std::string, 8> expected{"A", "B", "C", "", "", "", "", ""};
    EXPECT_EQ(settings.Files.Recent.Entries, expected);
}

struct FilesCase {
    const char* Files;
    const char* Path;
    const char* Default;
};

class ReportFolderTest : public SettingsFixture, public ::testing::WithParamInterface<FilesCase> {};

TEST_P(ReportFolderTest, DefaultReportFollowsTheReportFolder)
{
    const FilesSettings files = Loaded(GetParam().Files).Files;
    EXPECT_EQ(files.Path, GetParam().Path);
    EXPECT_EQ(files.Default, GetParam().Default);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReportFolderTest,
    ::testing::Values(
        FilesCase{"[Files]\nPath=/r/\nDefault=/r/Mine.rep\n", "/r/", "/r/Mine.rep"},
        FilesCase{"[Files]\nPath=/r/\nDefault=\n", "/r/", "/r/Default.rep"},
        FilesCase{"[Files]\nPath=/r/\n", "/r/", "/r/Default.rep"},
        FilesCase{"[Files]\nPath=/r\n", "/r/", "/r/Default.rep"},
        FilesCase{"[Files]\nPath=\n", "/home/u/Documents/", "/home/u/Documents/Default.rep"},
        FilesCase{"[Other]\n", "/home/u/Documents/", "/home/u/Documents/Default.rep"}));

TEST_F(SettingsFixture, BandsMoveToTheirPositionsTakingRowBreakAndWidthAlong)
{
    const ToolbarSettings bars = Loaded("[Toolbars]\nBar1i=3\nBar1w=100\nBar2i=2\nBar2b=0\n"
                                        "Bar3i=9\nBar4b=1\n")
                                     .Toolbars;
    // 3 moved to the front; 2 stays second; 9 names no band; breaks and
    // widths not in the file stay with their bands.
    const std::array<BandSettings, 4> expected{
        {{3, false, 100}, {2, false, 440}, {0, true, 590}, {1, true, 590}}};
    EXPECT_EQ(bars.Bands, expected);
}

TEST_F(SettingsFixture, CutAndPasteStayHiddenWhateverTheFileSays)
{
    const ToolbarSettings bars =
        Loaded("[Toolbars]\nBtn5=0\nBtn6=1\nBtn8=1\nBtn36=0\nTextLabels=1\nButtons=0\n").Toolbars;
    EXPECT_FALSE(bars.Btn[5]);
    EXPECT_FALSE(bars.Btn[6]);
    EXPECT_FALSE(bars.Btn[8]);
    EXPECT_TRUE(bars.Btn[7]);
    EXPECT_FALSE(bars.Btn[36]);
    EXPECT_TRUE(bars.TextLabels);
    EXPECT_FALSE(bars.Buttons);
}

TEST_F(SettingsFixture, ColoursAndFontsReadOverTheirCurrentValues)
{
    const Settings settings =
        Loaded("[Text]\nBackground=$00FFFFFF\nTotalBackground=junk\nTitleFont=Arial,CLMAROON,9,"
               "d,i\nDetailFont=Arial,clRed,9,d\n[Graph]\nBackground=-2147483643\n");
    EXPECT_EQ(settings.Text.Background, clWhite);
    EXPECT_EQ(settings.Text.TotalBackground, clWindow);
    EXPECT_EQ(FontEntryText(settings.Text.TitleFont), "Arial,clMaroon,9,d,i");
    EXPECT_EQ(settings.Text.DetailFont, FontSpec{});
    EXPECT_EQ(settings.Graph.Background, clWindow);
}

TEST_F(SettingsFixture, PrintSettingsStayDesignedWithoutAPrinterSection)
{
    EXPECT_EQ(Loaded("[Window]\nLeft=1\n").Printer, PrintSettings{});
    const PrintSettings printer =
        Loaded("[Printer]\nCentered=Y\nRepeatFixedRows=N\nNoAutoSize=maybe\nFontStyle=3\n"
               "FontColor=255\nDateFormat=yyyy-mm-dd\n")
            .Printer;
    EXPECT_TRUE(printer.Centered);
    EXPECT_FALSE(printer.RepeatFixedRows);
    EXPECT_FALSE(printer.NoAutoSize);
    EXPECT_EQ(printer.Font.Style, fsBold | fsItalic);
    EXPECT_EQ(printer.Font.Color, clRed);
    EXPECT_EQ(printer.DateFormat, "yyyy-mm-dd");
}

// ---- saving

// Every field away from its built-in value.
Settings Changed(const Folders& folders)
{
    Settings s = DefaultSettings(folders);
    s.Window = {12, 34, 640, 480, 1, false};
    s.Toolbars.Buttons = false;
    s.Toolbars.Criteria = false;
    s.Toolbars.Logfile = true;
    s.Toolbars.TextLabels = true;
    s.Toolbars.Bands = {{{2, false, 300}, {0, true, 200}, {3, true, 120}, {1, false, 90}}};
    for (int i = 1; i <= ToolbarItemCount; i += 3)
        s.Toolbars.Btn[static_cast<std::size_t>(i)] = false;
    s.Text.TitleFont = {"Verdana", 10, clTeal, FontPitch::Variable, fsItalic};
    s.Text.DetailFont = {"Tahoma", 9, 0x00102030, FontPitch::Fixed, fsUnderline};
    s.Text.TotalFont = {"Tahoma", 9, clHighlightText, FontPitch::Default, fsStrikeOut};
    s.Text.Background = clInfoBk;
    s.Text.TotalBackground = 0x00ABCDEF;
    s.Graph.TitleFont = {"Georgia", 14, clRed, FontPitch::Default, fsBold | fsItalic};
    s.Graph.AxisFont = {"Georgia", 7, clNone, FontPitch::Default, 0};
    s.Graph.LabelFont = {"Georgia", 6, clWhite, FontPitch::Fixed, fsBold};
    s.Graph.Background = clWindow;
    s.Options = {true, true, true, true, true, true, true, true, true};
    s.Files.Path = "/reports/";
    s.Files.Default = "/reports/Start.rep";
    for (const char* path : {"/r/h.rep", "/r/g.rep", "/r/f.rep", "/r/e.rep", "/r/d.rep", "/r/c.rep",
                             "/r/b.rep", "/r/a.rep"})
        AddRecentFile(s.Files.Recent, path);
    s.Archive = {"/backup/modem.arc", true, false};
    s.Export = {"/out/report.htm", 2};
    s.Html = {3, 2, "/f.htm", "/h.htm", "<p>", "</p>", true, false, "border:1", 80};
    PrintSettings& p = s.Printer;
    p = {1,
         2,
         3,
         4,
         5,
         true,
         true,
         true,
         true,
         false,
         true,
         8,
         6,
         0,
         3,
         6,
         1,
         "mm/dd",
         "Title  1/1/2026 - 2/1/2026",
         11,
         12,
         13,
         14,
         3,
         FontSpec{"Arial", 9, clBlue, FontPitch::Default, fsBold},
         FontSpec{"Times", 10, clGreen, FontPitch::Default, fsItalic},
         FontSpec{"Courier", 11, clWindow, FontPitch::Default, fsUnderline | fsStrikeOut},
         " of ",
         "]",
         "[",
         1};
    return s;
}

TEST_F(SettingsFixture, EverySectionSurvivesASaveAndLoad)
{
    const Settings saved = Changed(folders);
    ASSERT_TRUE(SaveSettings(IniPath(), saved));
    Settings loaded = DefaultSettings(folders);
    LoadSettings(IniPath(), loaded);
    EXPECT_EQ(loaded.Window, saved.Window);
    EXPECT_EQ(loaded.Toolbars, saved.Toolbars);
    EXPECT_EQ(loaded.Text, saved.Text);
    EXPECT_EQ(loaded.Graph, saved.Graph);
    EXPECT_EQ(loaded.Options, saved.Options);
    EXPECT_EQ(loaded.Files, saved.Files);
    EXPECT_EQ(loaded.Archive, saved.Archive);
    EXPECT_EQ(loaded.Export, saved.Export);
    EXPECT_EQ(loaded.Html, saved.Html);
    EXPECT_EQ(loaded.Printer, saved.Printer);
    EXPECT_TRUE(frontEnd.Messages.empty());
}

TEST_F(SettingsFixture, SavesSectionsAndKeysInTheirOrderAndForm)
{
    Settings settings = DefaultSettings(folders);
    AddRecentFile(settings.Files.Recent, "/r/a.rep");
    AddRecentFile(settings.Files.Recent, "/r/two\nlines.rep"); // no name the file keeps
    ASSERT_TRUE(SaveSettings(IniPath(), settings));
    const std::string text = folder.Read("Dialtally.ini");
    std::size_t last = 0;
    for (const char* section :
         {"[Window]\r\nState=0\r\nStatusBar=1\r\n\r\n[Toolbars]\r\n",
          "Bar1i=0\r\nBar1b=1\r\nBar1w=590\r\n", "Btn36=1\r\n",
          "[Text]\r\nTitleFont=MS Sans Serif,clWindowText,8,d,\r\n", "Background=-2147483643\r\n",
          "[Graph]\r\n", "Background=-2147483633\r\n", "[Options]\r\nLoadDefault=0\r\n",
          "[Files]\r\nPath=/home/u/Documents/\r\n", "Recent1=/r/a.rep\r\nRecent2=\r\n",
          "[Archive]\r\n", "[Export]\r\n", "[HTML]\r\nBorderSize=1\r\n", "[Printer]\r\n",
          "Centered=N\r\n", "FontColor=-2147483640\r\n"}) {
        const std::size_t at = text.find(section, last);
        ASSERT_NE(at, std::string::npos) << section;
        last = at;
    }
    EXPECT_NE(text.find("Btn6=0\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Left="), std::string::npos);
}

TEST_F(SettingsFixture, UnknownSectionsAndKeysSurviveASave)
{
    folder.Write("Dialtally.ini", "[Files]\r\nPath=/old/\r\nMine=kept\r\n\r\n[Plugins]\r\nA=1\r\n");
    ASSERT_TRUE(SaveSettings(IniPath(), Changed(folders)));
    const TNewIniFile file(IniPath());
    EXPECT_EQ(file.ReadString("Files", "Mine", ""), "kept");
    EXPECT_EQ(file.ReadString("Plugins", "A", ""), "1");
    EXPECT_EQ(file.ReadString("Files", "Path", ""), "/reports/");
    // Existing sections keep their place at the top.
    EXPECT_EQ(folder.Read("Dialtally.ini").rfind("[Files]\r\nPath=/reports/\r\nMine=kept\r\n", 0),
              0u);
}

TEST_F(SettingsFixture, MaximizedWindowKeepsTheStoredBounds)
{
    folder.Write("Dialtally.ini", "[Window]\r\nLeft=10\r\nTop=20\r\nWidth=600\r\nHeight=400\r\n");
    Settings settings = DefaultSettings(folders);
    settings.Window = {-4, -4, 1032, 776, 1, true};
    ASSERT_TRUE(SaveSettings(IniPath(), settings));
    const Settings loaded = Loaded(folder.Read("Dialtally.ini"));
    EXPECT_EQ(loaded.Window, (WindowSettings{10, 20, 600, 400, 1, true}));
}

TEST_F(SettingsFixture, WindowAtTheScreenEdgeKeepsItsPlace)
{
    Settings settings = DefaultSettings(folders);
    settings.Window = {0, 0, 600, 400, 0, true};
    ASSERT_TRUE(SaveSettings(IniPath(), settings));
    EXPECT_EQ(Loaded(folder.Read("Dialtally.ini")).Window, settings.Window);
}

// ---- caption

struct RecordingCaption : CaptionSink {
    std::vector<std::string> Captions;
    void SetCaption(const std::string& caption) override { Captions.push_back(caption); }
};

TEST(MainCaption, TitleComesBeforeTheProgramName)
{
    RecordingCaption window;
    SetMainCaption(window, "Monthly costs");
    SetMainCaption(window, "");
    EXPECT_EQ(window.Captions,
              (std::vector<std::string>{"Monthly costs - Dialtally", "Dialtally"}));
}

} // namespace

} // namespace dialtally
