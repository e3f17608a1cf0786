#include "reports/Colors.h"

#include "base/NewIniFile.h"
#include "base/Numbers.h"

#include <array>

namespace dialtally {

namespace {

struct ColorName {
    TColor Color;
    const char* Ident;
};

constexpr std::array<ColorName, 42> ColorNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
}};

bool SameIdent(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> ColorToIdent(TColor color)
{
    for (const ColorName& entry : ColorNames)
        if (entry.Color == color)
            return entry.Ident;
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view ident)
{
    for (const ColorName& entry : ColorNames)
        if (SameIdent(entry.Ident, ident))
            return entry.Color;
    return std::nullopt;
}

std::string ColorToString(TColor color)
{
    if (std::optional<std::string> ident = ColorToIdent(color))
        return *ident;
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text = "$";
    const auto bits = static_cast<std::uint32_t>(color);
    for (int shift = 28; shift >= 0; shift -= 4)
        text += Digits[(bits >> shift) & 0xFu];
    return text;
}

std::optional<TColor> StringToColor(std::string_view text)
{
    if (std::optional<TColor> named = IdentToColor(text))
        return named;
    int value = 0;
    if (text.starts_with('$') ? ParseHex32(text.substr(1), value) : ParseInteger32(text, value))
        return value;
    return std::nullopt;
}

} // namespace dialtally
