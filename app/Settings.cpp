#include "app/Settings.h"

#include "base/NewIniFile.h"

#include <algorithm>

namespace dialtally {

namespace {

constexpr const char* WindowSection = "Window";
constexpr const char* ToolbarsSection = "Toolbars";
constexpr const char* FilesSection = "Files";
constexpr const char* DefaultReportName = "Default.rep";

std::string BarKey(int position, char kind)
{
    return "Bar" + std::to_string(position) + kind;
}

std::string BtnKey(int index)
{
    return "Btn" + std::to_string(index);
}

std::string RecentKey(int index)
{
    return "Recent" + std::to_string(index);
}

// A folder typed into the file by hand may lack its separator; without it
// the default report would land beside the folder instead of in it.
std::string AsFolder(std::string path)
{
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    return path;
}

// The sections whose keys are read and written alike, in their file order.
template <class Io, class S> void VisitPlainSections(Io& io, S& s)
{
    io.Section("Text");
    io.Font("TitleFont", s.Text.TitleFont);
    io.Font("DetailFont", s.Text.DetailFont);
    io.Font("TotalFont", s.Text.TotalFont);
    io.Color("Background", s.Text.Background);
    io.Color("TotalBackground", s.Text.TotalBackground);

    io.Section("Graph");
    io.Font("TitleFont", s.Graph.TitleFont);
    io.Font("AxisFont", s.Graph.AxisFont);
    io.Font("LabelFont", s.Graph.LabelFont);
    io.Color("Background", s.Graph.Background);

    io.Section("Options");
    io.Switch("LoadDefault", s.Options.LoadDefault);
    io.Switch("LoadRecent", s.Options.LoadRecent);
    io.Switch("DayInclude", s.Options.DayInclude);
    io.Switch("DurationDec", s.Options.DurationDec);
    io.Switch("TextTop", s.Options.TextTop);
    io.Switch("PrintDisplayFonts", s.Options.PrintDisplayFonts);
    io.Switch("GraphCopyMeta", s.Options.GraphCopyMeta);
    io.Switch("SplitVertical", s.Options.SplitVertical);
    io.Switch("GraphTop", s.Options.GraphTop);
}

template <class Io, class S> void VisitDialogSections(Io& io, S& s)
{
    io.Section("Archive");
    io.String("File", s.Archive.File);
    io.Switch("Skip", s.Archive.Skip);
    io.Switch("Clear", s.Archive.Clear);

    io.Section("Export");
    io.String("File", s.Export.File);
    io.Integer("Format", s.Export.Format);

    io.Section("HTML");
    io.Integer("BorderSize", s.Html.BorderSize);
    io.Integer("CellSpacing", s.Html.CellSpacing);
    io.String("FooterFile", s.Html.FooterFile);
    io.String("HeaderFile", s.Html.HeaderFile);
    io.String("PrefixTag", s.Html.PrefixTag);
    io.String("SuffixTag", s.Html.SuffixTag);
    io.Switch("SaveColor", s.Html.SaveColor);
    io.Switch("SaveFonts", s.Html.SaveFonts);
    io.String("TableStyle", s.Html.TableStyle);
    io.Integer("Width", s.Html.Width);
}

struct Reader {
    const TNewIniFile& File;
    std::string Current;

    void Section(const char* name) { Current = name; }
    void Integer(const char* key, int& value) { value = File.ReadInteger(Current, key, value); }
    void Color(const char* key, TColor& value) { value = File.ReadInteger(Current, key, value); }
    void Switch(const char* key, bool& value) { value = File.ReadBool(Current, key, value); }
    void String(const char* key, std::string& value)
    {
        value = File.ReadString(Current, key, value);
    }
    void Font(const char* key, FontSpec& font) { ReadFontEntry(File, Current, key, font); }
};

struct Writer {
    TNewIniFile& File;
    std::string Current;

