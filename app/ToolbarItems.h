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
constexpr int BtnCutIndex = 6;
constexpr int BtnPasteIndex = 8;
// Cut and Paste have no command here and never show; their keys are
// written but not read.
constexpr bool IsNeverShownItem(int n)
{
    return n == BtnCutIndex || n == BtnPasteIndex;
}

const std::array<ToolbarItem, ToolbarItemCount>& ToolbarItems();

} // namespace dialtally
