#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// The length of the valid UTF-8 sequence at the start of the text, 0 when
// there is none (a stray continuation byte, an overlong form, a surrogate,
// a code point past U+10FFFF or a sequence cut short).
std::size_t Utf8SequenceLength(std::string_view text);

// Where each character of the text starts, and last the text's size. A
// valid UTF-8 sequence is one character, and so is every other byte, as a
// log written in a Windows code page has it.
std::vector<std::size_t> CharacterStarts(std::string_view text);

bool IsAscii(std::string_view text);

// Appends the code point's UTF-8 sequence.
void AppendUtf8(std::string& out, char32_t code);

// The text as UTF-8: valid UTF-8 sequences are kept, and every other byte
// is read as Windows-1252, the code page old Windows logs are written in.
std::string Utf8FromWindows1252Bytes(std::string_view text);

// The Windows-1252 bytes of a UTF-8 text; nothing when it is no valid UTF-8
// or holds a character the code page lacks.
std::optional<std::string> Windows1252FromUtf8(std::string_view text);

// UTF-16 text (without its byte-order mark) as UTF-8; a lone surrogate
// and an odd last byte become U+FFFD.
std::string Utf8FromUtf16(std::string_view bytes, bool bigEndian);

// The columns a line takes in a fixed-pitch font, counting characters as
// CharacterStarts does: a wide East Asian character takes two, a combining
// mark none, and every other character one.
std::size_t DisplayWidth(std::string_view line);

} // namespace dialtally
