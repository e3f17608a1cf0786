#include "widgets/RegionalPickerWidget.h"

#include "base/RegionalSettings.h"

#include <QDateEdit>
#include <QLocale>
#include <QTimeEdit>

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

} // namespace

QString QtDisplayFormat(const std::string& picture)
{
    QString format;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (c == '\'') {
            const std::size_t end = picture.find('\'', i + 1);
            const std::size_t stop = end == std::string::npos ? picture.size() : end + 1;
            format += QString::fromStdString(picture.substr(i, stop - i));
            if (end == std::string::npos)
                format += '\'';
            i = stop;
            continue;
        }
        if (c == 't' && run >= 2) {
            format += QStringLiteral("AP");
            i += 2;
            continue;
        }
        if (c == 'y' && run == 1) {
            format += QStringLiteral("yy");
        } else if (IsPictureLetter(c)) {
            format += QString(static_cast<int>(run), QLatin1Char(c));
        } else if (QChar::isLetter(static_cast<unsigned char>(c))) {
            // Qt would read other letters as fields of its own.
            format += '\'' + QString(static_cast<int>(run), QLatin1Char(c)) + '\'';
        } else {
            format += QString::fromStdString(picture.substr(i, run));
        }
        i += run;
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

void SetupRegionalDatePicker(QDateEdit* picker)
{
    picker->setLocale(PresetLocale());
    // Plain dates: no time zone may shift or skip a day.
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat(QtDisplayFormat(Regional().ShortDateFormat));
    picker->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    picker->setCalendarPopup(true);
}

void SetupRegionalTimePicker(QTimeEdit* picker)
{
    picker->setLocale(PresetLocale());
    picker->setTimeSpec(Qt::UTC);
    picker->setDisplayFormat(QtDisplayFormat(Regional().LongTimeFormat));
}

} // namespace dialtally
