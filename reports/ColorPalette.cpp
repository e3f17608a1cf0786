#include "reports/ColorPalette.h"

#include <array>

namespace dialtally {

std::uint32_t ResolveColor(TColor color)
{
    static const std::array<std::uint32_t, 25> classic = {
        0xC8C8C8, 0x3A6EA5, 0x0A246A, 0x808080, 0xD4D0C8, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
        0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0x0A246A, 0xFFFFFF, 0xD4D0C8, 0x808080, 0x808080,
        0x000000, 0xD4D0C8, 0xFFFFFF, 0x404040, 0xD4D0C8, 0x000000, 0xFFFFE1};
    if (IsSystemColor(color)) {
        const int index = SystemColorIndex(color);
        return index >= 0 && index < static_cast<int>(classic.size())
                   ? classic[static_cast<std::size_t>(index)]
                   : 0xFFFFFF;
    }
    if (color == clNone || color < 0)
        return 0xFFFFFF;
    const auto bgr = static_cast<std::uint32_t>(color);
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

} // namespace dialtally
