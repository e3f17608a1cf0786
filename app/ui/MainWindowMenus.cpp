// The menus, the bars and their actions of the main window.
#include "app/ui/MainWindow.h"

#include "app/ToolbarItems.h"
#include "app/ui/CriteriaBarWidget.h"
#include "app/ui/OptionsDialog.h"
#include "base/ListRoutines.h"
#include "reports/ui/BillingMonthDialog.h"
#include "reports/ui/CompareTariffsDialog.h"
#include "reports/ui/ReportGridView.h"
#include "widgets/StatusPanelsWidget.h"

#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace dialtally {

namespace {

QIcon Icon(const char* name)
{
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

} // namespace

QAction* TMainForm::AddAction(const QString& name, const QString& caption, const QString& hint,
                              const QKeySequence& shortcut, void (TMainForm::*slot)())
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(hint);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    addAction(action);
    m_actions[name] = action;
    return action;
}

void TMainForm::CreateActions()
{
    const auto key = [](const char* text) { return QKeySequence(QString::fromLatin1(text)); };
    AddAction("FileNew", "&New...", "Create a new report", key("Ctrl+N"), &TMainForm::NewCommand);
    AddAction("FileOpen", "&Open...", "Open a saved report", key("Ctrl+O"),
              &TMainForm::OpenCommand);
    AddAction("FileClose", "&Close", "Close the report", {}, &TMainForm::CloseReportCommand);
    AddAction("FileSave", "&Save", "Save changes", key("Ctrl+S"), &TMainForm::SaveCommand);
    AddAction("FileSaveAs", "Save &As...", "Save the report", {}, &TMainForm::SaveAsCommand);
    AddAction("FileExport", "&Export...", "Export the report data", {}, &TMainForm::ExportCommand);
    AddAction("FileProperties", "Proper&ties...", "View the report properties", {}, nullptr);
    connect(Action("FileProperties"), &QAction::triggered, this, [this] { OpenProperties(1); });
    AddAction("FilePrintSetup", "Print Set&up...", "Change the printer setup", {},
              &TMainForm::PrintSetupCommand);
    AddAction("FilePrintSettings", "Pr&int Settings...", "Change the print settings", {},
              &TMainForm::PrintSettingsCommand);
    AddAction("FilePrint", "&Print...", "Print the report", key("Ctrl+P"),
              &TMainForm::PrintCommand);
    AddAction("FileCloseAll", "C&lose All", "Close all open reports", {},
              &TMainForm::CloseAllCommand);
    AddAction("FileExit", "E&xit", "Quit the program", {}, &TMainForm::ExitCommand);

    AddAction("EditCopy", "&Copy", "Copy selected text or graph to the clipboard", key("Ctrl+C"),
              &TMainForm::CopyCommand);
    AddAction("EditSelectAll", "Select &All", "Select all of the report text", key("Ctrl+A"),
              &TMainForm::SelectAllCommand);
    AddAction("EditFind", "&Find...", "Find text in the report", key("Ctrl+F"),
              &TMainForm::FindCommand);
    AddAction("EditFindNext", "Find &Next", "Find next occurrence of the text", key("F3"),
              &TMainForm::FindNextCommand);

    AddAction("ViewButtons", "&Buttons", "Display button bar", {}, nullptr);
    AddAction("ViewCriteria", "&Criteria", "Display criteria bar", {}, nullptr);
    AddAction("ViewLogfile", "&Log file", "Display log file bar", {}, nullptr);
    for (int id = 1; id <= 3; ++id) {
        QAction* action = Action(id == 1   ? "ViewButtons"
                                 : id == 2 ? "ViewCriteria"
                                           : "ViewLogfile");
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, id] { ToggleBand(id); });
    }
    AddAction("ViewCustomize", "C&ustomize...", "Customize the toolbars", {},
              &TMainForm::CustomizeToolbars);
    AddAction("ViewStatusBar", "St&atus Bar", "Show or hide the status bar", {},
              &TMainForm::ToggleStatusBar)
        ->setCheckable(true);
    AddAction("GoBack", "&Back", "Go to the previous report", key("Ctrl+B"),
              &TMainForm::GoBackCommand)
        ->setIcon(Icon("back"));
    AddAction("GoForward", "&Forward", "Go to the next report", key("Ctrl+M"),
              &TMainForm::GoForwardCommand)
        ->setIcon(Icon("forward"));
    AddAction("GoDefault", "&Default", "Go to the default report", {}, &TMainForm::DefaultCommand)
        ->setIcon(Icon("default"));
    AddAction("ViewRefresh", "&Refresh", "Refresh the current report", key("F5"),
              &TMainForm::RefreshReport)
        ->setIcon(Icon("refresh"));
    AddAction("ToggleTotal", "&Total", "Toggle day, week, month, year total", key("Ctrl+U"),
              &TMainForm::CycleTotalsCommand)
        ->setIcon(Icon("total"));
    AddAction("ToggleDates", "&Dates", "Toggle current day, week, month, year", key("Ctrl+H"),
              &TMainForm::CycleDatesCommand);
    AddAction("ToggleTimes", "T&imes", "Toggle am, pm times", key("Ctrl+J"),
              &TMainForm::CycleTimesCommand);
    AddAction("ToggleDescriptions", "D&escriptions", "Toggle include, exclude descriptions",
              key("Ctrl+K"), &TMainForm::CycleDescriptionsCommand);
    AddAction("ZoomIn", "Zoom &In", "Zoom the graph in", key("Ctrl+Ins"), &TMainForm::ZoomInCommand)
        ->setIcon(Icon("zoomin"));
    AddAction("ZoomOut", "Zoom &Out", "Zoom the graph out", key("Ctrl+Del"),
              &TMainForm::ZoomOutCommand)
        ->setIcon(Icon("zoomout"));
    AddAction("ScrollLeft", "Scroll &Left", "Scroll zoomed graph to the left", key("Ctrl+E"),
              &TMainForm::ScrollLeftCommand)
        ->setIcon(Icon("scrollleft"));
    AddAction("ScrollRight", "Scroll &Right", "Scroll zoomed graph to the right", key("Ctrl+R"),
              &TMainForm::ScrollRightCommand)
        ->setIcon(Icon("scrollright"));
    m_viewGroup = new QActionGroup(this);
    for (const auto& [name, caption, hint, keys, icon, slot] :
         {std::tuple{"ViewText", "&Text", "View text report", "Ctrl+T", "text",
                     &TMainForm::ViewText},
          std::tuple{"ViewGraph", "&Graph", "View graph report", "Ctrl+G", "graph",
                     &TMainForm::ViewGraph},
          std::tuple{"ViewSplit", "&Split", "View combined text/graph report", "Ctrl+I", "split",
                     &TMainForm::ViewSplit}}) {
        QAction* action = AddAction(name, caption, hint, key(keys), slot);
        action->setCheckable(true);
        action->setIcon(Icon(icon));
        m_viewGroup->addAction(action);
    }
    AddAction("ViewDetails", "&Details", "Include details in the report", key("Ctrl+D"),
              &TMainForm::ToggleDetails)
        ->setCheckable(true);
    Action("ViewDetails")->setIcon(Icon("details"));
    AddAction("ViewTotals", "Tota&ls", "Include totals in the report", key("Ctrl+L"),
              &TMainForm::ToggleTotals)
        ->setCheckable(true);
    Action("ViewTotals")->setIcon(Icon("totals"));

    AddAction("ToolsArchive", "&Archive...", "Archive the log file", {}, &TMainForm::ArchiveLog);
    AddAction("ToolsViewLog", "&View Log File", "View or edit the log file", {},
              &TMainForm::ViewLogFile);
    AddAction("ToolsLogFiles", "&Log Files...", "Log file formats", {}, &TMainForm::EditLogFormats);
    AddAction("ToolsCosts", "&Costs...", "Communications costs", {}, &TMainForm::EditCosts);
    AddAction("ToolsBillingMonth", "&Billing Month...",
              "Where you stand in this billing month with each provider", {}, nullptr);
    connect(Action("ToolsBillingMonth"), &QAction::triggered, this,
            [this] { ShowBillingMonth(m_state, this); });
    AddAction("ToolsCompareTariffs", "Com&pare Tariffs...",
              "What each provider would have charged for the report's connections", {}, nullptr);
    connect(Action("ToolsCompareTariffs"), &QAction::triggered, this,
            [this] { ShowCompareTariffs(m_state, this); });
    AddAction("ToolsOptions", "&Options...", "Program options", {}, nullptr);
    connect(Action("ToolsOptions"), &QAction::triggered, this, [this] {
        TDlgOpt dialog(m_state.Options, m_fileTypeRegistered, this);
        dialog.SetReportLayout(m_state.Current);
        dialog.AskOpenFileName = [this](const FileDialogRequest& request) {
            return AskOpenFileName(request);
        };
        dialog.OnApply = [this] {
            m_document.LoadDefaultTemplate();
            ApplyDisplayOptions(); // the split button's picture too
            if (m_state.History.Position < 0) {
                m_document.GoToDefaultReport();
            } else {
                m_navigator.StepBackForRedisplay();
                RebuildFromMemory();
            }
        };
        dialog.exec();
    });
    AddAction("HelpTopics", "&Help Topics", "Display the help contents", key("F1"),
              &TMainForm::HelpContents);
    AddAction("HelpSearch", "&Search for Help On...", "Display the help index", {},
              &TMainForm::HelpIndex);
    AddAction("HelpAbout", "&About Dialtally", "Display information about the product", {},
              &TMainForm::ShowAbout);

    Action("FileNew")->setIcon(Icon("new"));
    Action("FileOpen")->setIcon(Icon("open"));
    Action("FileSave")->setIcon(Icon("save"));
    Action("FilePrint")->setIcon(Icon("print"));
    Action("EditCopy")->setIcon(Icon("copy"));
    Action("EditFind")->setIcon(Icon("find"));
}

