#pragma once

#include "base/DateTime.h"
#include "reports/PrintSettings.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace dialtally {

// Places on a printed page for the title, date, time and page number.
enum class PagePlace {
    None = 0,
    TopLeft,
    TopRight,
    TopCentre,
    BottomLeft,
    BottomRight,
    BottomCentre
};
constexpr int PagePlaceCount = 7;

inline bool IsTopPlace(PagePlace place)
{
    return place >= PagePlace::TopLeft && place <= PagePlace::TopCentre;
}
// A stored position; values outside 0..6 print nowhere.
PagePlace PagePlaceOf(int position);

// The lines printed at each place of one page, in the order title, date,
// time, page number when several share a place.
struct PageTexts {
    std::array<std::vector<std::string>, PagePlaceCount> At;

    int LinesAtTop() const;
    int LinesAtBottom() const;
};

// The widths that the texts of one printed line at the left, the centre
// and the right may take, `gap` apart, so that none runs over another:
// the widest is cut first, to the room the others leave it; the centre
// text stays centred. A text the page cannot hold whole is cut to it.
std::array<double, 3> PageTextRooms(const std::array<double, 3>& widths, double available,
                                    double gap);

// PagePrefix, the number, PageNumSep, the count and PageSuffix.
std::string PageNumberText(const PrintSettings& settings, int page, int pageCount);
// The printed date's format ("dd/mm/yyyy": "m" is the month unless it
// follows an hour, "/" the date separator) as a picture of FormatDateTime.
std::string PrintDatePicture(std::string_view format);
PageTexts PageTextsFor(const PrintSettings& settings, int page, int pageCount, TDateTime now);

// Which lines a border setting draws.
struct BorderLines {
    bool Outer = false;
    bool DoubleOuter = false;
    bool Vertical = false;   // between columns
    bool Horizontal = false; // between rows
};
BorderLines BordersFor(int borders);

// The scale of the table so that its width meets the page: never (and the
// custom setting, which has no stored factor) 1; grow only up, shrink only
// down, always both ways.
double FitScale(int fitToPage, double tableWidth, double availableWidth);

// Column widths of the printed grid, in device units: the fixed width when
// it is used, else the screen width when sizes are kept, else the widest
// text; each plus the column spacing.
std::vector<double> PrintColumnWidths(const PrintSettings& settings,
                                      const std::vector<double>& textWidths,
                                      const std::vector<double>& screenWidths, double fixedWidth,
                                      double columnSpacing);

// What the pagination works on, in device units before scaling.
struct GridMetrics {
    std::vector<double> ColumnWidths; // visible columns, left to right
    std::vector<double> RowHeights;   // printed rows; [0] is the header row
    double AvailableWidth = 0;        // between the margins
    double AvailableHeight = 0;       // between the margins and the page texts
    bool RepeatHeader = true;
    int FitToPage = 0;
};

// One printed page: a run of body rows (indexes into RowHeights, from 1)
// over a run of columns, with the header row on top when it is printed.
struct GridPage {
    int FirstRow = 1;
    int EndRow = 1; // one past the last
    int FirstColumn = 0;
    int EndColumn = 0;
    bool WithHeader = true;
};

struct GridPagination {
    double Scale = 1;
    std::vector<GridPage> Pages; // down the rows first, then across
};

// Always at least one page, so that an empty report prints its heads. A
// row or column larger than the page gets a page of its own.
GridPagination PaginateGrid(const GridMetrics& metrics);
// Whether the margins and page texts leave room for a column and for the
// header row above a row: less would print the rows over the page texts
// or off the paper, one a sheet.
bool PageHasRoom(const GridMetrics& metrics);

} // namespace dialtally
