#pragma once

#include "app/Settings.h"
#include "logs/LogFormats.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace dialtally {

// "Archive": appends the log file of the format in use to an archive file.
// Remembers the target and both switches in the archive settings after a
// copy that completed.
class TDlgBack : public QDialog {
    Q_OBJECT
public:
    TDlgBack(const TLCfg& formats, ArchiveSettings& settings, QWidget* parent = nullptr);

    void BtnBrowseClick();
    // Runs the archive and closes the dialog, whatever the outcome.
    void BtnArchiveClick();
    void BtnHelpClick();

    // See ArchiveOptions.
    std::function<std::optional<std::string>(const std::string&)> InputNamedBy;

private:
    const TLCfg& m_formats;
    ArchiveSettings& m_settings;
    QLabel* m_prompt;
    QLineEdit* m_target;
    QCheckBox* m_skip;
    QCheckBox* m_clear;
};

} // namespace dialtally
