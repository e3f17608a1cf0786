#pragma once

#include "logs/DateTime.h"

#include <optional>

// "Now" for the whole program, so that tests and the report command's
// --today can fix the date. The time of day always comes from the system.
TDateTime Now();
TDateTime Today();
int CurrentYear();
void SetFixedToday(std::optional<TDateTime> date);
