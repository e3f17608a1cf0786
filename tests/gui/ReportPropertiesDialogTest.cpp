#include "reports/ui/ReportPropertiesDialog.h"
#include "reports/ReportFile.h"
#include "widgets/CheckListWidget.h"
#include "widgets/HelpWindow.h"
#include "widgets/RegionalPickerWidget.h"

#include "TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace dialtally {

namespace {

class ReportPropertiesDialogTest : public testing::Test {
protected:
    ReportPropertiesDialogTest()
    {
        SetReportDefaults(m_current, "/reports/Default.rep");
        m_working = m_current;
        m_formats.Count = 2;
        m_formats.LogType[1] = "Windows Dial-Up Networking";
        m_formats.LogType[2] = "Windows Update";
        m_providers.Count = 2;
        m_providers.Provider[1] = "AB";
        m_providers.Provider[2] = "A";
    }

    std::unique_ptr<TDlgProp> Shown(int startPage)
    {
        auto dialog = std::make_unique<TDlgProp>(m_current, m_working, m_formats, m_providers,
                                                 startPage, "Untitled Properties");
        dialog->OnApply = [this] { ++m_applies; };
        EXPECT_TRUE(dialog->FormShow());
        dialog->show();
        return dialog;
    }

    template <typename T> static T* Find(TDlgProp& dialog, const char* name)
    {
        T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void Click(TDlgProp& dialog, const char* button)
    {
        QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton);
    }

    // Runs the dialog modally and presses a button once it is up.
    bool RunAndClick(int startPage, const char* button)
    {
        TDlgProp dialog(m_current, m_working, m_formats, m_providers, startPage, "x Properties");
        dialog.OnApply = [this] { ++m_applies; };
        QTimer::singleShot(0, &dialog, [&dialog, button] { Click(dialog, button); });
        return dialog.Run();
    }

    RecordingFrontEnd m_frontEnd;
    TCfg m_current;
    TCfg m_working;
    TLCfg m_formats;
    TProv m_providers;
    int m_applies = 0;
};

} // namespace

// Typing goes into the first control of the page the dialog opens on.
TEST_F(ReportPropertiesDialogTest, TheFirstControlOfThePageHasTheFocus)
{
    const auto dialog = Shown(0);
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_EQ(QApplication::focusWidget(), Find<QLineEdit>(*dialog, "EditTitle"));
}

TEST_F(ReportPropertiesDialogTest, ProviderNamedInsideAnotherIsTickedAndWritten)
{
    m_working.ServiceProviders = "AB";
    auto dialog = Shown(0);
    auto* list = Find<QListWidget>(*dialog, "ListBoxProv");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "A");
    EXPECT_EQ(list->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    Click(*dialog, "BtnApplyProp");
    EXPECT_EQ(m_current.ServiceProviders, "A,AB");
}

TEST_F(ReportPropertiesDialogTest, LogTypeOfNoFormatShowsNoSelectionAndWritesEmpty)
{
    m_working.LogType = "Gone";
    auto dialog = Shown(0);
    EXPECT_EQ(Find<QComboBox>(*dialog, "ComboLogFile")->currentIndex(), -1);
    Click(*dialog, "BtnApplyProp");
    EXPECT_EQ(m_current.LogType, "");
}

TEST_F(ReportPropertiesDialogTest, OkWithoutChangesClosesAsCancel)
{
    m_working.CriteriaDateFrom = "01/01/2000"; // would be rewritten as 1/1/2000
    m_current = m_working;
    const TCfg before = m_current;
    EXPECT_FALSE(RunAndClick(1, "BtnOkProp"));
    EXPECT_TRUE(SameReport(m_current, before));
    EXPECT_FALSE(m_current.Modified);
    EXPECT_EQ(m_applies, 0);
}

TEST_F(ReportPropertiesDialogTest, OkAfterApplyWithNoFurtherChangeClosesAsCancel)
{
    auto dialog = Shown(3);
    EXPECT_FALSE(dialog->ApplyEnabled());
    Find<QCheckBox>(*dialog, "CheckBoxLegend")->click();
    EXPECT_TRUE(dialog->ApplyEnabled());
    Click(*dialog, "BtnApplyProp");
    EXPECT_EQ(m_applies, 1);
    EXPECT_EQ(m_current.GraphLegend, "1");
    Click(*dialog, "BtnOkProp");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(m_applies, 1);
}

