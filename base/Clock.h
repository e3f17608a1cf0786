#pragma once

#include "base/DateTime.h"

#include <ctime>
#include <optional>

namespace dialtally {

// "Now" for the whole program, so that tests and the report command's
// --today can fix the date. The time of day always comes from the system.
TDateTime Now();
TDateTime Today();
int CurrentYear();
void SetFixedToday(std::optional<TDateTime> date);
// A moment of the system clock (a file's time, say) in local time.
TDateTime LocalDateTime(std::time_t seconds);

} // namespace dialtally
