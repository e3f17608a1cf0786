#pragma once

#include "reports/ReportDefinition.h"
#include "reports/ReportTable.h"

namespace dialtally {

// How a column compares two rows.
enum class SortStyle {
    Date,     // the text after its first blank, as a short date
    Time,     // a time of day
    Duration, // "h:mm:ss", as whole seconds
    Amount,   // digits and the decimal separator only, as money
    Numeric,  // a decimal number; empty reads 0
    Text,     // byte by byte, case-sensitive
    Sequence  // the hidden row number: build order
};

// The style of a column (0..6) with details only or with totals only.
SortStyle ColumnSortStyle(int column, bool totalsOnly, bool durationDec);

// Sorting is offered only while exactly one of details and totals shows.
bool SortOffered(const TCfg& cfg);

// Sorts the body rows (row 0, the heads, stays) by one column, stable.
// A text the style cannot read raises ConversionError and leaves the
// table as it was. Numeric texts that do not read as numbers sort before
// all numbers, in their own order.
void SortReportRows(ReportTable& table, int column, SortStyle style, bool ascending);

// A click on a column head: unless sorting is not offered, the table has
// fewer than three rows or the column is not one of the seven, sorts by
// the column - ascending for another column than the indicator's, the
// other way for the same - and moves the indicator. True when it sorted.
// A ConversionError leaves table and indicator as they were.
bool SortByColumnClick(ReportTable& table, SortIndicator& sort, const TCfg& cfg, int column,
                       bool durationDec);

} // namespace dialtally