void TMainForm::CreateMenus()
{
    auto* menuBar = new QMenuBar;
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    menuBar->setNativeMenuBar(false);

    m_fileMenu = menuBar->addMenu(QStringLiteral("&File"));
    m_fileMenu->addAction(Action("FileNew"));
    m_fileMenu->addAction(Action("FileOpen"));
    m_reopenMenu = m_fileMenu->addMenu(QStringLiteral("&Reopen"));
    m_reopenMenu->menuAction()->setStatusTip(QStringLiteral("Open a previous report"));
    m_fileMenu->addAction(Action("FileClose"));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action("FileSave"));
    m_fileMenu->addAction(Action("FileSaveAs"));
    m_fileMenu->addAction(Action("FileExport"));
    m_fileMenu->addAction(Action("FileProperties"));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action("FilePrintSetup"));
    m_fileMenu->addAction(Action("FilePrintSettings"));
    m_fileMenu->addAction(Action("FilePrint"));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Action("FileCloseAll"));
    m_fileMenu->addAction(Action("FileExit"));
    connect(m_fileMenu, &QMenu::aboutToShow, this, [this] { FillRecentMenu(m_reopenMenu); });

    m_editMenu = menuBar->addMenu(QStringLiteral("&Edit"));
    for (const char* name : {"EditCopy", "EditSelectAll", "EditFind", "EditFindNext"})
        m_editMenu->addAction(Action(name));
    connect(m_editMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateEditMenu);

    m_viewMenu = menuBar->addMenu(QStringLiteral("&View"));
    QMenu* bars = m_viewMenu->addMenu(QStringLiteral("Tool&bars"));
    bars->addAction(Action("ViewButtons"));
    bars->addAction(Action("ViewCriteria"));
    bars->addAction(Action("ViewLogfile"));
    bars->addSeparator();
    bars->addAction(Action("ViewCustomize"));
    m_viewMenu->addAction(Action("ViewStatusBar"));
    m_viewMenu->addSeparator();
    QMenu* go = m_viewMenu->addMenu(QStringLiteral("G&o"));
    go->addAction(Action("GoBack"));
    go->addAction(Action("GoForward"));
    go->addSeparator();
    go->addAction(Action("GoDefault"));
    m_viewMenu->addAction(Action("ViewRefresh"));
    QMenu* toggle = m_viewMenu->addMenu(QStringLiteral("Toggl&e"));
    for (const char* name : {"ToggleTotal", "ToggleDates", "ToggleTimes", "ToggleDescriptions"})
        toggle->addAction(Action(name));
    QMenu* zoom = m_viewMenu->addMenu(QStringLiteral("&Zoom"));
    zoom->addAction(Action("ZoomIn"));
    zoom->addAction(Action("ZoomOut"));
    zoom->addSeparator();
    zoom->addAction(Action("ScrollLeft"));
    zoom->addAction(Action("ScrollRight"));
    m_viewMenu->addSeparator();
    for (const char* name : {"ViewText", "ViewGraph", "ViewSplit"})
        m_viewMenu->addAction(Action(name));
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(Action("ViewDetails"));
    m_viewMenu->addAction(Action("ViewTotals"));
    connect(m_viewMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateViewMenu);

    QMenu* tools = menuBar->addMenu(QStringLiteral("&Tools"));
    tools->addAction(Action("ToolsArchive"));
    tools->addAction(Action("ToolsViewLog"));
    tools->addSeparator();
    tools->addAction(Action("ToolsLogFiles"));
    tools->addAction(Action("ToolsCosts"));
    tools->addAction(Action("ToolsBillingMonth"));
    tools->addAction(Action("ToolsCompareTariffs"));
    tools->addSeparator();
    tools->addAction(Action("ToolsOptions"));

    QMenu* help = menuBar->addMenu(QStringLiteral("&Help"));
    help->addAction(Action("HelpTopics"));
    help->addAction(Action("HelpSearch"));
    help->addSeparator();
    help->addAction(Action("HelpAbout"));

    // The menu bar is band 0 of the cool bar.
    auto* band = new QToolBar(QStringLiteral("Menu"), this);
    band->setObjectName(QStringLiteral("MenuBand"));
    band->addWidget(menuBar);
    band->toggleViewAction()->setEnabled(false);
    m_bands[0] = band;
}

