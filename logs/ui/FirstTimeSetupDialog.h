#pragma once

#include "logs/LogFormats.h"
#include "platform/Folders.h"

#include <QDialog>

class QListWidget;

namespace dialtally {

// "Dialtally First-Time Setup": picks the modem log among the candidates of
// the Windows folder and stores it as format 1's log file.
class TDlgFirst : public QDialog {
    Q_OBJECT
public:
    TDlgFirst(TLCfg& formats, const Folders& folders, QWidget* parent = nullptr);

    // Saves the selected entry, if any, and closes.
    void BtnOkClick();

private:
    TLCfg& m_formats;
    const Folders& m_folders;
    QListWidget* m_list;
};

} // namespace dialtally
