#include "reports/QuickToggles.h"

#include "TestSupport.h"
#include "base/ConversionError.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

TCfg Defined()
{
    TCfg cfg;
    cfg.DetailShow = "1";
    cfg.TotalShow = "0";
    cfg.TotalDay = cfg.DefTotalDay = "0";
    cfg.TotalWeek = cfg.DefTotalWeek = "1";
    cfg.TotalMonth = cfg.DefTotalMonth = "1";
    cfg.TotalYear = cfg.DefTotalYear = "0";
    cfg.TotalTotal = "1";
    cfg.CriteriaDateAll = cfg.DefDateAll = "1";
    cfg.CriteriaDateFrom = cfg.DefDateFrom = "1/1/2000";
    cfg.CriteriaDateTo = cfg.DefDateTo = "12/31/2000";
    cfg.CriteriaTimeAll = cfg.DefTimeAll = "1";
    cfg.CriteriaTimeFrom = cfg.DefTimeFrom = "12:00:00 AM";
    cfg.CriteriaTimeTo = cfg.DefTimeTo = "11:59:59 PM";
    cfg.CriteriaDescripAll = cfg.DefDescripAll = "0";
    cfg.CriteriaInclude = cfg.DefInclude = "Work";
    cfg.CriteriaExclude = cfg.DefExclude = "Test";
    return cfg;
}

std::string Totals(const TCfg& cfg)
{
    return cfg.TotalDay + cfg.TotalWeek + cfg.TotalMonth + cfg.TotalYear + cfg.TotalTotal +
           cfg.TotalShow;
}

TEST(CycleTotals, FiveClicksPassEachLevelAndComeBack)
{
    TCfg cfg = Defined();
    const char* expected[] = {"100011", "010011", "001011", "000111", "011011"};
    for (const char* totals : expected) {
        EXPECT_EQ(CycleTotals(cfg), Rebuild::FromConnections);
        EXPECT_EQ(Totals(cfg), totals);
    }
    EXPECT_EQ(cfg.TotalsMode, 0);
    EXPECT_FALSE(cfg.Modified);
}

struct DatesCase {
    int Year, Month, Day;
    int Mode;
    const char* From;
    const char* To;
};

class CycleDatesTest : public ::testing::TestWithParam<DatesCase> {};

TEST_P(CycleDatesTest, MenuEntrySetsTheRange)
{
    const DatesCase& c = GetParam();
    ScopedToday today(c.Year, c.Month, c.Day);
    TCfg cfg = Defined();
    EXPECT_EQ(ChooseToggleMode(cfg, QuickToggle::Dates, c.Mode), Rebuild::ReadLog);
    EXPECT_EQ(cfg.DatesMode, c.Mode);
    EXPECT_EQ(cfg.CriteriaDateAll, "0");
    EXPECT_EQ(cfg.CriteriaDateFrom, c.From);
    EXPECT_EQ(cfg.CriteriaDateTo, c.To);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, CycleDatesTest,
    ::testing::Values(DatesCase{2024, 2, 15, 1, "2/15/2024", "2/15/2024"},
                      DatesCase{2024, 2, 15, 2, "2/11/2024", "2/17/2024"},
                      DatesCase{2024, 2, 18, 2, "2/18/2024", "2/24/2024"}, // a Sunday
                      DatesCase{2024, 2, 24, 2, "2/18/2024", "2/24/2024"}, // a Saturday
                      DatesCase{2024, 2, 15, 3, "2/1/2024", "2/29/2024"},
                      DatesCase{2023, 2, 15, 3, "2/1/2023", "2/28/2023"},
                      DatesCase{2024, 2, 15, 4, "1/1/2024", "12/31/2024"}));

TEST(CycleDates, AllKeepsTheRangeAndDefaultRestoresIt)
{
    ScopedToday today(2024, 2, 15);
    TCfg cfg = Defined();
    ChooseToggleMode(cfg, QuickToggle::Dates, 4);
    CycleDates(cfg);
    EXPECT_EQ(cfg.CriteriaDateAll, "1");
    EXPECT_EQ(cfg.CriteriaDateFrom, "1/1/2024");
    CycleDates(cfg);
    EXPECT_EQ(cfg.DatesMode, 0);
    EXPECT_EQ(cfg.CriteriaDateFrom, "1/1/2000");
    EXPECT_EQ(cfg.CriteriaDateTo, "12/31/2000");
}

TEST(CycleTimes, MorningAndAfternoon)
{
    TCfg cfg = Defined();
    CycleTimes(cfg);
    EXPECT_EQ(cfg.CriteriaTimeAll + cfg.CriteriaTimeFrom + "-" + cfg.CriteriaTimeTo,
              "012:00:00 AM-11:59:59 AM");
    CycleTimes(cfg);
    EXPECT_EQ(cfg.CriteriaTimeFrom + "-" + cfg.CriteriaTimeTo, "12:00:00 PM-11:59:59 PM");
    ScopedRegional german("de-DE");
    ChooseToggleMode(cfg, QuickToggle::Times, 2);
    EXPECT_EQ(cfg.CriteriaTimeFrom + "-" + cfg.CriteriaTimeTo, "12:00:00-23:59:59");
}

