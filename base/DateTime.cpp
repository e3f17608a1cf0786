#include "base/DateTime.h"

#include "base/ConversionError.h"

#include <cmath>
#include <string>

namespace dialtally {

namespace {

constexpr std::int64_t MsPerDay = 86'400'000;

// Howard Hinnant's days-from-civil, counted from 1970-01-01.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

const std::int64_t EpochOffset = DaysFromCivil(1899, 12, 30);

// Whole days and milliseconds of the day, with the time rounded to the
// millisecond the way the rest of the program reads a TDateTime.
void Split(TDateTime value, std::int64_t& days, std::int64_t& ms)
{
    const double whole = std::floor(value);
    days = static_cast<std::int64_t>(whole);
    ms = std::llround((value - whole) * static_cast<double>(MsPerDay));
    if (ms >= MsPerDay) {
        ++days;
        ms -= MsPerDay;
    }
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result)
{
    if (!IsValidDate(year, month, day))
        return false;
    result = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        EpochOffset);
    return true;
}

TDateTime EncodeDate(int year, int month, int day)
{
    TDateTime result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw ConversionError("Invalid argument to date encode");
    return result;
}

CivilDate DecodeDate(TDateTime value)
{
    std::int64_t days = 0, ms = 0;
    Split(value, days, ms);
    return CivilFromDays(days + EpochOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        millisecond < 0 || millisecond > 999)
        throw ConversionError("Invalid argument to time encode");
    const std::int64_t ms = ((hour * 60 + minute) * 60 + second) * 1000LL + millisecond;
    return static_cast<double>(ms) / static_cast<double>(MsPerDay);
}

ClockTime DecodeTime(TDateTime value)
{
    std::int64_t days = 0, ms = 0;
    Split(value, days, ms);
    ClockTime t;
    t.Millisecond = static_cast<int>(ms % 1000);
    ms /= 1000;
    t.Second = static_cast<int>(ms % 60);
    ms /= 60;
    t.Minute = static_cast<int>(ms % 60);
    t.Hour = static_cast<int>(ms / 60);
    return t;
}

TDateTime DateOf(TDateTime value)
{
    return std::floor(value);
}

TDateTime TimeOf(TDateTime value)
{
    return value - std::floor(value);
}

int DayOf(TDateTime value)
{
    return DecodeDate(value).Day;
}

int YearOf(TDateTime value)
{
    return DecodeDate(value).Year;
}

int DayOfWeek(TDateTime value)
{
    // Day 0 (1899-12-30) was a Saturday.
    const auto days = static_cast<std::int64_t>(std::floor(value));
    const auto shifted = ((days + 6) % 7 + 7) % 7;
    return static_cast<int>(shifted) + 1;
}

} // namespace dialtally
