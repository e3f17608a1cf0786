#include "base/Clock.h"

#include <chrono>
#include <ctime>

namespace dialtally {

namespace {

std::optional<TDateTime> fixedToday;

TDateTime SystemNow()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           EncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, 0);
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

} // namespace dialtally
