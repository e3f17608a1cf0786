#include "TestSupport.h"

#include "widgets/RegionalPickerWidget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>
#include <QTimeEdit>

namespace dialtally {

namespace {

// The picker shown with the keyboard's focus, its last part current.
void Focus(QDateTimeEdit& picker)
{
    picker.show();
    picker.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&picker));
    picker.setFocus();
    picker.setCurrentSectionIndex(picker.sectionCount() - 1);
}

// A date typed as it is written, over the whole text, its first part or
// a first digit picked by the mouse, is the date typed, in every preset's
// order of parts; a time alike.
TEST(RegionalPickers, TakeADateOrTimeTypedAsItIsWritten)
{
    const struct {
        const char* Preset;
        const char* Typed;
        QDate Date;
    } cases[] = {{"en-US", "6/1/2025", {2025, 6, 1}},
                 {"en-US", "12/5/2025", {2025, 12, 5}},
                 {"en-GB", "1/6/2025", {2025, 6, 1}},
                 {"de-DE", "01.06.2025", {2025, 6, 1}},
                 {"sv-SE", "2025-06-01", {2025, 6, 1}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Preset) + " " + c.Typed);
        ScopedRegional preset(c.Preset);
        for (const int selection : {0, 1, 2}) {
            QDateEdit picker;
            SetupRegionalDatePicker(&picker);
            picker.setDate(QDate(2026, 12, 10));
            Focus(picker);
            if (selection == 0)
                picker.findChild<QLineEdit*>()->selectAll();
            else if (selection == 1)
                picker.setSelectedSection(picker.sectionAt(0));
            else
                picker.findChild<QLineEdit*>()->setSelection(0, 1);
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(c.Typed));
            EXPECT_EQ(picker.date().toString(Qt::ISODate).toStdString(),
                      c.Date.toString(Qt::ISODate).toStdString())
                << "selection " << selection;
        }
    }
    ScopedRegional preset("en-US");
    QTimeEdit picker;
    SetupRegionalTimePicker(&picker);
    picker.setTime(QTime(1, 2, 3));
    Focus(picker);
    picker.findChild<QLineEdit*>()->selectAll();
    // As a keyboard types it: ':' comes with Shift pressed on its own first.
    for (const QChar c : QStringLiteral("8:05:00 PM")) {
        if (c == ':')
            QTest::keyPress(QApplication::focusWidget(), Qt::Key_Shift);
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
    }
    EXPECT_EQ(picker.time().toString(Qt::ISODate).toStdString(), "20:05:00");
}

} // namespace

// The calendar's weeks begin on the preset's first day of the week.
TEST(RegionalPickers, TheCalendarWeekBeginsAsThePresetsDoes)
{
    for (const auto& [preset, first] : {std::pair{"en-US", Qt::Sunday}, {"de-DE", Qt::Monday}}) {
        ScopedRegional regional(preset);
        QDateEdit picker;
        SetupRegionalDatePicker(&picker);
        EXPECT_EQ(picker.calendarWidget()->firstDayOfWeek(), first) << preset;
    }
}

// F4 and Alt+Down open the calendar, as they open a drop-down list, and
// leave the date as it was.
TEST(RegionalPickers, TheKeyboardOpensTheCalendar)
{
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_F4, Qt::KeyboardModifiers()}, {Qt::Key_Down, Qt::AltModifier}}) {
        QDateEdit picker;
        SetupRegionalDatePicker(&picker);
        picker.setDate(QDate(2026, 12, 10));
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
        QTest::keyClick(&picker, key, modifiers);
        EXPECT_TRUE(picker.calendarWidget()->isVisible()) << key;
        EXPECT_EQ(picker.date(), QDate(2026, 12, 10)) << key;
        // Days moved to and left with Esc leave the date as it was.
        QWidget* days =
            QApplication::focusWidget() ? QApplication::focusWidget() : picker.calendarWidget();
        QTest::keyClick(days, Qt::Key_Right);
        QTest::keyClick(days, Qt::Key_Right);
        QTest::keyClick(days, Qt::Key_Escape);
        EXPECT_EQ(picker.date(), QDate(2026, 12, 10)) << key;
        picker.calendarWidget()->window()->hide();
    }
}

} // namespace dialtally
