#include "logs/Locator.h"

#include <gtest/gtest.h>
#include <ostream>

namespace dialtally {

namespace {

struct LocatorCase {
    const char* Locator;
    const char* Line;
    const char* Expected;
};

const char* const HistoryLine = "a|b|c|d|e|2001-03-05 14:20:07|f|g|h";

const LocatorCase Cases[] = {
    // The built-in formats.
    {"1;2", "03-05-2001 14:20:07.620 - Connection established", "03"},
    {"4;5", "03-05-2001 14:20:07.620 - Connection established", "05"},
    {"7;10", "03-05-2001 14:20:07.620 - Connection established", "2001"},
    {"12;19", "03-05-2001 14:20:07.620 - Connection established", "14:20:07"},
    {"{'|'}{#5};{'|'}{#5}{+5}", HistoryLine, "2001"},
    {"{'|'}{#5}{+5};{'|'}{#5}{+8}", HistoryLine, "03"},
    {"{'|'}{#5}{+8};{'|'}{#5}{+11}", HistoryLine, "05"},
    {"{'|'}{#5}{+11};{'|'}{#6}", HistoryLine, "14:20:07"},
    {"{'|'}{#3};{'|'}{#8}", HistoryLine, "d|e|2001-03-05 14:20:07|f|g"},
    // Fixed columns at and past the end of the line.
    {"12;19", "123456789012345", "2345"},
    {"19;12", "123456789012345678901", ""},
    {"12;", "123456789012345678901", ""},
    {"20;30", "12345", ""},
    {"0;3", "abcdef", "abcd"},
    {"-2;1", "abcdef", "abcd"},
    {"12", "abcdefghijklmnopq", "abcdefghijklm"},
    {" 12;13", "abcdefghijklmnopq", "lm"},
    {"", "abc", ""},
    // Delimiters: missing, too few occurrences, empty, overlapping.
    {"{'|'}{#9};{'|'}{#9}{+2}", "a|b|c|d|e|xyz", "x"},
    {"{'ab'};5", "123456", "2345"},
    {"{'--'}{#2};{'--'}{#2}{+3}", "---x", "x"},
    {"{'|'}{#0};3", "a|bc", "a|b"},
    {"{''};2", "abc", "abc"},
    // Append texts, offsets and token order.
    {"{\"A\"}{'x'};{'y'}{\"Z\"}", "1x23y4", "A23Z"},
    {"{'|'}{+-1};{'|'}{#2}", "ab|cd|ef", "|cd"},
    {"{+1}{'|'};{'|'}{#2}", "ab|cd|ef", "d"},
    {"{'|'}{'-'};{'-'}{#2}", "a|b-c-d", "c"},
    {"{\"only\"};", "abc", "only"},
    {"{#};{'|'}", "a|b", "a|"},
    // Sides without a closing brace or with trailing text read as no token
    // (begin 0), and the token loop must still end.
    {"{'|';5", "a|bcdef", "a|bcde"},
    {"12 ;14", "abcdefghijklmnop", "abcdefghijklmno"},
    {"word;3", "abcdef", "abcd"},
    {"{'|'}tail;{'|'}{#2}", "a|b|c", "b"},
    {"{x};}}}", "abc", ""},
    {"{#99999999999999999999};2", "a|b", "a|b"},
    // Columns count characters: a UTF-8 sequence is one, any other byte
    // (a Windows code page) one too.
    {"5;10", "at 46\u20ac66bps.", "6\u20ac66bp"},
    {"5;6", "\u00e9t\u00e9 \u20ac\u20ac\u20ac", "\u20ac\u20ac"},
    {"2;3", "Caf\xe9 M\xfcller", "af"},
    {"4;7", "Caf\xe9 M\xfcller", "\xe9 M\xfc"},
    {"1;1", "\xe2\x82 x", "\xe2"},
    {"{'|'}{+1};{'|'}{#2}{+-1}", "\u00e4|a\u00f6b|c", "\u00f6"},
    {"{'\u20ac'};{'\u20ac'}{+2}", "1\u20ac\u00fc2", "\u00fc"},
    {"{'Connect: '};10000", "M\u00e4r Connect: ppp0", "ppp0"},
};

void PrintTo(const LocatorCase& c, std::ostream* os)
{
    *os << c.Locator << " on " << c.Line;
}

class LocateCases : public ::testing::TestWithParam<LocatorCase> {};

TEST_P(LocateCases, PicksTheField)
{
    const LocatorCase& c = GetParam();
    EXPECT_EQ(Locate(c.Locator, c.Line), c.Expected) << c.Locator << " on " << c.Line;
    // A pre-parsed locator gives the same on every line.
    const ParsedLocator parsed = ParseLocator(c.Locator);
    EXPECT_EQ(ApplyLocator(parsed, c.Line), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(Locator, LocateCases, ::testing::ValuesIn(Cases));

} // namespace

} // namespace dialtally
