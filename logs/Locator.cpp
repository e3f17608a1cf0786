#include "logs/Locator.h"

#include "base/ListRoutines.h"
#include "base/Numbers.h"
#include "base/Utf8Text.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace dialtally {

namespace {

// A number inside a token: blanks, a sign and digits; reading stops at the
// first other character, so "{#3x}" is 3 and "{#x}" is 0, like "{#}".
std::int64_t TokenNumber(std::string_view text)
{
    std::size_t i = 0;
    const bool negative = SkipBlanksAndSign(text, i);
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (value < 1'000'000'000'000LL)
            value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

LocatorSide ParseSide(std::string_view side)
{
    LocatorSide result;
    std::int64_t column = 0;
    if (ParseInteger(side, column)) {
        result.IsColumn = true;
        result.Column = std::clamp<std::int64_t>(column, -4'000'000'000'000LL, 4'000'000'000'000LL);
        return result;
    }
    // Each round consumes up to the next "}". Text after the last "}" (or a
    // side with none) reads as no token at all, so the loop always ends.
    std::string_view rest = side;
    while (!rest.empty()) {
        const std::size_t close = rest.find('}');
        if (close == std::string_view::npos)
            break;
        const std::string_view token = rest.substr(0, close + 1);
        const std::size_t p = token.size();
        if (p >= 2) {
            // Characters 3 to p-2 (quoted kinds) or 3 to p-1 (numbers), 1-based.
            const std::string_view quoted = p >= 4 ? token.substr(2, p - 4) : std::string_view();
            const std::string_view number = p >= 3 ? token.substr(2, p - 3) : std::string_view();
            switch (token[1]) {
            case '\'':
                result.Delimiter = std::string(quoted);
                break;
            case '"':
                result.Append = std::string(quoted);
                break;
            case '#':
                result.Occurrence = TokenNumber(number);
                break;
            case '+':
                result.Offset = TokenNumber(number);
                break;
            default:
                break;
            }
        }
        rest.remove_prefix(close + 1);
    }
    return result;
}

int Occurrence(std::int64_t n)
{
    return static_cast<int>(std::clamp<std::int64_t>(n, -1, 1'000'000'000));
}

} // namespace

ParsedLocator ParseLocator(std::string_view locator)
{
    ParsedLocator parsed;
    if (locator.empty())
        return parsed;
    parsed.Empty = false;
    const std::size_t semicolon = locator.find(';');
    if (semicolon == std::string_view::npos) {
        parsed.Begin = ParseSide({});
        parsed.End = ParseSide(locator);
    } else {
        parsed.Begin = ParseSide(locator.substr(0, semicolon));
        parsed.End = ParseSide(locator.substr(semicolon + 1));
    }
    return parsed;
}

namespace {

// Where one side points, 1-based. `position` finds the n-th occurrence of a
// delimiter and `length` measures it, both in the unit the columns count.
// Inlined: every line a pass reads comes here.
template <typename Position, typename Length>
[[gnu::always_inline]] inline std::int64_t SidePosition(const LocatorSide& side, bool begin,
                                                        Position position, Length length)
{
    if (side.IsColumn)
        return side.Column;
    const std::int64_t found = position(side.Delimiter, Occurrence(side.Occurrence));
    return begin ? found + length(side.Delimiter) + side.Offset : found + side.Offset - 1;
}

// The piece from `begin` to `end` of a text of `size` units, as a 0-based
// start and a count; a count of 0 when nothing lies there.
[[gnu::always_inline]] inline std::pair<std::int64_t, std::int64_t>
Piece(std::int64_t begin, std::int64_t end, std::int64_t size)
{
    const std::int64_t length = end - begin + 1;
    if (length <= 0 || begin > size)
        return {0, 0};
    const std::int64_t from = std::max<std::int64_t>(begin, 1);
    return {from - 1, std::max<std::int64_t>(std::min(length, size - from + 1), 0)};
}

} // namespace

std::string_view LocateField(const ParsedLocator& locator, const LocatorLine& line)
{
    if (locator.Empty)
        return {};
    const std::string_view text = line.Text;
    if (line.Ascii) {
        const auto position = [&](const std::string& delimiter, int n) -> std::int64_t {
            return NthPos(delimiter, text, n);
        };
        const auto length = [](const std::string& s) {
            return static_cast<std::int64_t>(s.size());
        };
        const auto [from, count] = Piece(SidePosition(locator.Begin, true, position, length),
                                         SidePosition(locator.End, false, position, length),
                                         static_cast<std::int64_t>(text.size()));
        return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(count));
    }
    const std::vector<std::size_t> starts = CharacterStarts(text);
    const auto position = [&](const std::string& delimiter, int n) -> std::int64_t {
        const int found = NthPos(delimiter, text, n);
        if (found == 0)
            return 0;
        const auto byte = static_cast<std::size_t>(found - 1);
        return std::upper_bound(starts.begin(), starts.end(), byte) - starts.begin();
    };
    const auto length = [](const std::string& s) {
        return static_cast<std::int64_t>(CharacterStarts(s).size()) - 1;
    };
    const auto [from, count] = Piece(SidePosition(locator.Begin, true, position, length),
                                     SidePosition(locator.End, false, position, length),
                                     static_cast<std::int64_t>(starts.size()) - 1);
    const std::size_t first = starts[static_cast<std::size_t>(from)];
    return text.substr(first, starts[static_cast<std::size_t>(from + count)] - first);
}

std::string_view LocateField(const ParsedLocator& locator, std::string_view line)
{
    return LocateField(locator, LocatorLine(line));
}

std::string ApplyLocator(const ParsedLocator& locator, const LocatorLine& line)
{
    if (locator.Empty)
        return {};
    std::string result = locator.Begin.Append;
    result += LocateField(locator, line);
    result += locator.End.Append;
    return result;
}

std::string ApplyLocator(const ParsedLocator& locator, std::string_view line)
{
    return ApplyLocator(locator, LocatorLine(line));
}

bool IsFileYearLocator(std::string_view locator)
{
    const std::size_t first = locator.find_first_not_of(' ');
    const std::size_t last = locator.find_last_not_of(' ');
    return first != std::string_view::npos &&
           locator.substr(first, last - first + 1) == FileYearLocator;
}

std::string Locate(std::string_view locator, std::string_view line)
{
    return ApplyLocator(ParseLocator(locator), line);
}

} // namespace dialtally
