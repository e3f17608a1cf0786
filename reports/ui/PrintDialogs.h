#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QPrinter;
class QWidget;

namespace dialtally {

// The program's printer. The print dialog and the printer setup change it
// for the rest of the run, as the system's current printer would be.
QPrinter& CurrentPrinter();

// The system's print dialog with the page range selected and set from 1 to
// the page count. False when cancelled.
bool AskPageRange(QWidget* parent, QPrinter& printer, int pageCount);
// Whether a print goes to a printer of the system, which the chart prints
// on without a dialog; a file (or no printer at all) is asked for first, so
// that an earlier printout is not overwritten unasked.
bool PrintsOnAPrinter(const QPrinter& printer);
// The file the report is made from that a path names; a print to such a
// file is refused. Set once by the window.
using PrintFileGuard = std::function<std::optional<std::string>(const std::string& path)>;
void GuardPrintFiles(PrintFileGuard guard);
// True, with the message shown, when the printer would write over such a
// file.
bool PrintFileRefused(const QPrinter& printer);
// Margins that leave no room on the paper: said once, and nothing is
// printed, rather than sheets that come out blank.
void ShowNoRoomOnThePage();
// The pages the printer was told to print, clamped to 1..pageCount.
std::pair<int, int> ChosenPages(const QPrinter& printer, int pageCount);

// Stands in for the print dialog while set (tests); the answer may set the
// printer's range. Empty: the real dialog.
using PageRangeAnswer = std::function<bool(QPrinter& printer, int pageCount)>;
void SetPageRangeAnswer(PageRangeAnswer answer);

struct SavedFile {
    QString Path;
    int FilterIndex = 1; // 1-based, as the filter lists count
};

// The save dialog over a filter in the "Name (*.x)|*.x|All Files|*.*" form,
// starting in the folder with the proposed name; it asks before
// overwriting. None when cancelled.
std::optional<SavedFile> AskSaveFileName(QWidget* parent, const QString& caption,
                                         const QString& folder, const QString& name,
                                         const std::string& filter, int filterIndex);
// Qt's ";;" filter list of such a filter.
QString QtFilterList(const std::string& filter);

// Stands in for the save dialog while set (tests); it gets the proposed
// path and filter index.
using SaveFileAnswer =
    std::function<std::optional<SavedFile>(const QString& proposedPath, int filterIndex)>;
void SetSaveFileAnswer(SaveFileAnswer answer);

} // namespace dialtally
