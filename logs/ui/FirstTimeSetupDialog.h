#pragma once

#include "logs/LogDetection.h"
#include "logs/LogFormats.h"
#include "platform/Folders.h"

#include <QDialog>

#include <functional>
#include <vector>

class QListWidget;

namespace dialtally {

// "Dialtally First-Time Setup": picks the modem log among the candidates of
// the Windows folder and stores it as format 1's log file, or a log of this
// machine that a ready-made format reads and adds that format for it.
class TDlgFirst : public QDialog {
    Q_OBJECT
public:
    TDlgFirst(TLCfg& formats, const Folders& folders, QWidget* parent = nullptr);

    // Told the name of the format added for a log of this machine, so that
    // the default report can read it.
    std::function<void(const std::string& logType)> OnFormatAdded;

    // Saves the selected entry, if any, and closes.
    void BtnOkClick();

private:
    TLCfg& m_formats;
    const Folders& m_folders;
    QListWidget* m_list;
    TLCfg m_library;
    std::vector<DetectedLog> m_found; // the list's entries after the Windows ones
    int m_windowsEntries = 0;
};

} // namespace dialtally
