#pragma once

#include "base/ConnectionList.h"
#include "costs/Links.h"
#include "costs/Pricing.h"
#include "costs/Providers.h"
#include "logs/LogFormats.h"
#include "reports/ReportDefinition.h"

#include <string>
#include <vector>

namespace dialtally {

// The report's connections as its reading pass pairs them, not priced.
struct PairedConnections {
    TRep List;                // Cost and MonthCharge all 0
    std::vector<bool> Closed; // got its end line, so a pass prices it
    bool ReadToEnd = true;    // false after a shown read or conversion error
};

// Reads the report's log with its criteria as a report pass does, but with
// no provider named and no link, so that no tariff text can stop the read.
// The reader's messages are shown as in a pass; criteria texts that do not
// convert raise ConversionError.
PairedConnections ReadPairedConnections(const TCfg& report, const TLCfg& formats);

// What pricing one connection gave under one provider.
struct ProviderCharge {
    bool Applies = false;     // the provider charges this connection
    bool OpenedMonth = false; // it opened a billing month of the provider
    Currency Cost = 0;        // time charge
    Currency MonthCharge = 0; // monthly charge booked on it
    int FreeSecondsUsed = 0;  // free seconds it took
    bool FreeRanOut = false;  // the free hours ran out during it
};

// Prices connections under one provider exactly as a reading pass prices
// them, in the order given: one StartCosting, then PriceConnection for each
// connection, with the pass keeping only that provider's applications.
class ProviderPricer {
public:
    // The provider as the report's configuration applies it: to every
    // connection when serviceProviders names it, and to the connections
    // whose description is linked to it.
    ProviderPricer(const TProv& providers, int provider, const TServ& links,
                   const std::string& serviceProviders);
    // The provider named alone, without links: every connection.
    static ProviderPricer Alone(const TProv& providers, int provider);

    // A tariff text that does not convert raises ConversionError; the
    // state is then what a reader would have been left with.
    ProviderCharge Price(TDateTime on, int duration, const std::string& service);

    bool Applies(const std::string& service) const;
    int Provider() const { return m_provider; }
    // The billing month state after the connections priced so far.
    TDateTime NextMonthStart() const;
    int FreeSecondsLeft() const;

private:
    TProv m_providers;
    CostingPass m_pass;
    TRep m_connection; // the one being priced
    int m_provider;
};

} // namespace dialtally
