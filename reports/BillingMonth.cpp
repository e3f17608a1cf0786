#include "reports/BillingMonth.h"

#include "base/ConversionError.h"
#include "base/DateFormat.h"
#include "base/DateRoutines.h"
#include "base/ListRoutines.h"
#include "base/Numbers.h"
#include "base/RegionalSettings.h"

#include <algorithm>

namespace dialtally {

namespace {

// The first day of the billing month that belongs to a calendar month
// (counted as year * 12 + month - 1): the begin day counted on from the
// last day of the month before.
TDateTime BillingMonthStart(int monthIndex, int beginDay)
{
    const int before = monthIndex - 1;
    const int year = before / 12, month = before % 12 + 1;
    return EncodeDate(year, month, DaysInMonth(year, month)) + beginDay;
}

std::string DayText(TDateTime day)
{
    return FormatDateTime(Regional().ShortDateFormat, day);
}

// The providers to state: those the report names, in its order, else the
// whole table; each once. A name the table does not know is kept, to say so.
std::vector<std::pair<std::string, int>> ProvidersToState(const TProv& providers,
                                                          const std::string& serviceProviders)
{
    std::vector<std::pair<std::string, int>> chosen;
    const auto known = [&chosen](const std::string& name, int p) {
        return std::any_of(chosen.begin(), chosen.end(), [&](const auto& entry) {
            return p != 0 ? entry.second == p : entry.first == name;
        });
    };
    const int named = CountItems(serviceProviders, ',');
    for (int n = 1; n <= named; ++n) {
        const std::string name = NthItem(serviceProviders, ',', n);
        const int p = FindProvider(name, providers);
        if (!name.empty() && !known(name, p))
            chosen.emplace_back(name, p);
    }
    if (named > 0)
        return chosen;
    for (int p = 1; p <= std::min(providers.Count, TProv::MaxProviders); ++p) {
        const std::string& name = providers.Provider[static_cast<std::size_t>(p)];
        // A second provider of a name is never priced: lookups find the first.
        if (FindProvider(name, providers) == p)
            chosen.emplace_back(name, p);
    }
    return chosen;
}

struct Connection {
    TDateTime On;
    int Duration;
    const std::string* Service;
};

// `all` prices for every provider stated, to tell a connection that no
// provider charges from one that another does.
void StateProvider(ProviderBilling& billing, const PairedConnections& connections,
                   const TProv& providers, int p, const TServ& links,
                   const std::string& serviceProviders, TDateTime today,
                   const std::vector<ProviderPricer>& all)
{
    const auto at = static_cast<std::size_t>(p);
    const std::string& beginText = providers.ProviderMonthBegin[at];
    const int beginDay = StrToInt(beginText);
    if (beginDay < 1 || beginDay > 31)
        throw ConversionError("'" + beginText + "' is not a valid billing month begin day");
    billing.Month = BillingMonthContaining(today, beginDay);
    const TDateTime start = billing.Month.Start, end = billing.Month.End;
    billing.DaysSoFar = static_cast<int>(today - start) + 1;
    billing.MonthlyCharge = TextToCurrency(providers.ProviderMonthCharge[at]);
    billing.FreeSeconds =
        std::max(0, FreeHoursToSeconds(StrToInt(providers.ProviderMonthFree[at])));

    // Every connection up to today, in the list's order, as a report that
    // ends today prices them; this billing month's are kept for the pace.
    ProviderPricer pricer(providers, p, links, serviceProviders);
    const TRep& list = connections.List;
    std::vector<Connection> month;
    TDateTime openedOn = 0;
    std::optional<TDateTime> ranOut;
    int freeUsedThisMonth = 0;
    int notCharged = 0; // this billing month's connections no provider prices
    for (int i = 0; i < list.Count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const TDateTime day = DateOf(list.DateTimeOn[k]);
        if (!connections.Closed[k] || day > today)
            continue;
        const ProviderCharge charge =
            pricer.Price(list.DateTimeOn[k], list.Duration[k], list.Service[k]);
        if (!charge.Applies) {
            if (day >= start &&
                std::none_of(all.begin(), all.end(), [&](const ProviderPricer& other) {
                    return other.Applies(list.Service[k]);
                }))
                ++notCharged;
            continue;
        }
        if (charge.OpenedMonth) {
            openedOn = day;
            ranOut.reset();
        }
        if (charge.FreeRanOut)
            ranOut = day;
        if (day < start)
            continue;
        month.push_back({list.DateTimeOn[k], list.Duration[k], &list.Service[k]});
        ++billing.Connections;
        billing.Seconds += list.Duration[k];
        billing.Charges += charge.Cost + charge.MonthCharge;
        freeUsedThisMonth += charge.FreeSecondsUsed;
    }

    // A billing month the pricing has open still holds today; once it has
    // ended, the next connection opens a new one with the full free hours.
    const bool pricingMonthOpen = pricer.NextMonthStart() > today;
    if (pricingMonthOpen) {
        billing.FreeSecondsLeft = std::clamp(pricer.FreeSecondsLeft(), 0, billing.FreeSeconds);
        billing.FreeRanOut = billing.FreeSeconds > 0 ? ranOut : std::nullopt;
        if (openedOn < start)
            billing.Notes.push_back("Reports price these days as part of the billing month "
                                    "they opened on " +
                                    DayText(openedOn) +
                                    ": its monthly charge was booked then and its free hours "
                                    "carry on.");
    } else {
        billing.FreeSecondsLeft = billing.FreeSeconds;
        billing.Notes.push_back(
            "No connections yet in this billing month; its monthly charge is booked with the "
            "first.");
    }
    billing.FreeSecondsUsed = billing.FreeSeconds - billing.FreeSecondsLeft;
    // "No connections yet" over a log full of them needs its reason.
    if (billing.Connections == 0 && notCharged > 0)
        billing.Notes.push_back(std::to_string(notCharged) +
                                (notCharged == 1 ? " connection" : " connections") +
                                " of this billing month " + (notCharged == 1 ? "is" : "are") +
                                " charged by no provider: tick this one in the report's "
                                "properties, or link the connections' descriptions to it on "
                                "the Links page of Costs.");

    const int last = list.LastIndex;
    if (last >= 0) {
        const auto k = static_cast<std::size_t>(last);
        const TDateTime day = DateOf(list.DateTimeOn[k]);
        if (!connections.Closed[k] && day >= start && day <= today &&
            pricer.Applies(list.Service[k]))
            billing.Notes.push_back("The connection that began " + DayText(day) + " " +
                                    TimeToText(TimeOf(list.DateTimeOn[k])) +
                                    " has no end line yet; it counts once its end is logged.");
    }

    if (billing.DaysSoFar < 2) {
        billing.Notes.push_back("The billing month began today: no pace yet.");
        return;
    }
    // The days left repeat the billing month so far: its connections again,
    // in order, once for every further stretch of as many days, and for the
    // part of a stretch that is left, that part of each one's time; each
    // copy is priced as a connection of its own, after the real ones.
    const std::int64_t daysSoFar = billing.DaysSoFar;
    const std::int64_t daysLeft = static_cast<std::int64_t>(end - today) - 1;
    billing.Projected = true;
    billing.ProjectedSeconds = billing.Seconds;
    billing.ProjectedCharges = billing.Charges;
    const auto priceCopy = [&](const Connection& connection, int duration) {
        const ProviderCharge charge = pricer.Price(connection.On, duration, *connection.Service);
        billing.ProjectedSeconds += duration;
        billing.ProjectedCharges += charge.Cost + charge.MonthCharge;
    };
    for (std::int64_t round = 0; round < daysLeft / daysSoFar; ++round)
        for (const Connection& connection : month)
            priceCopy(connection, connection.Duration);
    if (const std::int64_t part = daysLeft % daysSoFar; part > 0)
        for (const Connection& connection : month)
            priceCopy(connection,
                      static_cast<int>((connection.Duration * part + daysSoFar / 2) / daysSoFar));

    // The free hours left last as many days as this billing month took to
    // use as much of them.
    if (billing.FreeSecondsLeft > 0 && freeUsedThisMonth > 0) {
        const std::int64_t left = billing.FreeSecondsLeft;
        const std::int64_t days = (left * daysSoFar + freeUsedThisMonth - 1) / freeUsedThisMonth;
        if (today + static_cast<double>(days) < end)
            billing.FreeRunOut = today + static_cast<double>(days);
    }
}

} // namespace

BillingWindow BillingMonthContaining(TDateTime day, int beginDay)
{
    day = DateOf(day);
    const CivilDate date = DecodeDate(day);
    int index = date.Year * 12 + date.Month - 1;
    while (BillingMonthStart(index, beginDay) > day)
        --index;
    return {BillingMonthStart(index, beginDay), BillingMonthStart(index + 1, beginDay)};
}

BillingStatement StateBillingMonths(const PairedConnections& connections, const TProv& providers,
                                    const TServ& links, const std::string& serviceProviders,
                                    TDateTime today)
{
    BillingStatement statement;
    statement.Today = DateOf(today);
    const auto stated = ProvidersToState(providers, serviceProviders);
    std::vector<ProviderPricer> all;
    for (const auto& [name, p] : stated)
        if (p != 0)
            all.emplace_back(providers, p, links, serviceProviders);
    for (const auto& [name, p] : stated) {
        ProviderBilling& billing = statement.Providers.emplace_back();
        billing.Provider = name;
        if (p == 0) {
            billing.InTable = false;
            billing.Notes.push_back("No provider of this name is in the provider table.");
            continue;
        }
        try {
            StateProvider(billing, connections, providers, p, links, serviceProviders,
                          statement.Today, all);
        } catch (const ConversionError& error) {
            const std::string provider = billing.Provider;
            billing = ProviderBilling{};
            billing.Provider = provider;
            billing.Error = provider + ": " + error.what();
        }
    }
    return statement;
}

} // namespace dialtally
