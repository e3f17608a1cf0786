#pragma once

#include "base/Currency.h"
#include "base/DateTime.h"
#include "costs/Providers.h"
#include "reports/ProviderPricer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dialtally {

// The charges of one calendar month (or of all of them) under each
// compared provider.
struct ComparedMonth {
    TDateTime First = 0; // the month's first day; 0 for the total
    int Connections = 0; // as the report counts them, unpaired ones too
    std::int64_t Seconds = 0;
    std::vector<Currency> Charges; // time and monthly charges, per provider
    std::vector<bool> Cheapest;    // per provider; ties are all marked
};

struct TariffComparison {
    std::vector<std::string> Providers; // priced alone, in table order
    std::vector<ComparedMonth> Months;  // calendar months, oldest first
    ComparedMonth Total;
    // Providers left out because a tariff text does not convert, each
    // message naming its provider.
    std::vector<std::string> Errors;
};

// What each provider of the table would have charged for the connections,
// each priced alone (as if it were the only provider the report named,
// without links) in the list's order, as a report pass prices them.
TariffComparison CompareTariffs(const PairedConnections& connections, const TProv& providers);

} // namespace dialtally
