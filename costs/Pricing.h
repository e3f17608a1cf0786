#pragma once

#include "base/ConnectionList.h"
#include "base/Currency.h"
#include "base/DateTime.h"
#include "costs/Links.h"
#include "costs/Providers.h"

#include <string>
#include <vector>

namespace dialtally {

// A rate period's tariff texts as converted once in a pass.
struct PeriodTariff {
    bool Converted = false;
    TDateTime From = 0, To = 0;
    Currency UnitCharge = 0, InitialCharge = 0;
    // Converted apart, when a connection first falls under the period.
    bool UnitConverted = false, InitialConverted = false;
    double UnitSeconds = 0;
    int InitialMinutes = 0;
};

// What one reading pass needs to price its connections: the links joined
// into two lists and the report's provider names, with their item counts.
struct CostingPass {
    std::string LinkServices;     // every link's Service, joined by ","
    std::string LinkProviders;    // every link's Provider, joined by ","
    int LinkCount = 0;            // items of LinkServices
    std::string ServiceProviders; // the report's providers charged for every connection
    int ProviderCount = 0;        // items of ServiceProviders

    // The items of the three lists, split once per pass so that pricing a
    // connection does not walk the texts again.
    std::vector<std::string> LinkServiceItems;
    std::vector<std::string> LinkProviderItems;
    std::vector<std::string> ServiceProviderItems;
    // Indexed by provider * 11 + period; the tables do not change during a
    // pass, and converting every period's texts for every connection would
    // dominate the pricing of a large log.
    std::vector<PeriodTariff> Tariffs;
    // Which parts of a start time the long time format shows.
    bool StartMinutes = true, StartSeconds = true;
};

// Begins a pass: resets every provider's billing month and free seconds and
// builds the link lists.
void StartCosting(CostingPass& pass, TProv& providers, const TServ& links,
                  const std::string& serviceProviders);
// The time charge of connection `index`, from every provider of the report
// and every provider linked to its description. Monthly charges of billing
// months it opens are added to its MonthCharge. A tariff text that does not
// convert raises ConversionError; charges booked before that stay.
Currency PriceConnection(CostingPass& pass, TProv& providers, TRep& rep, int index);
// Opens a new billing month of provider p when the connection lies on or
// after the provider's next month start, booking the monthly charge on it.
void OpenBillingMonth(TProv& providers, int p, TRep& rep, int index);
// The charge of the first of provider p's periods that covers the start and
// comes to more than zero; the last covering period's charge otherwise.
Currency PeriodCharge(TProv& providers, int p, const TRep& rep, int index);
// The free seconds of a billing month of that many free hours, capped to
// the 32-bit state rather than wrapped into a negative number.
int FreeHoursToSeconds(int hours);
// Units to charge under period k of provider p, after free seconds and the
// initial minutes. A unit length that is not above zero raises
// ConversionError.
double ChargeUnits(TProv& providers, int p, int k, const TRep& rep, int index);

} // namespace dialtally
