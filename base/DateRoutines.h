#pragma once

#include "base/DateTime.h"

#include <string>
#include <string_view>

namespace dialtally {

// Years below 100 are placed in the hundred years that begin 70 years
// before the current year; others are returned unchanged.
int ExpandTwoDigitYear(int year);
// The year of a date written without one, as syslog readers take it: the
// year of `reference` (when the log was last written to), or the year
// before when the date would lie after the reference's day; 29 February
// takes the latest leap year that does not put it after the reference.
int InferYear(int month, int day, TDateTime reference);
// 1..12 for a text whose first three letters name a month ("Jan 5",
// "march"); 0 when none does.
int MonthFromName(std::string_view text);
// A log line's month: a month number, or the month whose name the text
// begins with.
int LogMonth(std::string_view text);
// A log line's date; a year below 100 is expanded. Raises ConversionError
// for a date that does not exist.
TDateTime LogDate(int year, int month, int day);
// The last day of the date's month, without time.
TDateTime EndOfMonth(TDateTime date);
// The date in the regional short date order, single-letter day and month
// and a four-digit year: "3/5/2001", "5.3.2001", "2001-3-5".
std::string DateToDisplayText(TDateTime date);
// Reads a date text in the regional order; two parts are day and month of
// the current year. Raises ConversionError.
TDateTime TextToDate(std::string_view text);
// Reads a time of day: hours, optionally the time separator and minutes,
// optionally the separator and seconds; an AM/PM marker before or after
// makes them 12-hour hours. Raises ConversionError.
TDateTime TextToTime(std::string_view text);
// TextToTime's value for a plain time of day, the common case in logs:
// one or two digits of hours and, each after the regional time separator,
// two digits of minutes and of seconds, nothing else. False for any other
// text, which TextToTime then reads (or rejects) as always.
bool TryPlainTimeOfDay(std::string_view text, TDateTime& time);
// The time of day in the regional long time format.
std::string TimeToText(TDateTime time);
// Whole seconds of a span of days; a negative span (a clock set back)
// counts 0, and a span past the 32-bit range is capped.
int SpanSeconds(TDateTime span);
// "h:mm:ss" duration text to seconds. Raises ConversionError.
int TimeTextToSeconds(std::string_view text);
std::string SecondsToDurationText(int seconds);

} // namespace dialtally
