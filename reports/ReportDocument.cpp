#include "reports/ReportDocument.h"

#include <filesystem>

#include "base/ListRoutines.h"
#include "base/Messages.h"
#include "reports/ReportFile.h"

namespace dialtally {

ReportDocument::ReportDocument(ReportState state, DocumentHost& host) : m_state(state), m_host(host)
{
}

MessageAnswer ReportDocument::ConfirmSave()
{
    TCfg& current = m_state.Current;
    if (!current.Modified)
        return MessageAnswer::Yes;
    switch (AskYesNoCancel("Save changes to " + current.FileName + "?")) {
    case MessageAnswer::Yes:
        // An unsaved report must not be replaced: a cancelled Save As or a
        // failed write stops the caller.
        return SaveReport() ? MessageAnswer::Yes : MessageAnswer::Cancel;
    case MessageAnswer::No:
        current.Modified = false;
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

void ReportDocument::NewReport()
{
    if (ConfirmSave() == MessageAnswer::Cancel)
        return;
    TCfg& working = m_state.WorkingCopy;
    working = m_state.DefaultTemplate;
    working.FileName = m_state.ReportFolder + "Untitled.rep";
    const bool ok = m_host.ShowProperties(0, FileTitle(working.FileName) + " Properties");
    if (ok) {
        MakeCurrent(working.FileName);
        m_host.RunReport();
    } else if (m_state.Current.Modified) {
        // Apply wrote the new report over the current one before Cancel; it
        // is the new report now, and must not be saved over the old file.
        MakeCurrent(working.FileName);
    }
}

void ReportDocument::OpenReport()
{
    if (ConfirmSave() == MessageAnswer::Cancel)
        return;
    const std::optional<std::string> chosen = m_host.AskOpenFileName(
        {ReportFilter, 1, m_state.ReportFolder, FileNameOf(m_state.Current.FileName)});
    if (chosen)
        ReadReportFile(WithReportExtension(*chosen));
}

void ReportDocument::OpenRecentReport(const std::string& path)
{
    if (ConfirmSave() == MessageAnswer::Cancel)
        return;
    if (ReadReportFile(path) && m_host.ReportTypeRegistered())
        AddToShellRecentDocs(path);
}

bool ReportDocument::SaveReport()
{
    if (IsUntitled())
        return SaveReportAs();
    return WriteCurrent();
}

bool ReportDocument::SaveReportAs()
{
    const std::string before = m_state.Current.FileName;
    std::string path;
    do { // an Untitled name cannot be saved: ask again
        const std::optional<std::string> chosen = m_host.AskSaveFileName(
            {ReportFilter, 1, m_state.ReportFolder, FileNameOf(m_state.Current.FileName)});
        if (!chosen)
            return false;
        path = WithReportExtension(*chosen);
        // The dialog asked about the name as typed, not the one with ".rep".
        // A path that cannot be looked at (a loop of links) fails its write.
        std::error_code error;
        if (path != *chosen && std::filesystem::exists(path, error) &&
            AskYesNo(path + " already exists. Overwrite the file?") != MessageAnswer::Yes)
            return false;
        MakeCurrent(path);
    } while (IsUntitled());
    if (!WriteCurrent()) {
        MakeCurrent(before); // the report keeps the name it can be saved under
        return false;
    }
    // Only a file that exists goes on the recent lists, and only a written
    // one may mark the shown history entry as saved.
    if (m_host.ReportTypeRegistered())
        AddToShellRecentDocs(path);
    if (TCfg* shown = m_state.History.Shown()) {
        shown->FileName = path;
        shown->Modified = false;
    }
    AddRecentFile(m_state.Recent, path);
    return true;
}

void ReportDocument::GoToDefaultReport()
{
    LoadDefaultTemplate();
    m_state.Current = m_state.DefaultTemplate;
    ResetQuickState(m_state.Current);
    MakeCurrent(m_state.DefaultReportPath);
    m_host.RunReport();
}

void ReportDocument::PrintReport()
{
    const std::string& type = m_state.Current.ReportType;
    m_host.Print(type == "Text"    ? PrintedViews::Grid
                 : type == "Graph" ? PrintedViews::Chart
                                   : PrintedViews::GridAndChart);
}

bool ReportDocument::ReadReportFile(const std::string& path)
{
    if (!dialtally::ReadReportFile(m_state.Current, path, m_state.ReportFolder, m_state.Recent))
        return false;
    m_host.RunReport();
    return true;
}

void ReportDocument::LoadDefaultTemplate()
{
    dialtally::LoadDefaultTemplate(m_state.DefaultTemplate, m_state.DefaultReportPath);
}

void ReportDocument::MakeCurrent(const std::string& path)
{
    dialtally::MakeCurrent(m_state.Current, m_state.ReportFolder, path);
}

bool ReportDocument::IsUntitled() const
{
    return FileTitle(m_state.Current.FileName) == "Untitled";
}

// The write, and the bookkeeping of a successful one; on failure the
// changes stay marked.
bool ReportDocument::WriteCurrent()
{
    TCfg& current = m_state.Current;
    if (!WriteReportFile(current, current.FileName))
        return false;
    ResetQuickState(current);
    if (current.FileName == m_state.DefaultReportPath)
        m_state.DefaultTemplate = current;
    return true;
}

} // namespace dialtally
