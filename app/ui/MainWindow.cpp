#include "app/ui/MainWindow.h"

#include "app/ui/ToolbarBands.h"

#include "app/ReportFileType.h"
#include "app/ui/CriteriaBarWidget.h"
#include "base/Clock.h"
#include "base/ConversionError.h"
#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "logs/LogSource.h"
#include "platform/FileTypeRegistration.h"
#include "reports/ReportFile.h"
#include "reports/ReportProperties.h"
#include "reports/ui/DisplayStyle.h"
#include "reports/ui/PrintDialogs.h"
#include "reports/ui/ReportGridView.h"
#include "reports/ui/ReportTableModel.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"
#include "widgets/ScreenPlacement.h"
#include "widgets/StatusPanelsWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace dialtally {

namespace {

// How often a hand-over that waits for a dialog looks again.
constexpr int HandOverWaitMs = 250;

ReportState StateOf(ProgramState& state)
{
    return ReportState{state.Current,
                       state.DefaultTemplate,
                       state.WorkingCopy,
                       state.History,
                       state.Options.Files.Recent,
                       state.Options.Files.Path,
                       state.Options.Files.Default};
}

} // namespace

TMainForm::TMainForm(const Folders& folders, QWidget* parent)
    : QMainWindow(parent), m_state(folders), m_document(StateOf(m_state), *this),
      m_navigator(m_state.History, m_state.Current, m_state.DefaultTemplate, *this)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromLatin1(ApplicationTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/dialtally.svg")));
    // Relative paths in the settings and reports are the program folder's.
    QDir::setCurrent(QString::fromStdString(folders.ProgramFolder()));

    m_frontEnd.SetParentWindow(this);
    SetFrontEnd(&m_frontEnd);
    m_fileTypeRegistered = FileTypeRegistered(ReportExtension);
    m_frontEnd.OnShellRecentDocs = AddReportToRecentlyUsed;

    m_model = std::make_unique<ReportTableModel>(m_state.Output);
    m_grid = new ReportGridView;
    m_grid->SetReportModel(m_model.get());
    m_chart = new ReportChartView;
    m_chart->HintsAllowed = [this] { return !m_building && m_state.Connections.LastIndex >= 0; };
    m_grid->setAccessibleName(QStringLiteral("Report text"));
    m_chart->setAccessibleName(QStringLiteral("Report graph"));
    m_split = new QSplitter;
    m_split->setObjectName(QStringLiteral("ReportArea"));
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(m_grid);
    m_split->addWidget(m_chart);
    setCentralWidget(m_split);

    CreateActions();
    CreateBars(CreateMenus());
    CreateStatusBar();
    m_grid->SetKeyActions(m_actions->WithShortcuts());
    connect(m_grid, &ReportGridView::CellMenuRequested, this, &TMainForm::ShowCellMenu);
    connect(m_chart, &ReportChartView::ChartMenuRequested, this, &TMainForm::ShowChartMenu);
    SetUpViewControls();

    StartProgram(m_state);
    GuardPrintFiles(InputNamedBy());
    FillLogFileBox();
    ApplyWindowSettings();
    ApplyDisplayOptions();
    ShowReport(m_state.Current);
    AfterPass();
}

TMainForm::~TMainForm()
{
    GuardPrintFiles({});
    SetFrontEnd(nullptr);
}

void TMainForm::CreateStatusBar()
{
    m_status = new StatusPanelsWidget(this);
    setStatusBar(m_status);
    m_frontEnd.OnStatusText = [this](int panel, const std::string& text) {
        m_status->SetPanelText(panel, LogText(text));
    };
    m_frontEnd.OnProgress = [this](int position, int max) { m_status->SetProgress(position, max); };
}

QAction* TMainForm::Action(const QString& name) const
{
    return m_actions->Named(name);
}

QToolBar* TMainForm::Band(int id) const
{
    return m_bars->Band(id);
}

