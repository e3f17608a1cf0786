#pragma once

#include "base/ConnectionList.h"
#include "costs/Pricing.h"
#include "costs/Providers.h"

#include <vector>

namespace dialtally {

// Prices a later stretch of a log before the connections ahead of it are
// priced, from the billing state a pass starts with. Pricing books monthly
// charges and free hours in order, so these prices are a guess until the
// real pricing, taken up from the start of the stretch, reaches a
// connection after which its billing state is the guessed one: from there
// on every guessed price is the price.
class PricingAhead {
public:
    // `pass` and `providers` as the pass stands before it prices anything;
    // both must outlive the guess.
    PricingAhead(const CostingPass& pass, const TProv& providers);

    // Prices the connections of `list` whose cost is `unpriced`, in order.
    // A tariff that does not convert, or running out of memory, ends the
    // guess; nothing of it is used then.
    void Price(TRep& list, Currency unpriced);
    // Whether Price overwrote the costs; Closed tells then which
    // connections of the stretch had got their end line.
    bool Guessed() const { return m_guessed; }
    bool Closed(int i) const { return m_closed[static_cast<std::size_t>(i)]; }
    // Whether the real billing state after pricing connection i of the
    // stretch is the guessed one.
    bool Agrees(const TProv& real, int i) const;
    // Gives `real` the state pricing in order leaves after the last
    // connection, once it agreed.
    void HandOverState(TProv& real) const;

private:
    // The guessed state after a connection that opened a billing month.
    struct Checkpoint {
        int Index = 0;
        std::vector<TDateTime> NextMonthStart;
        std::vector<int> FreeSecondsLeft;
    };

    int Providers() const;

    const CostingPass& m_pass;
    const TProv& m_providers;
    // What pricing leaves in the providers after the last connection.
    struct FinalState {
        int Current = 0;
        TProv::Column<TDateTime> NextMonthStart{};
        TProv::Column<int> FreeSecondsLeft{};
        TProv::Column<int> PeriodCurrent{};
    };
    FinalState m_final;
    std::vector<bool> m_closed;
    std::vector<Checkpoint> m_checkpoints;
    bool m_guessed = false;
    bool m_failed = false;
};

} // namespace dialtally
