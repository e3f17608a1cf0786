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
        // Copies, priced on here and dropped once the guess is made.
        CostingPass pass = m_pass;
        TProv guess = m_providers;
        for (int i = 0; i < count; ++i) {
            if (!Closed(i))
                continue;
            for (int p = 1; p <= providers; ++p)
                monthStarts[p] = guess.NextMonthStart[p];
            list.Cost[i] = PriceConnection(pass, guess, list, i);
            bool opened = false;
            for (int p = 1; p <= providers; ++p)
                opened = opened || guess.NextMonthStart[p] != monthStarts[p];
            if (!opened)
                continue;
            Checkpoint after{i, {}, {}};
            for (int p = 1; p <= providers; ++p) {
                after.NextMonthStart.push_back(guess.NextMonthStart[p]);
                after.FreeSecondsLeft.push_back(guess.FreeSecondsLeft[p]);
            }
            m_checkpoints.push_back(std::move(after));
        }
        m_final.Current = guess.Current;
        for (int p = 1; p <= providers; ++p) {
            m_final.NextMonthStart[p] = guess.NextMonthStart[p];
            m_final.FreeSecondsLeft[p] = guess.FreeSecondsLeft[p];
            m_final.PeriodCurrent[p] = guess.ProviderTod[p].Current;
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
    real.Current = m_final.Current;
    for (int p = 1; p <= Providers(); ++p) {
        real.NextMonthStart[p] = m_final.NextMonthStart[p];
        real.FreeSecondsLeft[p] = m_final.FreeSecondsLeft[p];
        real.ProviderTod[p].Current = m_final.PeriodCurrent[p];
    }
}

} // namespace dialtally
