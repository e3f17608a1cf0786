// The menus, the bars and their actions of the main window.
#include "app/ui/MainWindow.h"

#include "app/ToolbarItems.h"
#include "app/ui/CriteriaBarWidget.h"
#include "app/ui/MainActions.h"
#include "app/ui/OptionsDialog.h"
#include "app/ui/ToolbarBands.h"
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

void TMainForm::CreateActions()
{
    m_actions = std::make_unique<MainActions>(this);
    using Command = void (TMainForm::*)();
    const std::pair<MainAction, Command> commands[] = {
        {MainAction::FileNew, &TMainForm::NewCommand},
        {MainAction::FileOpen, &TMainForm::OpenCommand},
        {MainAction::FileClose, &TMainForm::CloseReportCommand},
        {MainAction::FileSave, &TMainForm::SaveCommand},
        {MainAction::FileSaveAs, &TMainForm::SaveAsCommand},
        {MainAction::FileExport, &TMainForm::ExportCommand},
        {MainAction::FilePrintSetup, &TMainForm::PrintSetupCommand},
        {MainAction::FilePrintSettings, &TMainForm::PrintSettingsCommand},
        {MainAction::FilePrint, &TMainForm::PrintCommand},
        {MainAction::FileCloseAll, &TMainForm::CloseAllCommand},
        {MainAction::FileExit, &TMainForm::ExitCommand},
        {MainAction::EditCopy, &TMainForm::CopyCommand},
        {MainAction::EditSelectAll, &TMainForm::SelectAllCommand},
        {MainAction::EditFind, &TMainForm::FindCommand},
        {MainAction::EditFindNext, &TMainForm::FindNextCommand},
        {MainAction::ViewCustomize, &TMainForm::CustomizeToolbars},
        {MainAction::ViewStatusBar, &TMainForm::ToggleStatusBar},
        {MainAction::GoBack, &TMainForm::GoBackCommand},
        {MainAction::GoForward, &TMainForm::GoForwardCommand},
        {MainAction::GoDefault, &TMainForm::DefaultCommand},
        {MainAction::ViewRefresh, &TMainForm::RefreshReport},
        {MainAction::ToggleTotal, &TMainForm::CycleTotalsCommand},
        {MainAction::ToggleDates, &TMainForm::CycleDatesCommand},
        {MainAction::ToggleTimes, &TMainForm::CycleTimesCommand},
        {MainAction::ToggleDescriptions, &TMainForm::CycleDescriptionsCommand},
        {MainAction::ZoomIn, &TMainForm::ZoomInCommand},
        {MainAction::ZoomOut, &TMainForm::ZoomOutCommand},
        {MainAction::ScrollLeft, &TMainForm::ScrollLeftCommand},
        {MainAction::ScrollRight, &TMainForm::ScrollRightCommand},
        {MainAction::ViewText, &TMainForm::ViewText},
        {MainAction::ViewGraph, &TMainForm::ViewGraph},
        {MainAction::ViewSplit, &TMainForm::ViewSplit},
        {MainAction::ViewDetails, &TMainForm::ToggleDetails},
        {MainAction::ViewTotals, &TMainForm::ToggleTotals},
        {MainAction::ToolsArchive, &TMainForm::ArchiveLog},
        {MainAction::ToolsViewLog, &TMainForm::ViewLogFile},
        {MainAction::ToolsLogFiles, &TMainForm::EditLogFormats},
        {MainAction::ToolsCosts, &TMainForm::EditCosts},
        {MainAction::HelpTopics, &TMainForm::HelpContents},
        {MainAction::HelpSearch, &TMainForm::HelpIndex},
        {MainAction::HelpAbout, &TMainForm::ShowAbout},
    };
    for (const auto& [id, command] : commands)
        connect(Act(id), &QAction::triggered, this, command);
    connect(Act(MainAction::FileProperties), &QAction::triggered, this,
            [this] { OpenProperties(1); });
    for (const auto& [id, band] :
         {std::pair{MainAction::ViewButtons, 1}, std::pair{MainAction::ViewCriteria, 2},
          std::pair{MainAction::ViewLogfile, 3}})
        connect(Act(id), &QAction::triggered, this, [this, band = band] { ToggleBand(band); });
    connect(Act(MainAction::ToolsBillingMonth), &QAction::triggered, this, [this] {
        ReloadChangedTables();
        ShowBillingMonth(m_state, this);
    });
    connect(Act(MainAction::ToolsCompareTariffs), &QAction::triggered, this, [this] {
        ReloadChangedTables();
        ShowCompareTariffs(m_state, this);
    });
    connect(Act(MainAction::ToolsOptions), &QAction::triggered, this, [this] {
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
    m_viewGroup = new QActionGroup(this);
    for (const MainAction id : {MainAction::ViewText, MainAction::ViewGraph, MainAction::ViewSplit})
        m_viewGroup->addAction(Act(id));
}

QToolBar* TMainForm::CreateMenus()
{
    auto* menuBar = new QMenuBar;
    menuBar->setObjectName(QStringLiteral("MainMenu"));
    menuBar->setNativeMenuBar(false);

    m_fileMenu = menuBar->addMenu(QStringLiteral("&File"));
    m_fileMenu->addAction(Act(MainAction::FileNew));
    m_fileMenu->addAction(Act(MainAction::FileOpen));
    m_reopenMenu = m_fileMenu->addMenu(QStringLiteral("&Reopen"));
    m_reopenMenu->menuAction()->setStatusTip(QStringLiteral("Open a previous report"));
    m_fileMenu->addAction(Act(MainAction::FileClose));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Act(MainAction::FileSave));
    m_fileMenu->addAction(Act(MainAction::FileSaveAs));
    m_fileMenu->addAction(Act(MainAction::FileExport));
    m_fileMenu->addAction(Act(MainAction::FileProperties));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Act(MainAction::FilePrintSetup));
    m_fileMenu->addAction(Act(MainAction::FilePrintSettings));
    m_fileMenu->addAction(Act(MainAction::FilePrint));
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(Act(MainAction::FileCloseAll));
    m_fileMenu->addAction(Act(MainAction::FileExit));
    connect(m_fileMenu, &QMenu::aboutToShow, this, [this] { FillRecentMenu(m_reopenMenu); });

    m_editMenu = menuBar->addMenu(QStringLiteral("&Edit"));
    for (const MainAction id : {MainAction::EditCopy, MainAction::EditSelectAll,
                                MainAction::EditFind, MainAction::EditFindNext})
        m_editMenu->addAction(Act(id));
    connect(m_editMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateEditMenu);

    m_viewMenu = menuBar->addMenu(QStringLiteral("&View"));
    QMenu* bars = m_viewMenu->addMenu(QStringLiteral("Tool&bars"));
    bars->addAction(Act(MainAction::ViewButtons));
    bars->addAction(Act(MainAction::ViewCriteria));
    bars->addAction(Act(MainAction::ViewLogfile));
    bars->addSeparator();
    bars->addAction(Act(MainAction::ViewCustomize));
    m_viewMenu->addAction(Act(MainAction::ViewStatusBar));
    m_viewMenu->addSeparator();
    QMenu* go = m_viewMenu->addMenu(QStringLiteral("G&o"));
    go->addAction(Act(MainAction::GoBack));
    go->addAction(Act(MainAction::GoForward));
    go->addSeparator();
    go->addAction(Act(MainAction::GoDefault));
    m_viewMenu->addAction(Act(MainAction::ViewRefresh));
    QMenu* toggle = m_viewMenu->addMenu(QStringLiteral("Toggl&e"));
    for (const MainAction id : {MainAction::ToggleTotal, MainAction::ToggleDates,
                                MainAction::ToggleTimes, MainAction::ToggleDescriptions})
        toggle->addAction(Act(id));
    QMenu* zoom = m_viewMenu->addMenu(QStringLiteral("&Zoom"));
    zoom->addAction(Act(MainAction::ZoomIn));
    zoom->addAction(Act(MainAction::ZoomOut));
    zoom->addSeparator();
    zoom->addAction(Act(MainAction::ScrollLeft));
    zoom->addAction(Act(MainAction::ScrollRight));
    m_viewMenu->addSeparator();
    for (const MainAction id : {MainAction::ViewText, MainAction::ViewGraph, MainAction::ViewSplit})
        m_viewMenu->addAction(Act(id));
    m_viewMenu->addSeparator();
    m_viewMenu->addAction(Act(MainAction::ViewDetails));
    m_viewMenu->addAction(Act(MainAction::ViewTotals));
    connect(m_viewMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateViewMenu);

    QMenu* tools = menuBar->addMenu(QStringLiteral("&Tools"));
    tools->addAction(Act(MainAction::ToolsArchive));
    tools->addAction(Act(MainAction::ToolsViewLog));
    tools->addSeparator();
    tools->addAction(Act(MainAction::ToolsLogFiles));
    tools->addAction(Act(MainAction::ToolsCosts));
    tools->addAction(Act(MainAction::ToolsBillingMonth));
    tools->addAction(Act(MainAction::ToolsCompareTariffs));
    tools->addSeparator();
    tools->addAction(Act(MainAction::ToolsOptions));

    QMenu* help = menuBar->addMenu(QStringLiteral("&Help"));
    help->addAction(Act(MainAction::HelpTopics));
    help->addAction(Act(MainAction::HelpSearch));
    help->addSeparator();
    help->addAction(Act(MainAction::HelpAbout));

    // The menu bar is band 0 of the cool bar.
    auto* band = new QToolBar(QStringLiteral("Menu"), this);
    band->setObjectName(QStringLiteral("MenuBand"));
    band->addWidget(menuBar);
    band->toggleViewAction()->setEnabled(false);
    return band;
}

