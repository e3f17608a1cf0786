#include "logs/ui/FirstTimeSetupDialog.h"

#include "logs/SetupCandidates.h"
#include "widgets/DialogParts.h"
#include "widgets/ScreenPlacement.h"

#include <QApplication>
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
    for (const std::string& path : SetupCandidates(folders.WindowsFolder()))
        m_list->addItem(QString::fromStdString(path));
    m_list->setMinimumSize(360, 140);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TDlgFirst::BtnOkClick);

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("Ok"), "BtnOk", [this] { BtnOkClick(); }, true},
                             {tr("Cancel"), "BtnCancel", {}}});

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(select, 0, 1);
    layout->addWidget(lookFor, 1, 1);
    layout->addWidget(m_list, 2, 1);
    layout->addWidget(later, 3, 1);
    layout->addLayout(buttons.Layout, 4, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TDlgFirst::BtnOkClick()
{
    if (const QListWidgetItem* item = m_list->currentItem(); item && item->isSelected())
        ApplySetupChoice(m_formats, item->text().toStdString(), m_folders.ProgramFolder());
    accept();
}

} // namespace dialtally
