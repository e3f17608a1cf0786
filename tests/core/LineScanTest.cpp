#include "base/LineReader.h"
#include "base/ListRoutines.h"
#include "logs/Locator.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace dialtally {

namespace {

std::vector<std::string> ReadAll(const std::string& path)
{
    const auto lines = ReaderLines(path);
    EXPECT_TRUE(lines);
    return lines.value_or(std::vector<std::string>{});
}

// Lines long enough that many of them straddle the reader's blocks.
class LineEndsAcrossBlocks : public testing::TestWithParam<const char*> {};

TEST_P(LineEndsAcrossBlocks, GiveEveryLineOnce)
{
    TempFolder folder;
    std::vector<std::string> expected;
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        expected.push_back(std::string(static_cast<std::size_t>(i % 97), 'x') + std::to_string(i));
        text += expected.back() + GetParam();
    }
    expected.emplace_back("last");
    text += "last";
    folder.Write("log.txt", text);
    EXPECT_EQ(ReadAll(folder.File("log.txt")), expected);
}

INSTANTIATE_TEST_SUITE_P(LineReader, LineEndsAcrossBlocks, testing::Values("\r\n", "\n", "\r"),
                         [](const auto& info) {
                             const std::string end = info.param;
                             return end == "\r\n" ? "CRLF" : end == "\n" ? "LF" : "CR";
                         });

TEST(LineReader, MixedLineEndsAndEmptyLines)
{
    TempFolder folder;
    folder.Write("log.txt", "a\r\n\nb\rc\n\r\rd\r\n");
    EXPECT_EQ(ReadAll(folder.File("log.txt")),
              (std::vector<std::string>{"a", "", "b", "c", "", "", "d"}));
}

// A reader that passes over lines without a marker hands over the same
// marked lines as one that reads every line, with the groups looked for
// changing as a connection begins and ends; lines straddle the blocks,
// and some run past the length limit with a marker before or after it.
// What the search tells of the markers in a line is what the line holds.
TEST(LineReader, MarkedLinesAreTheLinesThatHoldAMarker)
{
    const auto marked = [](std::string_view line, bool pending) {
        return line.find("BEGIN") != line.npos || (pending && line.find("END") != line.npos);
    };
    const auto read = [&](const std::string& path, std::size_t limit, bool passOver) {
        LineReader reader(limit);
        EXPECT_TRUE(reader.Open(path));
        reader.AddMarker("BEGIN", 1);
        reader.AddMarker("END", 2);
        reader.AddMarker("", 2);
        std::vector<std::string> lines;
        std::string_view line;
        bool pending = false;
        int told = 0;
        while (passOver ? reader.ReadMarkedLine(line, pending ? 3 : 1) : reader.ReadLine(line)) {
            for (const auto& [group, marker] : {std::pair{1u, "BEGIN"}, std::pair{2u, "END"}})
                if (const std::optional<bool> occurs = reader.MarkerOccurs(group)) {
                    EXPECT_EQ(*occurs, line.find(marker) != line.npos) << line;
                    ++told;
                }
            if (!marked(line, pending))
                continue;
            lines.emplace_back(line);
            pending = line.find("BEGIN") != line.npos;
        }
        EXPECT_FALSE(reader.Failed());
        // The search tells of most marked lines; a plain read of none.
        EXPECT_EQ(told > static_cast<int>(lines.size()), passOver);
        return lines;
    };
    TempFolder folder;
    for (const char* end : {"\r\n", "\n", "\r"})
        for (const std::size_t limit : {std::size_t{64}, std::size_t{1} << 16}) {
            std::string text;
            for (int i = 0; i < 4000; ++i) {
                const std::string pad(static_cast<std::size_t>(i * 37 % 101), 'x');
                const char* piece[] = {"BEGIN", "END", "BEGEN", "chatter", "BEGIN END"};
                text += pad + piece[i % 5] + (i % 7 == 0 ? pad : "") + std::to_string(i);
                if (i % 500 == 3)
                    text += std::string(70'000, 'y') + "END";
                text += i % 11 == 0 ? "\r\n" : end;
            }
            text += "lastBEGIN";
            folder.Write("log.txt", text);
            const std::vector<std::string> all = read(folder.File("log.txt"), limit, false);
            EXPECT_GT(all.size(), 1000u);
            EXPECT_EQ(read(folder.File("log.txt"), limit, true), all) << limit;
        }
}

struct NthPosCase {
    const char* Delimiter;
    const char* Text;
    int N;
    int Expected;
};

class NthPosTable : public testing::TestWithParam<NthPosCase> {};

TEST_P(NthPosTable, FindsTheOccurrence)
{
    const NthPosCase& c = GetParam();
    EXPECT_EQ(NthPos(c.Delimiter, c.Text, c.N), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    ListRoutines, NthPosTable,
    testing::Values(NthPosCase{"|", "a|b|c", 1, 2}, NthPosCase{"|", "a|b|c", 2, 4},
                    NthPosCase{"|", "a|b|c", 5, 4}, NthPosCase{"|", "abc", 1, 0},
                    NthPosCase{"|", "|", 0, 0}, NthPosCase{"|", "||", -1, 0},
                    NthPosCase{"--", "---", 2, 2}, NthPosCase{"", "abc", 1, 0}));

TEST(Locator, FieldIsTheLocatedPieceWithoutAppendTexts)
{
    const ParsedLocator locator = ParseLocator("{\"A\"}{'x'};{'y'}{\"Z\"}");
    EXPECT_EQ(LocateField(locator, "1x23y4"), "23");
    EXPECT_EQ(ApplyLocator(locator, "1x23y4"), "A23Z");
    EXPECT_EQ(LocateField(ParseLocator("12;19"), "123456789012345"), "2345");
    EXPECT_EQ(LocateField(ParseLocator("19;12"), "123456789012345678901"), "");
    EXPECT_EQ(LocateField(ParseLocator("12"), "123456789012345"), "1234567890123");
    EXPECT_EQ(LocateField(ParseLocator(""), "abc"), "");
}

} // namespace

} // namespace dialtally
