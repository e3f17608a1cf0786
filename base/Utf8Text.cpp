#include "base/Utf8Text.h"

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <locale.h>

namespace dialtally {

std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

std::vector<std::size_t> CharacterStarts(std::string_view text)
{
    std::vector<std::size_t> starts;
    starts.reserve(text.size() + 1);
    for (std::size_t i = 0; i < text.size();) {
        starts.push_back(i);
        const std::size_t length = Utf8SequenceLength(text.substr(i));
        i += length > 0 ? length : 1;
    }
    starts.push_back(text.size());
    return starts;
}

namespace {

char32_t CodePoint(std::string_view sequence)
{
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(sequence[i]) & 0xFF; };
    if (sequence.size() == 1)
        return byte(0);
    char32_t code = byte(0) & (0x7F >> sequence.size());
    for (std::size_t i = 1; i < sequence.size(); ++i)
        code = (code << 6) | (byte(i) & 0x3F);
    return code;
}

// The character's columns by the C library's Unicode tables, which need a
// UTF-8 locale whatever the user's is; 1 where there is none.
int ColumnsOf(char32_t code)
{
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (utf8 == locale_t{} || code > WCHAR_MAX)
        return 1;
    const locale_t previous = ::uselocale(utf8);
    const int columns = ::wcwidth(static_cast<wchar_t>(code));
    ::uselocale(previous);
    return columns < 0 ? 1 : columns; // a control character stands as one
}

// 0x80 to 0x9F of Windows-1252; the five bytes it leaves unassigned map
// to the control characters of the same number, as Windows maps them.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string Utf8FromWindows1252Bytes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length > 0) {
            out.append(text.substr(0, length));
            text.remove_prefix(length);
            continue;
        }
        const auto byte = static_cast<unsigned char>(text.front());
        AppendUtf8(out, byte < 0xA0 ? Windows1252High[byte - 0x80] : byte);
        text.remove_prefix(1);
    }
    return out;
}

std::optional<std::string> Windows1252FromUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0)
            return std::nullopt;
        const char32_t code = CodePoint(text.substr(0, length));
        text.remove_prefix(length);
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            out += static_cast<char>(code);
            continue;
        }
        const auto* const high =
            std::find(std::begin(Windows1252High), std::end(Windows1252High), code);
        if (high == std::end(Windows1252High))
            return std::nullopt;
        out += static_cast<char>(0x80 + (high - std::begin(Windows1252High)));
    }
    return out;
}

std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian)
{
    constexpr char32_t Replacement = 0xFFFD;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, code >= 0xD800 && code <= 0xDFFF ? Replacement : code);
    }
    if (i < bytes.size())
        AppendUtf8(out, Replacement);
    return out;
}

std::size_t DisplayWidth(std::string_view line)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < line.size();) {
        if (static_cast<unsigned char>(line[i]) < 0x80) {
            ++width;
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(line.substr(i));
        width +=
            length > 0 ? static_cast<std::size_t>(ColumnsOf(CodePoint(line.substr(i, length)))) : 1;
        i += length > 0 ? length : 1;
    }
    return width;
}

bool IsAscii(std::string_view text)
{
    // Eight bytes at a time: this runs over every line a log format reads.
    std::size_t i = 0;
    std::uint64_t high = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        high |= word;
    }
    for (; i < text.size(); ++i)
        high |= static_cast<unsigned char>(text[i]);
    return (high & 0x8080808080808080ULL) == 0;
}

} // namespace dialtally
