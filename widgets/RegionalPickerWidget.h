#pragma once

#include "base/DateTime.h"

#include <QDate>
#include <QString>
#include <QTime>

#include <string>

class QDateEdit;
class QTimeEdit;

namespace dialtally {

// The regional settings' date and time pictures on Qt's date and time
// pickers, and the program's date-times on Qt's. The pickers only show and
// edit; texts are written back with the program's own routines.

// A picture of the regional settings as a Qt display format: "tt" becomes
// the AM/PM marker, a single "y" two digits, other letters literal text.
QString QtDisplayFormat(const std::string& picture);

QDate ToQDate(TDateTime date);
TDateTime FromQDate(const QDate& date);
QTime ToQTime(TDateTime time);
TDateTime FromQTime(const QTime& time);

// A drop-down calendar picker in the short date format.
void SetupRegionalDatePicker(QDateEdit* picker);
// A picker in the long time format.
void SetupRegionalTimePicker(QTimeEdit* picker);

} // namespace dialtally
