#pragma once

#include "base/Utf8Text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace dialtally {

// One side of a field locator: a column, or a delimiter with occurrence,
// offset and append text.
struct LocatorSide {
    bool IsColumn = false;
    std::int64_t Column = 0;
    std::string Delimiter;       // {'text'}
    std::int64_t Occurrence = 1; // {#n}
    std::int64_t Offset = 0;     // {+n}
    std::string Append;          // {"text"}
};

// A locator read once, to be applied to many lines.
struct ParsedLocator {
    bool Empty = true; // an empty locator yields nothing, not even append text
    LocatorSide Begin;
    LocatorSide End;
};

// A line to locate fields in, with what locating needs to know of it.
struct LocatorLine {
    explicit LocatorLine(std::string_view text) : Text(text), Ascii(IsAscii(text)) {}
    std::string_view Text;
    bool Ascii; // so its characters are its bytes
};

ParsedLocator ParseLocator(std::string_view locator);
std::string ApplyLocator(const ParsedLocator& locator, std::string_view line);
std::string ApplyLocator(const ParsedLocator& locator, const LocatorLine& line);
// The located piece of the line alone, without the append texts; for
// callers that read many lines and want no copy.
std::string_view LocateField(const ParsedLocator& locator, std::string_view line);
std::string_view LocateField(const ParsedLocator& locator, const LocatorLine& line);

// The year locator of lines that carry no year (classic syslog): the year
// is then taken from when the log was last written to (InferYear). A text
// without braces that is no number has no reading as a locator, so no
// locator that reads a field means this.
inline constexpr std::string_view FileYearLocator = "(file year)";
bool IsFileYearLocator(std::string_view locator);

// The piece of the line the locator points at, with its append texts.
// Positions are 1-based character positions (a valid UTF-8 sequence, or
// any other byte). Never fails.
std::string Locate(std::string_view locator, std::string_view line);

} // namespace dialtally
