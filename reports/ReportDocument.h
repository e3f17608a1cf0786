#pragma once

#include "base/FrontEnd.h"
#include "base/RecentFiles.h"
#include "reports/DocumentHost.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportHistory.h"

#include <string>

namespace dialtally {

// The program-wide report state the document operations work on. Not
// owned; all of it outlives the document.
struct ReportState {
    TCfg& Current;             // the report the window shows
    TCfg& DefaultTemplate;     // what new reports start from
    TCfg& WorkingCopy;         // what the properties dialog opens with
    THCfg& History;            // the reports shown
    RecentFiles& Recent;       // the program's own recent-files list
    std::string& ReportFolder; // ends in "/"; follows the report made current
    const std::string& DefaultReportPath;
};

// The document operations of the File and Go menus: new, open, save, print
// and the save-changes question, over the current report.
class ReportDocument {
public:
    ReportDocument(ReportState state, DocumentHost& host);

    // Yes when there was nothing to save or it was saved, No when the user
    // let the changes go, Cancel when the caller must stop: the user said
    // so, or the save was cancelled or failed.
    MessageAnswer ConfirmSave();
    void NewReport();
    void OpenReport();
    void OpenRecentReport(const std::string& path);
    // True when the file was written.
    bool SaveReport();
    bool SaveReportAs();
    void GoToDefaultReport();
    void PrintReport();

    // Opens the file into the current report and runs it; false, with a
    // message shown and nothing changed, when it cannot be read.
    bool ReadReportFile(const std::string& path);
    // Rebuilds the default template from the built-in defaults and the
    // default report file.
    void LoadDefaultTemplate();
    void MakeCurrent(const std::string& path);

    static constexpr const char* ReportFilter = "Dialtally Reports (*.rep)|*.rep";

private:
    bool IsUntitled() const;
    bool WriteCurrent();

    ReportState m_state;
    DocumentHost& m_host;
};

} // namespace dialtally
