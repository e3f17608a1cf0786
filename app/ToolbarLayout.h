#pragma once

#include "app/Settings.h"

#include <array>
#include <string>
#include <vector>

namespace dialtally {

// Where a band stands in the window.
struct PlacedBand {
    bool Shown = false;
    int X = 0, Y = 0, Width = 0; // pixels
};

// The band positions to store once the user has moved the bands (placed[id]
// for band id): the shown bands fill the places of shown bands in the order
// they stand, top to bottom and left to right, each starting a row when it
// stands lower than the one before; hidden bands keep their places.
std::array<BandSettings, BandCount> BandsAsPlaced(const std::array<BandSettings, BandCount>& stored,
                                                  const std::array<PlacedBand, BandCount>& placed);

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