void TMainForm::CreateBars()
{
    auto* buttons = new QToolBar(QStringLiteral("Buttons"), this);
    buttons->setObjectName(QStringLiteral("ButtonBar"));
    buttons->setIconSize(QSize(16, 16));
    m_bands[1] = buttons;
    m_criteria = new CriteriaBarWidget(this);
    m_bands[2] = m_criteria;
    auto* logBand = new QToolBar(QStringLiteral("Log file"), this);
    logBand->setObjectName(QStringLiteral("LogFileBand"));
    m_logFileBox = new QComboBox(logBand);
    m_logFileBox->setObjectName(QStringLiteral("LogFileBox"));
    m_logFileBox->setMaxVisibleItems(10);
    m_logFileBox->setMinimumContentsLength(16);
    m_logFileBox->setToolTip(QStringLiteral("Log file"));
    logBand->addWidget(m_logFileBox);
    m_bands[3] = logBand;
    connect(m_logFileBox, &QComboBox::activated, this, [this] { RefreshReport(); });
    m_logFileBox->installEventFilter(this);

    for (QToolBar* band : m_bands) {
        band->setMovable(true);
        band->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(band, &QToolBar::customContextMenuRequested, this,
                [this, band](const QPoint& pos) { ShowBarMenu(band->mapToGlobal(pos)); });
    }

    // A button of the bar: its own tool button over the shared action, so
    // that hiding it leaves the menu item alone.
    const auto button = [&](const char* item, QAction* action, const char* caption,
                            const char* tip) {
        auto* tool = new QToolButton(buttons);
        tool->setObjectName(QString::fromLatin1(item));
        tool->setDefaultAction(action);
        tool->setAutoRaise(true);
        tool->setProperty("caption", QString::fromLatin1(caption));
        tool->setText(QString::fromLatin1(caption));
        tool->setToolTip(QString::fromLatin1(tip));
        m_itemActions[QString::fromLatin1(item)] = buttons->addWidget(tool);
        return tool;
    };
    const auto separator = [&](const char* item) {
        m_itemActions[QString::fromLatin1(item)] = buttons->addSeparator();
    };

    m_backButton = button("BtnBack", Action("GoBack"), "Back", "Back");
    m_backButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto* backMenu = new QMenu(m_backButton);
    m_backButton->setMenu(backMenu);
    connect(backMenu, &QMenu::aboutToShow, this,
            [this, backMenu] { FillHistoryMenu(backMenu, true); });
    m_forwardButton = button("BtnForward", Action("GoForward"), "", "Forward");
    m_forwardButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto* forwardMenu = new QMenu(m_forwardButton);
    m_forwardButton->setMenu(forwardMenu);
    connect(forwardMenu, &QMenu::aboutToShow, this,
            [this, forwardMenu] { FillHistoryMenu(forwardMenu, false); });
    button("BtnRefresh", Action("ViewRefresh"), "Refresh", "Refresh");
    button("BtnProperties", Action("GoDefault"), "", "Default");
    separator("ToolButton22");
    button("BtnNew", Action("FileNew"), "New", "New");
    QToolButton* open = button("BtnOpen", Action("FileOpen"), "Open", "Open");
    open->setPopupMode(QToolButton::MenuButtonPopup);
    auto* recentMenu = new QMenu(open);
    open->setMenu(recentMenu);
    connect(recentMenu, &QMenu::aboutToShow, this,
            [this, recentMenu] { FillRecentMenu(recentMenu); });
    button("BtnSave", Action("FileSave"), "", "Save");
    button("BtnPrint", Action("FilePrint"), "", "Print");
    separator("ToolButton6");
    // Cut and Paste have no action and never show.
    for (const char* item : {"BtnCut", "BtnPaste"}) {
        auto* placeholder = new QAction(this);
        placeholder->setObjectName(QString::fromLatin1(item));
        placeholder->setVisible(false);
        m_itemActions[QString::fromLatin1(item)] = placeholder;
    }
    button("BtnCopy", Action("EditCopy"), "", "Copy");
    button("BtnFind", Action("EditFind"), "Find", "Find");
    separator("ToolButton16");
    button("BtnText", Action("ViewText"), "Text", "Text");
    button("BtnGraph", Action("ViewGraph"), "Graph", "Graph");
    button("BtnSplit", Action("ViewSplit"), "Split", "Split");
    separator("ToolButton19");
    button("BtnDetails", Action("ViewDetails"), "Details", "Details");
    button("BtnTotals", Action("ViewTotals"), "Totals", "Totals");
    m_totalButton = button("BtnTtotal", Action("ToggleTotal"), "Total", "Total");
    m_totalButton->setPopupMode(QToolButton::MenuButtonPopup);
    separator("ToolButton11");
    button("BtnZoomIn", Action("ZoomIn"), "Zoom", "Zoom In");
    button("BtnZoomOut", Action("ZoomOut"), "Unzoom", "Zoom Out");
    button("BtnScrollLeft", Action("ScrollLeft"), "", "Scroll Left");
    button("BtnScrollRight", Action("ScrollRight"), "", "Scroll Right");

    // The criteria bar's items, by their settings names.
    for (QAction* action : m_criteria->actions()) {
        if (QWidget* widget = m_criteria->widgetForAction(action)) {
            if (!widget->objectName().isEmpty())
                m_itemActions[widget->objectName()] = action;
        }
    }
    connect(m_criteria, &CriteriaBarWidget::RefreshRequested, this, &TMainForm::RefreshReport);
    connect(m_criteria->DatesButton(), &QToolButton::clicked, this, &TMainForm::CycleDatesCommand);
    connect(m_criteria->TimesButton(), &QToolButton::clicked, this, &TMainForm::CycleTimesCommand);
    connect(m_criteria->DescriptionsButton(), &QToolButton::clicked, this,
            &TMainForm::CycleDescriptionsCommand);
    m_criteria->DatesButton()->setIcon(Icon("dates"));
    m_criteria->TimesButton()->setIcon(Icon("hours"));
    m_criteria->DescriptionsButton()->setIcon(Icon("descriptions"));
}