    void Section(const char* name) { Current = name; }
    void Integer(const char* key, int value) { File.WriteInteger(Current, key, value); }
    void Color(const char* key, TColor value) { File.WriteInteger(Current, key, value); }
    void Switch(const char* key, bool value) { File.WriteBool(Current, key, value); }
    void String(const char* key, const std::string& value)
    {
        File.WriteString(Current, key, value);
    }
    void Font(const char* key, const FontSpec& font) { WriteFontEntry(File, Current, key, font); }
};

void ReadWindow(const TNewIniFile& file, WindowSettings& window)
{
    WindowSettings read = window;
    read.Left = file.ReadInteger(WindowSection, "Left", -99);
    read.Top = file.ReadInteger(WindowSection, "Top", -99);
    read.Width = file.ReadInteger(WindowSection, "Width", -99);
    read.Height = file.ReadInteger(WindowSection, "Height", -99);
    if (read.HasBounds()) {
        window.Left = read.Left;
        window.Top = read.Top;
        window.Width = read.Width;
        window.Height = read.Height;
    }
    const int state = file.ReadInteger(WindowSection, "State", 0);
    if (state >= 0 && state <= 2)
        window.State = state;
    window.StatusBar = file.ReadBool(WindowSection, "StatusBar", true);
}

void ReadToolbars(const TNewIniFile& file, ToolbarSettings& bars)
{
    bars.Buttons = file.ReadBool(ToolbarsSection, "Buttons", true);
    bars.Criteria = file.ReadBool(ToolbarsSection, "Criteria", true);
    bars.Logfile = file.ReadBool(ToolbarsSection, "Logfile", false);
    bars.TextLabels = file.ReadBool(ToolbarsSection, "TextLabels", false);
    for (int position = 1; position <= BandCount; ++position) {
        const auto at = static_cast<std::size_t>(position - 1);
        MoveBand(bars, file.ReadInteger(ToolbarsSection, BarKey(position, 'i'), bars.Bands[at].Id),
                 position);
        BandSettings& band = bars.Bands[at];
        band.Break = file.ReadBool(ToolbarsSection, BarKey(position, 'b'), band.Break);
        band.Width = file.ReadInteger(ToolbarsSection, BarKey(position, 'w'), band.Width);
    }
    for (int i = 1; i <= ToolbarItemCount; ++i)
        if (!IsNeverShownItem(i))
            bars.Btn[i] = file.ReadBool(ToolbarsSection, BtnKey(i), true);
}

void ReadFiles(const TNewIniFile& file, FilesSettings& files)
{
    const std::string path = file.ReadString(FilesSection, "Path", "");
    if (!path.empty())
        files.Path = AsFolder(path);
    const std::string report = file.ReadString(FilesSection, "Default", "");
    files.Default = report.empty() ? files.Path + DefaultReportName : report;
    // Oldest first, so that the newest ends on top and repeats are kept once.
    for (int i = RecentFiles::Size; i >= 1; --i)
        AddRecentFile(files.Recent, file.ReadString(FilesSection, RecentKey(i), ""));
}

void WriteWindow(TNewIniFile& file, const WindowSettings& window)
{
    // A maximized or never placed window keeps the bounds stored before.
    if (window.HasBounds()) {
        file.WriteInteger(WindowSection, "Left", window.Left);
        file.WriteInteger(WindowSection, "Top", window.Top);
        file.WriteInteger(WindowSection, "Width", window.Width);
        file.WriteInteger(WindowSection, "Height", window.Height);
    }
    file.WriteInteger(WindowSection, "State", window.State);
    file.WriteBool(WindowSection, "StatusBar", window.StatusBar);
}

void WriteToolbars(TNewIniFile& file, const ToolbarSettings& bars)
{
    file.WriteBool(ToolbarsSection, "Buttons", bars.Buttons);
    file.WriteBool(ToolbarsSection, "Criteria", bars.Criteria);
    file.WriteBool(ToolbarsSection, "Logfile", bars.Logfile);
    file.WriteBool(ToolbarsSection, "TextLabels", bars.TextLabels);
    for (int position = 1; position <= BandCount; ++position) {
        const BandSettings& band = bars.Bands[static_cast<std::size_t>(position - 1)];
        file.WriteInteger(ToolbarsSection, BarKey(position, 'i'), band.Id);
        file.WriteBool(ToolbarsSection, BarKey(position, 'b'), band.Break);
        file.WriteInteger(ToolbarsSection, BarKey(position, 'w'), band.Width);
    }
    for (int i = 1; i <= ToolbarItemCount; ++i)
        file.WriteBool(ToolbarsSection, BtnKey(i), bars.Btn[i]);
}

void WriteFiles(TNewIniFile& file, const FilesSettings& files)
{
    file.WriteString(FilesSection, "Path", files.Path);
    file.WriteString(FilesSection, "Default", files.Default);
    // A line break would be written as a blank and the entry read back as
    // another file's name, which Reopen could not find: it is left out.
    int key = 0;
    for (const std::string& entry : files.Recent.Entries)
        if (entry.find_first_of("\r\n") == std::string::npos)
            file.WriteString(FilesSection, RecentKey(++key), entry);
    while (key < RecentFiles::Size)
        file.WriteString(FilesSection, RecentKey(++key), "");
}

} // namespace

WindowSize FirstWindowSize(const FontUnits& platform, const WindowSize& room)
{
    WindowSize size;
    const FontUnits design;
    if (platform.CharWidth > 0 && platform.LineHeight > 0) {
        // Rounded to the nearest pixel, as dialog units are.
        const auto scale = [](int pixels, int now, int then) {
            return (pixels * now + then / 2) / then;
        };
        size = WindowSize{scale(size.Width, platform.CharWidth, design.CharWidth),
                          scale(size.Height, platform.LineHeight, design.LineHeight)};
    }
    return WindowSize{std::max(size.Width, room.Width), std::max(size.Height, room.Height)};
}

void MoveBand(ToolbarSettings& toolbars, int id, int position)
{
    auto& bands = toolbars.Bands;
    const auto found = std::find_if(bands.begin(), bands.end(),
                                    [id](const BandSettings& band) { return band.Id == id; });
    if (found == bands.end() || position < 1 || position > BandCount)
        return;
    const auto target = bands.begin() + (position - 1);
    if (found < target)
        std::rotate(found, found + 1, target + 1);
    else
        std::rotate(target, found, found + 1);
}

Settings DefaultSettings(const Folders& folders)
{
    Settings settings;
    settings.Files.Path = AsFolder(folders.DocumentsFolder());
    settings.Files.Default = settings.Files.Path + DefaultReportName;
    return settings;
}

std::string SettingsPath(const std::string& programFolder)
{
    return WithTrailingSeparator(programFolder) + "Dialtally.ini";
}

void LoadSettings(const TNewIniFile& file, Settings& settings)
{
    ReadWindow(file, settings.Window);
    ReadToolbars(file, settings.Toolbars);
    Reader reader{file, {}};
    VisitPlainSections(reader, settings);
    ReadFiles(file, settings.Files);
    VisitDialogSections(reader, settings);
    if (file.SectionExists(PrinterSection))
        LoadPrintSettings(file, settings.Printer);
}

void LoadSettings(const std::string& path, Settings& settings)
{
    LoadSettings(TNewIniFile(path), settings);
}

void WriteSettings(TNewIniFile& file, const Settings& settings)
{
    WriteWindow(file, settings.Window);
    WriteToolbars(file, settings.Toolbars);
    Writer writer{file, {}};
    VisitPlainSections(writer, settings);
    WriteFiles(file, settings.Files);
    VisitDialogSections(writer, settings);
    SavePrintSettings(file, settings.Printer);
}

bool SaveSettings(const std::string& path, const Settings& settings)
{
    TNewIniFile file(path);
    WriteSettings(file, settings);
    return file.UpdateFile();
}

} // namespace dialtally
