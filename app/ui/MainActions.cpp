#include "app/ui/MainActions.h"

#include <QAction>
#include <QWidget>

namespace dialtally {

namespace {

// clang-format off
const MainActionSpec Specs[] = {
    {MainAction::FileNew, "FileNew", "&New...", "Create a new report", "Ctrl+N", "new"},
    {MainAction::FileOpen, "FileOpen", "&Open...", "Open a saved report", "Ctrl+O", "open"},
    {MainAction::FileClose, "FileClose", "&Close", "Close the report", "", ""},
    {MainAction::FileSave, "FileSave", "&Save", "Save changes", "Ctrl+S", "save"},
    {MainAction::FileSaveAs, "FileSaveAs", "Save &As...", "Save the report", "", ""},
    {MainAction::FileExport, "FileExport", "&Export...", "Export the report data", "", ""},
    {MainAction::FileProperties, "FileProperties", "Proper&ties...", "View the report properties", "", ""},
    {MainAction::FilePrintSetup, "FilePrintSetup", "Print Set&up...", "Change the printer setup", "", ""},
    {MainAction::FilePrintSettings, "FilePrintSettings", "Pr&int Settings...", "Change the print settings", "", ""},
    {MainAction::FilePrint, "FilePrint", "&Print...", "Print the report", "Ctrl+P", "print"},
    {MainAction::FileCloseAll, "FileCloseAll", "C&lose All", "Close all open reports", "", ""},
    {MainAction::FileExit, "FileExit", "E&xit", "Quit the program", "", ""},
    {MainAction::EditCopy, "EditCopy", "&Copy", "Copy selected text or graph to the clipboard", "Ctrl+C", "copy"},
    {MainAction::EditSelectAll, "EditSelectAll", "Select &All", "Select all of the report text", "Ctrl+A", ""},
    {MainAction::EditFind, "EditFind", "&Find...", "Find text in the report", "Ctrl+F", "find"},
    {MainAction::EditFindNext, "EditFindNext", "Find &Next", "Find next occurrence of the text", "F3", ""},
    {MainAction::ViewButtons, "ViewButtons", "&Buttons", "Display button bar", "", "", true},
    {MainAction::ViewCriteria, "ViewCriteria", "&Criteria", "Display criteria bar", "", "", true},
    {MainAction::ViewLogfile, "ViewLogfile", "&Log file", "Display log file bar", "", "", true},
    {MainAction::ViewCustomize, "ViewCustomize", "C&ustomize...", "Customize the toolbars", "", ""},
    {MainAction::ViewStatusBar, "ViewStatusBar", "St&atus Bar", "Show or hide the status bar", "", "", true},
    {MainAction::GoBack, "GoBack", "&Back", "Go to the previous report", "Ctrl+B", "back"},
    {MainAction::GoForward, "GoForward", "&Forward", "Go to the next report", "Ctrl+M", "forward"},
    {MainAction::GoDefault, "GoDefault", "&Default", "Go to the default report", "", "default"},
    {MainAction::ViewRefresh, "ViewRefresh", "&Refresh", "Refresh the current report", "F5", "refresh"},
    {MainAction::ToggleTotal, "ToggleTotal", "&Total", "Toggle day, week, month, year total", "Ctrl+U", "total"},
    {MainAction::ToggleDates, "ToggleDates", "&Dates", "Toggle current day, week, month, year", "Ctrl+H", ""},
    {MainAction::ToggleTimes, "ToggleTimes", "T&imes", "Toggle am, pm times", "Ctrl+J", ""},
    {MainAction::ToggleDescriptions, "ToggleDescriptions", "D&escriptions", "Toggle include, exclude descriptions", "Ctrl+K", ""},
    {MainAction::ZoomIn, "ZoomIn", "Zoom &In", "Zoom the graph in", "Ctrl+Ins", "zoomin"},
    {MainAction::ZoomOut, "ZoomOut", "Zoom &Out", "Zoom the graph out", "Ctrl+Del", "zoomout"},
    {MainAction::ScrollLeft, "ScrollLeft", "Scroll &Left", "Scroll zoomed graph to the left", "Ctrl+E", "scrollleft"},
    {MainAction::ScrollRight, "ScrollRight", "Scroll &Right", "Scroll zoomed graph to the right", "Ctrl+R", "scrollright"},
    {MainAction::ViewText, "ViewText", "&Text", "View text report", "Ctrl+T", "text", true},
    {MainAction::ViewGraph, "ViewGraph", "&Graph", "View graph report", "Ctrl+G", "graph", true},
    {MainAction::ViewSplit, "ViewSplit", "&Split", "View combined text/graph report", "Ctrl+I", "split", true},
    {MainAction::ViewDetails, "ViewDetails", "&Details", "Include details in the report", "Ctrl+D", "details", true},
    {MainAction::ViewTotals, "ViewTotals", "Tota&ls", "Include totals in the report", "Ctrl+L", "totals", true},
    {MainAction::ToolsArchive, "ToolsArchive", "&Archive...", "Archive the log file", "", ""},
    {MainAction::ToolsViewLog, "ToolsViewLog", "&View Log File", "View or edit the log file", "", ""},
    {MainAction::ToolsLogFiles, "ToolsLogFiles", "&Log Files...", "Log file formats", "", ""},
    {MainAction::ToolsCosts, "ToolsCosts", "&Costs...", "Communications costs", "", ""},
    {MainAction::ToolsBillingMonth, "ToolsBillingMonth", "&Billing Month...", "Where you stand in this billing month with each provider", "", ""},
    {MainAction::ToolsCompareTariffs, "ToolsCompareTariffs", "Com&pare Tariffs...", "What each provider would have charged for the report's connections", "", ""},
    {MainAction::ToolsOptions, "ToolsOptions", "&Options...", "Program options", "", ""},
    {MainAction::HelpTopics, "HelpTopics", "&Help Topics", "Display the help contents", "F1", ""},
    {MainAction::HelpSearch, "HelpSearch", "&Search for Help On...", "Display the help index", "", ""},
    {MainAction::HelpAbout, "HelpAbout", "&About Dialtally", "Display information about the product", "", ""},
};
// clang-format on
static_assert(std::size(Specs) == MainActionCount);

} // namespace

MainActions::MainActions(QWidget* window)
{
    for (const MainActionSpec& spec : Specs) {
        auto* action = new QAction(QString::fromLatin1(spec.Caption), window);
        action->setObjectName(QString::fromLatin1(spec.Name));
        action->setStatusTip(QString::fromLatin1(spec.Hint));
        if (*spec.Keys) {
            action->setShortcut(QKeySequence(QString::fromLatin1(spec.Keys)));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        if (*spec.Icon)
            action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(spec.Icon))));
        action->setCheckable(spec.Checkable);
        window->addAction(action);
        m_actions[static_cast<std::size_t>(spec.Id)] = action;
    }
}

QAction* MainActions::Named(const QString& name) const
{
    for (QAction* action : m_actions)
        if (action->objectName() == name)
            return action;
    return nullptr;
}

QList<QAction*> MainActions::WithShortcuts() const
{
    QList<QAction*> keyed;
    for (QAction* action : m_actions)
        if (!action->shortcut().isEmpty())
            keyed << action;
    return keyed;
}

} // namespace dialtally
