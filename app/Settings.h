#pragma once

#include "app/ToolbarItems.h"
#include "base/OneBasedColumn.h"
#include "base/RecentFiles.h"
#include "platform/Folders.h"
#include "reports/Colors.h"
#include "reports/FontEntry.h"
#include "reports/HtmlSettings.h"
#include "reports/PrintSettings.h"

#include <array>
#include <string>

namespace dialtally {

class TNewIniFile;

// Everything Dialtally.ini holds, as plain records. The window copies its
// own state (bounds, bands, items) into these before saving and applies
// them after loading.

struct WindowSettings {
    int Left = -99; // bounds in pixels; -99 until the window was placed
    int Top = -99;
    int Width = -99;
    int Height = -99;
    int State = 0; // 0 normal, 1 maximized, 2 minimized
    bool StatusBar = true;

    // Bounds that describe a placed window; others leave the designed ones.
    bool HasBounds() const { return Left >= 0 && Top >= 0 && Width > 0 && Height > 0; }
    bool operator==(const WindowSettings&) const = default;
};

// The main window's designed size, laid out for a font of about 8 points
// at 96 dots an inch, whose average character is 6 pixels wide and whose
// line is 13 pixels high.
struct WindowSize {
    int Width = 590;
    int Height = 348;
    bool operator==(const WindowSize&) const = default;
};
struct FontUnits {
    int CharWidth = 6;   // average character width, pixels
    int LineHeight = 13; // pixels
};
// Grid rows a first window shows under its bars.
constexpr int FirstWindowGridRows = 15;
// The designed size scaled by the platform font's units against the
// designed font's (unscaled when the units are unknown, 0), and at least
// the room the bars and the first grid rows take as the toolkit lays them
// out.
WindowSize FirstWindowSize(const FontUnits& platform, const WindowSize& room = {0, 0});

// One band of the cool bar: 0 the menu bar, 1 the button bar, 2 the
// criteria bar, 3 the log file box.
struct BandSettings {
    int Id = 0;
    bool Break = true; // starts a new row
    int Width = 0;     // pixels

    bool operator==(const BandSettings&) const = default;
};

constexpr int BandCount = 4;

struct ToolbarSettings {
    bool Buttons = true;     // band 1 shown
    bool Criteria = true;    // band 2 shown
    bool Logfile = false;    // band 3 shown
    bool TextLabels = false; // captions on the buttons of both bars
    // In position order, left to right and top to bottom.
    std::array<BandSettings, BandCount> Bands{
        {{0, true, 590}, {1, true, 590}, {2, true, 440}, {3, false, 150}}};
    // Btn[N] for key "BtnN".
    OneBasedColumn<bool, ToolbarItemCount> Btn = AllItemsShown();

    static constexpr OneBasedColumn<bool, ToolbarItemCount> AllItemsShown()
    {
        OneBasedColumn<bool, ToolbarItemCount> shown{};
        for (int i = 1; i <= ToolbarItemCount; ++i)
            shown[i] = !IsNeverShownItem(i);
        return shown;
    }
    bool operator==(const ToolbarSettings&) const = default;
};

// Moves the band with that identifier to the position (1..4), the bands
// between shifting up or down. An unknown identifier changes nothing.
void MoveBand(ToolbarSettings& toolbars, int id, int position);

// Fonts and colours of the text grid.
struct TextDisplay {
    FontSpec TitleFont;                             // heading row
    FontSpec DetailFont;                            // detail rows
    FontSpec TotalFont = FontSpec{.Style = fsBold}; // total rows
    TColor Background = clWindow;
    TColor TotalBackground = clWindow;

    bool operator==(const TextDisplay&) const = default;
};

// Fonts and colours of the chart.
struct GraphDisplay {
    FontSpec TitleFont = FontSpec{.Name = "Arial"};                   // title, left axis title
    FontSpec AxisFont = FontSpec{.Name = "Arial"};                    // axis labels
    FontSpec LabelFont = FontSpec{.Name = "Arial", .Color = clBlack}; // legend, value labels
    TColor Background = clBtnFace;

    bool operator==(const GraphDisplay&) const = default;
};

struct ProgramOptions {
    bool LoadDefault = false; // start with the default report
    bool LoadRecent = false;  // start with the newest recent report
    bool DayInclude = false;  // day of the week with dates
    bool DurationDec = false; // duration as a decimal
    bool TextTop = false;     // text from the top
    bool PrintDisplayFonts = false;
    bool GraphCopyMeta = false; // copy the chart as a metafile
    bool SplitVertical = false;
    bool GraphTop = false; // chart at the top or left of a split view

    bool operator==(const ProgramOptions&) const = default;
};

struct FilesSettings {
    std::string Path;    // the report folder, with its separator; may be empty
    std::string Default; // the default report
    RecentFiles Recent;

    bool operator==(const FilesSettings& other) const
    {
        return Path == other.Path && Default == other.Default &&
               Recent.Entries == other.Recent.Entries;
    }
};

struct ArchiveSettings {
    std::string File;  // archive target
    bool Skip = false; // skip unnecessary data
    bool Clear = true; // clear the source after archiving

    bool operator==(const ArchiveSettings&) const = default;
};

struct ExportFileSettings {
    std::string File; // last export file
    int Format = 0;   // index into the export types

    bool operator==(const ExportFileSettings&) const = default;
};

struct Settings {
    WindowSettings Window;
    ToolbarSettings Toolbars;
    TextDisplay Text;
    GraphDisplay Graph;
    ProgramOptions Options;
    FilesSettings Files;
    ArchiveSettings Archive;
    ExportFileSettings Export;
    HtmlSettings Html;
    PrintSettings Printer;

    bool operator==(const Settings&) const = default;
};

// The built-in values: the report folder is the documents folder, the
// default report "Default.rep" in it.
Settings DefaultSettings(const Folders& folders);
// Dialtally.ini in the program folder.
std::string SettingsPath(const std::string& programFolder);

// Reads every section over the current values, so a missing file,
// section or key keeps them. A file that exists but cannot be read shows
// ShowReadError.
void LoadSettings(const std::string& path, Settings& settings);
void LoadSettings(const TNewIniFile& file, Settings& settings);
// Writes every section into the file as it stands on disk, keeping what
// else it holds. A failure shows ShowWriteError and leaves the old file
// whole. False on failure.
bool SaveSettings(const std::string& path, const Settings& settings);
void WriteSettings(TNewIniFile& file, const Settings& settings);

} // namespace dialtally