void TMainForm::FillLogFileBox()
{
    QStringList names;
    for (int i = 1; i <= m_state.Formats.Count; ++i)
        names << LogText(m_state.Formats.LogType[i]);
    // The one list where letter case is ignored.
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    const QSignalBlocker block(m_logFileBox);
    m_logFileBox->clear();
    m_logFileBox->addItems(names);
    m_logFileBox->setCurrentIndex(m_logFileBox->findText(LogText(m_state.Current.LogType)));
    m_bars->FitLogFileBox();
}

// ---- The report pass ----

template <typename Step> void TMainForm::RunPass(Step step, bool measures)
{
    // Commands that slip in while a pass lets events run are dropped.
    if (m_passRunning)
        return;
    ReloadChangedTables();
    m_passRunning = true;
    m_model->BeginRebuild();
    try {
        step();
    } catch (const ConversionError& error) {
        ShowError(error.what());
    } catch (const std::bad_alloc&) {
        ShowError("Out of memory.");
    }
    m_model->EndRebuild();
    m_passRunning = false;
    if (measures)
        m_columnFit = CurrentColumnFit();
    AfterPass();
    RunWhatWaited();
}

void TMainForm::RunWhatWaited()
{
    for (std::function<void()>& deferred : std::exchange(m_afterPass, {}))
        QTimer::singleShot(0, this, std::move(deferred));
}

bool TMainForm::OutsideAPass(std::function<void()> step)
{
    if (!m_passRunning)
        return true;
    m_afterPass.push_back(std::move(step));
    return false;
}

void TMainForm::AfterPass()
{
    m_grid->ApplyColumns(m_state.Output.Columns);
    ShowSortIndicator();
    m_chart->ShowChart(m_state.Output.Chart);
    if (m_state.Output.SelectedRow > 0)
        m_grid->SetCurrentCell(m_state.Output.SelectedColumn, m_state.Output.SelectedRow);
}

void TMainForm::ReadLog()
{
    RunPass([this] { RunReportPass(m_state, *this); });
}

void TMainForm::RebuildFromMemory()
{
    RunPass([this] { RebuildReport(m_state, *this); });
}

void TMainForm::RedoReport(int changeClass)
{
    RunPass([this, changeClass] { dialtally::RedoReport(m_state, *this, changeClass); },
            changeClass != 3);
}

void TMainForm::RunReport()
{
    ReadLog();
}

// ---- The display step ----

void TMainForm::ShowReport(const TCfg& cfg)
{
    m_navigator.RecordShown();
    Act(MainAction::GoBack)->setEnabled(m_navigator.CanGoBack());
    Act(MainAction::GoForward)->setEnabled(m_navigator.CanGoForward());
    m_backButton->setToolTip(QString::fromStdString(m_navigator.BackToolTip()));
    m_forwardButton->setToolTip(QString::fromStdString(m_navigator.ForwardToolTip()));
    Act(MainAction::ViewText)->setChecked(cfg.ReportType == "Text");
    Act(MainAction::ViewGraph)->setChecked(cfg.ReportType == "Graph");
    Act(MainAction::ViewSplit)->setChecked(cfg.ReportType == "Split");
    // Find and Select All follow the view, also for the grid menu and keys.
    UpdateEditMenu();
    Act(MainAction::ViewDetails)->setChecked(cfg.DetailShow == "1");
    Act(MainAction::ViewTotals)->setChecked(cfg.TotalShow == "1");
    m_criteria->ShowCriteria(cfg);
    {
        const QSignalBlocker block(m_logFileBox);
        m_logFileBox->setCurrentIndex(m_logFileBox->findText(LogText(cfg.LogType)));
    }
    const int format = FindLogFormat(m_state.Formats, cfg.LogType);
    if (format > 0)
        m_state.Formats.Current = format;
    m_model->SetAlignRight(cfg.ColAlign == "1");
    if (cfg.ReportType == "Split")
        LayoutViews();
    else
        ArrangeViews();
    m_status->SetPanelText(
        5, QString::fromStdString(FormatDateTime(Regional().LongDateFormat, Today())));
}

