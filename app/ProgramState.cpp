#include "app/ProgramState.h"

#include "base/ConversionError.h"
#include "base/Messages.h"
#include "base/RegionalSettings.h"
#include "reports/ColorPalette.h"
#include "reports/LogReader.h"
#include "reports/ReportFile.h"

namespace dialtally {

void StartProgram(ProgramState& state)
{
    const std::string home = state.Paths.ProgramFolder();
    state.Options = DefaultSettings(state.Paths);
    LoadSettings(SettingsPath(home), state.Options);
    LoadDefaultTemplate(state.DefaultTemplate, state.Options.Files.Default);
    state.Current = state.DefaultTemplate;
    ResetQuickState(state.Current);
    ClearHistory(state.History);
    state.FormatsRead = StampOf(LogFormatsPath(home));
    LoadLogFormats(state.Formats, state.Paths);
    state.ProvidersRead = StampOf(ProvidersPath(home));
    LoadProviders(state.Providers, home);
    state.LinksRead = StampOf(LinksPath(home));
    LoadLinks(state.Links, home);
}

bool ReloadChangedTables(ProgramState& state)
{
    const std::string home = state.Paths.ProgramFolder();
    const auto changed = [](FileStamp& read, const std::string& path) {
        const FileStamp now = StampOf(path);
        if (now == read)
            return false;
        read = now;
        return true;
    };
    if (changed(state.ProvidersRead, ProvidersPath(home)))
        LoadProviders(state.Providers, home);
    if (changed(state.LinksRead, LinksPath(home)))
        LoadLinks(state.Links, home);
    if (!changed(state.FormatsRead, LogFormatsPath(home)))
        return false;
    // The format in use stays the one of that name: Archive and View Log
    // File act on it, and a load makes the last one current.
    const std::string inUse =
        state.Formats.Current >= 1 && state.Formats.Current <= state.Formats.Count
            ? state.Formats.LogType[state.Formats.Current]
            : state.Current.LogType;
    LoadLogFormats(state.Formats, state.Paths);
    if (const int f = FindLogFormat(state.Formats, inUse))
        state.Formats.Current = f;
    return true;
}

void RunReportPass(ProgramState& state, ReportDisplay& display)
{
    ReportEngine engine(state.Output, display);
    const EngineOptions options = EngineOptionsFor(state);
    ReadContext context{
        state.Current, state.Formats, state.Providers, state.Links, state.Connections, [&] {
            engine.BuildReport(state.Current, state.Connections, options);
            state.Options.Printer.TitleText = state.Output.Title;
        }};
    ReadConnectionLog(context);
}

void RebuildReport(ProgramState& state, ReportDisplay& display)
{
    ReportEngine engine(state.Output, display);
    engine.BuildReport(state.Current, state.Connections, EngineOptionsFor(state));
    // Every build sets the printed title.
    state.Options.Printer.TitleText = state.Output.Title;
}

void RedoReport(ProgramState& state, ReportDisplay& display, int changeClass)
{
    switch (changeClass) {
    case 1:
        RunReportPass(state, display);
        break;
    case 2:
        RebuildReport(state, display);
        break;
    case 4:
        ShowReportColumns(state.Current, state.Output.Table, state.Output.Columns,
                          display.TableWidth(), display.Measure());
        [[fallthrough]];
    case 3:
        // The display step sets the chart up, as a build does.
        ApplyChartSetup(state.Output.Chart, SetupChart(state.Current));
        display.ShowReport(state.Current);
        break;
    default:
        break;
    }
}

EngineOptions EngineOptionsFor(const ProgramState& state)
{
    const Settings& settings = state.Options;
    EngineOptions options;
    options.ChartPoints = state.ChartShown;
    options.DayInclude = settings.Options.DayInclude;
    options.DurationDec = settings.Options.DurationDec;
    options.TextTop = settings.Options.TextTop;
    return options;
}

ExportSettings ExportSettingsFor(const Settings& settings)
{
    ExportSettings exportSettings;
    exportSettings.Delimiter = Regional().ListSeparator;
    HtmlExportSettings& html = exportSettings.Html;
    static_cast<HtmlSettings&>(html) = settings.Html;
    html.TotalBackground = ResolveColor(settings.Text.TotalBackground);
    html.TotalFontColor = ResolveColor(settings.Text.TotalFont.Color);
    const auto style = [](const FontSpec& font) {
        return HtmlFontStyle{(font.Style & fsBold) != 0, (font.Style & fsItalic) != 0,
                             (font.Style & fsUnderline) != 0};
    };
    html.DetailFont = style(settings.Text.DetailFont);
    html.TotalFont = style(settings.Text.TotalFont);
    return exportSettings;
}

std::optional<PairedConnections> ReadConnectionsForTool(ProgramState& state)
{
    std::optional<PairedConnections> connections;
    try {
        const BusyScope busy;
        connections = ReadPairedConnections(state.Current, state.Formats);
    } catch (const ConversionError& error) {
        ShowError(error.what());
        return std::nullopt;
    }
    // The read names the log in the first status panel; the report's
    // figure belongs there.
    CurrentFrontEnd().SetStatusText(0, state.Output.StatusFigures[0]);
    // A log read in part would give wrong figures; the reason was shown.
    if (!connections->ReadToEnd)
        return std::nullopt;
    return connections;
}

} // namespace dialtally
