#pragma once

#include "base/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dialtally {

// The program options the report engine reads.
struct EngineOptions {
    bool DayInclude = false;  // day name in front of dates
    bool DurationDec = false; // durations as decimal hours
    bool TextTop = false;     // the grid opens at its first row
    // Detail rows from this many on are made on two cores.
    int TwoCoresFrom = 32'768;
    // The chart's points; a front end that shows no chart leaves them out.
    bool ChartPoints = true;
};

// Hours with three decimals ("1.035") when durationDec is on, else
// "h:mm:ss". Sums past the 32-bit range are shown whole.
std::string DurationText(std::int64_t seconds, bool durationDec);
void AppendDurationText(std::string& out, std::int64_t seconds, bool durationDec);

// The picture of dates in detail and day rows: the short date format,
// with "ddd " in front when the day name is wanted.
std::string DetailDatePicture(bool dayInclude);
// The chart's month label: year, date separator, month when the short
// date format begins with "y", else month, separator, year ("3/2001").
std::string MonthLabelPicture();
// The first day of the month a month label names. Raises ConversionError
// for any other text.
TDateTime MonthLabelToDate(std::string_view label);
// The text after its first blank, or the whole text when it has none.
std::string StripDayName(std::string_view text);

} // namespace dialtally