void TMainForm::ArrangeViews()
{
    const std::string& type = m_state.Current.ReportType;
    m_chart->setVisible(type != "Text");
    m_grid->setVisible(type != "Graph");
    if (type != "Split")
        return;
    const bool vertical = m_state.Options.Options.SplitVertical;
    const bool graphFirst = m_state.Options.Options.GraphTop;
    m_split->setOrientation(vertical ? Qt::Horizontal : Qt::Vertical);
    m_split->insertWidget(0, graphFirst ? static_cast<QWidget*>(m_chart) : m_grid);
    const int whole = vertical ? m_split->width() : m_split->height();
    m_split->setSizes({whole / 2, whole - whole / 2});
}

TMainForm::ColumnFit TMainForm::CurrentColumnFit() const
{
    const ReportTable& table = m_state.Output.Table;
    const GridStyle& style = m_model->Style();
    return {table.Text.data(), table.Text.size(), table.RowCount(),
            style.DetailFont,  style.TotalFont,   style.HeaderFont};
}

void TMainForm::LayoutViews()
{
    ArrangeViews();
    m_grid->setUpdatesEnabled(false);
    // Widths to the contents do not change with the window's size.
    if (IsOn(m_state.Current.ColSize) || m_columnFit != CurrentColumnFit()) {
        SizeReportColumns(m_state.Current, m_state.Output.Table, m_state.Output.Columns,
                          TableWidth(), Measure());
        m_columnFit = CurrentColumnFit();
    }
    m_grid->ApplyColumns(m_state.Output.Columns);
    m_grid->KeepLastRowInView();
    m_grid->setUpdatesEnabled(true);
}

void TMainForm::SetMainCaption(const std::string& title)
{
    dialtally::SetMainCaption(static_cast<CaptionSink&>(*this), title);
}

void TMainForm::SetCaption(const std::string& caption)
{
    setWindowTitle(LogText(caption));
}

void TMainForm::SetBuilding(bool building)
{
    m_building = building;
}

int TMainForm::TableWidth() const
{
    return m_grid->viewport()->width();
}

const TextMeasure& TMainForm::Measure() const
{
    return m_grid->Measure();
}

// ---- Navigator host ----

void TMainForm::MakeCurrent(const std::string& path)
{
    m_document.MakeCurrent(path);
}

MessageAnswer TMainForm::ConfirmSave()
{
    return m_document.ConfirmSave();
}

void TMainForm::ClearReport()
{
    RunPass([this] {
        ClearConnections(m_state.Connections);
        ReportEngine(m_state.Output, *this).PrepareReport(m_state.Current);
    });
    ShowReport(m_state.Current);
    SetMainCaption("");
    for (int panel = 0; panel <= 4; ++panel)
        m_status->SetPanelText(panel, {});
}

// ---- Commands ----

void TMainForm::RefreshReport()
{
    TCfg& report = m_state.Current;
    m_criteria->ReadCriteria(report);
    // As the format table has it: a name in a Windows code page shows
    // decoded.
    const std::string box =
        StoredName(m_logFileBox->currentText(), m_state.Formats.LogType, m_state.Formats.Count);
    // An empty box chose no other log: the report names a format that is
    // not defined, and stays as it is, so the read error names that format.
    if (!box.empty() && box != report.LogType) {
        report.FileName = m_state.Options.Files.Path + "Untitled.rep";
        report.ReportDescription = box;
        report.LogType = box;
    }
    ReadLog();
}

void TMainForm::OpenProperties(int page)
{
    m_state.WorkingCopy = m_state.Current;
    if (ShowProperties(page, m_state.Current.FileName + " Properties"))
        RedoReport(AppliedChangeClass(m_state.Current, m_state.History));
}

void TMainForm::OpenStartupReport()
{
    if (!m_startupPending)
        return;
    m_startupPending = false;
    const ProgramOptions& options = m_state.Options.Options;
    const std::string& recent = m_state.Options.Files.Recent.Entries[0];
    if (options.LoadDefault) {
        m_document.MakeCurrent(m_state.Options.Files.Default);
        ReadLog();
    } else if (options.LoadRecent && !recent.empty()) {
        m_document.ReadReportFile(recent);
    }
}

