#include "costs/Pricing.h"

#include "TestSupport.h"
#include "base/ConversionError.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dialtally {

namespace {

const char* const Telephone = "Sample Telephone Company";

// 5 March 2001 is a Monday.
TDateTime Monday(int hour, int minute, int second, int ms = 0)
{
    return EncodeDate(2001, 3, 5) + EncodeTime(hour, minute, second, ms);
}

int AddPriced(TRep& rep, TDateTime on, int duration, const std::string& service = "")
{
    const int i = AddConnection(rep);
    rep.DateTimeOn[static_cast<std::size_t>(i)] = on;
    rep.DateTimeOff[static_cast<std::size_t>(i)] = on;
    rep.Duration[static_cast<std::size_t>(i)] = duration;
    rep.Service[static_cast<std::size_t>(i)] = service;
    return i;
}

TTod& Periods(TProv& providers, int p)
{
    return providers.ProviderTod[p];
}

// Prices one new connection under the given report providers and links.
struct Pricer {
    TProv Providers;
    TServ Links;
    TRep Rep;
    CostingPass Pass;

    Pricer() { DefaultProviders(Providers); }
    void Start(const std::string& serviceProviders)
    {
        StartCosting(Pass, Providers, Links, serviceProviders);
    }
    Currency Price(TDateTime on, int duration, const std::string& service = "")
    {
        const int i = AddPriced(Rep, on, duration, service);
        return PriceConnection(Pass, Providers, Rep, i);
    }
    Currency MonthCharge(int i) const { return Rep.MonthCharge[static_cast<std::size_t>(i)]; }
};

struct UnitCase {
    int Duration;
    const char* UnitMinutes;
    const char* UnitCharge;
    const char* InitialCharge;
    const char* InitialMinutes;
    Currency Expected;
};

void PrintTo(const UnitCase& c, std::ostream* os)
{
    *os << c.Duration << "s_" << c.UnitMinutes << "min_" << c.UnitCharge << "_init"
        << c.InitialCharge << "_" << c.InitialMinutes;
}

class WorkedExample : public testing::TestWithParam<UnitCase> {};

TEST_P(WorkedExample, ChargesPeriodOneOfTheSampleCompany)
{
    const UnitCase& c = GetParam();
    Pricer pricer;
    TTod& tod = Periods(pricer.Providers, 2);
    tod.UnitMinutes[1] = c.UnitMinutes;
    tod.UnitCharge[1] = c.UnitCharge;
    tod.InitialCharge[1] = c.InitialCharge;
    tod.InitialMinutes[1] = c.InitialMinutes;
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), c.Duration), c.Expected);
    EXPECT_EQ(pricer.MonthCharge(0), 49'500);
}

