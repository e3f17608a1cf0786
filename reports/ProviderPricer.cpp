#include "reports/ProviderPricer.h"

#include "base/Numbers.h"
#include "reports/LogReader.h"

#include <algorithm>

namespace dialtally {

PairedConnections ReadPairedConnections(const TCfg& report, const TLCfg& formats)
{
    PairedConnections paired;
    TCfg unpriced = report;
    unpriced.ServiceProviders.clear();
    TLCfg formatTable = formats;
    TProv noProviders;
    const TServ noLinks;
    ReadContext context{
        unpriced, formatTable, noProviders, noLinks, paired.List, nullptr, [&paired](int index) {
            const auto at = static_cast<std::size_t>(index);
            if (paired.Closed.size() <= at)
                paired.Closed.resize(at + 1);
            paired.Closed[at] = true;
        }};
    paired.ReadToEnd = ReadConnectionLog(context);
    paired.Closed.resize(static_cast<std::size_t>(paired.List.Count()));
    return paired;
}

ProviderPricer::ProviderPricer(const TProv& providers, int provider, const TServ& links,
                               const std::string& serviceProviders)
    : m_providers(providers), m_provider(provider)
{
    StartCosting(m_pass, m_providers, links, serviceProviders);
    // Pricing walks these item lists; dropping the other providers' items
    // leaves this provider's charges as they are in the full pass, because
    // providers keep their billing month and free hours apart.
    const auto other = [this](const std::string& name) {
        return FindProvider(name, m_providers) != m_provider;
    };
    std::erase_if(m_pass.ServiceProviderItems, other);
    std::vector<std::string> services, names;
    for (std::size_t j = 0; j < m_pass.LinkServiceItems.size(); ++j) {
        if (other(m_pass.LinkProviderItems[j]))
            continue;
        services.push_back(m_pass.LinkServiceItems[j]);
        names.push_back(m_pass.LinkProviderItems[j]);
    }
    m_pass.LinkServiceItems = std::move(services);
    m_pass.LinkProviderItems = std::move(names);
    AddConnection(m_connection);
}

ProviderPricer ProviderPricer::Alone(const TProv& providers, int provider)
{
    return ProviderPricer(providers, provider, TServ{},
                          providers.Provider[static_cast<std::size_t>(provider)]);
}

bool ProviderPricer::Applies(const std::string& service) const
{
    return !m_pass.ServiceProviderItems.empty() ||
           std::find(m_pass.LinkServiceItems.begin(), m_pass.LinkServiceItems.end(), service) !=
               m_pass.LinkServiceItems.end();
}

TDateTime ProviderPricer::NextMonthStart() const
{
    return m_providers.NextMonthStart[static_cast<std::size_t>(m_provider)];
}

int ProviderPricer::FreeSecondsLeft() const
{
    return m_providers.FreeSecondsLeft[static_cast<std::size_t>(m_provider)];
}

ProviderCharge ProviderPricer::Price(TDateTime on, int duration, const std::string& service)
{
    ProviderCharge charge;
    charge.Applies = Applies(service);
    m_connection.DateTimeOn[0] = on;
    m_connection.DateTimeOff[0] = on;
    m_connection.Duration[0] = duration;
    m_connection.Service[0] = service;
    m_connection.MonthCharge[0] = 0;
    const TDateTime nextBefore = NextMonthStart();
    const int freeBefore = FreeSecondsLeft();
    charge.Cost = PriceConnection(m_pass, m_providers, m_connection, 0);
    m_connection.Cost[0] = charge.Cost;
    charge.MonthCharge = m_connection.MonthCharge[0];
    // With a begin day of 1 to 31 every new billing month moves the next
    // start on.
    charge.OpenedMonth = NextMonthStart() != nextBefore;
    const int freeAtStart =
        charge.OpenedMonth
            ? FreeHoursToSeconds(
                  StrToInt(m_providers.ProviderMonthFree[static_cast<std::size_t>(m_provider)]))
            : freeBefore;
    const int freeAfter = FreeSecondsLeft();
    charge.FreeSecondsUsed = std::max(freeAtStart, 0) - std::max(freeAfter, 0);
    charge.FreeRanOut = freeAtStart > 0 && freeAfter <= 0;
    return charge;
}

} // namespace dialtally
