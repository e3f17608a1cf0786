#include "reports/BillingMonth.h"

#include "TestSupport.h"
#include "reports/TariffTables.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace dialtally {

namespace {

const char* const Telephone = "Sample Telephone Company";

TDateTime Day(int year, int month, int day)
{
    return EncodeDate(year, month, day);
}

struct WindowCase {
    int BeginDay;
    TDateTime Today;
    TDateTime Start, End;
};

void PrintTo(const WindowCase& c, std::ostream* os)
{
    const CivilDate today = DecodeDate(c.Today);
    *os << "day" << c.BeginDay << "_" << today.Year << "-" << today.Month << "-" << today.Day;
}

class BillingWindowOf : public testing::TestWithParam<WindowCase> {};

TEST_P(BillingWindowOf, BeginsOnTheBeginDayCountedFromTheMonthBefore)
{
    const WindowCase& c = GetParam();
    const BillingWindow window = BillingMonthContaining(c.Today + 0.75, c.BeginDay);
    EXPECT_EQ(window.Start, c.Start);
    EXPECT_EQ(window.End, c.End);
}

// Start of the billing month of calendar month m: last day of m-1 + begin day.
INSTANTIATE_TEST_SUITE_P(
    BillingMonth, BillingWindowOf,
    testing::Values(WindowCase{1, Day(2026, 3, 10), Day(2026, 3, 1), Day(2026, 4, 1)},
                    WindowCase{1, Day(2026, 12, 31), Day(2026, 12, 1), Day(2027, 1, 1)},
                    WindowCase{15, Day(2026, 3, 14), Day(2026, 2, 15), Day(2026, 3, 15)},
                    WindowCase{15, Day(2026, 3, 15), Day(2026, 3, 15), Day(2026, 4, 15)},
                    // 31 Jan + 29 = 1 Mar; 31 Dec + 29 = 29 Jan.
                    WindowCase{29, Day(2026, 2, 28), Day(2026, 1, 29), Day(2026, 3, 1)},
                    WindowCase{29, Day(2026, 3, 1), Day(2026, 3, 1), Day(2026, 3, 29)},
                    // Leap year: 31 Jan + 30 = 1 Mar, 29 Feb + 30 = 30 Mar.
                    WindowCase{30, Day(2024, 3, 1), Day(2024, 3, 1), Day(2024, 3, 30)},
                    // 31 Dec + 31 = 31 Jan; 31 Jan + 31 = 3 Mar; 28 Feb + 31 = 31 Mar.
                    WindowCase{31, Day(2026, 3, 2), Day(2026, 1, 31), Day(2026, 3, 3)},
                    WindowCase{31, Day(2026, 3, 3), Day(2026, 3, 3), Day(2026, 3, 31)},
                    // 31 Mar + 31 = 1 May.
                    WindowCase{31, Day(2026, 3, 31), Day(2026, 3, 31), Day(2026, 5, 1)}));

struct Call {
    TDateTime On;
    int Duration;
    bool Closed = true;
};

TDateTime At(int month, int day, int hour, int minute = 0)
{
    return EncodeDate(2026, month, day) + EncodeTime(hour, minute, 0, 0);
}

struct StatementCase {
    const char* Name;
    const char* BeginDay;
    const char* FreeHours;
    bool ApplyFree;
    std::vector<Call> Calls;
    TDateTime Today;
    // Expected.
    int Connections;
    std::int64_t Seconds;
    Currency Charges;
    int FreeUsed, FreeLeft;
    std::optional<TDateTime> RanOut;
    bool Projected;
    std::int64_t ProjectedSeconds;
    Currency ProjectedCharges;
    std::optional<TDateTime> RunOut;
    const char* Note; // a part of the notes; "" for none
};

void PrintTo(const StatementCase& c, std::ostream* os)
{
    *os << c.Name;
}

// The telephone company with one period for every day and hour at 0.05 a
// minute and a monthly charge of 5.00; begin day and free hours per case.
TProv Tariff(const StatementCase& c)
{
    TProv providers;
    DefaultProviders(providers);
    providers.ProviderMonthBegin[2] = c.BeginDay;
    providers.ProviderMonthCharge[2] = "5";
    providers.ProviderMonthFree[2] = c.FreeHours;
    TTod& tod = providers.ProviderTod[2];
    tod.Count = 1;
    tod.MondayToFriday[1] = tod.Saturday[1] = tod.Sunday[1] = true;
    tod.TimeFrom[1] = "00:00:00";
    tod.TimeTo[1] = "23:59:59";
    tod.ApplyFree[1] = c.ApplyFree;
    tod.UnitCharge[1] = ".05";
    return providers;
}

PairedConnections Connections(const std::vector<Call>& calls)
{
    PairedConnections paired;
    for (const Call& call : calls) {
        const auto i = static_cast<std::size_t>(AddConnection(paired.List));
        paired.List.DateTimeOn[i] = call.On;
        paired.List.Duration[i] = call.Closed ? call.Duration : 0;
        paired.Closed.push_back(call.Closed);
    }
    return paired;
}

class StatementOf : public testing::TestWithParam<StatementCase> {};

TEST_P(StatementOf, PricesTheMonthAndItsPace)
{
    const StatementCase& c = GetParam();
    ScopedRegional regional("en-US");
    const BillingStatement statement =
        StateBillingMonths(Connections(c.Calls), Tariff(c), TServ{}, Telephone, c.Today);
    ASSERT_EQ(statement.Providers.size(), 1u);
    const ProviderBilling& b = statement.Providers[0];
    EXPECT_EQ(b.Error, "");
    EXPECT_EQ(b.MonthlyCharge, 50'000);
    EXPECT_EQ(b.Connections, c.Connections);
    EXPECT_EQ(b.Seconds, c.Seconds);
    EXPECT_EQ(b.Charges, c.Charges);
    EXPECT_EQ(b.FreeSecondsUsed, c.FreeUsed);
    EXPECT_EQ(b.FreeSecondsLeft, c.FreeLeft);
    EXPECT_EQ(b.FreeRanOut, c.RanOut);
    EXPECT_EQ(b.Projected, c.Projected);
    EXPECT_EQ(b.ProjectedSeconds, c.ProjectedSeconds);
    EXPECT_EQ(b.ProjectedCharges, c.ProjectedCharges);
    EXPECT_EQ(b.FreeRunOut, c.RunOut);
    const std::string notes = BillingFigureText(b, BillingFigure::Note, false);
    if (*c.Note == '\0')
        EXPECT_EQ(notes, "");
    else
        EXPECT_NE(notes.find(c.Note), std::string::npos) << notes;
}

// Charges in ten-thousandths: 0.05 a started minute, 5.00 a billing month.
// Each case: name, begin day, free hours, free hours apply, connections,
// today; so far: connections, seconds, charges, free seconds used and left,
// the day they ran out; projected: whether, seconds, charges, the day the
// free hours run out; a part of the notes.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    BillingMonth, StatementOf,
    testing::Values(
        // Billing month 1-31 March, 10 days so far, 21 left: two rounds of
        // the month so far and a tenth of one. Free hour 3600 s: 2 Mar uses
        // 3000 (600 left, charge 0, month opened: 5.00); 5 Mar runs out
        // 600 s into its 1200 and pays 10 min 0.50; 9 Mar pays 10 min 0.50.
        // Rounds: 50 + 20 + 10 min = 4.00 twice; tenth: 300, 120, 60 s =
        // 5 + 2 + 1 min = 0.40. 6.00 + 8.00 + 0.40 = 14.40; 4800 s * 31 /
        // 10 = 14880 s.
        StatementCase{"FreeHoursRunOutInsideAConnection", "1", "1", true,
                      {{At(3, 2, 10), 3000}, {At(3, 5, 10), 1200}, {At(3, 9, 20), 600}},
                      Day(2026, 3, 10),
                      /* so far */ 3, 4800, 60'000, 3600, 0, Day(2026, 3, 5),
                      /* projected */ true, 14'880, 144'000, std::nullopt, ""},
        // Two free hours, 3600 s used in 10 days (360 a day): the 3600 s
        // left last 10 days, to 20 March. Round 1 uses them up at no
        // charge, round 2 pays 30 + 30 min = 3.00, the tenth 3 + 3 min =
        // 0.30: 5.00 + 3.30 = 8.30; 3600 * 31 / 10 = 11160 s.
        StatementCase{"FreeHoursNotYetUsedUp", "1", "2", true,
                      {{At(3, 2, 10), 1800}, {At(3, 6, 10), 1800}}, Day(2026, 3, 10),
                      /* so far */ 2, 3600, 50'000, 3600, 3600, std::nullopt,
                      /* projected */ true, 11'160, 83'000, Day(2026, 3, 20), ""},
        // No free hours in this period's use: the hours are never used.
        StatementCase{"FreeHoursOutsideTheirPeriodsLast", "1", "1", false,
                      {{At(3, 2, 10), 600}}, Day(2026, 3, 10),
                      /* so far */ 1, 600, 55'000, 0, 3600, std::nullopt,
                      /* projected */ true, 1'860, 65'500, std::nullopt, ""},
        // 28 Feb opens February, 1 Mar opens March: 5.00 + 0.50 in March.
        StatementCase{"BillingMonthThatBeganToday", "1", "0", false,
                      {{At(2, 28, 10), 600}, {At(3, 1, 10), 600}}, Day(2026, 3, 1),
                      /* so far */ 1, 600, 55'000, 0, 0, std::nullopt,
                      /* projected */ false, 0, 0, std::nullopt, "began today: no pace yet"},
        // February's connection opened February only; March has none, so
        // the hour is whole and nothing more is projected.
        StatementCase{"NoConnectionsYet", "1", "1", true,
                      {{At(2, 20, 10), 600}}, Day(2026, 3, 10),
                      /* so far */ 0, 0, 0, 0, 3600, std::nullopt,
                      /* projected */ true, 0, 0, std::nullopt, "No connections yet"},
        // 28 Feb 23:50 runs 20 min into March but is February's (5.00 +
        // 1.00). March: 1 Mar opens it (5.00 + 0.05), 3 Mar 0.05; the
        // monthly charge once. Two rounds 0.20, a tenth (6 s each, a
        // started minute) 0.10: 5.40; 120 * 31 / 10 = 372 s.
        StatementCase{"MonthlyChargeOnceAndBoundaryByBegin", "1", "0", false,
                      {{At(2, 28, 23, 50), 1200}, {At(3, 1, 10), 60}, {At(3, 3, 10), 60}},
                      Day(2026, 3, 10),
                      /* so far */ 2, 120, 51'000, 0, 0, std::nullopt,
                      /* projected */ true, 372, 54'000, std::nullopt, ""},
        // Begin day 31: the billing month after 31 Jan begins 3 Mar and
        // ends 30 Mar; 18 days so far, 10 left: 10/18 of each minute is
        // 33 s, a started minute each: 5.10 + 0.10; 120 + 66 s.
        StatementCase{"BeginDay31InAShortMonth", "31", "0", false,
                      {{At(3, 3, 10), 60}, {At(3, 10, 10), 60}}, Day(2026, 3, 20),
                      /* so far */ 2, 120, 51'000, 0, 0, std::nullopt,
                      /* projected */ true, 186, 52'000, std::nullopt, ""},
        // 10 Mar opens a billing month the report carries to 15 April, so
        // the one of 15 March books no monthly charge: 0.05 so far; 6 days
        // so far, 25 left: four rounds 0.20, a sixth (10 s) 0.05.
        StatementCase{"ReportCarriesTheMonthPastTheBeginDay", "15", "0", false,
                      {{At(3, 10, 10), 60}, {At(3, 18, 10), 60}}, Day(2026, 3, 20),
                      /* so far */ 1, 60, 500, 0, 0, std::nullopt,
                      /* projected */ true, 310, 3'000, std::nullopt, "opened on 3/10/2026"},
        // The begin line without an end line counts nowhere yet.
        StatementCase{"ConnectionInProgress", "1", "0", false,
                      {{At(3, 2, 10), 60}, {At(3, 10, 9), 0, false}}, Day(2026, 3, 10),
                      /* so far */ 1, 60, 50'500, 0, 0, std::nullopt,
                      /* projected */ true, 186, 52'000, std::nullopt,
                      "that began 3/10/2026 9:00:00 AM has no end line"},
        // A connection after today is not yet.
        StatementCase{"ConnectionsAfterTodayLeftOut", "1", "0", false,
                      {{At(3, 2, 10), 60}, {At(3, 12, 10), 60}}, Day(2026, 3, 10),
                      /* so far */ 1, 60, 50'500, 0, 0, std::nullopt,
                      /* projected */ true, 186, 52'000, std::nullopt, ""}));
// clang-format on

// Each provider gets what the report charges it: every connection when
// named, the linked ones otherwise; a provider named and linked twice.
TEST(BillingMonth, EachProviderGetsWhatTheReportChargesIt)
{
    ScopedRegional regional("en-US");
    TProv providers;
    DefaultProviders(providers);
    TServ links;
    links.Count = 2;
    links.Service[1] = "My ISP";
    links.Provider[1] = Telephone;
    links.Service[2] = "Other";
    links.Provider[2] = "Sample Internet Service Provider";
    // Mon 2, Tue 3 and Wed 4 March at 10:00, weekday rate 0.07.
    PairedConnections paired =
        Connections({{At(3, 2, 10), 125}, {At(3, 3, 10), 60}, {At(3, 4, 10), 60}});
    paired.List.Service[0] = "My ISP";
    paired.List.Service[1] = "Other";
    paired.List.Service[2] = "Nobody's";
    struct Share {
        const char* Provider;
        int Connections;
        std::int64_t Seconds;
        Currency Charges;
    };
    struct Case {
        const char* ServiceProviders;
        std::vector<Share> Shares;
    };
    const Case cases[] = {
        // None named: the internet provider 19.95 for "Other"; the telephone
        // company 4.95 + 3 min at 0.07 for "My ISP".
        {"", {{"Sample Internet Service Provider", 1, 60, 199'500}, {Telephone, 1, 125, 51'600}}},
        // Named: all three (4.95 + 0.21 + 0.07 + 0.07), and "My ISP" once more
        // through its link (0.21).
        {Telephone, {{Telephone, 3, 245, 55'100}}},
    };
    for (const Case& c : cases) {
        const BillingStatement statement =
            StateBillingMonths(paired, providers, links, c.ServiceProviders, Day(2026, 3, 10));
        ASSERT_EQ(statement.Providers.size(), c.Shares.size()) << c.ServiceProviders;
        for (std::size_t n = 0; n < c.Shares.size(); ++n) {
            const ProviderBilling& billing = statement.Providers[n];
            EXPECT_EQ(billing.Provider, c.Shares[n].Provider);
            EXPECT_EQ(billing.Connections, c.Shares[n].Connections) << billing.Provider;
            EXPECT_EQ(billing.Seconds, c.Shares[n].Seconds) << billing.Provider;
            EXPECT_EQ(billing.Charges, c.Shares[n].Charges) << billing.Provider;
        }
    }
    // A provider without connections: the notes count those that no
    // provider charges, and not those linked to another.
    TServ mobile;
    mobile.Count = 2;
    mobile.Service[1] = "My ISP";
    mobile.Provider[1] = Telephone;
    mobile.Service[2] = "Mobile";
    mobile.Provider[2] = "Sample Internet Service Provider";
    for (const auto& [table, note] :
         {std::pair{TServ{}, "3 connections"}, std::pair{mobile, "2 connections"}}) {
        const BillingStatement statement =
            StateBillingMonths(paired, providers, table, "", Day(2026, 3, 10));
        ASSERT_FALSE(statement.Providers.empty());
        for (const ProviderBilling& billing : statement.Providers) {
            if (billing.Connections != 0)
                continue;
            EXPECT_NE(
                BillingFigureText(billing, BillingFigure::Note, false)
                    .find(std::string(note) + " of this billing month are charged by no provider"),
                std::string::npos)
                << billing.Provider;
        }
    }
}

// A broken tariff names its provider and leaves the others whole; a name
// the table lacks is said.
TEST(BillingMonth, ProblemsNameTheirProvider)
{
    ScopedRegional regional("en-US");
    TProv providers;
    DefaultProviders(providers);
    providers.Count = 4;
    providers.Provider[3] = "Broken Rate";
    providers.ProviderMonthBegin[3] = "1";
    providers.ProviderMonthCharge[3] = "1";
    providers.ProviderMonthFree[3] = "0";
    providers.ProviderTod[3] = providers.ProviderTod[2];
    providers.ProviderTod[3].UnitCharge[2] = "cheap";
    providers.Provider[4] = "Broken Day";
    providers.ProviderMonthBegin[4] = "32";
    providers.ProviderMonthCharge[4] = "1";
    providers.ProviderMonthFree[4] = "0";
    // Sunday 8 March: only the second period covers it.
    const BillingStatement statement = StateBillingMonths(
        Connections({{At(3, 8, 10), 60}}), providers, TServ{},
        "Broken Rate,Sample Internet Service Provider,Nobody,Broken Day", Day(2026, 3, 10));
    ASSERT_EQ(statement.Providers.size(), 4u);
    EXPECT_EQ(statement.Providers[0].Error,
              "Broken Rate: 'cheap' is not a valid floating point value");
    EXPECT_EQ(statement.Providers[1].Error, "");
    EXPECT_EQ(statement.Providers[1].Charges, 199'500);
    EXPECT_FALSE(statement.Providers[2].InTable);
    EXPECT_EQ(statement.Providers[3].Error,
              "Broken Day: '32' is not a valid billing month begin day");
    const TextTable table = BillingTable(statement, false);
    ASSERT_EQ(table.Rows.size(), 5u);
    EXPECT_EQ(table.Rows[1][static_cast<int>(BillingFigure::Charges)], "");
    EXPECT_EQ(table.Rows[2][static_cast<int>(BillingFigure::Charges)], "$19.95");
    EXPECT_EQ(table.Rows[3][static_cast<int>(BillingFigure::Note)],
              "No provider of this name is in the provider table.");
}

} // namespace

} // namespace dialtally
