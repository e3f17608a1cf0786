#pragma once

#include "reports/HtmlSettings.h"
#include "reports/ReportTable.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace dialtally {

// The export types in the order of the Export dialog's list; the stored
// format index counts in this order.
struct ExportType {
    const char* Caption;
    const char* Extension;
    const char* Filter;
};
const std::array<ExportType, 5>& ExportTypes();
enum ExportFormat { ExportCsv = 0, ExportText = 1, ExportHtml = 2, ExportXlsx = 3, ExportDocx = 4 };

// A table of text cells that is not the report grid (the billing months,
// the tariff comparison), written by the same writers: row 0 holds the
// heads, and every row has as many cells.
struct TextTable {
    std::vector<std::vector<std::string>> Rows;
    std::vector<RowKind> Kinds; // one per row; total kinds are written as totals
};

// The grid as shown: the rows in their shown order and the visible columns.
// Or, when Cells is set, all of that table.
struct ExportSource {
    const ReportTable* Table = nullptr;
    std::array<bool, ReportColumns> Visible{true, true, true, true, true, true, true, false};
    std::vector<int> RowOrder; // body rows as shown; empty: build order
    bool RightAligned = false; // ColAlign "1": every cell right-aligned
    const TextTable* Cells = nullptr;

    // Row 0 first, then the body rows.
    std::vector<int> Rows() const;
    std::vector<int> Columns() const;
    std::string_view Cell(int row, int column) const
    {
        return Cells ? std::string_view(Cells->Rows[static_cast<std::size_t>(row)]
                                                   [static_cast<std::size_t>(column)])
                     : Table->Cell(row, column);
    }
    RowKind Kind(int row) const
    {
        return (Cells ? Cells->Kinds : Table->Kinds)[static_cast<std::size_t>(row)];
    }
};

// The grid of a build as the window shows it before any sorting.
inline ExportSource ShownGrid(const ReportTable& table, const ColumnLayout& columns,
                              bool rightAligned)
{
    ExportSource source;
    source.Table = &table;
    source.Visible = columns.Visible;
    source.RightAligned = rightAligned;
    return source;
}

inline ExportSource TextTableSource(const TextTable& table)
{
    ExportSource source;
    source.Cells = &table;
    return source;
}

struct HtmlFontStyle {
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

// The [HTML] settings and the display colours and fonts the HTML export
// writes. Colours are 0xRRGGBB, already resolved from system colours.
struct HtmlExportSettings : HtmlSettings {
    std::uint32_t HeaderBackground = 0xD4D0C8; // the system's active border colour
    std::uint32_t TotalBackground = 0xFFFFFF;
    std::uint32_t TotalFontColor = 0x000000;
    HtmlFontStyle DetailFont;
    HtmlFontStyle TotalFont{true, false, false};
};

struct ExportSettings {
    char Delimiter = ','; // Regional().ListSeparator; a comma when none is set
    HtmlExportSettings Html;
};

// A failed export, with the text to show.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string CsvText(const ExportSource& source, char delimiter);
std::string FormattedText(const ExportSource& source);
std::string HtmlText(const ExportSource& source, const HtmlExportSettings& settings);
// Office Open XML workbook and document, as file contents. Raise ExportError.
std::string XlsxBytes(const ExportSource& source);
std::string DocxBytes(const ExportSource& source);

// The file contents of an export type. Raises ExportError, also for an
// index outside the list, and "Out of memory." when memory runs out.
std::string ExportBytes(int format, const ExportSource& source, const ExportSettings& settings);
// Writes the export file whole or not at all (CSV is streamed in blocks
// as its lines are made); raises ExportError with
// "An error occurred writing %s." when it cannot.
void WriteExportFile(const std::string& path, int format, const ExportSource& source,
                     const ExportSettings& settings);

// "&", "<", ">" and double quotes as entities.
std::string EscapeMarkup(std::string_view text);

} // namespace dialtally
