#pragma once

#include "app/Settings.h"
#include "base/ConnectionList.h"
#include "base/FileStamp.h"
#include "costs/Links.h"
#include "costs/Providers.h"
#include "logs/LogFormats.h"
#include "platform/Folders.h"
#include "reports/ExportWriters.h"
#include "reports/ProviderPricer.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportEngine.h"
#include "reports/ReportHistory.h"

#include <optional>

namespace dialtally {

// The program-wide single instances, shared by the window and the report
// command, and the start-up and report-pass steps they both run.
struct ProgramState {
    explicit ProgramState(const Folders& folders) : Paths(folders) {}

    const Folders& Paths;
    Settings Options;
    TCfg Current;         // the report shown
    TCfg DefaultTemplate; // built-in defaults overlaid by the default report
    TCfg WorkingCopy;     // what the properties dialog edits
    THCfg History;
    TLCfg Formats;
    TProv Providers;
    TServ Links;
    TRep Connections;
    ReportOutput Output;
    bool ChartShown = true; // false: builds make no chart points
    // The files of Formats, Providers and Links as they were last read.
    FileStamp FormatsRead, ProvidersRead, LinksRead;
};

// Settings, the default template made the current report, log formats,
// providers and links, in that order, from the program folder.
void StartProgram(ProgramState& state);
// Reads the log formats, providers and links again where their files
// changed since they were read, as when another window of the same program
// folder saved them; its dialogs would otherwise write back what this one
// read at its start, and its reports price by old tariffs. True when the
// formats were read again.
bool ReloadChangedTables(ProgramState& state);
// One report pass over the current report: read, pair, price, build.
// Criteria texts that do not convert raise ConversionError, as the reader does.
void RunReportPass(ProgramState& state, ReportDisplay& display);

// What a replaced report definition redoes (ReportChangeClass): 1 the
// whole pass, 2 the build from the connection list, 3 the display step,
// 4 the column layout and the display step. Other values do nothing.
void RedoReport(ProgramState& state, ReportDisplay& display, int changeClass);
// The build from the connection list in memory.
void RebuildReport(ProgramState& state, ReportDisplay& display);

// The current report's connections, read again for the billing month and
// the tariff comparison: the busy cursor is on while they are read, a
// criteria text that does not convert is shown and gives nothing, as does a
// log that could not be read to its end, and the first status panel shows
// the report's figure again afterwards.
std::optional<PairedConnections> ReadConnectionsForTool(ProgramState& state);

// The engine options of the settings, and whether builds make chart points.
EngineOptions EngineOptionsFor(const ProgramState& state);
// The export settings of the Export dialog and the report command.
ExportSettings ExportSettingsFor(const Settings& settings);

} // namespace dialtally
