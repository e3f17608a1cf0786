#include "TestSupport.h"

#include "costs/ui/CostsDialog.h"
#include "costs/ui/RatePeriodDialog.h"
#include "widgets/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace dialtally {

namespace {

class CostsDialog : public ::testing::Test {
protected:
    CostsDialog()
    {
        DefaultProviders(providers);
        DefaultLinks(links);
    }

    template <typename T = QLineEdit> static T* Find(QWidget& dialog, const char* name)
    {
        T* child = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Click(QWidget& dialog, const char* button)
    {
        QTest::mouseClick(Find<QAbstractButton>(dialog, button), Qt::LeftButton);
    }
    static void SetText(QWidget& dialog, const char* edit, const QString& text)
    {
        QLineEdit* line = Find(dialog, edit);
        line->clear();
        QTest::keyClicks(line, text);
    }
    static void SelectProvider(TDlgCost& dialog, const QString& name)
    {
        auto* list = Find<QListWidget>(dialog, "ListBoxProv");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
    }
    static QString Cell(TDlgCost& dialog, int row, int column)
    {
        return Find<QTableWidget>(dialog, "GridTod")->item(row - 1, column)->text();
    }
    static int SelectedGridRow(TDlgCost& dialog)
    {
        const QModelIndexList rows =
            Find<QTableWidget>(dialog, "GridTod")->selectionModel()->selectedRows();
        return rows.isEmpty() ? 0 : rows.first().row() + 1;
    }

    RecordingFrontEnd ui;
    TempFolder home;
    TProv providers;
    TServ links;
};

const QString Telephone = QStringLiteral("Sample Telephone Company");
const QString Isp = QStringLiteral("Sample Internet Service Provider");

TEST_F(CostsDialog, ShowsTheFirstProviderAndLink)
{
    TDlgCost dialog(providers, links, home.Path());
    EXPECT_EQ(Find(dialog, "EditProvName")->text(), Isp);
    EXPECT_EQ(Find(dialog, "EditMonthCharge")->text(), "$19.95");
    EXPECT_EQ(Find<QComboBox>(dialog, "ComboMonthBegin")->currentText(), "1");
    EXPECT_EQ(Find<QComboBox>(dialog, "ComboMonthBegin")->count(), 31);
    EXPECT_EQ(Find(dialog, "EditService")->text(), "My ISP");
    EXPECT_EQ(Find<QComboBox>(dialog, "ComboServProv")->currentText(), Isp);

    SelectProvider(dialog, Telephone);
    EXPECT_EQ(dialog.WorkingProviders().Current, 2);
    const QStringList first = {"X", "", "", "7:00:00 AM", "6:59:59 PM", "", ".07", "1", "0", "0"};
    for (int column = 0; column < 10; ++column)
        EXPECT_EQ(Cell(dialog, 1, column), first[column]);
    EXPECT_EQ(Cell(dialog, 2, 2), "X");
    EXPECT_EQ(Cell(dialog, 3, 3), "");
    EXPECT_EQ(SelectedGridRow(dialog), 1);
}

TEST_F(CostsDialog, TabsThroughTheGridBeforeTheProviderButtons)
{
    TDlgCost dialog(providers, links, home.Path());
    const QStringList expected{"ListBoxProv",     "EditProvName",  "ComboMonthBegin",
                               "EditMonthCharge", "EditMonthFree", "GridTod",
                               "BtnAddTod",       "BtnRemoveTod",  "BtnModifyTod",
                               "BtnAddProv",      "BtnRemoveProv", "BtnModifyProv"};
    QStringList order;
    QWidget* start = Find<QListWidget>(dialog, "ListBoxProv");
    QWidget* widget = start;
    do {
        if (expected.contains(widget->objectName()) && (widget->focusPolicy() & Qt::TabFocus))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != start);
    EXPECT_EQ(order, expected);

    // Tab leaves the grid rather than walking its cells.
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* grid = Find<QTableWidget>(dialog, "GridTod");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "BtnAddTod");
}

TEST_F(CostsDialog, AddsAtTheLimitsOnlySound)
{
    providers.Count = TProv::MaxProviders;
    for (int i = 3; i <= TProv::MaxProviders; ++i)
        providers.Provider[i] = "X" + std::to_string(i);
    providers.ProviderTod[1].Count = TTod::MaxPeriods;
    links.Count = TServ::MaxLinks;
    TDlgCost dialog(providers, links, home.Path());
    int periodDialogs = 0;
    dialog.RunPeriodDialog = [&](TDlgTod&) { return ++periodDialogs, int(QDialog::Accepted); };
    const TProv before = dialog.WorkingProviders();
    Click(dialog, "BtnAddProv");
    Click(dialog, "BtnAddTod");
    Click(dialog, "BtnAddServ");
    EXPECT_EQ(ui.Sounds, 3);
    EXPECT_EQ(periodDialogs, 0);
    EXPECT_EQ(dialog.WorkingProviders(), before);
    EXPECT_EQ(dialog.PeriodScratch().Count, TTod::MaxPeriods);
    EXPECT_EQ(dialog.WorkingLinks().Count, TServ::MaxLinks);
    EXPECT_EQ(Find<QListWidget>(dialog, "ListBoxProv")->count(), TProv::MaxProviders);
}

TEST_F(CostsDialog, ActionsWithoutASelectionOnlySound)
{
    TProv none;
    TServ noLinks;
    TDlgCost dialog(none, noLinks, home.Path());
    for (const char* button : {"BtnRemoveProv", "BtnModifyProv", "BtnRemoveTod", "BtnModifyTod",
                               "BtnRemoveServ", "BtnModifyServ"})
        Click(dialog, button);
    EXPECT_EQ(ui.Sounds, 6);
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(CostsDialog, NewProviderTakesTheShownPeriods)
{
    TDlgCost dialog(providers, links, home.Path());
    SelectProvider(dialog, Telephone);
    SetText(dialog, "EditProvName", "Alpha Phone");
    Click(dialog, "BtnAddProv");
    const TProv& working = dialog.WorkingProviders();
    ASSERT_EQ(working.Count, 3);
    EXPECT_EQ(working.Provider[3], "Alpha Phone");
    EXPECT_EQ(working.ProviderTod[3].Count, 2);
    EXPECT_EQ(working.ProviderTod[3].UnitCharge[2], ".05");
    EXPECT_EQ(working.ProviderMonthCharge[3], "4.95");
    EXPECT_EQ(working.Current, 3);
    EXPECT_EQ(Find<QListWidget>(dialog, "ListBoxProv")->currentItem()->text(), "Alpha Phone");
    EXPECT_EQ(Find<QComboBox>(dialog, "ComboServProv")->itemText(0), "Alpha Phone");
    EXPECT_EQ(working.Provider[2], Telephone.toStdString()); // the shown one is untouched
}

TEST_F(CostsDialog, CancelledPeriodAddChangesNothing)
{
    TDlgCost dialog(providers, links, home.Path());
    SelectProvider(dialog, Telephone);
    Find<QTableWidget>(dialog, "GridTod")->selectRow(1);
    QString caption;
    dialog.RunPeriodDialog = [&](TDlgTod& period) {
        caption = period.windowTitle();
        return int(QDialog::Rejected);
    };
    Click(dialog, "BtnAddTod");
    EXPECT_EQ(caption, "Add Additional Charge for Sample Telephone Company");
    EXPECT_EQ(dialog.PeriodScratch().Count, 2);
    EXPECT_EQ(dialog.PeriodScratch().Current, 2);
    EXPECT_EQ(SelectedGridRow(dialog), 2);
    EXPECT_EQ(Cell(dialog, 3, 0), "");
}

TEST_F(CostsDialog, AcceptedPeriodAddAndModifyWriteTheGrid)
{
    TDlgCost dialog(providers, links, home.Path());
    SelectProvider(dialog, Telephone);
    dialog.RunPeriodDialog = [](TDlgTod& period) {
        Find<QCheckBox>(period, "CheckSunday")->setChecked(false);
        Find<QCheckBox>(period, "CheckApplyFree")->setChecked(true);
        Find(period, "EditUnitCharge")->clear();
        Find(period, "EditUnitMinutes")->clear();
        Click(period, "BtnOk");
        return period.result();
    };
    Click(dialog, "BtnAddTod");
    const QStringList added = {"X", "X", "", "12:00:00 AM", "11:59:59 PM", "X", "0", "1", "0", "0"};
    for (int column = 0; column < 10; ++column)
        EXPECT_EQ(Cell(dialog, 3, column), added[column]) << column;
    EXPECT_EQ(SelectedGridRow(dialog), 3);
    EXPECT_EQ(dialog.PeriodScratch().Count, 3);

    dialog.RunPeriodDialog = [](TDlgTod& period) {
        EXPECT_EQ(period.windowTitle(), "Modify Additional Charge for Sample Telephone Company");
        EXPECT_EQ(Find(period, "EditUnitCharge")->text(), ".07");
        // A charge pricing cannot read is refused, and the dialog stays.
        Find(period, "EditUnitCharge")->setText(QStringLiteral("abc"));
        Click(period, "BtnOk");
        EXPECT_NE(period.result(), QDialog::Accepted);
        Find(period, "EditUnitCharge")->setText(QStringLiteral(".08"));
        Click(period, "BtnOk");
        return period.result();
    };
    auto* grid = Find<QTableWidget>(dialog, "GridTod");
    grid->selectRow(0);
    emit grid->cellDoubleClicked(0, 0);
    EXPECT_EQ(Cell(dialog, 1, 6), ".08");
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Text, "'abc' is not a charge. Type it as, for example, 0.05.");
    EXPECT_EQ(Cell(dialog, 1, 3), "7:00:00 AM");

    // Enter on a period opens it too, rather than pressing OK.
    int opened = 0;
    dialog.RunPeriodDialog = [&](TDlgTod&) { return ++opened, int(QDialog::Rejected); };
    grid->selectRow(1);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(opened, 1);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(CostsDialog, RemovingPeriodsAndTheContextMenu)
{
    TDlgCost dialog(providers, links, home.Path());
    SelectProvider(dialog, Telephone);
    auto* grid = Find<QTableWidget>(dialog, "GridTod");
    grid->selectRow(1);
    Click(dialog, "BtnRemoveTod");
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Text, "Remove additional charge?");
    EXPECT_EQ(dialog.PeriodScratch().Count, 1);
    EXPECT_EQ(Cell(dialog, 2, 0), "");
    EXPECT_EQ(SelectedGridRow(dialog), 1);

    grid->selectRow(4);
    dialog.PopupTodPopup();
    const QList<QAction*> items = dialog.findChild<QMenu*>()->actions();
    EXPECT_TRUE(items[0]->isEnabled());
    EXPECT_FALSE(items[1]->isEnabled());
    EXPECT_FALSE(items[2]->isEnabled());
    grid->selectRow(0);
    dialog.PopupTodPopup();
    EXPECT_TRUE(items[1]->isEnabled());

    // Another provider reloads the grid; the removal is lost without Modify.
    SelectProvider(dialog, Isp);
    SelectProvider(dialog, Telephone);
    EXPECT_EQ(dialog.PeriodScratch().Count, 2);
}

TEST_F(CostsDialog, RenamedProviderLeavesItsLinkUnresolved)
{
    TDlgCost dialog(providers, links, home.Path());
    SetText(dialog, "EditProvName", "My Provider");
    Click(dialog, "BtnModifyProv");
    auto* choice = Find<QComboBox>(dialog, "ComboServProv");
    EXPECT_EQ(choice->currentIndex(), -1);
    EXPECT_EQ(choice->findText(Isp), -1);
    EXPECT_NE(choice->findText(QStringLiteral("My Provider")), -1);
    EXPECT_EQ(dialog.WorkingProviders().Provider[1], "My Provider");
    EXPECT_EQ(dialog.WorkingProviders().Count, 2);
    Click(dialog, "BtnOk");
    EXPECT_EQ(providers.Provider[1], "My Provider");
    EXPECT_EQ(links.Provider[1], Isp.toStdString());
    EXPECT_NE(home.Read("Dialtally.srv").find("Provider=" + Isp.toStdString()), std::string::npos);
}

// Tables written on Windows hold names in Windows-1252: they show decoded,
// and an OK that changed nothing stores the very bytes they had.
TEST_F(CostsDialog, NamesInAWindowsCodePageComeThroughAsTheyWere)
{
    const std::string telecom = "T\xE9l\xE9"
                                "com Z\xFCrich (\xA3)";
    const std::string service = "52000b\xE9s";
    providers.Provider[1] = links.Provider[1] = telecom;
    links.Service[1] = service;
    TDlgCost dialog(providers, links, home.Path());
    SelectProvider(dialog, QStringLiteral("Télécom Zürich (£)"));
    EXPECT_EQ(Find(dialog, "EditProvName")->text(), QStringLiteral("Télécom Zürich (£)"));
    EXPECT_EQ(Find(dialog, "EditService")->text(), QStringLiteral("52000bés"));
    EXPECT_EQ(Find<QComboBox>(dialog, "ComboServProv")->currentText(),
              QStringLiteral("Télécom Zürich (£)"));
    Click(dialog, "BtnModifyProv");
    Click(dialog, "BtnModifyServ");
    Click(dialog, "BtnOk");
    EXPECT_EQ(providers.Provider[1], telecom);
    EXPECT_EQ(links.Provider[1], telecom);
    EXPECT_EQ(links.Service[1], service);
    EXPECT_NE(home.Read("Dialtally.srv").find("Provider=" + telecom), std::string::npos);
}

// Neither table is taken into use, nor left on disk, when one cannot be
// stored: a folder that is gone, or links that cannot be written.
TEST_F(CostsDialog, TablesThatCannotBeStoredAreNotTakenIntoUse)
{
    // What a report run while the message is up would price with.
    struct ProvidersAtMessage : RecordingFrontEnd {
        std::string Path, Seen;
        MessageAnswer ShowMessage(MessageKind kind, MessageButtons buttons,
                                  const std::string& text) override
        {
            std::ifstream in(Path, std::ios::binary);
            Seen += std::string(std::istreambuf_iterator<char>(in), {});
            return RecordingFrontEnd::ShowMessage(kind, buttons, text);
        }
    } ui;
    ui.Path = home.File("Dialtally.prv");
    std::filesystem::create_directory(home.File("Dialtally.srv"));
    for (const std::string& folder : {home.File("gone"), home.Path()}) {
        TDlgCost dialog(providers, links, folder);
        SetText(dialog, "EditProvName", "My Provider");
        Click(dialog, "BtnModifyProv");
        Click(dialog, "BtnOk");
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(providers.Provider[1], Isp.toStdString());
        ASSERT_FALSE(ui.Messages.empty());
        EXPECT_NE(ui.Messages.back().Text.find("An error occurred writing"), std::string::npos);
    }
    EXPECT_EQ(home.Read("Dialtally.prv").find("My Provider"), std::string::npos);
    EXPECT_EQ(ui.Seen.find("My Provider"), std::string::npos);
}

TEST_F(CostsDialog, RemovingProvidersThenOkWritesBannersOnly)
{
    TDlgCost dialog(providers, links, home.Path());
    auto* list = Find<QListWidget>(dialog, "ListBoxProv");
    list->setCurrentRow(1);
    Click(dialog, "BtnRemoveProv");
    EXPECT_EQ(ui.Messages.back().Text, "Remove Sample Telephone Company?");
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(Find<QComboBox>(dialog, "ComboServProv")->count(), 1);
    Click(dialog, "BtnRemoveProv");
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(dialog.WorkingProviders().Count, 0);
    Click(dialog, "BtnOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(providers.Count, 0);
    EXPECT_EQ(home.Read("Dialtally.prv"), "*\r\n*  Dialtally Provider Configuration\r\n*\r\n");
    EXPECT_EQ(links.Provider[1], Isp.toStdString());
}

TEST_F(CostsDialog, EmptyTablesSaveBanners)
{
    TProv none;
    TServ noLinks;
    TDlgCost dialog(none, noLinks, home.Path());
    Click(dialog, "BtnOk");
    EXPECT_EQ(home.Read("Dialtally.prv"), "*\r\n*  Dialtally Provider Configuration\r\n*\r\n");
    EXPECT_EQ(home.Read("Dialtally.srv"), "*\r\n*  Dialtally Link Configuration\r\n*\r\n");
}

struct ChargeCase {
    const char* Preset;
    const char* Typed;
    const char* Shown;
    const char* Stored;
};

class MonthCharge : public CostsDialog, public ::testing::WithParamInterface<ChargeCase> {};

TEST_P(MonthCharge, ReformatsOnLeavingAndStoresTheNumber)
{
    const ChargeCase& c = GetParam();
    ScopedRegional preset(c.Preset);
    TDlgCost dialog(providers, links, home.Path());
    QLineEdit* charge = Find(dialog, "EditMonthCharge");
    charge->setText(QString::fromUtf8(c.Typed));
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(charge, &leave);
    EXPECT_EQ(charge->text().toStdString(), c.Shown);
    const std::string before = providers.ProviderMonthCharge[1];
    Click(dialog, "BtnOk");
    if (c.Stored) {
        EXPECT_EQ(providers.ProviderMonthCharge[1], c.Stored);
        EXPECT_TRUE(ui.Messages.empty());
    } else {
        // Refused: said so, nothing stored, the dialog stays open.
        EXPECT_EQ(providers.ProviderMonthCharge[1], before);
        ASSERT_EQ(ui.Messages.size(), 1u);
        EXPECT_TRUE(ui.Messages[0].Text.starts_with("'" + std::string(c.Typed) + "' is not"));
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

INSTANTIATE_TEST_SUITE_P(Presets, MonthCharge,
                         ::testing::Values(ChargeCase{"en-US", "19.95", "$19.95", "19.95"},
                                           ChargeCase{"de-DE", "19,95", "19,95 \xE2\x82\xAC",
                                                      "19,95"},
                                           ChargeCase{"en-US", "", "", "0"},
                                           ChargeCase{"en-US", "none", "none", nullptr},
                                           ChargeCase{"de-DE", "19.95", "19.95", nullptr},
                                           ChargeCase{"en-US", "99999999999999999999",
                                                      "99999999999999999999", nullptr}));

// Free hours the pricing cannot read are refused, with the focus on them:
// stored, they failed every report with the log format's message.
TEST_F(CostsDialog, FreeHoursThatAreNoWholeNumberAreRefused)
{
    const struct {
        const char* Typed;
        const char* Stored; // null: refused
    } cases[] = {{"12", "12"}, {"", "0"}, {"1.5", nullptr}, {"ten", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        ui.Messages.clear();
        TDlgCost dialog(providers, links, home.Path());
        Find(dialog, "EditMonthFree")->setText(QString::fromLatin1(c.Typed));
        const std::string before = providers.ProviderMonthFree[1];
        Click(dialog, "BtnOk");
        EXPECT_EQ(providers.ProviderMonthFree[1], c.Stored ? c.Stored : before);
        EXPECT_EQ(ui.Messages.size(), c.Stored ? 0u : 1u);
        if (!c.Stored) {
            EXPECT_EQ(dialog.focusWidget(), Find(dialog, "EditMonthFree"));
        }
    }
}

// A comma would split a provider name or a link's description where they
// are listed; neither edit takes one.
TEST_F(CostsDialog, NamesTakeNoComma)
{
    TDlgCost dialog(providers, links, home.Path());
    for (const char* edit : {"EditProvName", "EditService"}) {
        SetText(dialog, edit, "My,ISP");
        EXPECT_EQ(Find(dialog, edit)->text(), "MyISP") << edit;
    }
}

TEST_F(CostsDialog, LinksAddModifyRemove)
{
    TDlgCost dialog(providers, links, home.Path());
    auto* choice = Find<QComboBox>(dialog, "ComboServProv");
    SetText(dialog, "EditService", "AOL");
    choice->setCurrentIndex(choice->findText(Telephone));
    Click(dialog, "BtnAddServ");
    const TServ& working = dialog.WorkingLinks();
    ASSERT_EQ(working.Count, 2);
    EXPECT_EQ(working.Service[2], "AOL");
    EXPECT_EQ(working.Provider[2], Telephone.toStdString());
    auto* list = Find<QListWidget>(dialog, "ListBoxServ");
    EXPECT_EQ(list->currentItem()->text(), "AOL");

    SetText(dialog, "EditService", "Zed");
    Click(dialog, "BtnModifyServ");
    EXPECT_EQ(working.Service[2], "Zed");
    EXPECT_EQ(list->item(1)->text(), "Zed");
    EXPECT_EQ(list->currentRow(), 1);

    Click(dialog, "BtnRemoveServ");
    EXPECT_EQ(working.Count, 1);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(Find(dialog, "EditService")->text(), "My ISP");
}

// A time typed over the From picker as it is written is the time typed:
// the "7" of 7:30 was dropped into the hour 08, which stayed.
TEST_F(CostsDialog, PeriodTimesTakeATimeTypedAsItIsWritten)
{
    ScopedRegional preset("de-DE");
    TTod periods = providers.ProviderTod[2];
    periods.Current = 1;
    periods.TimeFrom[1] = "08:00:00";
    periods.UnitCharge[1] = "0,07";
    TDlgTod period(periods, QStringLiteral("x"));
    period.show();
    period.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&period));
    auto* from = Find<QTimeEdit>(period, "TimeFrom");
    from->setFocus();
    from->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("7:30:00"));
    Click(period, "BtnOk");
    EXPECT_EQ(periods.TimeFrom[1], "07:30:00");
}

TEST_F(CostsDialog, CancelAndHelp)
{
    const TProv before = providers;
    TDlgCost dialog(providers, links, home.Path());
    SetText(dialog, "EditProvName", "Changed");
    Click(dialog, "BtnAddProv");
    Click(dialog, "BtnHelp");
    EXPECT_EQ(HelpWindow::LastTopic(), 3410);
    Find<QTabWidget>(dialog, "PageControl")->setCurrentIndex(1);
    Click(dialog, "BtnHelp");
    EXPECT_EQ(HelpWindow::LastTopic(), 3430);
    Click(dialog, "BtnCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(providers, before);
    EXPECT_FALSE(std::filesystem::exists(home.File("Dialtally.prv")));

    TTod periods = before.ProviderTod[2];
    periods.Current = 1;
    TDlgTod period(periods, QStringLiteral("x"));
    Click(period, "BtnHelp");
    EXPECT_EQ(HelpWindow::LastTopic(), 3420);
    QApplication::closeAllWindows();
}

} // namespace

} // namespace dialtally