INSTANTIATE_TEST_SUITE_P(Pricing, WorkedExample,
                         testing::Values(UnitCase{125, "1", ".07", "0", "0", 2'100},
                                         UnitCase{0, "1", ".07", "0", "0", 0},
                                         UnitCase{60, "1", ".07", "0", "0", 700},
                                         UnitCase{125, "1", ".07", ".25", "3", 2'500},
                                         UnitCase{300, "1", ".07", ".25", "3", 3'900},
                                         UnitCase{301, "1", ".07", ".25", "3", 4'600},
                                         UnitCase{125, "3", ".07", "0", "0", 486},
                                         // Three-minute units are not rounded up; the charge is
                                         // rounded to ten-thousandths with ties to even.
                                         UnitCase{90, "3", ".0005", "0", "0", 2},
                                         UnitCase{90, "3", ".0015", "0", "0", 8},
                                         // 84 s at 0.7-minute units is exactly two units.
                                         UnitCase{84, "0.7", ".07", "0", "0", 1'400},
                                         UnitCase{30, "0.5", ".07", "0", "0", 700},
                                         UnitCase{31, "0.5", ".07", "0", "0", 1'400}));

TEST(Pricing, ReadsTariffsWithTheRegionalDecimalSeparator)
{
    ScopedRegional german("de-DE");
    Pricer pricer; // the sample table is written with ","
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 125), 2'100);
    EXPECT_EQ(pricer.MonthCharge(0), 49'500);
}

// Free hours, with period 1 the provider's only period.
TEST(Pricing, FreeHoursRunOut)
{
    Pricer pricer;
    pricer.Providers.ProviderMonthFree[2] = "10";
    TTod& tod = Periods(pricer.Providers, 2);
    tod.Count = 1;
    tod.ApplyFree[1] = true;
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 35'000), 0);
    EXPECT_EQ(pricer.Providers.FreeSecondsLeft[2], 1'000);
    EXPECT_EQ(pricer.Price(Monday(11, 0, 0), 2'000), 11'900);
    EXPECT_EQ(pricer.Providers.FreeSecondsLeft[2], -1'000);
    // Exhausted until the next billing month.
    EXPECT_EQ(pricer.Price(Monday(12, 0, 0), 60), 700);
    EXPECT_EQ(pricer.Providers.FreeSecondsLeft[2], -1'000);
    EXPECT_EQ(pricer.Price(EncodeDate(2001, 4, 2) + EncodeTime(10, 0, 0, 0), 60), 0);
    EXPECT_EQ(pricer.Providers.FreeSecondsLeft[2], 36'000 - 60);
}

TEST(Pricing, FreeHoursStillAddTheInitialCharge)
{
    Pricer pricer;
    pricer.Providers.ProviderMonthFree[2] = "10";
    TTod& tod = Periods(pricer.Providers, 2);
    tod.Count = 1;
    tod.ApplyFree[1] = true;
    tod.InitialCharge[1] = ".25";
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 35'000), 2'500);
}

// A zero charge does not end the search: period 2 also covers the start.
TEST(Pricing, FreePeriodLetsTheNextMatchingPeriodCharge)
{
    Pricer pricer;
    pricer.Providers.ProviderMonthFree[2] = "10";
    Periods(pricer.Providers, 2).ApplyFree[1] = true;
    pricer.Start(Telephone);
    // 35000 s in whole minutes is 584 at 0.05.
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 35'000), 292'000);
    EXPECT_EQ(pricer.Providers.FreeSecondsLeft[2], 1'000);
    EXPECT_EQ(Periods(pricer.Providers, 2).Current, 2);
}

struct MonthCase {
    const char* BeginDay;
    int Year, Month, Day;
    int NextYear, NextMonth, NextDay;
};

void PrintTo(const MonthCase& c, std::ostream* os)
{
    *os << "day" << c.BeginDay << "_" << c.Year << "-" << c.Month << "-" << c.Day;
}

class BillingMonth : public testing::TestWithParam<MonthCase> {};

TEST_P(BillingMonth, NextStartCountsFromTheEndOfTheMonth)
{
    const MonthCase& c = GetParam();
    Pricer pricer;
    pricer.Providers.ProviderMonthBegin[2] = c.BeginDay;
    pricer.Start(Telephone);
    pricer.Price(EncodeDate(c.Year, c.Month, c.Day) + EncodeTime(10, 0, 0, 0), 60);
    EXPECT_EQ(pricer.Providers.NextMonthStart[2], EncodeDate(c.NextYear, c.NextMonth, c.NextDay));
}

INSTANTIATE_TEST_SUITE_P(Pricing, BillingMonth,
                         testing::Values(MonthCase{"1", 2001, 3, 10, 2001, 4, 1},
                                         MonthCase{"15", 2001, 3, 10, 2001, 4, 15},
                                         MonthCase{"31", 2001, 1, 10, 2001, 3, 3},
                                         MonthCase{"31", 2004, 1, 10, 2004, 3, 2},
                                         MonthCase{"1", 2001, 12, 31, 2002, 1, 1}));

TEST(Pricing, MonthlyChargeIsBookedOnTheFirstConnectionOfEachBillingMonth)
{
    Pricer pricer;
    pricer.Providers.ProviderMonthBegin[2] = "15";
    pricer.Start(Telephone);
    const auto on = [](int month, int day) {
        return EncodeDate(2001, month, day) + EncodeTime(10, 0, 0, 0);
    };
    pricer.Price(on(3, 10), 60);
    pricer.Price(on(3, 31), 60);
    pricer.Price(on(4, 14), 60);
    pricer.Price(on(4, 15), 60);
    EXPECT_EQ(pricer.MonthCharge(0), 49'500);
    EXPECT_EQ(pricer.MonthCharge(1), 0);
    EXPECT_EQ(pricer.MonthCharge(2), 0);
    EXPECT_EQ(pricer.MonthCharge(3), 49'500);
}

TEST(Pricing, StartCostingBeginsAFreshPass)
{
    Pricer pricer;
    pricer.Start(Telephone);
    pricer.Price(Monday(10, 0, 0), 60);
    pricer.Start(Telephone);
    pricer.Price(Monday(11, 0, 0), 60);
    EXPECT_EQ(pricer.MonthCharge(1), 49'500);
}

TEST(Pricing, ProviderInReportAndLinkedIsPricedTwiceButOpensOneMonth)
{
    Pricer pricer;
    pricer.Providers.ProviderMonthFree[2] = "1";
    Periods(pricer.Providers, 2).Count = 1;
    Periods(pricer.Providers, 2).ApplyFree[1] = true;
    pricer.Links.Count = 2;
    pricer.Links.Service[1] = "Other";
    pricer.Links.Provider[1] = "Sample Internet Service Provider";
    pricer.Links.Service[2] = "My ISP";
    pricer.Links.Provider[2] = Telephone;
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Pass.LinkServices, "Other,My ISP");
    EXPECT_EQ(pricer.Pass.LinkProviders,
              "Sample Internet Service Provider,Sample Telephone Company");
    EXPECT_EQ(pricer.Pass.LinkCount, 2);
    EXPECT_EQ(pricer.Pass.ProviderCount, 1);
    // The first pricing uses 3000 of 3600 free seconds, the second goes
    // 2400 beyond them: 40 minutes at 0.07.
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 3'000, "My ISP"), 28'000);
    EXPECT_EQ(pricer.MonthCharge(0), 49'500);
    EXPECT_EQ(pricer.Providers.FreeSecondsLeft[2], -2'400);
}

TEST(Pricing, EveryMatchingLinkAddsItsProvider)
{
    Pricer pricer;
    pricer.Links.Count = 2;
    pricer.Links.Service[1] = pricer.Links.Service[2] = "My ISP";
    pricer.Links.Provider[1] = pricer.Links.Provider[2] = Telephone;
    pricer.Start("");
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 60, "My ISP"), 1'400);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 60, "My ISP "), 0);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 60, "my isp"), 0);
}

TEST(Pricing, MissingProvidersAddNothing)
{
    Pricer pricer;
    pricer.Links.Count = 1;
    pricer.Links.Service[1] = "My ISP";
    pricer.Links.Provider[1] = "Gone";
    pricer.Start("Nobody,sample telephone company");
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 600, "My ISP"), 0);
    EXPECT_EQ(pricer.MonthCharge(0), 0);
    EXPECT_EQ(pricer.Providers.Current, 0);
}

TEST(Pricing, ProviderWithoutPeriodsBooksOnlyItsMonthlyCharge)
{
    Pricer pricer;
    pricer.Links.Count = 1;
    pricer.Links.Service[1] = "My ISP";
    pricer.Links.Provider[1] = "Sample Internet Service Provider";
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 125, "My ISP"), 2'100);
    EXPECT_EQ(pricer.MonthCharge(0), 49'500 + 199'500);
}

struct PeriodCase {
    int Year, Month, Day, Hour, Minute, Second, Millisecond;
    Currency Expected; // charge of one minute
};

void PrintTo(const PeriodCase& c, std::ostream* os)
{
    *os << c.Year << "-" << c.Month << "-" << c.Day << "_" << c.Hour << ":" << c.Minute << ":"
        << c.Second << "." << c.Millisecond;
}

class PeriodChoice : public testing::TestWithParam<PeriodCase> {};

// Period 1 Saturdays 0.01, period 2 Sundays 0.02, period 3 weekdays
// 07:00:00-18:59:59 0.03, period 4 weekdays all day 0.04, period 5 a
// "night" 22:00:00-06:00:00 on every day 0.09, which never matches.
TEST_P(PeriodChoice, FirstCoveringPeriodByDayClassAndInclusiveTimes)
{
    const PeriodCase& c = GetParam();
    Pricer pricer;
    TTod& tod = Periods(pricer.Providers, 2);
    tod = TTod{};
    tod.Count = 5;
    const auto set = [&](int k, bool weekdays, bool saturday, bool sunday, const char* from,
                         const char* to, const char* charge) {
        const auto at = static_cast<std::size_t>(k);
        tod.MondayToFriday[at] = weekdays;
        tod.Saturday[at] = saturday;
        tod.Sunday[at] = sunday;
        tod.TimeFrom[at] = from;
        tod.TimeTo[at] = to;
        tod.UnitCharge[at] = charge;
        tod.UnitMinutes[at] = "1";
        tod.InitialCharge[at] = "0";
        tod.InitialMinutes[at] = "0";
    };
    set(1, false, true, false, "0:00:00", "23:59:59", ".01");
    set(2, false, false, true, "0:00:00", "23:59:59", ".02");
    set(3, true, false, false, "7:00:00", "18:59:59", ".03");
    set(4, true, false, false, "0:00:00", "23:59:59", ".04");
    set(5, true, true, true, "22:00:00", "6:00:00", ".09");
    pricer.Start(Telephone);
    const TDateTime on =
        EncodeDate(c.Year, c.Month, c.Day) + EncodeTime(c.Hour, c.Minute, c.Second, c.Millisecond);
    EXPECT_EQ(pricer.Price(on, 60), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pricing, PeriodChoice,
    testing::Values(PeriodCase{2001, 3, 10, 10, 0, 0, 0, 100},  // Saturday
                    PeriodCase{2001, 3, 11, 23, 0, 0, 0, 200},  // Sunday
                    PeriodCase{2001, 3, 5, 7, 0, 0, 0, 300},    // Monday, first second
                    PeriodCase{2001, 3, 9, 18, 59, 59, 0, 300}, // Friday, last second
                    // Only the seconds the long time format shows count.
                    PeriodCase{2001, 3, 9, 18, 59, 59, 900, 300},
                    PeriodCase{2001, 3, 9, 19, 0, 0, 0, 400},
                    PeriodCase{2001, 3, 6, 6, 59, 59, 0, 400},
                    PeriodCase{2001, 3, 7, 23, 30, 0, 0, 400}));

TEST(Pricing, SampleCompanyChangesRateAtSevenInTheEvening)
{
    Pricer pricer;
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(Monday(18, 59, 59), 3'600), 42'000);
    EXPECT_EQ(pricer.Price(Monday(19, 0, 0), 60), 500);
}

TEST(Pricing, NoCoveringPeriodChargesNothing)
{
    Pricer pricer;
    Periods(pricer.Providers, 2).Count = 1;
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(EncodeDate(2001, 3, 10) + EncodeTime(10, 0, 0, 0), 600), 0);
    EXPECT_EQ(pricer.MonthCharge(0), 49'500);
}

class UnitLength : public testing::TestWithParam<const char*> {};

TEST_P(UnitLength, NotAboveZeroIsAConversionError)
{
    Pricer pricer;
    Periods(pricer.Providers, 2).UnitMinutes[1] = GetParam();
    pricer.Start(Telephone);
    const int i = AddPriced(pricer.Rep, Monday(10, 0, 0), 125);
    EXPECT_THROW(PriceConnection(pricer.Pass, pricer.Providers, pricer.Rep, i), ConversionError);
    // Booked before the failure, so it stays.
    EXPECT_EQ(pricer.MonthCharge(i), 49'500);
}

INSTANTIATE_TEST_SUITE_P(Pricing, UnitLength, testing::Values("0", "-1", "0.0", "1e400", "x"));

TEST(Pricing, TariffTextsThatDoNotConvertRaise)
{
    const auto fails = [](auto change) {
        SCOPED_TRACE(testing::Message() << "change at line " << __LINE__);
        Pricer pricer;
        change(pricer.Providers);
        pricer.Start(Telephone);
        const int i = AddPriced(pricer.Rep, Monday(10, 0, 0), 125);
        EXPECT_THROW(PriceConnection(pricer.Pass, pricer.Providers, pricer.Rep, i),
                     ConversionError);
    };
    fails([](TProv& t) { t.ProviderMonthFree[2] = "1.5"; });
    fails([](TProv& t) { t.ProviderMonthBegin[2] = ""; });
    fails([](TProv& t) { t.ProviderMonthCharge[2] = "4,95"; });
    fails([](TProv& t) { t.ProviderTod[2].TimeFrom[1] = "seven"; });
    fails([](TProv& t) { t.ProviderTod[2].TimeTo[1] = "25:00:00"; });
    fails([](TProv& t) { t.ProviderTod[2].UnitCharge[1] = "$1"; });
    fails([](TProv& t) { t.ProviderTod[2].InitialMinutes[1] = "0.5"; });
}

TEST(Pricing, PeriodsAfterTheChargingOneAreNotRead)
{
    Pricer pricer;
    Periods(pricer.Providers, 2).TimeTo[2] = "25:00:00";
    pricer.Start(Telephone);
    EXPECT_EQ(pricer.Price(Monday(10, 0, 0), 60), 700);
    EXPECT_THROW(pricer.Price(Monday(20, 0, 0), 60), ConversionError);
}

} // namespace

namespace {

TEST(Pricing, PeriodChargeAndChargeUnitsWorkOnTheirOwn)
{
    TProv providers;
    DefaultProviders(providers);
    TRep rep;
    const int i = AddPriced(rep, Monday(10, 0, 0), 125);
    EXPECT_EQ(ChargeUnits(providers, 2, 1, rep, i), 3.0);
    EXPECT_EQ(ChargeUnits(providers, 2, 2, rep, i), 3.0);
    EXPECT_EQ(PeriodCharge(providers, 2, rep, i), 2'100);
    EXPECT_EQ(providers.ProviderTod[2].Current, 1);
}

} // namespace

} // namespace dialtally
