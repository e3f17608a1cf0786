#include "widgets/RegionalPickerWidget.h"

#include "base/PictureParts.h"
#include "base/RegionalSettings.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QTimeEdit>

#include <utility>

namespace dialtally {

namespace {

bool IsPictureLetter(char c)
{
    return c == 'd' || c == 'M' || c == 'y' || c == 'h' || c == 'H' || c == 'm' || c == 's';
}

// The calendar's day and month names in the preset's language.
QLocale PresetLocale()
{
    QString name = QString::fromStdString(Regional().Name);
    name.replace('-', '_');
    return QLocale(name);
}

// Lets a date or time be typed as it is written ("6/1/2026", "01.06.2026",
// "10:30:00 PM"). The picker moves on by itself once a part can take no
// further digit; the separator typed next would then skip a whole part.
// And typed over a selection, the picker ignored it (all of the text) or
// typed into the part the cursor had been in.
class TypedPartsFilter : public QObject {
public:
    explicit TypedPartsFilter(QDateTimeEdit* picker) : QObject(picker), m_picker(picker)
    {
        setObjectName(QStringLiteral("TypedPartsFilter"));
        picker->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_passing || event->type() != QEvent::KeyPress)
            return false;
        QDateTimeEdit* const picker = m_picker;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.isEmpty())
            return false; // Shift on its way to a ':'
        const bool digit = text.size() == 1 && text[0].isDigit();
        const bool separator = text.size() == 1 && text[0].isPrint() && !text[0].isLetterOrNumber();
        if (separator && std::exchange(m_movedOn, false))
            return true;
        if (!digit) {
            m_movedOn = false;
            return false;
        }
        // Over a selection (all of the text, or a part picked by the mouse)
        // typing starts at the part the selection begins in.
        if (const auto* line = picker->findChild<QLineEdit*>(); line && line->hasSelectedText()) {
            int part = 0;
            const QString shown = line->text();
            for (int k = 1; k <= line->selectionStart() && k < shown.size(); ++k)
                if (!shown[k - 1].isDigit() && shown[k].isDigit())
                    ++part;
            if (part < picker->sectionCount()) {
                picker->setCurrentSectionIndex(part);
                picker->setSelectedSection(picker->sectionAt(part));
            }
        }
        const int before = picker->currentSectionIndex();
        m_passing = true;
        QApplication::sendEvent(watched, event);
        m_passing = false;
        m_movedOn = picker->currentSectionIndex() != before;
        return true;
    }

private:
    QDateTimeEdit* m_picker;
    bool m_passing = false;
    bool m_movedOn = false; // the last digit moved on to the next part
};

// Once for each picker, however often it is set up.
void KeepTypedParts(QDateTimeEdit* picker)
{
    if (!picker->findChild<QObject*>(QStringLiteral("TypedPartsFilter"),
                                     Qt::FindDirectChildrenOnly))
        new TypedPartsFilter(picker);
}

} // namespace

QString QtDisplayFormat(const std::string& picture)
{
    QString format;
    for (const PicturePart& part : SplitPicture(picture)) {
        const QString text =
            QString::fromUtf8(part.Text.data(), static_cast<int>(part.Text.size()));
        if (part.Quoted) {
            format += QLatin1Char('\'') + text + QLatin1Char('\'');
            continue;
        }
        const char c = part.Letter;
        std::size_t run = part.Run;
        if (c == 't') {
            for (; run >= 2; run -= 2)
                format += QStringLiteral("AP");
            if (run == 0)
                continue;
        }
        if (c == 'y' && run == 1)
            format += QStringLiteral("yy");
        else if (IsPictureLetter(c))
            format += QString(static_cast<int>(run), QLatin1Char(c));
        else if (QChar::isLetter(static_cast<unsigned char>(c)))
            // Qt would read other letters as fields of its own.
            format += '\'' + QString(static_cast<int>(run), QLatin1Char(c)) + '\'';
        else
            format += text;
    }
    return format;
}

QDate ToQDate(TDateTime date)
{
    const CivilDate d = DecodeDate(date);
    return QDate(d.Year, d.Month, d.Day);
}

TDateTime FromQDate(const QDate& date)
{
    return EncodeDate(date.year(), date.month(), date.day());
}

QTime ToQTime(TDateTime time)
{
    const ClockTime t = DecodeTime(time);
    return QTime(t.Hour, t.Minute, t.Second, t.Millisecond);
}

TDateTime FromQTime(const QTime& time)
{
    return EncodeTime(time.hour(), time.minute(), time.second(), time.msec());
}

// F4 and Alt+Down open the calendar, as they open a drop-down list; the
// picker has no key of its own for it, and Alt+Down stepped the year. The
// picker takes each day the calendar's arrow keys move to at once, so Esc
// puts back the date it had when the calendar opened.
class CalendarKeysFilter : public QObject {
public:
    explicit CalendarKeysFilter(QDateEdit* picker) : QObject(picker), m_picker(picker)
    {
        picker->installEventFilter(this);
        picker->calendarWidget()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_picker && event->type() == QEvent::MouseButtonPress) {
            m_opened = m_picker->date();
            return false;
        }
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched != m_picker) {
            if (key->key() == Qt::Key_Escape && m_opened.isValid())
                m_picker->setDate(m_opened);
            return false; // the calendar closes as ever
        }
        const bool opens = (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) ||
                           ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) &&
                            key->modifiers() == Qt::AltModifier);
        if (!opens)
            return false;
        // The picker opens its calendar only for a press on its arrow.
        const int x = m_picker->layoutDirection() == Qt::RightToLeft ? 4 : m_picker->width() - 5;
        const QPointF at(x, m_picker->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, at, m_picker->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_picker, &press);
        return true;
    }

private:
    QDateEdit* m_picker;
    QDate m_opened; // the date when the calendar last opened
};

void SetupRegionalDatePicker(QDateEdit* picker)
{
    picker->setLocale(PresetLocale());
    // Plain dates: no time zone may shift or skip a day.
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat(QtDisplayFormat(Regional().ShortDateFormat));
    picker->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    picker->setCalendarPopup(true);
    // The calendar was made with the program's locale, not the preset's:
    // its weeks would begin on the wrong day.
    picker->calendarWidget()->setLocale(PresetLocale());
    picker->calendarWidget()->setFirstDayOfWeek(PresetLocale().firstDayOfWeek());
    KeepTypedParts(picker);
    new CalendarKeysFilter(picker);
}

void SetupRegionalTimePicker(QTimeEdit* picker)
{
    picker->setLocale(PresetLocale());
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat(QtDisplayFormat(Regional().LongTimeFormat));
    KeepTypedParts(picker);
}

} // namespace dialtally
