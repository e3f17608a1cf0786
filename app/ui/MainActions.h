#pragma once

#include <QList>
#include <QString>

#include <array>

class QAction;
class QWidget;

namespace dialtally {

// The commands of the main window's menus, bars and keys.
enum class MainAction {
    FileNew,
    FileOpen,
    FileClose,
    FileSave,
    FileSaveAs,
    FileExport,
    FileProperties,
    FilePrintSetup,
    FilePrintSettings,
    FilePrint,
    FileCloseAll,
    FileExit,
    EditCopy,
    EditSelectAll,
    EditFind,
    EditFindNext,
    ViewButtons,
    ViewCriteria,
    ViewLogfile,
    ViewCustomize,
    ViewStatusBar,
    GoBack,
    GoForward,
    GoDefault,
    ViewRefresh,
    ToggleTotal,
    ToggleDates,
    ToggleTimes,
    ToggleDescriptions,
    ZoomIn,
    ZoomOut,
    ScrollLeft,
    ScrollRight,
    ViewText,
    ViewGraph,
    ViewSplit,
    ViewDetails,
    ViewTotals,
    ToolsArchive,
    ToolsViewLog,
    ToolsLogFiles,
    ToolsCosts,
    ToolsBillingMonth,
    ToolsCompareTariffs,
    ToolsOptions,
    HelpTopics,
    HelpSearch,
    HelpAbout,
};
constexpr int MainActionCount = static_cast<int>(MainAction::HelpAbout) + 1;

// What one command looks like: the same in its menu item, on its button
// and in its key.
struct MainActionSpec {
    MainAction Id;
    const char* Name;    // object name, also what tests find it by
    const char* Caption; // menu text
    const char* Hint;    // status bar hint
    const char* Keys;    // shortcut, or empty
    const char* Icon;    // picture in :/icons, or empty
    bool Checkable = false;
};

// The main window's actions, made once from the table of commands and
// found by their identifiers.
class MainActions {
public:
    // Every action of the table, owned by the window and active while it
    // has the focus.
    explicit MainActions(QWidget* window);

    QAction* operator[](MainAction id) const { return m_actions[static_cast<std::size_t>(id)]; }
    // By object name; null when there is none.
    QAction* Named(const QString& name) const;
    QList<QAction*> WithShortcuts() const;

private:
    std::array<QAction*, MainActionCount> m_actions{};
};

} // namespace dialtally