void TMainForm::OpenHandedOverReports(const QStringList& lines)
{
    // The user started it to see it: a window minimised or behind others
    // would seem to do nothing, also while it waits for a dialog.
    for (QWidget* window : {static_cast<QWidget*>(this), QApplication::activeModalWidget()}) {
        if (!window)
            continue;
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
    }
    OpenHandedOverWhenFree(lines);
}

void TMainForm::OpenHandedOverWhenFree(const QStringList& lines)
{
    // A report opened in the middle of a pass would change what it reads.
    if (!OutsideAPass([this, lines] { OpenHandedOverWhenFree(lines); }))
        return;
    if (m_setupPending) {
        m_startupPending = false;
        m_afterSetup << lines;
        return;
    }
    // Nor under a dialog: its OK would store what it shows into the report
    // handed over. It waits until the dialog is closed.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(HandOverWaitMs, this, [this, lines] { OpenHandedOverWhenFree(lines); });
        return;
    }
    m_startupPending = false;
    std::vector<std::string> paths;
    for (const QString& line : lines)
        paths.push_back(line.toStdString());
    // As Open does: unsaved changes are not dropped unasked.
    dialtally::OpenHandedOverReports(paths, [this](const std::string& path) {
        if (m_document.ConfirmSave() != MessageAnswer::Cancel)
            m_document.ReadReportFile(path);
    });
}

void TMainForm::ViewText()
{
    SetView("Text");
}
void TMainForm::ViewGraph()
{
    SetView("Graph");
}
void TMainForm::ViewSplit()
{
    SetView("Split");
}

void TMainForm::GoBackCommand()
{
    m_navigator.GoBack();
}
void TMainForm::GoForwardCommand()
{
    m_navigator.GoForward();
}
void TMainForm::CloseReportCommand()
{
    m_navigator.CloseReport();
}
void TMainForm::CloseAllCommand()
{
    m_navigator.CloseAllReports();
}
void TMainForm::NewCommand()
{
    m_document.NewReport();
}
void TMainForm::OpenCommand()
{
    m_document.OpenReport();
}
void TMainForm::SaveCommand()
{
    m_document.SaveReport();
}
void TMainForm::SaveAsCommand()
{
    m_document.SaveReportAs();
}
void TMainForm::PrintCommand()
{
    m_document.PrintReport();
}
void TMainForm::DefaultCommand()
{
    m_document.GoToDefaultReport();
}
void TMainForm::ExitCommand()
{
    close();
}

void TMainForm::ViewLogFile()
{
    const int current = m_state.Formats.Current;
    if (current <= 0 || current > m_state.Formats.Count)
        return;
    const ViewableLog log = ViewableLogFile(m_state.Formats.LogFile[current]);
    if (log.Path.empty()) {
        ShowInfo(log.Reason);
        return;
    }
    // The path goes to the desktop as a file URL, never through a shell.
    if (!QDesktopServices::openUrl(
            QUrl::fromLocalFile(QFileInfo(QString::fromStdString(log.Path)).absoluteFilePath())))
        ShowError("No program could be started to show " + log.Path + ".");
}

void TMainForm::HelpContents()
{
    HelpWindow::ShowTopic(HelpWindow::Contents);
}
void TMainForm::HelpIndex()
{
    HelpWindow::ShowTopic(HelpWindow::Index);
}

void TMainForm::ToggleStatusBar()
{
    m_status->setVisible(!m_status->isVisible());
    LayoutViews();
}

void TMainForm::ToggleBand(int id)
{
    QToolBar* band = Band(id);
    if (band)
        band->setVisible(!band->isVisible());
    LayoutViews();
}

// ---- Display options and window settings ----

