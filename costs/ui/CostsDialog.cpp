#include "costs/ui/CostsDialog.h"

#include "base/Currency.h"
#include "base/Messages.h"
#include "base/Numbers.h"
#include "costs/TariffEdits.h"
#include "costs/ui/RatePeriodDialog.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"
#include "widgets/ScreenPlacement.h"
#include "widgets/SortedLists.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace dialtally {

namespace {

constexpr int HelpProviders = 3410;
constexpr int HelpLinks = 3430;
constexpr int GridColumns = 10;

QToolButton* NewSmallButton(const QString& caption, const QString& hint, const char* objectName)
{
    auto* button = new QToolButton;
    button->setText(caption);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

} // namespace

TDlgCost::TDlgCost(TProv& providers, TServ& links, std::string programFolder, QWidget* parent)
    : QDialog(parent), m_globalProviders(providers), m_globalLinks(links), m_providers(providers),
      m_links(links), m_programFolder(std::move(programFolder)), m_pages(new QTabWidget),
      m_provList(new QListWidget), m_provName(new QLineEdit), m_monthBegin(new QComboBox),
      m_monthCharge(new QLineEdit), m_monthFree(new QLineEdit),
      m_grid(new QTableWidget(TTod::MaxPeriods, GridColumns)), m_todMenu(new QMenu(this)),
      m_servList(new QListWidget), m_service(new QLineEdit), m_servProvider(new QComboBox)
{
    setWindowTitle(tr("Costs"));
    setObjectName(QStringLiteral("DlgCost"));
    RunPeriodDialog = [](TDlgTod& dialog) { return dialog.exec(); };

    m_pages->setObjectName(QStringLiteral("PageControl"));
    m_pages->addTab(BuildProvidersPage(), tr("Providers"));
    m_pages->addTab(BuildLinksPage(), tr("Links"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(OkCancelHelpRow(
        this, [this] { BtnOkClick(); }, [this] { BtnHelpClick(); }));
    TurnPagesByKeyboard(m_pages);

    {
        const QSignalBlocker blockList(m_provList);
        for (int i = 1; i <= m_providers.Count; ++i) {
            const QString name = LogText(m_providers.Provider[i]);
            InsertSorted(m_provList, name);
            InsertSorted(m_servProvider, name);
        }
        m_servProvider->setCurrentIndex(-1);
    }
    if (m_provList->count() > 0) {
        SelectRow(m_provList, 0);
        ShowProvider();
    }
    {
        const QSignalBlocker blockList(m_servList);
        for (int i = 1; i <= m_links.Count; ++i)
            InsertSorted(m_servList, LogText(m_links.Service[i]));
    }
    if (m_servList->count() > 0) {
        SelectRow(m_servList, 0);
        ShowLink();
    }
    // All ten rate periods where the screen has room; fewer, scrolled, on
    // a low one (a netbook, a large scale factor).
    const int excess = sizeHint().height() - ScreenRoomHeight(*this);
    if (excess > 0) {
        m_grid->setFixedHeight(std::max(m_grid->minimumHeight() - excess,
                                        m_grid->horizontalHeader()->sizeHint().height() +
                                            3 * m_grid->verticalHeader()->defaultSectionSize()));
        // The layouts up to the dialog's keep the sizes they worked out.
        for (QWidget* widget = m_grid; widget && widget != this; widget = widget->parentWidget())
            widget->updateGeometry();
    }
    FixSizeWithinScreen(*this);
    KeepOnScreenWhenShown(this);
}

QWidget* TDlgCost::BuildProvidersPage()
{
    auto* page = new QWidget;
    m_provList->setObjectName(QStringLiteral("ListBoxProv"));
    m_provName->setObjectName(QStringLiteral("EditProvName"));
    RefuseCommas(m_provName);
    m_monthBegin->setObjectName(QStringLiteral("ComboMonthBegin"));
    m_monthCharge->setObjectName(QStringLiteral("EditMonthCharge"));
    m_monthFree->setObjectName(QStringLiteral("EditMonthFree"));
    m_grid->setObjectName(QStringLiteral("GridTod"));
    for (int day = 1; day <= 31; ++day)
        m_monthBegin->addItem(QString::number(day));
    connect(m_provList, &QListWidget::itemSelectionChanged, this, &TDlgCost::ListBoxProvClick);
    m_monthCharge->installEventFilter(this);
    m_grid->installEventFilter(this);

    m_grid->setHorizontalHeaderLabels({tr("M-F"), tr("Sat"), tr("Sun"), tr("From"), tr("To"),
                                       tr("Free"), tr("Cost"), tr("Mins"), tr("Init"), tr("Mins")});
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setTabKeyNavigation(false); // Tab reaches the buttons
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->setFixedHeight(m_grid->horizontalHeader()->sizeHint().height() +
                           TTod::MaxPeriods * m_grid->verticalHeader()->defaultSectionSize() +
                           2 * m_grid->frameWidth() + 20);
    for (int row = 0; row < TTod::MaxPeriods; ++row)
        for (int column = 0; column < GridColumns; ++column)
            m_grid->setItem(row, column, new QTableWidgetItem);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TDlgCost::BtnModifyTodClick);
    connect(m_grid, &QTableWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int row = m_grid->rowAt(pos.y());
        if (row >= 0)
            m_grid->selectRow(row);
        PopupTodPopup();
        m_todMenu->popup(m_grid->viewport()->mapToGlobal(pos));
    });

    QAction* add = m_todMenu->addAction(tr("&Add..."));
    add->setObjectName(QStringLiteral("MenuAddTod"));
    QAction* remove = m_todMenu->addAction(tr("&Remove..."));
    remove->setObjectName(QStringLiteral("MenuRemoveTod"));
    QAction* modify = m_todMenu->addAction(tr("&Modify..."));
    modify->setObjectName(QStringLiteral("MenuModifyTod"));
    connect(add, &QAction::triggered, this, &TDlgCost::BtnAddTodClick);
    connect(remove, &QAction::triggered, this, &TDlgCost::BtnRemoveTodClick);
    connect(modify, &QAction::triggered, this, &TDlgCost::BtnModifyTodClick);

    QToolButton* addTod =
        NewSmallButton(QStringLiteral("+"), tr("Add Additional Charge"), "BtnAddTod");
    QToolButton* removeTod =
        NewSmallButton(QStringLiteral("-"), tr("Remove Additional Charge"), "BtnRemoveTod");
    QToolButton* modifyTod =
        NewSmallButton(QStringLiteral("..."), tr("Modify Additional Charge"), "BtnModifyTod");
    connect(addTod, &QToolButton::clicked, this, &TDlgCost::BtnAddTodClick);
    connect(removeTod, &QToolButton::clicked, this, &TDlgCost::BtnRemoveTodClick);
    connect(modifyTod, &QToolButton::clicked, this, &TDlgCost::BtnModifyTodClick);

    auto* addProv = Named(new QPushButton(tr("&Add")), "BtnAddProv");
    auto* removeProv = Named(new QPushButton(tr("&Remove")), "BtnRemoveProv");
    auto* modifyProv = Named(new QPushButton(tr("&Modify")), "BtnModifyProv");
    connect(addProv, &QPushButton::clicked, this, &TDlgCost::BtnAddProvClick);
    connect(removeProv, &QPushButton::clicked, this, &TDlgCost::BtnRemoveProvClick);
    connect(modifyProv, &QPushButton::clicked, this, &TDlgCost::BtnModifyProvClick);

    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(tr("&Service providers:"), m_provList), 0, 0);
    fields->addWidget(m_provList, 1, 0, 6, 1);
    fields->addWidget(BuddyLabel(tr("&Provider name"), m_provName), 0, 1, 1, 3);
    fields->addWidget(m_provName, 1, 1, 1, 3);
    fields->addWidget(BuddyLabel(tr("Month &begins"), m_monthBegin), 2, 1);
    fields->addWidget(BuddyLabel(tr("Monthly &charge"), m_monthCharge), 2, 2);
    fields->addWidget(BuddyLabel(tr("Monthly &free hours"), m_monthFree), 2, 3);
    fields->addWidget(m_monthBegin, 3, 1);
    fields->addWidget(m_monthCharge, 3, 2);
    fields->addWidget(m_monthFree, 3, 3);
    auto* provButtons = new QHBoxLayout;
    provButtons->addStretch();
    provButtons->addWidget(addProv);
    provButtons->addWidget(removeProv);
    provButtons->addWidget(modifyProv);
    fields->addLayout(provButtons, 5, 1, 1, 3);
    fields->setRowStretch(4, 1);
    fields->setColumnStretch(0, 1);

