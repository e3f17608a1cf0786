#pragma once

#include "reports/ReportDefinition.h"

#include <vector>

namespace dialtally {

// The reports the window has shown, for going back and forward.
struct THCfg {
    int Position = -2;       // entry shown; -2 before anything, -1 while nothing is shown
    int Count = 0;           // entries in Items
    std::vector<TCfg> Items; // deep copies of the reports shown, oldest first

    // The entry being shown, or null while none is.
    TCfg* Shown()
    {
        if (Position < 0 || Position >= Count || Position >= static_cast<int>(Items.size()))
            return nullptr;
        return &Items[static_cast<std::size_t>(Position)];
    }
};

// Back to the start: nothing shown and no entries.
inline void ClearHistory(THCfg& history)
{
    history.Position = -2;
    history.Count = 0;
    history.Items.clear();
}

} // namespace dialtally
