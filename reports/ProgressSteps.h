#pragma once

#include "base/FrontEnd.h"

namespace dialtally {

// Steps the status bar's progress at most a few hundred times, so that a
// long step shows it moves and lets the window repaint: a repaint per row
// would cost more than the rows. The bar goes when the steps end.
class ProgressSteps {
public:
    explicit ProgressSteps(int max) : m_max(max < 1 ? 1 : max), m_every(m_max / 256 + 1)
    {
        CurrentFrontEnd().SetProgress(0, m_max);
    }
    ~ProgressSteps() { CurrentFrontEnd().SetProgress(0, 0); }
    ProgressSteps(const ProgressSteps&) = delete;
    ProgressSteps& operator=(const ProgressSteps&) = delete;

    void Step(int position)
    {
        if (position % m_every == 0 || position == m_max)
            CurrentFrontEnd().SetProgress(position, m_max);
    }

private:
    int m_max;
    int m_every;
};

} // namespace dialtally