    auto* gridHead = new QHBoxLayout;
    gridHead->addWidget(BuddyLabel(tr("A&dditional charges:"), m_grid));
    gridHead->addStretch();
    gridHead->addWidget(addTod);
    gridHead->addWidget(removeTod);
    gridHead->addWidget(modifyTod);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addLayout(gridHead);
    layout->addWidget(m_grid);

    // The provider buttons stand above the grid but come last in the tab order.
    const std::array<QWidget*, 12> tabOrder{m_provList,  m_provName, m_monthBegin, m_monthCharge,
                                            m_monthFree, m_grid,     addTod,       removeTod,
                                            modifyTod,   addProv,    removeProv,   modifyProv};
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i], tabOrder[i + 1]);
    return page;
}

// Providers

void TDlgCost::ListBoxProvClick()
{
    ShowProvider();
}

void TDlgCost::ShowProvider()
{
    QString name;
    if (!SelectedText(m_provList, name))
        return;
    m_providers.Current =
        FindProvider(StoredName(name, m_providers.Provider, m_providers.Count), m_providers);
    if (m_providers.Current == 0)
        return;
    m_provName->setText(LogText(m_providers.Provider[m_providers.Current]));
    int day = 0;
    const bool isDay = ParseInteger32(m_providers.ProviderMonthBegin[m_providers.Current], day) &&
                       day >= 1 && day <= m_monthBegin->count();
    m_monthBegin->setCurrentIndex(isDay ? day - 1 : -1);
    m_monthCharge->setText(
        QtText(ReformatCharge(m_providers.ProviderMonthCharge[m_providers.Current])));
    m_monthFree->setText(QtText(m_providers.ProviderMonthFree[m_providers.Current]));
    m_tod = m_providers.ProviderTod[m_providers.Current];
    for (int k = 1; k <= TTod::MaxPeriods; ++k)
        ClearPeriodRow(k);
    SelectPeriodRow(1);
    for (int k = 1; k <= std::min(m_tod.Count, TTod::MaxPeriods); ++k)
        WritePeriodRow(k);
    m_grid->resizeColumnsToContents();
}