TEST(CycleDescriptions, FlipAllDefaultAndFlipTwice)
{
    TCfg cfg = Defined();
    ChooseToggleMode(cfg, QuickToggle::Descriptions, 1);
    EXPECT_EQ(cfg.CriteriaInclude + "|" + cfg.CriteriaExclude, "Test|Work");
    CycleDescriptions(cfg);
    EXPECT_EQ(cfg.CriteriaDescripAll, "1");
    EXPECT_EQ(cfg.CriteriaInclude, "Test");
    CycleDescriptions(cfg);
    EXPECT_EQ(cfg.CriteriaDescripAll + cfg.CriteriaInclude + "|" + cfg.CriteriaExclude,
              "0Work|Test");
    // The flip entry chosen twice exchanges the words back.
    ChooseToggleMode(cfg, QuickToggle::Descriptions, 1);
    ChooseToggleMode(cfg, QuickToggle::Descriptions, 1);
    EXPECT_EQ(cfg.CriteriaInclude + "|" + cfg.CriteriaExclude, "Work|Test");
}

std::vector<std::string> Captions(const std::vector<ToggleMenuEntry>& menu)
{
    std::vector<std::string> captions;
    for (const ToggleMenuEntry& entry : menu)
        captions.push_back(entry.Caption + (entry.Checked ? "*" : ""));
    return captions;
}

TEST(ToggleMenu, DatesCaptionsOfToday)
{
    ScopedToday today(2024, 2, 15);
    TCfg cfg = Defined();
    cfg.DatesMode = 3;
    EXPECT_EQ(
        Captions(ToggleMenu(cfg, QuickToggle::Dates)),
        (std::vector<std::string>{"Defa&ult Dates", "", "&Thursday, February 15, 2024",
                                  "&2/11/2024 - 2/17/2024", "&February 2024*", "&2024", "A&ll"}));
}

TEST(ToggleMenu, TimesAndFlipCaptions)
{
    TCfg cfg = Defined();
    EXPECT_EQ(Captions(ToggleMenu(cfg, QuickToggle::Times)),
              (std::vector<std::string>{"Defa&ult Times*", "", "&AM", "&PM", "A&ll"}));
    {
        ScopedRegional german("de-DE"); // a 24-hour clock
        EXPECT_EQ(Captions(ToggleMenu(cfg, QuickToggle::Times)),
                  (std::vector<std::string>{"Defa&ult Times*", "", "&00:00 - 11:59",
                                            "&12:00 - 23:59", "A&ll"}));
    }
    cfg.DescripMode = 2;
    const auto menu = ToggleMenu(cfg, QuickToggle::Descriptions, "ISP", "AT&T");
    EXPECT_EQ(Captions(menu),
              (std::vector<std::string>{"Defa&ult Descriptions", "", "&AT&&T<>ISP", "A&ll*"}));
    EXPECT_EQ(menu[2].Mode, 1);
    EXPECT_EQ(menu[1].Mode, -1);
}

struct SectionsCase {
    bool Details; // ToggleDetails, else ToggleTotals
    const char* DetailShow;
    const char* TotalShow;
    const char* Expected; // DetailShow + TotalShow after
};

class SectionToggle : public ::testing::TestWithParam<SectionsCase> {};

TEST_P(SectionToggle, NeverNeither)
{
    const SectionsCase& c = GetParam();
    TCfg cfg;
    cfg.DetailShow = c.DetailShow;
    cfg.TotalShow = c.TotalShow;
    EXPECT_EQ(c.Details ? ToggleDetails(cfg) : ToggleTotals(cfg), Rebuild::FromConnections);
    EXPECT_EQ(cfg.DetailShow + cfg.TotalShow, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionToggle,
    ::testing::Values(SectionsCase{true, "1", "1", "01"}, SectionsCase{true, "1", "0", "01"},
                      SectionsCase{true, "0", "1", "11"}, SectionsCase{true, "1", "x", "01"},
                      SectionsCase{false, "1", "1", "10"}, SectionsCase{false, "0", "1", "10"}));

TEST(SectionToggle, UnreadableSwitchLeavesTheReport)
{
    TCfg cfg;
    cfg.DetailShow = "yes";
    cfg.TotalShow = "0";
    EXPECT_THROW(ToggleDetails(cfg), ConversionError);
    EXPECT_EQ(cfg.DetailShow + cfg.TotalShow, "yes0");
}

TEST(SetView, ChangesOnlyWhenDifferent)
{
    TCfg cfg;
    cfg.ReportType = "Text";
    EXPECT_FALSE(SetView(cfg, "Text"));
    EXPECT_TRUE(SetView(cfg, "Split"));
    EXPECT_EQ(cfg.ReportType, "Split");
}

struct LegendCase {
    int Y;
    std::string TCfg::*Field;
};

class LegendClick : public ::testing::TestWithParam<LegendCase> {};

TEST_P(LegendClick, BandsFromTheBottom)
{
    EXPECT_EQ(LegendClickField(100, 200, GetParam().Y), GetParam().Field);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, LegendClick,
    ::testing::Values(LegendCase{199, &TCfg::DetailShow}, LegendCase{181, &TCfg::DetailShow},
                      LegendCase{180, &TCfg::TotalDay}, LegendCase{161, &TCfg::TotalDay},
                      LegendCase{150, &TCfg::TotalWeek}, LegendCase{130, &TCfg::TotalMonth},
                      LegendCase{120, &TCfg::TotalYear}, LegendCase{101, &TCfg::TotalYear}));

TEST(LegendClick, TogglesTheSwitch)
{
    TCfg cfg;
    cfg.TotalWeek = "0";
    ToggleLegendField(cfg, 0, 50, 25);
    EXPECT_EQ(cfg.TotalWeek, "1");
}

} // namespace

} // namespace dialtally