void TMainForm::ApplyDisplayOptions()
{
    const Settings& settings = m_state.Options;
    ApplyGridStyle(*m_grid, GridStyleFor(settings.Text));
    m_chart->SetStyle(ChartStyleFor(settings.Graph), PrintedChartStyleFor(settings.Graph));
    Act(MainAction::ViewSplit)
        ->setIcon(QIcon(settings.Options.SplitVertical ? QStringLiteral(":/icons/split.svg")
                                                       : QStringLiteral(":/icons/splith.svg")));
}

void TMainForm::ApplyWindowSettings()
{
    const WindowSettings& window = m_state.Options.Window;
    if (window.HasBounds()) {
        setGeometry(window.Left, window.Top, window.Width, window.Height);
        MoveOntoScreen(*this); // saved on a larger screen, or another one
    }
    if (window.State == 1)
        setWindowState(Qt::WindowMaximized);
    else if (window.State == 2)
        setWindowState(Qt::WindowMinimized);
    m_status->setVisible(window.StatusBar);

    m_bars->Apply(m_state.Options.Toolbars);
    if (!window.HasBounds()) {
        // Placed here rather than by the window manager, so that a message
        // of the pass that runs before the window is mapped centres on it.
        const QRect screenBounds = screen()->availableGeometry();
        QRect bounds(QPoint(), FirstSize());
        bounds.moveCenter(screenBounds.center());
        bounds.moveTopLeft(QPoint(std::max(bounds.left(), screenBounds.left()),
                                  std::max(bounds.top(), screenBounds.top())));
        setGeometry(bounds);
    }
}

void TMainForm::StoreWindowSettings()
{
    WindowSettings& window = m_state.Options.Window;
    const QRect bounds = normalGeometry().isValid() ? normalGeometry() : geometry();
    if (bounds.left() > 0 && bounds.top() > 0) {
        window.Left = bounds.left();
        window.Top = bounds.top();
        window.Width = bounds.width();
        window.Height = bounds.height();
    }
    window.State = isMinimized() ? 2 : isMaximized() ? 1 : 0;
    window.StatusBar = m_status->isVisibleTo(this);

    m_bars->Store(m_state.Options.Toolbars);
}

// ---- Events ----

bool TMainForm::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        ShowStatusHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::ShowStatusHint(const QString& hint)
{
    // Tool bar buttons have short hints only; over them the report's name
    // shows.
    const bool overBar = qobject_cast<QToolButton*>(QApplication::widgetAt(QCursor::pos()));
    if (!hint.isEmpty() && !overBar)
        m_status->SetPanelText(0, hint);
    else if (m_state.History.Position < 0)
        m_status->SetPanelText(0, {});
    else
        m_status->SetPanelText(0, LogText(FileTitle(m_state.Current.FileName)));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_logFileBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RefreshReport();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!OutsideAPass([this] { close(); })) {
        event->ignore();
        return;
    }
    if (m_document.ConfirmSave() == MessageAnswer::Cancel) {
        event->ignore();
        return;
    }
    SaveSettingsAtEnd();
    event->accept();
}

void TMainForm::SaveSettingsOnSignal()
{
    m_frontEnd.Unattended = true;
    SaveSettingsAtEnd();
}

void TMainForm::SaveSettingsAtEnd()
{
    StoreWindowSettings();
    SaveSettings(SettingsPath(m_state.Paths.ProgramFolder()), m_state.Options);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_status->SetFirstPanelWidth(frameGeometry().width() / 4);
    LayoutViews();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_firstShown)
        return;
    m_firstShown = true;
    // A program folder that cannot be looked into is not a first start.
    std::error_code error;
    if (!std::filesystem::exists(LogFormatsPath(m_state.Paths.ProgramFolder()), error) && !error) {
        m_setupPending = true;
        QTimer::singleShot(0, this, &TMainForm::RunFirstTimeSetup);
    }
    // Reports handed over on the command line were built before the
    // window showed; their caption stays.
    if (m_state.History.Position < 0)
        SetMainCaption("");
}

void TMainForm::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    // Not inside the paint itself: the pass paints too.
    if (m_startupPending)
        QTimer::singleShot(0, this, &TMainForm::OpenStartupReport);
}

} // namespace dialtally
