#pragma once

#include <string>

namespace dialtally {

// The grid's HTML export settings, as the [HTML] section stores them.
struct HtmlSettings {
    int BorderSize = 1;
    int CellSpacing = 0;
    std::string FooterFile;
    std::string HeaderFile;
    std::string PrefixTag;
    std::string SuffixTag;
    bool SaveColor = false; // write the total rows' colours
    bool SaveFonts = true;  // write bold, italic, underline
    std::string TableStyle; // extra attributes of the table tag
    int Width = 100;        // percent

    bool operator==(const HtmlSettings&) const = default;
};

} // namespace dialtally
