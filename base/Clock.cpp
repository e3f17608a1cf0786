#include "base/Clock.h"

#include <chrono>
#include <ctime>

namespace dialtally {

namespace {

std::optional<TDateTime> fixedToday;

TDateTime SystemNow()
{
    return LocalDateTime(std::time(nullptr));
}

} // namespace

TDateTime Now()
{
    const TDateTime now = SystemNow();
    return fixedToday ? *fixedToday + TimeOf(now) : now;
}

TDateTime Today()
{
    return fixedToday ? *fixedToday : DateOf(SystemNow());
}

int CurrentYear()
{
    return YearOf(Today());
}

void SetFixedToday(std::optional<TDateTime> date)
{
    fixedToday = date;
}

TDateTime LocalDateTime(std::time_t seconds)
{
    std::tm local{};
    localtime_r(&seconds, &local);
    TDateTime date = 0;
    // Beyond the calendar's years (a clock set to nonsense) the date is day 0.
    if (!TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date))
        return 0;
    return date + EncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, 0);
}

} // namespace dialtally
