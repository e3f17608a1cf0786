#pragma once

#include "reports/Colors.h"

#include <cstdint>

namespace dialtally {

// The colour as 0xRRGGBB. System colours take the classic desktop scheme,
// since this platform has no system palette to ask; clNone gives white.
std::uint32_t ResolveColor(TColor color);

} // namespace dialtally