void TDlgCost::StoreProvider()
{
    const int current = m_providers.Current;
    if (current < 1 || current > TProv::MaxProviders)
        return;
    m_providers.Provider[current] = EditedText(m_provName->text(), m_providers.Provider[current]);
    // A stored day the list cannot show is kept until one is chosen.
    if (m_monthBegin->currentIndex() >= 0)
        m_providers.ProviderMonthBegin[current] = IntToStr(m_monthBegin->currentIndex() + 1);
    m_providers.ProviderMonthCharge[current] = StoredCharge(m_monthCharge->text().toStdString());
    const std::string free = m_monthFree->text().toStdString();
    m_providers.ProviderMonthFree[current] = free.empty() ? "0" : free;
    m_providers.ProviderTod[current] = m_tod;
}

bool TDlgCost::MonthFiguresAreNumbers()
{
    const auto refuse = [this](QLineEdit* edit, const std::string& message) {
        ShowError(message);
        m_pages->setCurrentIndex(0);
        edit->setFocus();
        edit->selectAll();
        return false;
    };
    const std::string charge = m_monthCharge->text().toStdString();
    if (!IsAmountText(charge))
        return refuse(m_monthCharge, "'" + charge +
                                         "' is not an amount of money. Type it as, for example, " +
                                         FormatMoney(12345600) + ".");
    // Stored, free hours that are no whole number failed every report's pass.
    if (const std::string problem = MonthFreeHoursProblem(m_monthFree->text().toStdString());
        !problem.empty())
        return refuse(m_monthFree, problem);
    return true;
}

