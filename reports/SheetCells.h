#pragma once

#include <string>
#include <string_view>

namespace dialtally {

// A grid cell as a workbook holds it: a number with the number format that
// shows it as the grid does, or the text itself. A spreadsheet given the
// texts would leave counts, durations, amounts and dates unsummable.
struct SheetCell {
    bool IsNumber = false;
    double Number = 0;       // dates and times as serial days, amounts in units
    std::string NumberFormat; // spreadsheet format code; empty: General
};

// The cell for a grid text under the current regional settings. A text is
// a number only when formatting the number back gives the very same text.
SheetCell SheetCellFor(std::string_view text);

} // namespace dialtally
