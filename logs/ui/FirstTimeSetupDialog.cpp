#include "logs/ui/FirstTimeSetupDialog.h"

#include "logs/FormatLibrary.h"
#include "logs/SetupCandidates.h"
#include "widgets/DialogParts.h"
#include "widgets/ScreenPlacement.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace dialtally {

TDlgFirst::TDlgFirst(TLCfg& formats, const Folders& folders, QWidget* parent)
    : QDialog(parent), m_formats(formats), m_folders(folders), m_list(new QListWidget(this))
{
    setWindowTitle(tr("Dialtally First-Time Setup"));
    CentreOnScreenWhenShown(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto* select =
        new QLabel(QString::fromUtf8(
                       "Select the Windows\u00ae Dial-Up Networking log file from the list below."),
                   this);
    auto* lookFor = new QLabel(tr("Look for ModemLog.txt or <Your modem name>.log"), this);
    lookFor->setTextFormat(Qt::PlainText);
    auto* later = new QLabel(tr("You can change this later in Tools, Log Files.  If a file is not "
                                "listed, turn connection logging on in Control Panel, Modem "
                                "Properties, Connection/Advanced."),
                             this);
    for (QLabel* label : {select, lookFor, later})
        label->setWordWrap(true);

    m_list->setObjectName("ListBoxFiles");
    m_list->setAccessibleName(tr("Log files"));
    // The logs of this machine, each with the ready-made format that reads it.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_library = LoadFormatLibrary(FormatLibraryFolder(folders), folders);
    m_found = DetectLogs(folders, m_library);
    QApplication::restoreOverrideCursor();
    for (const std::string& path : WindowsSetupCandidates(folders.WindowsFolder(), m_found))
        m_list->addItem(QString::fromStdString(path));
    m_windowsEntries = m_list->count();
    for (const DetectedLog& log : m_found)
        m_list->addItem(tr("%1   [%2; begin lines found: %3]")
                            .arg(QString::fromStdString(log.Source),
                                 QString::fromStdString(m_library.LogType[log.Format]))
                            .arg(log.BeginLines));
    auto* machineLogs =
        new QLabel(tr("Below the Windows logs: the logs of this machine, each with the "
                      "ready-made format that reads it. Choosing one adds that format and "
                      "makes the default report read it."),
                   this);
    machineLogs->setWordWrap(true);
    machineLogs->setVisible(!m_found.empty());
    // With no Windows log listed, the Windows instructions would send a
    // user of this machine looking for what is not there.
    if (m_windowsEntries == 0 && !m_found.empty()) {
        select->setText(tr("Select the log of your connection from the list below."));
        lookFor->hide();
        machineLogs->setText(tr("These are the logs of this machine, each with the ready-made "
                                "format that reads it. Choosing one adds that format and makes "
                                "the default report read it."));
        later->setText(tr("You can change this later in Tools, Log Files."));
    }
    // A log found on this machine is the likely choice: Ok takes it as it
    // stands, where an unselected list would close without a word.
    if (!m_found.empty())
        m_list->setCurrentRow(m_windowsEntries);
    // So is the modem log the dialog asks for: shown with only a focus
    // frame, it looked chosen, and Ok then closed without a word.
    else if (m_windowsEntries > 0 &&
             QFileInfo(m_list->item(0)->text())
                     .fileName()
                     .compare(QStringLiteral("ModemLog.txt"), Qt::CaseInsensitive) == 0)
        m_list->setCurrentRow(0);
    m_list->setMinimumSize(520, 160);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TDlgFirst::BtnOkClick);

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("Ok"), "BtnOk", [this] { BtnOkClick(); }, true},
                             {tr("Cancel"), "BtnCancel", {}}});

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(select, 0, 1);
    layout->addWidget(lookFor, 1, 1);
    layout->addWidget(m_list, 2, 1);
    layout->addWidget(machineLogs, 3, 1);
    layout->addWidget(later, 4, 1);
    layout->addLayout(buttons.Layout, 5, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgFirst::BtnOkClick()
{
    const QListWidgetItem* item = m_list->currentItem();
    if (item && item->isSelected()) {
        const int row = m_list->row(item);
        if (row < m_windowsEntries) {
            ApplySetupChoice(m_formats, item->text().toStdString(), m_folders.ProgramFolder());
        } else {
            const std::string name = ApplyDetectedLog(
                m_formats, m_library, m_found[static_cast<std::size_t>(row - m_windowsEntries)],
                m_folders.ProgramFolder());
            if (!name.empty() && OnFormatAdded)
                OnFormatAdded(name);
        }
    }
    accept();
}

} // namespace dialtally
