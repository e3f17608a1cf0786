// Any log bytes, plain (with or without a byte-order mark) or compressed,
// read line by line with a length limit and with up to four markers, each in
// one of two groups: the lines are those of the text the bytes decode to, cut to the
// limit; the marked reading hands over every line holding a marker and
// only lines of the file, and what its search tells of a line holds.
#include "FuzzSupport.h"

#include "base/Utf8Text.h"
#include "logs/LogSource.h"

#include <optional>
#include <string>
#include <vector>

using namespace dialtally;

namespace {

struct FuzzMarker {
    std::string Text;
    std::uint32_t Groups;
};

// Lines end at CR LF, LF or a lone CR.
std::vector<std::string> LinesOf(std::string_view text, std::size_t limit)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.emplace_back(text.substr(0, std::min(end, limit)));
        std::size_t next = end;
        if (next < text.size())
            next += text.substr(next).starts_with("\r\n") ? 2 : 1;
        text.remove_prefix(next);
    }
    return lines;
}

std::string DecodedText(std::string_view bytes, bool compressed)
{
    if (compressed)
        return std::string(bytes);
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return Utf8FromUtf16(bytes.substr(2), bytes[0] == '\xFE');
    return std::string(bytes);
}

bool Holds(std::string_view line, const std::vector<FuzzMarker>& markers, std::uint32_t groups)
{
    for (const FuzzMarker& marker : markers)
        if ((marker.Groups & groups) != 0 && !marker.Text.empty() &&
            marker.Text.find_first_of("\r\n") == std::string::npos &&
            line.find(marker.Text) != std::string_view::npos)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t switches = input.Byte();
    const bool compressed = switches & 1;
    // No limit, or one of 1 to 256 bytes.
    const std::size_t limit = switches & 2 ? std::size_t{input.Byte()} + 1 : std::string::npos;
    const std::uint32_t wanted = (switches >> 2 & 3) == 0 ? 3 : switches >> 2 & 3;
    std::vector<FuzzMarker> markers((switches >> 4 & 3) + 1);
    for (FuzzMarker& marker : markers) {
        marker.Groups = (input.Byte() & 1) + 1;
        marker.Text = input.Line();
    }
    const std::string_view bytes = input.Rest();
    const std::string path = FuzzFolder() + (compressed ? "lines.gz" : "lines.log");
    WriteFuzzFile(path, compressed ? GzipCompressed(bytes) : std::string(bytes));

    const std::vector<std::string> expected = LinesOf(DecodedText(bytes, compressed), limit);
    std::vector<std::string> lines;
    LogSource plain(limit);
    Require(plain.Open(path), "the log opens");
    std::string_view line;
    while (plain.ReadLine(line))
        lines.emplace_back(line);
    Require(!plain.Failed(), "the log reads without a fault");
    Require(lines == expected, "the lines are those of the decoded text");

    LogSource marked(limit);
    for (const FuzzMarker& marker : markers)
        marked.AddMarker(marker.Text, marker.Groups);
    Require(marked.Open(path), "the log opens again");
    std::size_t next = 0; // in the lines read whole
    while (marked.ReadMarkedLine(line, wanted)) {
        // Lines passed over hold no marker.
        while (next < lines.size() && lines[next] != line) {
            Require(!Holds(lines[next], markers, wanted),
                    "no line holding a marker is passed over");
            ++next;
        }
        Require(next < lines.size(), "a marked line is a line of the log");
        ++next;
        for (std::uint32_t group = 1; group <= 2; group <<= 1) {
            const std::optional<bool> occurs = marked.MarkerOccurs(group);
            if ((group & wanted) != 0 && occurs)
                Require(*occurs == Holds(line, markers, group),
                        "what the search tells of a line holds");
        }
    }
    Require(!marked.Failed(), "the marked reading ends without a fault");
    for (; next < lines.size(); ++next)
        Require(!Holds(lines[next], markers, wanted), "no line holding a marker is passed over");
    return 0;
}
