#pragma once

#include "base/DateTime.h"

#include <optional>

namespace dialtally {

// "Now" for the whole program, so that tests and the report command's
// --today can fix the date. The time of day always comes from the system.
TDateTime Now();
TDateTime Today();
int CurrentYear();
void SetFixedToday(std::optional<TDateTime> date);

} // namespace dialtally
