#include "app/ToolbarLayout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace dialtally {

namespace {

int PositionOf(const std::vector<std::string>& list, const std::string& caption)
{
    const auto at = std::find(list.begin(), list.end(), caption);
    return at == list.end() ? -1 : static_cast<int>(at - list.begin());
}

TEST(ToolbarLayout, EntriesCoverEveryItemButCutAndPaste)
{
    std::set<int> keys;
    for (const ToolbarEntry& entry : ToolbarEntries())
        keys.insert(entry.Key);
    EXPECT_EQ(keys.size(), 34U);
    EXPECT_FALSE(keys.contains(BtnCutIndex));
    EXPECT_FALSE(keys.contains(BtnPasteIndex));
    EXPECT_EQ(*keys.begin(), 1);
    EXPECT_EQ(*keys.rbegin(), ToolbarItemCount);
}

TEST(ToolbarLayout, SeparatorTwoComesBackBetweenPrintAndCopy)
{
    ToolbarSettings toolbars;
    const std::vector<std::string> designed = VisibleEntries(toolbars);
    ASSERT_EQ(designed.size(), 34U);
    const int at = PositionOf(designed, "Separator 2");
    ASSERT_EQ(designed[static_cast<std::size_t>(at - 1)], "Print");
    ASSERT_EQ(designed[static_cast<std::size_t>(at + 1)], "Copy");

    EXPECT_EQ(HideToolbarEntry(toolbars, at), at);
    EXPECT_FALSE(toolbars.Btn[5]);
    EXPECT_EQ(AvailableEntries(toolbars), std::vector<std::string>{"Separator 2"});
    EXPECT_EQ(ShowToolbarEntry(toolbars, 0), -1); // the left list is empty again
    EXPECT_TRUE(toolbars.Btn[5]);
    EXPECT_EQ(VisibleEntries(toolbars), designed);
}

TEST(ToolbarLayout, HiddenEntriesKeepTheDesignedOrder)
{
    ToolbarSettings toolbars;
    toolbars.Btn[34] = false; // Exclude Descriptions
    toolbars.Btn[35] = false; // Back
    toolbars.Btn[10] = false; // Separator 3
    EXPECT_EQ(AvailableEntries(toolbars),
              (std::vector<std::string>{"Back", "Separator 3", "Exclude Descriptions"}));
    EXPECT_EQ(ShowToolbarEntry(toolbars, 1), 1); // the next entry takes its place
    EXPECT_TRUE(toolbars.Btn[10]);
}

TEST(ToolbarLayout, RemovingTheLastVisibleEntrySelectsTheNewLast)
{
    ToolbarSettings toolbars;
    EXPECT_EQ(HideToolbarEntry(toolbars, 33), 32);
    EXPECT_FALSE(toolbars.Btn[34]);
    EXPECT_EQ(VisibleEntries(toolbars).back(), "Include Descriptions");
}

TEST(ToolbarLayout, WithEverythingHiddenRemoveDoesNothing)
{
    ToolbarSettings toolbars;
    while (HideToolbarEntry(toolbars, 0) >= 0) {
    }
    EXPECT_TRUE(VisibleEntries(toolbars).empty());
    const ToolbarSettings before = toolbars;
    EXPECT_EQ(HideToolbarEntry(toolbars, 0), -1);
    EXPECT_EQ(toolbars, before);
    EXPECT_EQ(AvailableEntries(toolbars).size(), 34U);
}

// Stored: menu, buttons on a row of their own, criteria, log file (hidden).
TEST(ToolbarLayout, BandsAreStoredAsTheyStand)
{
    const std::array<BandSettings, BandCount> stored{
        {{0, true, 590}, {1, true, 590}, {2, true, 440}, {3, false, 150}}};
    struct Case {
        const char* Name;
        std::array<PlacedBand, BandCount> Placed; // by band id
        std::array<BandSettings, BandCount> Expected;
    };
    const Case cases[] = {
        {"unmoved",
         {{{true, 0, 0, 600}, {true, 0, 30, 600}, {true, 0, 60, 450}, {false, 0, 0, 0}}},
         {{{0, true, 600}, {1, true, 600}, {2, true, 450}, {3, false, 150}}}},
        {"criteria dragged beside the menu",
         {{{true, 0, 0, 300}, {true, 0, 30, 600}, {true, 300, 0, 300}, {false, 0, 0, 0}}},
         {{{0, true, 300}, {2, false, 300}, {1, true, 600}, {3, false, 150}}}},
        {"buttons hidden keep their place",
         {{{true, 0, 0, 600}, {false, 0, 0, 0}, {true, 0, 30, 450}, {true, 450, 30, 150}}},
         {{{0, true, 600}, {1, true, 590}, {2, true, 450}, {3, false, 150}}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BandsAsPlaced(stored, c.Placed), c.Expected) << c.Name;
}

} // namespace

} // namespace dialtally
