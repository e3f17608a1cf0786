#pragma once

#include "app/MainCaption.h"
#include "app/ProgramState.h"
#include "app/ReportNavigator.h"
#include "app/ui/FrontEndQt.h"
#include "app/ui/MainActions.h"
#include "reports/DocumentHost.h"
#include "reports/QuickToggles.h"
#include "reports/ReportDocument.h"
#include "reports/ReportSearch.h"
#include "reports/ui/ReportChartView.h"

#include <QFont>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;

namespace dialtally {

class CriteriaBarWidget;
class FindTextDialog;
class ReportGridView;
class ReportTableModel;
class StatusPanelsWidget;
class ToolbarBands;

// The main window: one report at a time as a grid, a chart or both, the
// back-and-forward history, the bars and the status bar. The rules live
// in the core; this class wires them to widgets.
class TMainForm : public QMainWindow,
                  public ReportDisplay,
                  public DocumentHost,
                  public NavigatorHost,
                  public CaptionSink {
    Q_OBJECT
public:
    explicit TMainForm(const Folders& folders, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The start-up report, on the first showing, unless a report was
    // handed over before.
    void OpenStartupReport();
    // Report paths handed over by a second start, one per line.
    void OpenHandedOverReports(const QStringList& lines);
    // Writes the settings as closing the window does, without asking about
    // the report: for an end that the user cannot be asked about.
    void SaveSettingsAtEnd();
    // As the session ends: a failure is told on standard error, not in a box.
    void SaveSettingsOnSignal();

    ProgramState& State() { return m_state; }
    ReportDocument& Document() { return m_document; }
    ReportNavigator& Navigator() { return m_navigator; }
    // An action by its object name, for the tests.
    QAction* Action(const QString& name) const;
    QAction* Act(MainAction id) const { return (*m_actions)[id]; }
    ReportGridView* Grid() const { return m_grid; }
    ReportChartView* ChartView() const { return m_chart; }
    StatusPanelsWidget* StatusPanels() const { return m_status; }
    QComboBox* LogFileBox() const { return m_logFileBox; }
    CriteriaBarWidget* CriteriaBar() const { return m_criteria; }
    QToolBar* Band(int id) const;
    bool StartupPending() const { return m_startupPending; }

    // ReportDisplay
    void ShowReport(const TCfg& cfg) override;
    void SetMainCaption(const std::string& title) override;
    void SetBuilding(bool building) override;
    int TableWidth() const override;
    const TextMeasure& Measure() const override;

    // DocumentHost
    std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
    bool ShowProperties(int startPage, const std::string& caption) override;
    void RunReport() override;
    void Print(PrintedViews views) override;
    bool ReportTypeRegistered() const override;

    // NavigatorHost
    void RedoReport(int changeClass) override;
    void MakeCurrent(const std::string& path) override;
    MessageAnswer ConfirmSave() override;
    void ClearReport() override;

    // CaptionSink
    void SetCaption(const std::string& caption) override;

    // Commands of the menus, buttons and keys.
    void RefreshReport();
    void OpenProperties(int page);
    void SetView(const std::string& type);
    void ToggleDetails();
    void ToggleTotals();
    void ApplyDisplayOptions();
    // Shows the grid, the chart or both and splits the area between them.
    void ArrangeViews();
    // ArrangeViews, then sizes the grid's columns to the area.
    void LayoutViews();
    // Copies the window's bounds, bands and items into the settings.
    void StoreWindowSettings();
    void ApplyWindowSettings();
    // The size of a window that was never placed: the designed size scaled
    // to the platform's font, and room for the bars and the first rows.
    QSize FirstSize() const;

signals:
    // A grid or chart menu is about to open; the tests pick its items.
    void CellMenuShowing(QMenu* menu);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Menus, bars and actions.
    void CreateActions();
    // The menu bar's band.
    QToolBar* CreateMenus();
    void CreateBars(QToolBar* menuBand);
    void CreateStatusBar();
    void UpdateViewMenu();
    void UpdateEditMenu();
    void FillRecentMenu(QMenu* menu);
    void FillHistoryMenu(QMenu* menu, bool back);
    void FillLogFileBox();
    void ShowBarMenu(const QPoint& globalPos);
    void ShowCellMenu(const QPoint& globalPos, int column, int gridRow);
    void ShowChartMenu(const QPoint& globalPos, std::optional<ChartPointRef> point);
    std::optional<std::string> AskFileName(const FileDialogRequest& request, bool save);

    // Passes: every rebuild of the table goes through here (a sort keeps
    // the same guard), so that the views never read a table that is being
    // written.
    // `measures`: the step sizes the columns to the table it leaves.
    template <typename Step> void RunPass(Step step, bool measures = true);
    void AfterPass();
    // False when a pass is running: the step then runs once it has ended.
    bool OutsideAPass(std::function<void()> step);
    void RunWhatWaited();
    void RebuildFromMemory();
    void ReadLog();

    // Views.
    void GoBackCommand();
    void GoForwardCommand();
    void CloseReportCommand();
    void CloseAllCommand();
    void NewCommand();
    void OpenCommand();
    void SaveCommand();
    void SaveAsCommand();
    void PrintCommand();
    void DefaultCommand();
    void ViewText();
    void ViewGraph();
    void ViewSplit();
    void ViewLogFile();
    void HelpContents();
    void HelpIndex();
    void ToggleStatusBar();
    void ToggleBand(int id);
    void CopyCommand();
    void CopyChart();
    void SelectAllCommand();
    void FindCommand();
    void FindNextCommand();
    void ZoomInCommand();
    void ZoomOutCommand();
    void ScrollLeftCommand();
    void ScrollRightCommand();
    void CycleTotalsCommand();
    void CycleDatesCommand();
    void CycleTimesCommand();
    void CycleDescriptionsCommand();
    void ExitCommand();
    void ShowStatusHint(const QString& hint);
    void SetUpViewControls();
    void ApplyToggle(QuickToggle toggle, std::optional<int> mode);
    void AttachToggleMenu(QToolButton* button, QuickToggle toggle);
    void FillToggleMenu(QMenu* menu, QuickToggle toggle);
    void ToggleSeries(ChartLevel level);
    void SortByColumn(int column);
    void ShowSortIndicator();
    GridCell CurrentCell() const;
    void ShowSearchResult(const SearchResult& result);
    const ChartPoint& PointOf(const ChartPointRef& point) const;
    std::string_view PointLabel(const ChartPointRef& point) const;
    void ArchiveLog();
    void EditLogFormats();
    void EditCosts();
    // The tables another window may have saved, and the log file box with them.
    void ReloadChangedTables();
    // Opens them once no pass runs and no dialog is open.
    void OpenHandedOverWhenFree(const QStringList& lines);
    void ExportCommand();
    void PrintSetupCommand();
    void PrintSettingsCommand();
    void SaveChartCommand();
    // The grid as shown, for printing and export.
    ExportSource ShownSource() const;
    // Which of the files the report is made from a path names, for the
    // commands that write a file the user names.
    std::function<std::optional<std::string>(const std::string&)> InputNamedBy() const;
    void CustomizeToolbars();
    void ShowAbout();
    void RunFirstTimeSetup();

    std::unique_ptr<ReportTableModel> m_model;
    ProgramState m_state;
    ReportDocument m_document;
    ReportNavigator m_navigator;
    FrontEndQt m_frontEnd;
    std::string m_defaultReportPath;

    ReportGridView* m_grid = nullptr;
    ReportChartView* m_chart = nullptr;
    QSplitter* m_split = nullptr;
    StatusPanelsWidget* m_status = nullptr;
    CriteriaBarWidget* m_criteria = nullptr;
    QComboBox* m_logFileBox = nullptr;
    std::unique_ptr<MainActions> m_actions;
    std::unique_ptr<ToolbarBands> m_bars;
    QActionGroup* m_viewGroup = nullptr;
    QToolButton* m_backButton = nullptr;
    QToolButton* m_forwardButton = nullptr;
    QToolButton* m_totalButton = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_reopenMenu = nullptr;

    // Whether the .rep file type is registered; changed only by the options.
    bool m_fileTypeRegistered = false;
    bool m_startupPending = true;
    bool m_building = false;
    bool m_firstShown = false;
    // Reports handed over while the first-time setup is to come wait for
    // the log it sets up.
    bool m_setupPending = false;
    QStringList m_afterSetup;
    bool m_passRunning = false; // or printing: events that arrive wait

    // The table and fonts the columns were last sized to: laying the views
    // out again at another size need not measure a million cells again.
    struct ColumnFit {
        const char* Text = nullptr;
        std::size_t Bytes = 0;
        int Rows = 0;
        QFont Detail, Total, Header;
        bool operator==(const ColumnFit&) const = default;
    };
    ColumnFit CurrentColumnFit() const;
    std::optional<ColumnFit> m_columnFit;
    // What arrived while the pass let the window repaint.
    std::vector<std::function<void()>> m_afterPass;
    ReportSearch m_search;
    FindTextDialog* m_findDialog = nullptr;
};

} // namespace dialtally
