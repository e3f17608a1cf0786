#include "reports/TariffComparison.h"

#include "base/ConversionError.h"

#include <algorithm>
#include <map>

namespace dialtally {

namespace {

void MarkCheapest(ComparedMonth& month)
{
    month.Cheapest.assign(month.Charges.size(), false);
    if (month.Charges.empty())
        return;
    const Currency least = *std::min_element(month.Charges.begin(), month.Charges.end());
    for (std::size_t n = 0; n < month.Charges.size(); ++n)
        month.Cheapest[n] = month.Charges[n] == least;
}

} // namespace

TariffComparison CompareTariffs(const PairedConnections& connections, const TProv& providers)
{
    TariffComparison comparison;
    const TRep& list = connections.List;
    // Calendar months by year * 12 + month, as the report's month totals.
    std::map<int, ComparedMonth> months;
    std::vector<int> monthOf(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const CivilDate date = DecodeDate(list.DateTimeOn[k]);
        monthOf[k] = date.Year * 12 + date.Month - 1;
        ComparedMonth& month = months[monthOf[k]];
        month.First = EncodeDate(date.Year, date.Month, 1);
        ++month.Connections;
        month.Seconds += list.Duration[k];
        ++comparison.Total.Connections;
        comparison.Total.Seconds += list.Duration[k];
    }

    for (int p = 1; p <= std::min(providers.Count, TProv::MaxProviders); ++p) {
        const std::string& name = providers.Provider[static_cast<std::size_t>(p)];
        // A second provider of a name is never priced: lookups find the first.
        if (FindProvider(name, providers) != p)
            continue;
        std::map<int, Currency> charges;
        try {
            ProviderPricer pricer = ProviderPricer::Alone(providers, p);
            for (int i = 0; i < list.Count(); ++i) {
                const auto k = static_cast<std::size_t>(i);
                if (!connections.Closed[k])
                    continue;
                const ProviderCharge charge =
                    pricer.Price(list.DateTimeOn[k], list.Duration[k], list.Service[k]);
                charges[monthOf[k]] += charge.Cost + charge.MonthCharge;
            }
        } catch (const ConversionError& error) {
            comparison.Errors.push_back(name + ": " + error.what());
            continue;
        }
        comparison.Providers.push_back(name);
        Currency total = 0;
        for (auto& [index, month] : months) {
            const auto found = charges.find(index);
            const Currency charge = found == charges.end() ? 0 : found->second;
            month.Charges.push_back(charge);
            total += charge;
        }
        comparison.Total.Charges.push_back(total);
    }

    for (auto& [index, month] : months) {
        MarkCheapest(month);
        comparison.Months.push_back(std::move(month));
    }
    MarkCheapest(comparison.Total);
    return comparison;
}

} // namespace dialtally
