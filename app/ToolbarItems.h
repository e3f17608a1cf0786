#pragma once

#include <array>

namespace dialtally {

// The items of the button bar and the criteria bar by their settings
// keys: entry N - 1 is the item of "BtnN".
struct ToolbarItem {
    const char* Name; // the control's name
    bool Separator;
};

constexpr int ToolbarItemCount = 36;
// Cut and Paste are never shown; their keys are written but not read.
constexpr int BtnCutIndex = 6;
constexpr int BtnPasteIndex = 8;

const std::array<ToolbarItem, ToolbarItemCount>& ToolbarItems();

} // namespace dialtally
