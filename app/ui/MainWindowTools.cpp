// The window's Tools commands: the dialogs for log formats, costs,
// archiving, tool bars and the first-time setup, and the About box.

#include "app/ui/MainWindow.h"

#include "app/ProgramInputs.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/CustomizeToolbarsDialog.h"
#include "app/ui/ToolbarBands.h"
#include "costs/ui/CostsDialog.h"
#include "logs/FormatLibrary.h"
#include "logs/ui/ArchiveDialog.h"
#include "logs/ui/FirstTimeSetupDialog.h"
#include "logs/ui/LogFilesDialog.h"
#include "reports/ReportFile.h"

#include <QToolButton>

#include <filesystem>
#include <utility>

namespace dialtally {

void TMainForm::RunFirstTimeSetup()
{
    if (!OutsideAPass([this] { RunFirstTimeSetup(); }))
        return;
    TDlgFirst dialog(m_state.Formats, m_state.Paths, this);
    // A log of this machine becomes the default report's, so the first
    // report shows its connections.
    dialog.OnFormatAdded = [this](const std::string& logType) {
        if (!UseLogTypeInDefaultReport(m_state.DefaultTemplate, m_state.Options.Files.Default,
                                       logType))
            return;
        if (m_startupPending) {
            m_state.Current = m_state.DefaultTemplate;
            ResetQuickState(m_state.Current);
        } else if (m_state.Current.FileName == m_state.Options.Files.Default) {
            m_document.GoToDefaultReport();
        }
    };
    dialog.exec();
    FillLogFileBox();
    // The user has just chosen their log and expects to see its
    // connections, not an empty grid until Refresh; unless a report shows
    // already or the start-up is about to open one.
    const ProgramOptions& options = m_state.Options.Options;
    const bool startupOpens =
        options.LoadDefault ||
        (options.LoadRecent && !m_state.Options.Files.Recent.Entries[0].empty());
    std::error_code error;
    if (std::filesystem::exists(LogFormatsPath(m_state.Paths.ProgramFolder()), error) &&
        m_state.History.Position < 0 && !(m_startupPending && startupOpens) &&
        m_afterSetup.isEmpty()) {
        m_startupPending = false;
        m_document.GoToDefaultReport();
    }
    m_setupPending = false;
    if (!m_afterSetup.isEmpty())
        OpenHandedOverWhenFree(std::exchange(m_afterSetup, {}));
    // The setup came up before the window had the focus, which the window
    // manager then gives to no one.
    activateWindow();
}

// Changed formats and tariffs apply from the next reading pass (Refresh);
// nothing is re-read here.
void TMainForm::ReloadChangedTables()
{
    if (dialtally::ReloadChangedTables(m_state))
        FillLogFileBox();
}

void TMainForm::EditLogFormats()
{
    ReloadChangedTables();
    if (!TableFileFits(LogFormatsPath(m_state.Paths.ProgramFolder()), "LogType=", TLCfg::MaxFormats,
                       "log formats", "Log Files"))
        return;
    TDlgLog dialog(m_state.Formats, m_state.Paths.ProgramFolder(), this);
    dialog.Library = LoadFormatLibrary(FormatLibraryFolder(m_state.Paths), m_state.Paths);
    if (dialog.exec() == QDialog::Accepted)
        FillLogFileBox();
}

void TMainForm::EditCosts()
{
    ReloadChangedTables();
    if (!CostsDialogMayOpen(m_state.Paths.ProgramFolder()))
        return;
    TDlgCost dialog(m_state.Providers, m_state.Links, m_state.Paths.ProgramFolder(), this);
    dialog.exec();
}

void TMainForm::ArchiveLog()
{
    ReloadChangedTables();
    TDlgBack dialog(m_state.Formats, m_state.Options.Archive, this);
    dialog.InputNamedBy = InputNamedBy();
    dialog.exec();
    // The archive's closing message goes with the dialog, and the window
    // manager then gave the focus to no one.
    activateWindow();
}

void TMainForm::CustomizeToolbars()
{
    StoreWindowSettings();
    TDlgBars dialog(
        m_state.Options.Toolbars,
        [this](const std::string& item) {
            const QToolButton* tool = m_bars->ItemButton(QString::fromStdString(item));
            return tool ? tool->icon() : QIcon();
        },
        this);
    dialog.OnChanged = [this](const ToolbarSettings& toolbars) {
        m_bars->ApplyTextLabels(toolbars.TextLabels);
        m_bars->ApplyItemVisibility(m_state.Options.Toolbars);
    };
    dialog.exec();
}

void TMainForm::ShowAbout()
{
    TAboutBox about(this);
    about.exec();
}

} // namespace dialtally