TEST_F(ReportPropertiesDialogTest, NewReportOkWritesTheTemplateAndMarksModified)
{
    TCfg defaultTemplate = m_current;
    defaultTemplate.ReportDescription = "From the template";
    defaultTemplate.TotalMonth = "1";
    m_working = defaultTemplate;
    m_working.FileName = "/reports/Untitled.rep";
    m_current.ReportDescription = "Shown before";
    m_current.FileName = "/reports/Shown.rep";
    EXPECT_TRUE(RunAndClick(0, "BtnOkProp"));
    EXPECT_TRUE(SameReport(m_current, defaultTemplate));
    EXPECT_TRUE(m_current.Modified);
    EXPECT_EQ(m_current.FileName, "/reports/Shown.rep"); // the caller makes the new name current
    EXPECT_EQ(m_current.DefTotalMonth, "1");
    EXPECT_EQ(m_applies, 0);
}

TEST_F(ReportPropertiesDialogTest, DatesAreWrittenFromDisabledPickers)
{
    m_working.CriteriaDateAll = "1";
    m_working.CriteriaDateFrom = "03/05/2001";
    m_working.CriteriaDateTo = "12/31/2001";
    auto dialog = Shown(0);
    EXPECT_FALSE(Find<QDateEdit>(*dialog, "DateFrom")->isEnabled());
    EXPECT_FALSE(Find<QDateEdit>(*dialog, "DateTo")->isEnabled());
    Click(*dialog, "BtnOkProp");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(m_current.CriteriaDateAll, "1");
    EXPECT_EQ(m_current.CriteriaDateFrom, "3/5/2001");
    EXPECT_EQ(m_current.CriteriaDateTo, "12/31/2001");
}

TEST_F(ReportPropertiesDialogTest, AllSwitchesEnableTheirControlsAndApply)
{
    m_working.CriteriaTimeAll = "1";
    m_working.DetailShow = "0";
    auto dialog = Shown(2);
    auto* from = Find<QTimeEdit>(*dialog, "TimeFrom");
    auto* details = Find<CheckListWidget>(*dialog, "CheckListDetails");
    EXPECT_FALSE(from->isEnabled());
    EXPECT_FALSE(details->isEnabled());
    EXPECT_FALSE(dialog->ApplyEnabled());
    auto* timeAll = Find<QCheckBox>(*dialog, "CheckBoxTimeAll");
    QTest::mouseClick(timeAll, Qt::LeftButton, {}, QPoint(8, timeAll->height() / 2));
    EXPECT_TRUE(from->isEnabled());
    EXPECT_TRUE(dialog->ApplyEnabled());
    Find<QCheckBox>(*dialog, "CheckBoxDetails")->click();
    EXPECT_TRUE(details->isEnabled());
    auto* include = Find<QLineEdit>(*dialog, "EditInclude");
    EXPECT_FALSE(include->isEnabled());
    Find<QCheckBox>(*dialog, "CheckBoxDescripAll")->click();
    EXPECT_TRUE(include->isEnabled());
}

