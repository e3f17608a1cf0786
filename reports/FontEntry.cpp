#include "reports/FontEntry.h"

#include "base/NewIniFile.h"
#include "base/Numbers.h"

#include <optional>

namespace dialtally {

namespace {

// The text up to the next ",", moving past it; nothing when there is no ",".
std::optional<std::string_view> NextField(std::string_view& rest)
{
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const std::string_view field = rest.substr(0, comma);
    rest.remove_prefix(comma + 1);
    return field;
}

} // namespace

std::string FontEntryText(const FontSpec& font)
{
    std::string text =
        font.Name + "," + ColorToString(font.Color) + "," + IntToStr(font.Size) + ",";
    switch (font.Pitch) {
    case FontPitch::Default:
        text += 'd';
        break;
    case FontPitch::Variable:
        text += 'v';
        break;
    case FontPitch::Fixed:
        text += 'f';
        break;
    }
    text += ',';
    if (font.Style & fsBold)
        text += 'b';
    if (font.Style & fsItalic)
        text += 'i';
    if (font.Style & fsUnderline)
        text += 'u';
    if (font.Style & fsStrikeOut)
        text += 's';
    return text;
}

bool ParseFontEntry(std::string_view text, FontSpec& font)
{
    std::string_view rest = text;
    const std::optional<std::string_view> name = NextField(rest);
    if (!name)
        return false;
    FontSpec fresh;
    fresh.Name = std::string(*name);

    const std::optional<std::string_view> color = NextField(rest);
    const std::optional<TColor> colorValue = color ? StringToColor(*color) : std::nullopt;
    if (!colorValue)
        return false;
    fresh.Color = *colorValue;

    const std::optional<std::string_view> size = NextField(rest);
    if (!size || !ParseInteger32(*size, fresh.Size))
        return false;

    const std::optional<std::string_view> pitch = NextField(rest);
    if (!pitch)
        return false;
    if (*pitch == "d")
        fresh.Pitch = FontPitch::Default;
    else if (*pitch == "v")
        fresh.Pitch = FontPitch::Variable;
    else if (*pitch == "f")
        fresh.Pitch = FontPitch::Fixed;

    for (const char c : rest) {
        if (c == 'b')
            fresh.Style |= fsBold;
        else if (c == 'i')
            fresh.Style |= fsItalic;
        else if (c == 'u')
            fresh.Style |= fsUnderline;
        else if (c == 's')
            fresh.Style |= fsStrikeOut;
    }
    font = std::move(fresh);
    return true;
}

void WriteFontEntry(TNewIniFile& file, std::string_view section, std::string_view key,
                    const FontSpec& font)
{
    file.WriteString(section, key, FontEntryText(font));
}

void ReadFontEntry(const TNewIniFile& file, std::string_view section, std::string_view key,
                   FontSpec& font)
{
    ParseFontEntry(file.ReadString(section, key, ""), font);
}

} // namespace dialtally
