#include "TestSupport.h"

#include "costs/TariffEdits.h"

#include <gtest/gtest.h>

namespace dialtally {

namespace {

struct ChargeCase {
    const char* Preset;
    const char* Typed;
    const char* Shown;
};

class ReformatChargeTest : public ::testing::TestWithParam<ChargeCase> {};

TEST_P(ReformatChargeTest, ShowsTheMoneyFormat)
{
    const ChargeCase& c = GetParam();
    ScopedRegional preset(c.Preset);
    EXPECT_EQ(ReformatCharge(c.Typed), c.Shown);
}

INSTANTIATE_TEST_SUITE_P(
    Presets, ReformatChargeTest,
    ::testing::Values(ChargeCase{"en-US", "19.95", "$19.95"},
                      ChargeCase{"en-US", "$19.95", "$19.95"}, ChargeCase{"en-US", "5", "$5.00"},
                      ChargeCase{"en-US", ".075", "$0.08"},
                      ChargeCase{"de-DE", "19,95", "19,95 \xE2\x82\xAC"},
                      ChargeCase{"de-DE", "19,95 \xE2\x82\xAC", "19,95 \xE2\x82\xAC"},
                      ChargeCase{"sv-SE", "4,5", "4,50 kr"},
                      // No digit, or nothing money can hold: left as typed.
                      ChargeCase{"en-US", "", ""}, ChargeCase{"en-US", "free", "free"},
                      ChargeCase{"en-US", "$.", "$."}, ChargeCase{"en-US", "1.2.3", "1.2.3"},
                      ChargeCase{"en-US", "99999999999999999999999", "99999999999999999999999"},
                      // Another preset's notation, a sign or an exponent is no
                      // amount, rather than digits run together (19.95 -> 1995).
                      ChargeCase{"de-DE", "19.95", "19.95"}, ChargeCase{"en-GB", "19,95", "19,95"},
                      ChargeCase{"en-US", "-5", "-5"}, ChargeCase{"en-US", "1e3", "1e3"},
                      ChargeCase{"de-DE", "1.234,56", "1234,56 \xE2\x82\xAC"},
                      ChargeCase{"sv-SE", "1 234,5 kr", "1234,50 kr"},
                      ChargeCase{"en-US", "$1,234.5", "$1234.50"},
                      ChargeCase{"en-US", "12,34.5", "12,34.5"}));

// Values a file holds in other separators than the current settings'
// are found; the file's own are not.
TEST(TariffEdits, TariffLinesOfOtherSettingsAreFound)
{
    struct Case {
        const char* Preset;
        const char* Line;
        bool Other;
    };
    const Case cases[] = {
        {"en-US", "ProviderMonthCharge=9.95", false},
        {"en-US", "ProviderMonthCharge=9,95", true},
        {"en-US", "ProviderTod1=1,1,1,12:00:00 AM,11:59:59 PM,0,.07,1,0,0", false},
        {"en-US", "ProviderTod1=1;1;1;00:00:00;23:59:59;1;0,10;1;0;0", true},
        {"en-US", "ProviderTod1=1,1,1,12:00:00 AM,11:59:59 PM,0,0,07,1,0,0", false},
        {"de-DE", "ProviderMonthCharge=9,95", false},
        {"de-DE", "ProviderMonthCharge=9.95", true},
        {"de-DE", "ProviderMonthFree=1.5", true},
        {"de-DE", "ProviderTod1=1;1;1;00:00:00;23:59:59;0;,07;1;0;0", false},
        {"de-DE", "ProviderTod1=1,1,1,00:00:00,23:59:59,1,.10,1,0,0", true},
        {"de-DE", "ProviderTod1=1;1;1;00:00:00;23:59:59;0;.07;1;0;0", true},
        {"sv-SE", "ProviderTod2=0;0;1;00:00:00;23:59:59;0;0;1;0.50;0", true},
    };
    for (const Case& c : cases) {
        ScopedRegional preset(c.Preset);
        TempFolder home;
        home.Write("Dialtally.prv",
                   std::string("Provider=Mobile\r\nProviderMonthBegin=1\r\n") + c.Line + "\r\n");
        EXPECT_EQ(TariffLineOfOtherSettings(home.Path()), c.Other ? c.Line : "")
            << c.Preset << " " << c.Line;
    }
}

// A rate period's edits hold what pricing reads in the current settings;
// anything else is refused with a message, as the file would otherwise
// break every report and keep the Costs dialog from opening.
TEST(TariffEdits, RatePeriodEditsThatPricingCannotReadAreRefused)
{
    using Kind = RatePeriodEdit;
    const struct {
        const char* Preset;
        const char* Text;
        decltype(RatePeriodEdit::Kind) Kind;
        bool Refused;
    } cases[] = {
        {"en-US", ".07", Kind::Charge, false},
        {"en-US", "", Kind::Charge, false},
        {"en-US", "0,05", Kind::Charge, true},
        {"en-US", "abc", Kind::Charge, true},
        {"en-US", "$0.05", Kind::Charge, true},
        {"en-US", "-1", Kind::Charge, true},
        {"en-US", "0", Kind::Charge, false},
        {"de-DE", "0,05", Kind::Charge, false},
        {"de-DE", "0.05", Kind::Charge, true},
        {"de-DE", "1.234,5", Kind::Charge, true},
        {"en-US", "99999999999999999999", Kind::Charge, true},
        {"en-US", "0.5", Kind::UnitMinutes, false},
        {"en-US", "0", Kind::UnitMinutes, true},
        {"sv-SE", "1,5", Kind::UnitMinutes, false},
        {"en-US", "2", Kind::WholeMinutes, false},
        {"en-US", "2.5", Kind::WholeMinutes, true},
        {"en-US", "9999999999", Kind::WholeMinutes, true},
    };
    for (const auto& c : cases) {
        ScopedRegional preset(c.Preset);
        EXPECT_EQ(!RatePeriodEditProblem({c.Text, c.Kind}).empty(), c.Refused)
            << c.Preset << " " << c.Text;
    }
}

TEST(TariffEdits, StoredChargeDropsTheSymbol)
{
    EXPECT_EQ(StoredCharge("$19.95"), "19.95");
    EXPECT_EQ(StoredCharge(""), "0");
    ScopedRegional de("de-DE");
    EXPECT_EQ(StoredCharge("19,95 \xE2\x82\xAC"), "19,95");
}

TEST(TariffEdits, NewPeriodDefaults)
{
    TTod periods;
    NewRatePeriod(periods, 3);
    EXPECT_EQ(RatePeriodCells(periods, 3),
              (std::array<std::string, 10>{"X", "X", "X", "12:00:00 AM", "11:59:59 PM", "", ".10",
                                           "1", "0", "0"}));
    ScopedRegional de("de-DE");
    NewRatePeriod(periods, 1);
    EXPECT_EQ(periods.TimeFrom[1], "00:00:00");
    EXPECT_EQ(periods.TimeTo[1], "23:59:59");
    EXPECT_EQ(periods.UnitCharge[1], ",10");
    EXPECT_EQ(periods.Count, 0);
}

TEST(TariffEdits, RemovePeriodMovesLaterOnesDown)
{
    TTod periods;
    periods.Count = 3;
    for (int k = 1; k <= 3; ++k) {
        NewRatePeriod(periods, k);
        periods.UnitCharge[k] = std::to_string(k);
    }
    periods.ApplyFree[3] = true;
    RemoveRatePeriod(periods, 1);
    EXPECT_EQ(periods.Count, 2);
    EXPECT_EQ(periods.UnitCharge[1], "2");
    EXPECT_EQ(periods.UnitCharge[2], "3");
    EXPECT_TRUE(periods.ApplyFree[2]);
    EXPECT_EQ(RatePeriodCells(periods, 3), (std::array<std::string, 10>{}));
    RemoveRatePeriod(periods, 3); // past the count
    EXPECT_EQ(periods.Count, 2);
}

TEST(TariffEdits, RemoveProviderAndLink)
{
    TProv providers;
    DefaultProviders(providers);
    RemoveProvider(providers, 1);
    EXPECT_EQ(providers.Count, 1);
    EXPECT_EQ(providers.Provider[1], "Sample Telephone Company");
    EXPECT_EQ(providers.ProviderTod[1].Count, 2);
    EXPECT_EQ(providers.ProviderTod[2].Count, 0);
    RemoveProvider(providers, 0);
    RemoveProvider(providers, 2);
    EXPECT_EQ(providers.Count, 1);

    TServ links;
    DefaultLinks(links);
    RemoveLink(links, 1);
    EXPECT_EQ(links.Count, 0);
    EXPECT_EQ(links.Service[1], "");
    RemoveLink(links, 1);
    EXPECT_EQ(links.Count, 0);
}

} // namespace

} // namespace dialtally