void TDlgCost::EditMonthChargeExit()
{
    m_monthCharge->setText(QtText(ReformatCharge(m_monthCharge->text().toStdString())));
}

void TDlgCost::BtnAddProvClick()
{
    if (m_providers.Count >= TProv::MaxProviders) {
        PlayDefaultSound();
        return;
    }
    if (!MonthFiguresAreNumbers())
        return;
    const QString name = m_provName->text();
    InsertSorted(m_servProvider, name);
    ++m_providers.Count;
    m_providers.Current = m_providers.Count;
    StoreProvider();
    InsertAndSelect(m_provList, name);
    ShowProvider();
}

void TDlgCost::BtnRemoveProvClick()
{
    QString name;
    if (!SelectedText(m_provList, name)) {
        PlayDefaultSound();
        return;
    }
    const int i =
        FindProvider(StoredName(name, m_providers.Provider, m_providers.Count), m_providers);
    if (i == 0 || ConfirmRemove(name.toStdString()) != MessageAnswer::Yes)
        return;
    const int choice = m_servProvider->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (choice >= 0)
        m_servProvider->removeItem(choice);
    RemoveProvider(m_providers, i);
    if (RemoveSelected(m_provList))
        ShowProvider();
    else
        m_providers.Current = 0;
}

void TDlgCost::BtnModifyProvClick()
{
    if (m_provList->selectedItems().isEmpty()) {
        PlayDefaultSound();
        return;
    }
    if (!MonthFiguresAreNumbers())
        return;
    const QString name = m_provName->text();
    if (m_providers.Current >= 1 && m_providers.Current <= TProv::MaxProviders)
        ReplaceProviderChoice(LogText(m_providers.Provider[m_providers.Current]), name);
    ShowLink();
    StoreProvider();
    RenameSelected(m_provList, name);
    ShowProvider();
}

void TDlgCost::ReplaceProviderChoice(const QString& oldName, const QString& newName)
{
    const int row = m_servProvider->findText(oldName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0)
        return;
    const QSignalBlocker blocker(m_servProvider);
    const bool wasChosen = m_servProvider->currentIndex() == row;
    m_servProvider->removeItem(row);
    const int newRow = InsertSorted(m_servProvider, newName);
    m_servProvider->setCurrentIndex(wasChosen ? newRow : m_servProvider->currentIndex());
}

// Rate periods

void TDlgCost::WritePeriodRow(int k)
{
    const std::array<std::string, 10> cells = RatePeriodCells(m_tod, k);
    for (int column = 0; column < GridColumns; ++column)
        m_grid->item(k - 1, column)->setText(QtText(cells[static_cast<std::size_t>(column)]));
}

void TDlgCost::ClearPeriodRow(int k)
{
    for (int column = 0; column < GridColumns; ++column)
        m_grid->item(k - 1, column)->setText(QString());
}

int TDlgCost::SelectedPeriodRow() const
{
    const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}

void TDlgCost::SelectPeriodRow(int k)
{
    if (k >= 1 && k <= TTod::MaxPeriods)
        m_grid->selectRow(k - 1);
}

