#include "TestSupport.h"

#include "base/ConversionError.h"
#include "base/ListRoutines.h"
#include "base/RecentFiles.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

TEST(ListRoutines, NthPos)
{
    struct Case {
        const char* Delimiter;
        const char* Text;
        int N, Expected;
    };
    const Case cases[] = {
        {"|", "a|b|c", 1, 2}, {"|", "a|b|c", 2, 4}, {"|", "a|b|c", 5, 4}, {"|", "abc", 1, 0},
        {"", "a|b", 1, 0},    {"|", "a|b", 0, 0},   {"|", "a|b", -1, 0},  {"--", "---x", 1, 1},
        {"--", "---x", 2, 2}, {"--", "---x", 3, 2}, {"ab", "xxab", 1, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NthPos(c.Delimiter, c.Text, c.N), c.Expected)
            << c.Delimiter << " in " << c.Text << " #" << c.N;
}

TEST(ListRoutines, MatchesLists)
{
    struct Case {
        const char* Text;
        const char* Include;
        const char* Exclude;
        bool Expected;
    };
    const Case cases[] = {
        {"Interpreted response: No Carrier", "No Carrier,Hanging up", "", true},
        {"Recv: NO CARRIER", "No Carrier,Hanging up", "", false},
        {"anything", "", "", true},
        {"abc", "a, b", "", true},
        {"xbc", "a, b", "", false},
        {"abc", ",", "", false},
        {"abc", "a,", "", true},
        {"My ISP", "ISP", "My", false},
        {"My ISP", "", "Other", true},
        {"My ISP", "", ",", true},
        // A description in Windows-1252, the criteria typed in UTF-8.
        {"52000b\xE9s", "b\u00E9s", "", true},
        {"52000b\xE9s", "", "\u00E9", false},
        {"52000b\u00E9s", "b\xE9s", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesLists(c.Text, c.Include, c.Exclude), c.Expected)
            << c.Text << " / " << c.Include << " / " << c.Exclude;
}

TEST(ListRoutines, ItemsOfCommaLists)
{
    const std::pair<const char*, int> counts[] = {{"", 0},   {"a,b,c", 3}, {"a,", 1},
                                                  {",a", 2}, {",", 1},     {"a", 1}};
    for (const auto& [list, count] : counts) {
        EXPECT_EQ(CountItems(list, ','), count) << list;
        std::string rest = list;
        int extracted = 0;
        while (!rest.empty() && extracted < 10) {
            ExtractItem(rest, ',');
            ++extracted;
        }
        EXPECT_EQ(extracted, count) << list;
    }
    EXPECT_EQ(NthItem("a,b,c", ',', 1), "a");
    EXPECT_EQ(NthItem("a,b,c", ',', 3), "c");
    EXPECT_EQ(NthItem("a,b,c", ',', 4), "");
    EXPECT_EQ(NthItem(",x", ',', 1), "");
    EXPECT_EQ(NthItem("a;b", ';', 2), "b");
    std::string list = "one,two";
    EXPECT_EQ(ExtractItem(list, ','), "one");
    EXPECT_EQ(list, "two");
}

TEST(ListRoutines, TextRoutines)
{
    EXPECT_EQ(DigitsOnly("$1,234.50 x"), "1234.50");
    {
        ScopedRegional de("de-DE");
        EXPECT_EQ(DigitsOnly("1.234,50 \xE2\x82\xAC"), "1234,50");
        EXPECT_EQ(CurrencyMask(), "########0.00 \xE2\x82\xAC");
    }
    EXPECT_EQ(CurrencyMask(), "$########0.00");
    EXPECT_EQ(ToggleFlagText("1"), "0");
    EXPECT_EQ(ToggleFlagText("0"), "1");
    EXPECT_EQ(ToggleFlagText("3"), "2");
    EXPECT_THROW(ToggleFlagText("on"), ConversionError);
    EXPECT_EQ(FileTitle("/home/u/Reports/Monthly.rep"), "Monthly");
    EXPECT_EQ(FileTitle("/home/u/a.b.rep"), "a");
    EXPECT_EQ(FileTitle("/home/u.x/README"), "README");
}

TEST(RecentFiles, NewestFirstWithoutRepeats)
{
    RecentFiles recent;
    for (int i = 1; i <= 9; ++i)
        AddRecentFile(recent, "r" + std::to_string(i));
    EXPECT_EQ(recent.Entries[0], "r9");
    EXPECT_EQ(recent.Entries[7], "r2"); // r1 fell off
    AddRecentFile(recent, "r5");
    const std::array<std::string, 8> expected = {"r5", "r9", "r8", "r7", "r6", "r4", "r3", "r2"};
    EXPECT_EQ(recent.Entries, expected);
    AddRecentFile(recent, "r5");
    EXPECT_EQ(recent.Entries, expected);
    AddRecentFile(recent, "");
    EXPECT_EQ(recent.Entries, expected);
    AddRecentFile(recent, "r2");
    EXPECT_EQ(recent.Entries[0], "r2");
    EXPECT_EQ(recent.Entries[7], "r3");
}

} // namespace

} // namespace dialtally