void TMainForm::CreateBars(QToolBar* menuBand)
{
    auto* buttons = new QToolBar(QStringLiteral("Buttons"), this);
    buttons->setObjectName(QStringLiteral("ButtonBar"));
    buttons->setIconSize(QSize(16, 16));
    m_criteria = new CriteriaBarWidget(this);
    auto* logBand = new QToolBar(QStringLiteral("Log file"), this);
    logBand->setObjectName(QStringLiteral("LogFileBand"));
    m_logFileBox = new QComboBox(logBand);
    m_logFileBox->setObjectName(QStringLiteral("LogFileBox"));
    m_logFileBox->setMaxVisibleItems(10);
    m_logFileBox->setMinimumContentsLength(16);
    m_logFileBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_logFileBox->setToolTip(QStringLiteral("Log file"));
    m_logFileBox->setAccessibleName(m_logFileBox->toolTip());
    logBand->addWidget(m_logFileBox);
    m_bars = std::make_unique<ToolbarBands>(
        this, std::array<QToolBar*, BandCount>{menuBand, buttons, m_criteria, logBand},
        m_logFileBox);
    connect(m_logFileBox, &QComboBox::activated, this, [this] { RefreshReport(); });
    m_logFileBox->installEventFilter(this);

    for (QToolBar* band : m_bars->Bands()) {
        band->setMovable(true);
        // The bands of a bar along the window's top: their places are kept
        // as rows and order there, so they stay there.
        band->setAllowedAreas(Qt::TopToolBarArea);
        band->setFloatable(false);
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
        // Most show a picture alone; the tip changes (Back to ...).
        tool->setAccessibleName(QString::fromLatin1(tip));
        m_bars->AddItem(QString::fromLatin1(item), buttons->addWidget(tool));
        return tool;
    };
    const auto separator = [&](const char* item) {
        m_bars->AddItem(QString::fromLatin1(item), buttons->addSeparator());
    };

    m_backButton = button("BtnBack", Act(MainAction::GoBack), "Back", "Back");
    m_backButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto* backMenu = new QMenu(m_backButton);
    m_backButton->setMenu(backMenu);
    connect(backMenu, &QMenu::aboutToShow, this,
            [this, backMenu] { FillHistoryMenu(backMenu, true); });
    m_forwardButton = button("BtnForward", Act(MainAction::GoForward), "", "Forward");
    m_forwardButton->setPopupMode(QToolButton::MenuButtonPopup);
    auto* forwardMenu = new QMenu(m_forwardButton);
    m_forwardButton->setMenu(forwardMenu);
    connect(forwardMenu, &QMenu::aboutToShow, this,
            [this, forwardMenu] { FillHistoryMenu(forwardMenu, false); });
    button("BtnRefresh", Act(MainAction::ViewRefresh), "Refresh", "Refresh");
    button("BtnProperties", Act(MainAction::GoDefault), "", "Default");
    separator("ToolButton22");
    button("BtnNew", Act(MainAction::FileNew), "New", "New");
    QToolButton* open = button("BtnOpen", Act(MainAction::FileOpen), "Open", "Open");
    open->setPopupMode(QToolButton::MenuButtonPopup);
    auto* recentMenu = new QMenu(open);
    open->setMenu(recentMenu);
    connect(recentMenu, &QMenu::aboutToShow, this,
            [this, recentMenu] { FillRecentMenu(recentMenu); });
    button("BtnSave", Act(MainAction::FileSave), "", "Save");
    button("BtnPrint", Act(MainAction::FilePrint), "", "Print");
    separator("ToolButton6");
    // Cut and Paste have no button (IsNeverShownItem).
    button("BtnCopy", Act(MainAction::EditCopy), "", "Copy");
    button("BtnFind", Act(MainAction::EditFind), "Find", "Find");
    separator("ToolButton16");
    button("BtnText", Act(MainAction::ViewText), "Text", "Text");
    button("BtnGraph", Act(MainAction::ViewGraph), "Graph", "Graph");
    button("BtnSplit", Act(MainAction::ViewSplit), "Split", "Split");
    separator("ToolButton19");
    button("BtnDetails", Act(MainAction::ViewDetails), "Details", "Details");
    button("BtnTotals", Act(MainAction::ViewTotals), "Totals", "Totals");
    m_totalButton = button("BtnTtotal", Act(MainAction::ToggleTotal), "Total", "Total");
    m_totalButton->setPopupMode(QToolButton::MenuButtonPopup);
    separator("ToolButton11");
    button("BtnZoomIn", Act(MainAction::ZoomIn), "Zoom", "Zoom In");
    button("BtnZoomOut", Act(MainAction::ZoomOut), "Unzoom", "Zoom Out");
    button("BtnScrollLeft", Act(MainAction::ScrollLeft), "", "Scroll Left");
    button("BtnScrollRight", Act(MainAction::ScrollRight), "", "Scroll Right");

    // The criteria bar's items, by their settings names.
    for (QAction* action : m_criteria->actions()) {
        if (QWidget* widget = m_criteria->widgetForAction(action)) {
            if (!widget->objectName().isEmpty())
                m_bars->AddItem(widget->objectName(), action);
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

void TMainForm::ShowBarMenu(const QPoint& globalPos)
{
    UpdateViewMenu();
    QMenu menu(this);
    menu.addAction(Act(MainAction::ViewButtons));
    menu.addAction(Act(MainAction::ViewCriteria));
    menu.addAction(Act(MainAction::ViewLogfile));
    menu.addSeparator();
    menu.addAction(Act(MainAction::ViewCustomize));
    menu.exec(globalPos);
}

void TMainForm::UpdateViewMenu()
{
    Act(MainAction::ViewButtons)->setChecked(Band(1)->isVisibleTo(this));
    Act(MainAction::ViewCriteria)->setChecked(Band(2)->isVisibleTo(this));
    Act(MainAction::ViewLogfile)->setChecked(Band(3)->isVisibleTo(this));
    Act(MainAction::ViewStatusBar)->setChecked(m_status->isVisibleTo(this));
    Act(MainAction::GoBack)->setEnabled(m_navigator.CanGoBack());
    Act(MainAction::GoForward)->setEnabled(m_navigator.CanGoForward());
    const std::string& type = m_state.Current.ReportType;
    Act(MainAction::ViewText)->setChecked(type == "Text");
    Act(MainAction::ViewGraph)->setChecked(type == "Graph");
    Act(MainAction::ViewSplit)->setChecked(type == "Split");
    Act(MainAction::ViewDetails)->setChecked(m_state.Current.DetailShow == "1");
    Act(MainAction::ViewTotals)->setChecked(m_state.Current.TotalShow == "1");
}

void TMainForm::UpdateEditMenu()
{
    const bool text = m_state.Current.ReportType != "Graph";
    Act(MainAction::EditSelectAll)->setEnabled(text);
    Act(MainAction::EditFind)->setEnabled(text);
    Act(MainAction::EditFindNext)->setEnabled(text);
}

void TMainForm::FillRecentMenu(QMenu* menu)
{
    menu->clear();
    // Captions name no folder: two reports of one name differ by the tip.
    menu->setToolTipsVisible(true);
    const auto& entries = m_state.Options.Files.Recent.Entries;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::string path = entries[k];
        if (path.empty())
            continue;
        const QString caption =
            QStringLiteral("&%1 ").arg(k + 1) + QString::fromStdString(FileTitle(path));
        QAction* action = menu->addAction(caption);
        action->setStatusTip(QStringLiteral("Open a previous report"));
        action->setToolTip(QString::fromStdString(path));
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