int TDlgCost::RunPeriod(const QString& caption)
{
    TDlgTod dialog(m_tod, caption + m_provName->text(), this);
    return RunPeriodDialog(dialog);
}

void TDlgCost::BtnAddTodClick()
{
    if (m_tod.Count >= TTod::MaxPeriods) {
        PlayDefaultSound();
        return;
    }
    const int remembered = SelectedPeriodRow();
    const TTod before = m_tod;
    ++m_tod.Count;
    m_tod.Current = m_tod.Count;
    NewRatePeriod(m_tod, m_tod.Count);
    if (RunPeriod(tr("Add Additional Charge for ")) == QDialog::Accepted) {
        WritePeriodRow(m_tod.Count);
        SelectPeriodRow(m_tod.Count);
        m_grid->resizeColumnsToContents();
        return;
    }
    m_tod = before;
    m_tod.Current = remembered;
    SelectPeriodRow(remembered);
}

void TDlgCost::BtnRemoveTodClick()
{
    const int r = SelectedPeriodRow();
    if (r < 1 || r > m_tod.Count) {
        PlayDefaultSound();
        return;
    }
    if (ConfirmRemove("additional charge") != MessageAnswer::Yes)
        return;
    const int oldCount = m_tod.Count;
    RemoveRatePeriod(m_tod, r);
    for (int k = r; k <= m_tod.Count; ++k)
        WritePeriodRow(k);
    ClearPeriodRow(oldCount);
    if (m_tod.Count > 0 && SelectedPeriodRow() > m_tod.Count)
        SelectPeriodRow(m_tod.Count);
}

void TDlgCost::BtnModifyTodClick()
{
    const int r = SelectedPeriodRow();
    if (r < 1 || r > m_tod.Count) {
        PlayDefaultSound();
        return;
    }
    m_tod.Current = r;
    if (RunPeriod(tr("Modify Additional Charge for ")) == QDialog::Accepted) {
        WritePeriodRow(r);
        m_grid->resizeColumnsToContents();
    }
}

void TDlgCost::PopupTodPopup()
{
    const int r = SelectedPeriodRow();
    const bool onPeriod = r >= 1 && r <= m_tod.Count;
    const QList<QAction*> actions = m_todMenu->actions();
    actions[0]->setEnabled(m_tod.Count < TTod::MaxPeriods);
    actions[1]->setEnabled(onPeriod);
    actions[2]->setEnabled(onPeriod);
}

// Bottom buttons

void TDlgCost::BtnOkClick()
{
    if (!m_provList->selectedItems().isEmpty()) {
        if (!MonthFiguresAreNumbers())
            return;
        StoreProvider();
    }
    if (!m_servList->selectedItems().isEmpty())
        StoreLink();
    // Tables that could not be stored are not taken into use either: the
    // reports would price with what the next start no longer knows. The
    // dialog stays, for another try or Cancel; the message was shown.
    if (!SaveProviders(m_providers, m_programFolder))
        return;
    if (!SaveLinks(m_links, m_programFolder, false)) {
        // Both or neither: the providers go back to what is in use before
        // the message, which a report run meanwhile would otherwise beat.
        SaveProviders(m_globalProviders, m_programFolder);
        ShowWriteError(LinksPath(m_programFolder));
        return;
    }
    m_globalProviders = m_providers;
    m_globalLinks = m_links;
    accept();
}

void TDlgCost::BtnHelpClick()
{
    HelpWindow::ShowTopic(m_pages->currentIndex() == 0 ? HelpProviders : HelpLinks);
}

void TDlgCost::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_focused) {
        m_focused = true;
        m_provList->setFocus();
    }
}

bool TDlgCost::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_monthCharge && event->type() == QEvent::FocusOut)
        EditMonthChargeExit();
    // Enter on a rate period opens it, as a double click does, rather than
    // closing the whole dialog with OK.
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            BtnModifyTodClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace dialtally
