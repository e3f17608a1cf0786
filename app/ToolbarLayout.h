#pragma once

#include "app/Settings.h"

#include <array>
#include <string>
#include <vector>

namespace dialtally {

// The items the user may show or hide, in the order both lists of the
// customisation dialog show them.
struct ToolbarEntry {
    const char* Caption; // the list entry
    int Key;             // N of the item's settings key "BtnN"
};

constexpr int ToolbarEntryCount = 34;
const std::array<ToolbarEntry, ToolbarEntryCount>& ToolbarEntries();

// The captions of the hidden (available) or shown (visible) entries, in
// the designed order.
std::vector<std::string> AvailableEntries(const ToolbarSettings& toolbars);
std::vector<std::string> VisibleEntries(const ToolbarSettings& toolbars);

// Shows the entry at that position of the available list, or hides the
// one at that position of the visible list. Returns the position to
// select in the same list afterwards: the same one, or the last when the
// list got shorter; -1 when it is empty or nothing was at the position.
int ShowToolbarEntry(ToolbarSettings& toolbars, int availablePosition);
int HideToolbarEntry(ToolbarSettings& toolbars, int visiblePosition);

} // namespace dialtally
