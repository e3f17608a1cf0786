#include "reports/TariffComparison.h"

#include "TestSupport.h"
#include "app/ProgramState.h"
#include "reports/BillingMonth.h"
#include "reports/LogReader.h"
#include "reports/ReportFile.h"
#include "reports/TariffTables.h"

#include <gtest/gtest.h>

#include <map>
#include <unistd.h>

namespace dialtally {

namespace {

TDateTime At(int month, int day, int hour, int minute = 0)
{
    return EncodeDate(2026, month, day) + EncodeTime(hour, minute, 0, 0);
}

// The two sample providers; a night tariff with a billing month from the
// 15th, 2.00 a month, one free hour and 0.10 a minute, twice under two
// names; and one whose period begins at a time that is none.
TProv ComparedProviders()
{
    TProv providers;
    DefaultProviders(providers);
    providers.Count = 5;
    for (std::size_t p : {3u, 4u}) {
        providers.Provider[p] = p == 3 ? "Night Owl" : "Owl Twin";
        providers.ProviderMonthBegin[p] = "15";
        providers.ProviderMonthCharge[p] = "2";
        providers.ProviderMonthFree[p] = "1";
        TTod& tod = providers.ProviderTod[p];
        tod.Count = 1;
        tod.MondayToFriday[1] = tod.Saturday[1] = tod.Sunday[1] = tod.ApplyFree[1] = true;
        tod.TimeFrom[1] = "00:00:00";
        tod.TimeTo[1] = "23:59:59";
        tod.UnitCharge[1] = ".1";
        tod.UnitMinutes[1] = "1";
        tod.InitialCharge[1] = tod.InitialMinutes[1] = "0";
    }
    providers.Provider[5] = "Broken";
    providers.ProviderMonthBegin[5] = "1";
    providers.ProviderMonthCharge[5] = "0";
    providers.ProviderMonthFree[5] = "0";
    providers.ProviderTod[5] = providers.ProviderTod[2];
    providers.ProviderTod[5].TimeFrom[1] = "7 o'clock";
    return providers;
}

TEST(TariffComparison, EachProviderAloneMonthByMonth)
{
    ScopedRegional regional("en-US");
    PairedConnections paired;
    // Mon 2 Mar 30 min, Sat 14 Mar 23:50 20 min (into the 15th), Mon 16 Mar
    // 40 min, Wed 1 Apr 20:00 10 min, and a begin line of 2 Apr without end.
    const std::pair<TDateTime, int> calls[] = {{At(3, 2, 10), 1800},
                                               {At(3, 14, 23, 50), 1200},
                                               {At(3, 16, 10), 2400},
                                               {At(4, 1, 20), 600},
                                               {At(4, 2, 10), 0}};
    for (const auto& [on, duration] : calls) {
        const auto i = static_cast<std::size_t>(AddConnection(paired.List));
        paired.List.DateTimeOn[i] = on;
        paired.List.Duration[i] = duration;
        paired.Closed.push_back(i < 4);
    }
    const TariffComparison comparison = CompareTariffs(paired, ComparedProviders());

    ASSERT_EQ(comparison.Providers,
              (std::vector<std::string>{"Sample Internet Service Provider",
                                        "Sample Telephone Company", "Night Owl", "Owl Twin"}));
    EXPECT_EQ(comparison.Errors,
              std::vector<std::string>{"Broken: '7 o'clock' is not a valid time"});
    // Internet: 19.95 with 2 Mar and with 1 Apr.
    // Telephone: 4.95 + 30 min at 0.07 + 20 min at 0.05 (Saturday) + 40 min
    // at 0.07 = 10.85; 4.95 + 10 min at 0.05 (after 18:59:59) = 5.45.
    // Night tariff: 2 Mar opens a billing month the report carries to 15
    // April; the free hour takes 30 and 20 min, 16 Mar pays 30 of its 40
    // min: 2.00 + 3.00; 1 Apr pays 10 min: 1.00.
    const TextTable table = ComparisonTable(comparison, false);
    const std::vector<std::vector<std::string>> expected{
        {"Month", "Connections", "Time online", "Sample Internet Service Provider",
         "Sample Telephone Company", "Night Owl", "Owl Twin", "Cheapest"},
        {"March 2026", "3", "1:30:00", "$19.95", "$10.85", "$5.00", "$5.00", "Night Owl, Owl Twin"},
        {"April 2026", "2", "0:10:00", "$19.95", "$5.45", "$1.00", "$1.00", "Night Owl, Owl Twin"},
        {"Total", "5", "1:40:00", "$39.90", "$16.30", "$6.00", "$6.00", "Night Owl, Owl Twin"}};
    EXPECT_EQ(table.Rows, expected);
    EXPECT_EQ(table.Kinds.back(), RowKind::Total);
}

// Runs in a folder and goes back at the end.
class ScopedFolder {
public:
    explicit ScopedFolder(const std::string& folder)
    {
        m_previous.resize(4096);
        EXPECT_NE(::getcwd(m_previous.data(), m_previous.size()), nullptr);
        EXPECT_EQ(::chdir(folder.c_str()), 0);
    }
    ~ScopedFolder() { EXPECT_EQ(::chdir(m_previous.c_str()), 0); }

private:
    std::string m_previous;
};

// Charges of a real report pass, by calendar month, over the connections
// that began from `from` to `to`.
std::map<int, Currency> PassCharges(const ProgramState& state, const std::string& serviceProviders,
                                    const TServ& links, TDateTime from = 0, TDateTime to = 1e9)
{
    TCfg report = state.Current;
    report.ServiceProviders = serviceProviders;
    TLCfg formats = state.Formats;
    TProv providers = state.Providers;
    TRep rep;
    ReadContext context{report, formats, providers, links, rep, nullptr};
    ReadConnectionLog(context);
    std::map<int, Currency> months;
    for (int i = 0; i < rep.Count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const TDateTime day = DateOf(rep.DateTimeOn[k]);
        if (day < from || day > to)
            continue;
        const CivilDate date = DecodeDate(day);
        months[date.Year * 12 + date.Month] += rep.Cost[k] + rep.MonthCharge[k];
    }
    return months;
}

Currency Sum(const std::map<int, Currency>& months)
{
    Currency total = 0;
    for (const auto& [month, charges] : months)
        total += charges;
    return total;
}

// Over the samples, for every provider: the comparison gives what a report
// naming that provider alone gives, and the billing month gives what a
// report naming it with its own links gives, month by month; the billing
// months of the report's providers add up to the report's charges.
TEST(TariffComparison, SamplesPriceAsReportsOfOneProvider)
{
    ScopedRegional regional("en-US");
    const std::string home = DIALTALLY_SAMPLES_DIR "/home/";
    ScopedFolder folder(home);
    RecordingFrontEnd messages;
    FixedFolders folders;
    folders.Program = home;
    ProgramState state(folders);
    StartProgram(state);
    ASSERT_TRUE(ReadReportFile(state.Current, DIALTALLY_SAMPLES_DIR "/Monthly.rep",
                               state.Options.Files.Path, state.Options.Files.Recent));
    const PairedConnections paired = ReadPairedConnections(state.Current, state.Formats);
    ASSERT_GT(paired.List.Count(), 700);
    const TariffComparison comparison = CompareTariffs(paired, state.Providers);
    ASSERT_EQ(static_cast<int>(comparison.Providers.size()), state.Providers.Count);
    const TDateTime today = EncodeDate(2026, 11, 20);
    const BillingStatement statement = StateBillingMonths(paired, state.Providers, state.Links,
                                                          state.Current.ServiceProviders, today);
    ASSERT_EQ(static_cast<int>(statement.Providers.size()), state.Providers.Count);

    Currency shares = 0;
    for (int p = 1; p <= state.Providers.Count; ++p) {
        const std::string& name = state.Providers.Provider[static_cast<std::size_t>(p)];
        SCOPED_TRACE(name);
        const std::map<int, Currency> alone = PassCharges(state, name, TServ{});
        ASSERT_EQ(alone.size(), comparison.Months.size());
        std::size_t m = 0;
        for (const auto& [month, charges] : alone)
            EXPECT_EQ(comparison.Months[m++].Charges[static_cast<std::size_t>(p - 1)], charges);
        EXPECT_EQ(comparison.Total.Charges[static_cast<std::size_t>(p - 1)], Sum(alone));

        TServ own;
        for (int j = 1; j <= state.Links.Count; ++j) {
            if (state.Links.Provider[static_cast<std::size_t>(j)] != name)
                continue;
            ++own.Count;
            own.Service[static_cast<std::size_t>(own.Count)] =
                state.Links.Service[static_cast<std::size_t>(j)];
            own.Provider[static_cast<std::size_t>(own.Count)] = name;
        }
        const ProviderBilling& billing = statement.Providers[static_cast<std::size_t>(p - 1)];
        ASSERT_EQ(billing.Provider, name);
        EXPECT_EQ(billing.Error, "");
        const Currency share = Sum(PassCharges(state, name, own, billing.Month.Start, today));
        EXPECT_EQ(billing.Charges, share);
        shares += share;
    }
    // The two billing months begin on the 1st and the 15th.
    const TDateTime from = EncodeDate(2026, 11, 1);
    const TDateTime fifteenth = EncodeDate(2026, 11, 15);
    EXPECT_EQ(statement.Providers[0].Month.Start, from);
    EXPECT_EQ(statement.Providers[1].Month.Start, fifteenth);
    // The report prices both together; the sample links name the telephone
    // company only, so its days before the 15th make up the difference.
    const Currency together =
        Sum(PassCharges(state, state.Current.ServiceProviders, state.Links, from, today));
    const Currency telephoneBefore15th =
        Sum(PassCharges(state, statement.Providers[1].Provider, state.Links, from, fifteenth - 1));
    EXPECT_EQ(shares + telephoneBefore15th, together);
}

} // namespace

} // namespace dialtally