QSize TMainForm::FirstSize() const
{
    // The designed size was laid out for a smaller font than the
    // platform's; and our bars take more room than their design did.
    const QFontMetrics metrics(QApplication::font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const FontUnits font{(metrics.horizontalAdvance(alphabet) + 26) / 52, metrics.height()};
    const int grid = m_grid->horizontalHeader()->height() +
                     FirstWindowGridRows * ReportGridView::RowHeight + 2 * m_grid->frameWidth();
    // Bands shown or hidden since the last layout would still count.
    layout()->invalidate();
    const int barsHeight = sizeHint().height() - m_split->sizeHint().height();
    // The widest row of bands as the settings arrange them.
    int widest = 0, row = 0;
    bool first = true;
    for (const BandSettings& position : m_state.Options.Toolbars.Bands) {
        const QToolBar* band = Band(position.Id);
        if (!band)
            continue;
        if (position.Break && !first) {
            widest = std::max(widest, row);
            row = 0;
        }
        first = false;
        if (!band->isHidden())
            row += band->sizeHint().width();
    }
    widest = std::max(widest, row);
    const WindowSize size = FirstWindowSize(font, WindowSize{widest, barsHeight + grid});
    // Never larger than the screen, frame included.
    const QSize frame(8, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8);
    const QSize screenRoom = screen() ? screen()->availableGeometry().size() - frame : QSize();
    const QSize sized(size.Width, size.Height);
    return screenRoom.isValid() ? sized.boundedTo(screenRoom) : sized;
}

void TMainForm::ApplyTextLabels(bool labels)
{
    for (QToolBar* bar : {m_bands[1], m_bands[2]}) {
        for (QToolButton* tool : bar->findChildren<QToolButton*>()) {
            const bool captioned = labels && !tool->property("caption").toString().isEmpty();
            tool->setToolButtonStyle(captioned ? Qt::ToolButtonTextBesideIcon
                                               : Qt::ToolButtonIconOnly);
        }
    }
    m_textLabels = labels;
}

void TMainForm::ShowBarMenu(const QPoint& globalPos)
{
    UpdateViewMenu();
    QMenu menu(this);
    menu.addAction(Action("ViewButtons"));
    menu.addAction(Action("ViewCriteria"));
    menu.addAction(Action("ViewLogfile"));
    menu.addSeparator();
    menu.addAction(Action("ViewCustomize"));
    menu.exec(globalPos);
}

void TMainForm::UpdateViewMenu()
{
    Action("ViewButtons")->setChecked(m_bands[1]->isVisibleTo(this));
    Action("ViewCriteria")->setChecked(m_bands[2]->isVisibleTo(this));
    Action("ViewLogfile")->setChecked(m_bands[3]->isVisibleTo(this));
    Action("ViewStatusBar")->setChecked(m_status->isVisibleTo(this));
    Action("GoBack")->setEnabled(m_navigator.CanGoBack());
    Action("GoForward")->setEnabled(m_navigator.CanGoForward());
    const std::string& type = m_state.Current.ReportType;
    Action("ViewText")->setChecked(type == "Text");
    Action("ViewGraph")->setChecked(type == "Graph");
    Action("ViewSplit")->setChecked(type == "Split");
    Action("ViewDetails")->setChecked(m_state.Current.DetailShow == "1");
    Action("ViewTotals")->setChecked(m_state.Current.TotalShow == "1");
}

void TMainForm::UpdateEditMenu()
{
    const bool text = m_state.Current.ReportType != "Graph";
    Action("EditSelectAll")->setEnabled(text);
    Action("EditFind")->setEnabled(text);
    Action("EditFindNext")->setEnabled(text);
}

void TMainForm::FillRecentMenu(QMenu* menu)
{
    menu->clear();
    const auto& entries = m_state.Options.Files.Recent.Entries;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::string path = entries[k];
        if (path.empty())
            continue;
        const QString caption =
            QStringLiteral("&%1 ").arg(k + 1) + QString::fromStdString(FileTitle(path));
        QAction* action = menu->addAction(caption);
        action->setStatusTip(QStringLiteral("Open a previous report"));
        connect(action, &QAction::triggered, this,
                [this, path] { m_document.OpenRecentReport(path); });
    }
}

void TMainForm::FillHistoryMenu(QMenu* menu, bool back)
{
    menu->clear();
    const std::vector<std::string> titles =
        back ? m_navigator.BackMenu() : m_navigator.ForwardMenu();
    for (std::size_t k = 0; k < titles.size(); ++k) {
        QAction* action = menu->addAction(QString::fromStdString(titles[k]));
        const int steps = static_cast<int>(k) + 1;
        connect(action, &QAction::triggered, this, [this, back, steps] {
            if (back)
                m_navigator.GoBackSteps(steps);
            else
                m_navigator.GoForwardSteps(steps);
        });
    }
}

} // namespace dialtally
