#include "app/ProgramOptionNodes.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

struct ToggleCase {
    bool LoadDefault, LoadRecent; // before
    bool ProgramOptions::*Clicked;
    bool WantDefault, WantRecent; // after
};

class StartupToggle : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(StartupToggle, TheTwoStartupChoicesExcludeEachOther)
{
    const ToggleCase& c = GetParam();
    ProgramOptions options;
    options.LoadDefault = c.LoadDefault;
    options.LoadRecent = c.LoadRecent;
    ToggleProgramOption(options, c.Clicked);
    EXPECT_EQ(options.LoadDefault, c.WantDefault);
    EXPECT_EQ(options.LoadRecent, c.WantRecent);
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, StartupToggle,
    ::testing::Values(ToggleCase{false, false, &ProgramOptions::LoadDefault, true, false},
                      ToggleCase{true, false, &ProgramOptions::LoadRecent, false, true},
                      ToggleCase{false, true, &ProgramOptions::LoadDefault, true, false},
                      ToggleCase{true, false, &ProgramOptions::LoadDefault, false, false},
                      ToggleCase{false, true, &ProgramOptions::LoadRecent, false, false},
                      // A settings file may hold both; a click then leaves one.
                      ToggleCase{true, true, &ProgramOptions::LoadDefault, false, true}));

TEST(ProgramOptionToggle, OtherSwitchesFlipAlone)
{
    for (const ProgramOptionNode& node : ProgramOptionNodes()) {
        if (node.Setting == &ProgramOptions::LoadDefault ||
            node.Setting == &ProgramOptions::LoadRecent)
            continue;
        ProgramOptions options;
        options.LoadDefault = true;
        ToggleProgramOption(options, node.Setting);
        ProgramOptions expected;
        expected.LoadDefault = true;
        expected.*node.Setting = true;
        EXPECT_EQ(options, expected) << node.Label;
        ToggleProgramOption(options, node.Setting);
        EXPECT_FALSE(options.*node.Setting) << node.Label;
    }
}

TEST(ProgramOptionNodes, EverySwitchHasOneNode)
{
    // Member pointers have no order, so compare them pairwise.
    const auto& nodes = ProgramOptionNodes();
    for (std::size_t a = 0; a < nodes.size(); ++a)
        for (std::size_t b = a + 1; b < nodes.size(); ++b)
            EXPECT_NE(nodes[a].Setting, nodes[b].Setting) << nodes[a].Label << nodes[b].Label;
}

} // namespace

} // namespace dialtally
