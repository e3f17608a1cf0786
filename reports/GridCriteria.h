#pragma once

#include "base/DateTime.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportTable.h"

#include <string>
#include <string_view>

namespace dialtally {

// A total row of the grid: the engine writes them with the connection
// count in "Time On" and a single blank in "Date Off"; the head, the
// message row and the detail rows are not.
bool IsGridTotalRow(const ReportTable& table, int row);

// The new text of an include or exclude box after a word was added from
// the grid: the word first, then "," and the old words ("ISP" into
// "Work" gives "ISP,Work").
std::string AddDescriptionWord(std::string_view word, std::string_view boxText);

// What the include and exclude items of the grid menu offer for the
// clicked cell.
enum class CellCriteriaKind {
    None,        // both items hidden
    Description, // "&Include: " / "&Exclude: " and the cell text
    Date         // "&Begin: " / "&End: " and the cell's date text
};

struct CellCriteriaItems {
    CellCriteriaKind Kind = CellCriteriaKind::None;
    std::string IncludeCaption; // also the caption of Begin
    std::string ExcludeCaption; // also the caption of End
    std::string Text;           // the description word, or the date text (day name dropped)
};

// Shown only on a detail row with a non-empty cell, in the columns
// Description (6), Date On (0) and Date Off (2). Row or column -1 (the
// head or outside the cells) hides them.
CellCriteriaItems CellCriteriaFor(const ReportTable& table, int column, int row);
// The date of a Begin or End item's text. Raises ConversionError.
TDateTime CellCriteriaDate(const CellCriteriaItems& items);

// The criteria bar's own change rules, run on every change of the
// boxes' text (also text put in by the program) and of the pickers.
void DescriptionBoxesChanged(TCfg& cfg, std::string_view includeBox, std::string_view excludeBox);
void DatePickerChanged(TCfg& cfg);
void TimePickerChanged(TCfg& cfg);

} // namespace dialtally
