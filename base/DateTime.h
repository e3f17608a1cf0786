#pragma once

#include <cstdint>

namespace dialtally {

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

struct CivilDate {
    int Year = 0;
    int Month = 0; // 1..12
    int Day = 0;   // 1..31
};

struct ClockTime {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);

// Throws ConversionError for an impossible date (years 1..9999 only).
TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
CivilDate DecodeDate(TDateTime value);

// Throws ConversionError when a part is out of range.
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// The time of day rounded to the nearest millisecond; 24:00:00.000 is
// never returned (it rolls into the next day's 0:00).
ClockTime DecodeTime(TDateTime value);

TDateTime DateOf(TDateTime value); // rounded down to a whole day
TDateTime TimeOf(TDateTime value); // the fraction, 0 <= t < 1
int DayOf(TDateTime value);
int YearOf(TDateTime value);
// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(TDateTime value);

} // namespace dialtally
