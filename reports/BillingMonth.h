#pragma once

#include "base/Currency.h"
#include "base/DateTime.h"
#include "costs/Links.h"
#include "costs/Providers.h"
#include "reports/ProviderPricer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dialtally {

// The days of one billing month: from Start up to, not including, End.
struct BillingWindow {
    TDateTime Start = 0;
    TDateTime End = 0; // the first day of the next billing month
};

// The billing month that holds the day, for a begin day of 1 to 31. A
// billing month begins on the begin day counted from the last day of the
// month before, so a begin day past the end of a short month spills into
// the next: with 31, the one after 31 January begins on 3 March of a
// common year.
BillingWindow BillingMonthContaining(TDateTime day, int beginDay);

// Where one provider stands in the billing month that holds today, and
// where this billing month's pace takes it by the month's end.
struct ProviderBilling {
    std::string Provider;
    bool InTable = true; // the table has a provider of the name
    std::string Error;   // a tariff text that does not convert, naming the provider
    BillingWindow Month;
    int DaysSoFar = 0;   // the billing month's days up to and with today
    int Connections = 0; // priced connections the provider charges
    std::int64_t Seconds = 0;
    Currency Charges = 0; // time and monthly charges booked on them
    Currency MonthlyCharge = 0;
    int FreeSeconds = 0;     // of a billing month; 0 without free hours
    int FreeSecondsUsed = 0; // of the billing month the pricing has open
    int FreeSecondsLeft = 0;
    std::optional<TDateTime> FreeRanOut; // the day they ran out, today or before
    bool Projected = false;              // false while the billing month has no pace
    std::int64_t ProjectedSeconds = 0;
    Currency ProjectedCharges = 0;
    std::optional<TDateTime> FreeRunOut; // the day they run out at this pace
    std::vector<std::string> Notes;
};

struct BillingStatement {
    TDateTime Today = 0;
    std::vector<ProviderBilling> Providers;
};

// Each provider that serviceProviders names (each provider of the table
// when it names none), priced as the report prices it: for every
// connection when it is named and for those linked to it. Connections that
// begin after today are left out. A tariff text that does not convert
// gives that provider an Error naming it and no figures; the others are
// still made.
BillingStatement StateBillingMonths(const PairedConnections& connections, const TProv& providers,
                                    const TServ& links, const std::string& serviceProviders,
                                    TDateTime today);

} // namespace dialtally
