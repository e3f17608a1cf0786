#pragma once

#include "app/Settings.h"
#include "reports/ExportWriters.h"
#include "reports/ReportEngine.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace dialtally {

// "Export": writes the grid as shown to a file of one of the five export
// types and remembers the file and type in [Export]. Help topic 4025.
class TDlgExp : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 4025;

    // `reportFile` is the current report's FileName, `description` its
    // ReportDescription; `exportSettings` gives the delimiter and the
    // display colours and fonts (ExportSettingsFor). The settings' [HTML]
    // and [Export] values are edited in place.
    TDlgExp(const ReportOutput& output, const std::string& reportFile,
            const std::string& description, Settings& settings,
            const ExportSettings& exportSettings, QWidget* parent = nullptr);

    // The grid's order and alignment as the window shows it; by default the
    // build's order, left-aligned.
    void SetShownGrid(const ExportSource& shown);

    QString FileName() const;
    int TypeIndex() const;

    // The file the report is made from that a path names; an export over
    // it is refused.
    std::function<std::optional<std::string>(const std::string&)> InputNamedBy;

    void ListBoxExpClick();
    void BtnBrowseClick();
    void BtnHtmlClick();
    void BtnHelpClick();
    // Writes the file when there is data and the user allows an overwrite,
    // then closes the dialog in every case.
    void BtnExportClick();

private:
    bool HasData() const;
    // False when the export was refused or failed.
    bool Export();

    const ReportOutput& m_output;
    Settings& m_settings;
    ExportSettings m_exportSettings;
    ExportSource m_shown;
    QListWidget* m_list;
    QLineEdit* m_file;
    QPushButton* m_html;
};

} // namespace dialtally
