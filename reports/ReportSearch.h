#pragma once

#include "reports/ReportTable.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dialtally {

inline constexpr const char* TextNotFoundMessage = "The text was not found.";
inline constexpr const char* FinishedSearchingMessage = "Finished searching the report.";

// A cell in the grid's own numbering (row 0 is the head).
struct GridCell {
    int Column = -1;
    int Row = -1;
    bool operator==(const GridCell&) const = default;
};

// The find dialog's options; it opens with none set, that is upwards.
struct FindOptions {
    bool Down = false;
    bool MatchCase = false;
    bool WholeWord = false; // the cell must equal the text
    bool operator==(const FindOptions&) const = default;
};

using ColumnVisibility = std::array<bool, ReportColumns>;

// The text in upper case by the locale's rules, for UTF-8 text: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic letters. Bytes that are
// no valid UTF-8 stay as they are.
std::string LocaleUpperCase(std::string_view text);

// Downwards: the first data cell after `after` (row by row, left to
// right), from the top when `after` has no row. Hidden columns are skipped;
// without match case only a to z are folded.
std::optional<GridCell> FindCellDown(const ReportTable& table, const ColumnVisibility& visible,
                                     std::string_view text, const FindOptions& options,
                                     GridCell after);
// Upwards: the first data cell at or before `from` (rows up to 1, within a
// row column 6 down to 0), from the last row when `from` has no row.
// Without match case both texts are compared in the locale's upper case.
std::optional<GridCell> FindCellUp(const ReportTable& table, const ColumnVisibility& visible,
                                   std::string_view text, const FindOptions& options,
                                   GridCell from);

struct SearchResult {
    std::optional<GridCell> Cell;  // make it the current cell
    const char* Message = nullptr; // else show this with ShowInfo (none: nothing to do)
};

// Find and Find Next over the grid, with the last search remembered for
// the life of the window.
class ReportSearch {
public:
    // The find dialog's request; the same text and options as the last
    // search continue it as FindNext does. An empty text finds nothing.
    SearchResult Find(const ReportTable& table, const ColumnVisibility& visible,
                      std::string_view text, const FindOptions& options, GridCell current);
    // Down continues after the last found cell, up before the current
    // cell. Nothing at all before the first search.
    SearchResult FindNext(const ReportTable& table, const ColumnVisibility& visible,
                          GridCell current);

private:
    std::string m_text;
    FindOptions m_options;
    bool m_hasSearch = false;
    std::optional<GridCell> m_lastFound;
};

} // namespace dialtally
