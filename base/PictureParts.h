#pragma once

#include <string_view>
#include <vector>

namespace dialtally {

// A date or time picture (see FormatDateTime) read into its parts: runs of
// one unquoted character, and quoted literal texts. Each reader of pictures
// (the formatter, the pickers, the workbook's number formats) gives the
// letters its own meaning.
struct PicturePart {
    bool Quoted = false;
    char Letter = 0;       // the run's character; 0 for a quoted text
    std::size_t Run = 0;   // how often it stands there
    std::string_view Text; // the run, or the quoted text without its quotes
};

// A quote left open runs to the end of the picture.
std::vector<PicturePart> SplitPicture(std::string_view picture);

} // namespace dialtally