TEST_F(ReportPropertiesDialogTest, EachApplyRefreshesWithTheClassOfItsChange)
{
    THCfg history;
    history.Items = {m_current};
    history.Count = 1;
    history.Position = 0;
    m_working.CriteriaDescripAll = "0";
    auto dialog = Shown(1);
    std::vector<int> classes;
    dialog->OnApply = [&] {
        classes.push_back(AppliedChangeClass(m_current, history));
        history.Items[0] = m_current; // the refresh shows the applied report
    };
    const std::vector<std::function<void()>> edits = {
        [&] { QTest::keyClicks(Find<QLineEdit>(*dialog, "EditInclude"), "news"); },
        [&] { QTest::keyClicks(Find<QLineEdit>(*dialog, "EditTitle"), " 2"); },
        [&] { Find<QRadioButton>(*dialog, "RadioGraph")->click(); },
        [&] { Find<CheckListWidget>(*dialog, "CheckListDetails")->SetChecked(5, true); },
    };
    for (const auto& edit : edits) {
        edit();
        ASSERT_TRUE(dialog->ApplyEnabled());
        Click(*dialog, "BtnApplyProp");
        EXPECT_FALSE(dialog->ApplyEnabled());
    }
    EXPECT_EQ(classes, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(m_current.CriteriaInclude, "news");
    EXPECT_EQ(m_current.ReportType, "Graph");
    EXPECT_EQ(m_current.DetailCost, "1");
    EXPECT_TRUE(m_current.Modified);
}

TEST_F(ReportPropertiesDialogTest, UnreadableValueStopsTheShowingWithItsError)
{
    const std::vector<std::pair<std::string TCfg::*, const char*>> cases = {
        {&TCfg::CriteriaDateTo, "31.12.2000x"},
        {&TCfg::CriteriaTimeFrom, "noon"},
        {&TCfg::ColSize, "Equal"},
        {&TCfg::ColAlign, "Right"},
        {&TCfg::GraphYAxis, "Hours"},
        {&TCfg::Graph3d, ""}};
    for (const auto& [field, text] : cases) {
        TCfg working = m_working;
        working.*field = text;
        m_frontEnd.Messages.clear();
        const TCfg before = m_current;
        TDlgProp dialog(m_current, working, m_formats, m_providers, 1, "x Properties");
        EXPECT_FALSE(dialog.Run()) << text; // returns without a modal loop
        EXPECT_FALSE(dialog.isVisible());
        ASSERT_EQ(m_frontEnd.Texts(MessageKind::Error).size(), 1u) << text;
        EXPECT_FALSE(m_frontEnd.Texts(MessageKind::Error)[0].empty());
        EXPECT_TRUE(SameReport(m_current, before));
    }
}

TEST_F(ReportPropertiesDialogTest, PickersShowTheRegionalFormats)
{
    ScopedRegional german("de-DE");
    SetReportDefaults(m_working, "/reports/Default.rep");
    m_working.CriteriaDateFrom = "5.3.2001";
    m_working.CriteriaTimeFrom = "14:20:07";
    auto dialog = Shown(2);
    EXPECT_EQ(Find<QDateEdit>(*dialog, "DateFrom")->text(), "05.03.2001");
    EXPECT_EQ(Find<QTimeEdit>(*dialog, "TimeFrom")->text(), "14:20:07");
    Click(*dialog, "BtnApplyProp"); // disabled: nothing written
    EXPECT_FALSE(m_current.Modified);
    Find<QDateEdit>(*dialog, "DateFrom")->setDate(QDate(2001, 3, 6));
    Click(*dialog, "BtnApplyProp");
    EXPECT_EQ(m_current.CriteriaDateFrom, "6.3.2001");
    EXPECT_EQ(m_current.CriteriaTimeFrom, "14:20:07");
}

TEST_F(ReportPropertiesDialogTest, HelpKeyShowsThePageOrTheDialogTopic)
{
    auto dialog = Shown(2);
    auto* descripAll = Find<QCheckBox>(*dialog, "CheckBoxDescripAll");
    descripAll->setFocus();
    QTest::keyClick(descripAll, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::LastTopic(), 2040);
    auto* cancel = Find<QPushButton>(*dialog, "BtnCancelProp");
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::LastTopic(), 2020);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<HelpWindow*>(w))
            w->close();
    }
}

TEST(RegionalPicker, DisplayFormatsOfThePresetPictures)
{
    struct Case {
        const char* Picture;
        const char* Format;
    };
    for (const Case& c : {Case{"M/d/yyyy", "M/d/yyyy"}, Case{"h:mm:ss tt", "h:mm:ss AP"},
                          Case{"'den 'd MMMM yyyy", "'den 'd MMMM yyyy"}, Case{"d.M.y", "d.M.yy"},
                          Case{"HH:mm 'Uhr'", "HH:mm 'Uhr'"}, Case{"dd at", "dd 'a''t'"}})
        EXPECT_EQ(QtDisplayFormat(c.Picture).toStdString(), c.Format) << c.Picture;
}

TEST(CheckList, ClickingAnItemTicksItAndKeepsTheListOpen)
{
    CheckListWidget list;
    list.SetItems({"Day", "Week", "Month"});
    list.show();
    list.showPopup();
    int changes = 0;
    QObject::connect(&list, &CheckListWidget::checkedChanged, [&](int) { ++changes; });
    QAbstractItemView* view = list.view();
    const QRect week = view->visualRect(view->model()->index(1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, week.center());
    EXPECT_TRUE(list.IsChecked(1));
    EXPECT_FALSE(list.IsChecked(0));
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(changes, 1);
    list.SetChecked(2, true);
    EXPECT_EQ(list.SummaryText(), "Week, Month");
}

// The press that drops the list down is released over its first row.
TEST(CheckList, OpeningTheListTicksNothing)
{
    CheckListWidget list;
    list.SetItems({"Day", "Week"});
    list.show();
    QTest::mousePress(&list, Qt::LeftButton);
    QAbstractItemView* view = list.view();
    ASSERT_TRUE(view->isVisible());
    const QRect day = view->visualRect(view->model()->index(0, 0));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, day.center());
    EXPECT_FALSE(list.IsChecked(0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, day.center());
    EXPECT_TRUE(list.IsChecked(0)) << "a click inside the list still ticks";
}

} // namespace dialtally
