#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dialtally {

// A colour: 0x00BBGGRR for a fixed colour, 0x80000000 plus the index for
// a system colour (so those are negative), or clNone.
using TColor = std::int32_t;

constexpr TColor SystemColor(int index)
{
    return static_cast<TColor>(0x80000000u + static_cast<std::uint32_t>(index));
}

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr int SystemColorCount = 25;

constexpr TColor clNone = 0x1FFFFFFF;

constexpr bool IsSystemColor(TColor color)
{
    return color < 0;
}
// The system colour index 0..24 of a system colour.
constexpr int SystemColorIndex(TColor color)
{
    return static_cast<int>(static_cast<std::uint32_t>(color) & 0xFFu);
}

// The identifier ("clWindowText") of a colour that has one.
std::optional<std::string> ColorToIdent(TColor color);
// The colour of an identifier, in any letter case.
std::optional<TColor> IdentToColor(std::string_view ident);
// The identifier, else "$" and eight upper-case hexadecimal digits.
std::string ColorToString(TColor color);
// An identifier, a decimal number or "$" and hexadecimal digits.
std::optional<TColor> StringToColor(std::string_view text);

} // namespace dialtally
