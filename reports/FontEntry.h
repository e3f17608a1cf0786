#pragma once

#include "reports/Colors.h"

#include <string>
#include <string_view>

namespace dialtally {

class TNewIniFile;

enum class FontPitch { Default, Variable, Fixed };

// Style bits, as the print settings store them as well.
constexpr unsigned fsBold = 1;
constexpr unsigned fsItalic = 2;
constexpr unsigned fsUnderline = 4;
constexpr unsigned fsStrikeOut = 8;

// A display font as the settings file holds it. Default-constructed it is
// the platform's default font, the one a font entry starts from.
struct FontSpec {
    std::string Name = "MS Sans Serif"; // face name
    int Size = 8;                       // whole points
    TColor Color = clWindowText;
    FontPitch Pitch = FontPitch::Default;
    unsigned Style = 0; // fsBold | fsItalic | fsUnderline | fsStrikeOut

    bool operator==(const FontSpec&) const = default;
};

// "MS Sans Serif,clWindowText,8,d,b": name, colour, size, pitch letter and
// the style letters in the order b, i, u, s.
std::string FontEntryText(const FontSpec& font);
// Parses a font entry over the font; false, with the font unchanged, when
// the text is no complete entry.
bool ParseFontEntry(std::string_view text, FontSpec& font);

void WriteFontEntry(TNewIniFile& file, std::string_view section, std::string_view key,
                    const FontSpec& font);
// Leaves the font as it was when the key is missing or cannot be parsed.
void ReadFontEntry(const TNewIniFile& file, std::string_view section, std::string_view key,
                   FontSpec& font);

} // namespace dialtally
