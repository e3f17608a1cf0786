#include "app/ToolbarItems.h"

namespace dialtally {

const std::array<ToolbarItem, ToolbarItemCount>& ToolbarItems()
{
    static const std::array<ToolbarItem, ToolbarItemCount> items{{
        {"BtnNew", false},
        {"BtnOpen", false},
        {"BtnSave", false},
        {"BtnPrint", false},
        {"ToolButton6", true},
        {"BtnCut", false},
        {"BtnCopy", false},
        {"BtnPaste", false},
        {"BtnFind", false},
        {"ToolButton16", true},
        {"BtnText", false},
        {"BtnGraph", false},
        {"BtnSplit", false},
        {"ToolButton19", true},
        {"BtnDetails", false},
        {"BtnTotals", false},
        {"BtnTtotal", false},
        {"ToolButton11", true},
        {"BtnZoomIn", false},
        {"BtnZoomOut", false},
        {"BtnScrollLeft", false},
        {"BtnScrollRight", false},
        {"ToolButton22", true},
        {"BtnRefresh", false},
        {"BtnProperties", false},
        {"ToolButtonDate", false},
        {"DateTimePickerDateF", false},
        {"DateTimePickerDateT", false},
        {"ToolButtonTime", false},
        {"DateTimePickerTimeF", false},
        {"DateTimePickerTimeT", false},
        {"ToolButtonFilt", false},
        {"EditInc", false},
        {"EditExc", false},
        {"BtnBack", false},
        {"BtnForward", false},
    }};
    return items;
}

} // namespace dialtally
