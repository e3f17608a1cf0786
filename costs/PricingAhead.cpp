#include "costs/PricingAhead.h"

#include "base/ConversionError.h"

#include <algorithm>
#include <new>

namespace dialtally {

PricingAhead::PricingAhead(const CostingPass& pass, const TProv& providers)
    : m_pass(pass), m_providers(providers)
{
}

int PricingAhead::Providers() const
{
    return std::min(m_providers.Count, TProv::MaxProviders);
}

void PricingAhead::Price(TRep& list, Currency unpriced)
{
    const int count = list.Count();
    try {
        m_closed.resize(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        m_failed = true;
        return;
    }
    for (int i = 0; i < count; ++i)
        m_closed[static_cast<std::size_t>(i)] = list.Cost[i] == unpriced;
    m_guessed = true;
    const int providers = Providers();
    TProv::Column<TDateTime> monthStarts{};
    try {
        for (int i = 0; i < count; ++i) {
            if (!Closed(i))
                continue;
            for (int p = 1; p <= providers; ++p)
                monthStarts[p] = m_providers.NextMonthStart[p];
            list.Cost[i] = PriceConnection(m_pass, m_providers, list, i);
            bool opened = false;
            for (int p = 1; p <= providers; ++p)
                opened = opened || m_providers.NextMonthStart[p] != monthStarts[p];
            if (!opened)
                continue;
            Checkpoint after{i, {}, {}};
            for (int p = 1; p <= providers; ++p) {
                after.NextMonthStart.push_back(m_providers.NextMonthStart[p]);
                after.FreeSecondsLeft.push_back(m_providers.FreeSecondsLeft[p]);
            }
            m_checkpoints.push_back(std::move(after));
        }
    } catch (const ConversionError&) {
        m_failed = true;
    } catch (const std::bad_alloc&) {
        m_failed = true;
    }
}

bool PricingAhead::Agrees(const TProv& real, int i) const
{
    if (m_failed)
        return false;
    const auto at =
        std::lower_bound(m_checkpoints.begin(), m_checkpoints.end(), i,
                         [](const Checkpoint& c, int index) { return c.Index < index; });
    if (at == m_checkpoints.end() || at->Index != i)
        return false;
    for (int p = 1; p <= Providers(); ++p)
        if (real.NextMonthStart[p] != at->NextMonthStart[p - 1] ||
            real.FreeSecondsLeft[p] != at->FreeSecondsLeft[p - 1])
            return false;
    return true;
}

void PricingAhead::HandOverState(TProv& real) const
{
    real.Current = m_providers.Current;
    for (int p = 1; p <= Providers(); ++p) {
        real.NextMonthStart[p] = m_providers.NextMonthStart[p];
        real.FreeSecondsLeft[p] = m_providers.FreeSecondsLeft[p];
        real.ProviderTod[p].Current = m_providers.ProviderTod[p].Current;
    }
}

} // namespace dialtally
