#include "app/ui/MainWindow.h"

#include "app/ProgramInputs.h"
#include "reports/ReportProperties.h"
#include "reports/ui/ChartPicture.h"
#include "reports/ui/ExportDialog.h"
#include "reports/ui/GridPrinter.h"
#include "reports/ui/PrintDialogs.h"
#include "reports/ui/PrintSettingsDialog.h"
#include "reports/ui/ReportChartView.h"
#include "reports/ui/ReportPropertiesDialog.h"

#include <QFileDialog>

#include <filesystem>

namespace dialtally {

// What the document operations ask of the window: file names, the
// properties, printing and export.

std::optional<std::string> TMainForm::AskFileName(const FileDialogRequest& request, bool save)
{
    // Settings brought from Windows name folders such as C:\My Documents,
    // which here would open the dialog at the root: the documents folder
    // stands in, and the name is taken without its Windows folder.
    std::error_code error;
    const bool folderHere = std::filesystem::is_directory(request.InitialFolder, error);
    const std::string folder = folderHere ? request.InitialFolder : m_state.Paths.DocumentsFolder();
    const std::string name = request.FileName.substr(request.FileName.rfind('\\') + 1);
    QFileDialog dialog(this, save ? QStringLiteral("Save As") : QStringLiteral("Open"),
                       QString::fromStdString(folder));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!save)
        dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = QtFilterList(request.Filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    if (!name.empty())
        dialog.selectFile(QString::fromStdString(name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> TMainForm::AskOpenFileName(const FileDialogRequest& request)
{
    return AskFileName(request, false);
}

std::optional<std::string> TMainForm::AskSaveFileName(const FileDialogRequest& request)
{
    return AskFileName(request, true);
}

bool TMainForm::ShowProperties(int startPage, const std::string& caption)
{
    TDlgProp dialog(m_state.Current, m_state.WorkingCopy, m_state.Formats, m_state.Providers,
                    startPage, caption, this);
    dialog.OnApply = [this] { RedoReport(AppliedChangeClass(m_state.Current, m_state.History)); };
    return dialog.Run();
}

ExportSource TMainForm::ShownSource() const
{
    // Sorting reorders the table itself, so its order is the grid's.
    return ShownGrid(m_state.Output.Table, m_state.Output.Columns, m_state.Current.ColAlign == "1");
}

void TMainForm::Print(PrintedViews views)
{
    // Thousands of pages take a minute, during which the window repaints:
    // what arrives meanwhile (a close, a report handed over) would change
    // the table being printed, so it waits for the end, as during a pass.
    if (m_passRunning)
        return;
    m_passRunning = true;
    const ExportSource shown = ShownSource();
    switch (views) {
    case PrintedViews::Grid:
        PrintGrid(this, m_state.Output, m_state.Options, &shown);
        break;
    case PrintedViews::Chart:
        PrintChart(this, m_chart, m_state.Options.Printer);
        break;
    case PrintedViews::GridAndChart:
        // One job: as two, a file printer would write the chart over the
        // grid's pages.
        PrintGridAndChart(this, m_state.Output, m_state.Options, m_chart, &shown);
        break;
    }
    m_passRunning = false;
    RunWhatWaited();
}

void TMainForm::ExportCommand()
{
    TDlgExp dialog(m_state.Output, m_state.Current.FileName, m_state.Current.ReportDescription,
                   m_state.Options, ExportSettingsFor(m_state.Options), this);
    dialog.SetShownGrid(ShownSource());
    dialog.InputNamedBy = InputNamedBy();
    dialog.exec();
}

std::function<std::optional<std::string>(const std::string&)> TMainForm::InputNamedBy() const
{
    return [this](const std::string& path) {
        return ProgramInputNamedBy(path, m_state, m_state.Current.FileName);
    };
}

void TMainForm::PrintSetupCommand()
{
    PrinterSetup(this, m_state.Options.Printer);
}

void TMainForm::PrintSettingsCommand()
{
    const ExportSource shown = ShownSource();
    PrintSettingsDialog dialog(m_state.Options, m_state.Output, this, &shown);
    dialog.exec();
}

void TMainForm::SaveChartCommand()
{
    SaveChartAs(m_chart, m_state.Options.Files.Path, m_state.Current.FileName);
}

bool TMainForm::ReportTypeRegistered() const
{
    return m_fileTypeRegistered;
}

} // namespace dialtally
