#pragma once

#include <optional>
#include <string>

namespace dialtally {

// What an open or save dialog is shown with.
struct FileDialogRequest {
    std::string Filter;        // "Description (*.ext)|*.ext"
    int FilterIndex = 1;       // 1-based
    std::string InitialFolder; // ends in "/"
    std::string FileName;      // proposed name, without folder
};

// What a print job holds.
enum class PrintedViews { Grid, Chart, GridAndChart };

// What the document operations need of the window: its dialogs, the report
// pass and printing. The window implements it; tests fake it.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) = 0;
    // As above; the dialog asks before overwriting an existing file.
    virtual std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) = 0;
    // The properties dialog over the working copy; start page 0 is a new
    // report (first page, Apply enabled), 1 to 3 a page with Apply disabled.
    // True when it closed with OK, having written into the current report.
    virtual bool ShowProperties(int startPage, const std::string& caption) = 0;
    // Reads the current report's log and builds and shows the report.
    virtual void RunReport() = 0;
    // Prints the view or views as one job, after the print dialog.
    virtual void Print(PrintedViews views) = 0;
    // Whether the .rep file type is registered with the desktop.
    virtual bool ReportTypeRegistered() const = 0;
};

} // namespace dialtally
