#include "base/LineReader.h"
#include "base/ListRoutines.h"
#include "logs/Locator.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>
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
