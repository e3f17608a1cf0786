#pragma once

#include "reports/FontEntry.h"

#include <string>

namespace dialtally {

class TNewIniFile;

// The text grid's print settings, with their designed values. The pitch
// of the three fonts is not stored.
struct PrintSettings {
    int ColumnSpacing = 10;
    int RowSpacing = 10;
    int TitleSpacing = 10;
    int FixedHeight = 0; // fixed row height
    int FixedWidth = 0;  // fixed column width
    bool Centered = false;
    bool NoAutoSize = false; // keep the screen column widths
    bool UseFixedHeight = false;
    bool UseFixedWidth = false;
    bool RepeatFixedRows = true; // header row on every page
    bool RepeatFixedCols = false;
    int Borders = 0;     // 0 none .. 8 custom
    int BorderStyle = 0; // pen style, 0 solid .. 6 inside frame
    int Date = 4;        // places on the page: 0 none, 1..3 top, 4..6 bottom
    int PageNr = 2;
    int Title = 1;
    int Time = 5;
    std::string DateFormat = "dd/mm/yyyy";
    std::string TitleText; // set by every build of the report
    int FooterSize = 10;   // margins
    int HeaderSize = 10;
    int LeftSize = 10;
    int RightSize = 10;
    int FitToPage = 0; // 0 never, 1 grow, 2 shrink, 3 always, 4 custom
    FontSpec Font;     // cells
    FontSpec HeaderFont;
    FontSpec FooterFont;
    std::string PageNumSep = "/";
    std::string PageSuffix;
    std::string PagePrefix;
    int Orientation = 0; // 0 portrait, 1 landscape

    bool operator==(const PrintSettings&) const = default;
};

inline constexpr const char* PrinterSection = "Printer";

// Reads [Printer] key by key over the current values.
void LoadPrintSettings(const TNewIniFile& file, PrintSettings& settings);
void SavePrintSettings(TNewIniFile& file, const PrintSettings& settings);

} // namespace dialtally
