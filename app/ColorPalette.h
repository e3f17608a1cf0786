#pragma once

#include "app/Colors.h"

#include <cstdint>

// The colour as 0xRRGGBB. System colours take the classic desktop scheme,
// since this platform has no system palette to ask; clNone gives white.
std::uint32_t ResolveColor(TColor color);
