#pragma once

#include "base/DateTime.h"
#include "base/RegionalSettings.h"

#include <string>
#include <string_view>

namespace dialtally {

// Formats a date-time by a picture (d dd ddd dddd M MM MMM MMMM y yy yyyy
// h hh H HH m mm s ss tt 'literal'); any other character stands for itself.
std::string FormatDateTime(std::string_view picture, TDateTime value,
                           const RegionalSettings& settings = Regional());

} // namespace dialtally
