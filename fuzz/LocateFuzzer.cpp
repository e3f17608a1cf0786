// Any locator on any line: never fails, and the result is the begin side's
// append text, a run of the line, then the end side's append text.
#include "FuzzSupport.h"

#include "base/Utf8Text.h"
#include "logs/Locator.h"

#include <algorithm>
#include <vector>

using namespace dialtally;

namespace {

// The field of two column sides, worked out from the positions alone.
// Columns count characters: a valid UTF-8 sequence is one, as is every
// other byte.
std::string_view ColumnField(std::int64_t begin, std::int64_t end, std::string_view line)
{
    const std::vector<std::size_t> starts = CharacterStarts(line);
    const auto size = static_cast<std::int64_t>(starts.size()) - 1;
    const std::int64_t length = end - begin + 1;
    if (length <= 0 || begin > size)
        return {};
    const std::int64_t from = std::max<std::int64_t>(begin, 1);
    const std::int64_t last = std::min(from + length - 1, size);
    if (last < from)
        return {};
    const std::size_t first = starts[static_cast<std::size_t>(from - 1)];
    return line.substr(first, starts[static_cast<std::size_t>(last)] - first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::string_view locator = input.Line();
    const std::string_view line = input.Rest();

    const std::string located = Locate(locator, line);
    const ParsedLocator parsed = ParseLocator(locator);
    Require(ApplyLocator(parsed, line) == located, "ApplyLocator(ParseLocator(l)) == Locate(l)");
    if (parsed.Empty) {
        Require(located.empty(), "an empty locator yields nothing");
        return 0;
    }
    const std::string& a1 = parsed.Begin.Append;
    const std::string& a2 = parsed.End.Append;
    Require(located.size() >= a1.size() + a2.size(), "the result holds both append texts");
    Require(located.starts_with(a1), "the result begins with the begin append text");
    Require(located.ends_with(a2), "the result ends with the end append text");
    const std::string_view field =
        std::string_view(located).substr(a1.size(), located.size() - a1.size() - a2.size());
    Require(line.find(field) != std::string_view::npos, "the field is a run of the line");
    if (parsed.Begin.IsColumn && parsed.End.IsColumn)
        Require(field == ColumnField(parsed.Begin.Column, parsed.End.Column, line),
                "a column locator picks its columns");
    return 0;
}
