#include "TestSupport.h"

#include "logs/ui/ArchiveDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace dialtally {

namespace {

class ArchiveDialog : public ::testing::Test {
protected:
    ArchiveDialog()
    {
        FixedFolders folders;
        folders.Windows = dir.Path();
        LoadDefaultLogFormats(formats, folders);
        dir.Write("ModemLog.Txt", "a Connection established\r\nnoise\r\nNo Carrier\r\n");
    }

    TempFolder dir;
    RecordingFrontEnd ui;
    TLCfg formats;
    ArchiveSettings settings;
};

TEST_F(ArchiveDialog, ShowsTheFormatAndProposesTheOldFile)
{
    TDlgBack dialog(formats, settings);
    EXPECT_EQ(dialog.findChild<QLineEdit*>("EditArchive")->text().toStdString(),
              dir.File("ModemLog.old"));
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("CheckBoxSkip")->isChecked());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("CheckBoxClear")->isChecked());
    bool prompt = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        prompt = prompt || label->text() == "Select a file to archive the Windows Dial-Up "
                                            "Networking log file to.";
    EXPECT_TRUE(prompt);
}

TEST_F(ArchiveDialog, ArchiveRemembersTargetAndSwitches)
{
    TDlgBack dialog(formats, settings);
    dialog.show();
    auto* target = dialog.findChild<QLineEdit*>("EditArchive");
    target->setText(QString::fromStdString(dir.File("keep.arc")));
    dialog.findChild<QCheckBox*>("CheckBoxSkip")->click();
    dialog.findChild<QCheckBox*>("CheckBoxClear")->click();
    QTest::mouseClick(dialog.findChild<QPushButton*>("BtnArchive"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings, (ArchiveSettings{dir.File("keep.arc"), true, false}));
    EXPECT_EQ(dir.Read("keep.arc"), "a Connection established\r\nNo Carrier\r\n");
    EXPECT_EQ(dir.Read("ModemLog.Txt"), "a Connection established\r\nnoise\r\nNo Carrier\r\n");
}

TEST_F(ArchiveDialog, RefusedArchiveKeepsTheSettings)
{
    settings.File = dir.File("MODEMLOG.TXT");
    TDlgBack dialog(formats, settings);
    dialog.BtnArchiveClick();
    EXPECT_EQ(settings, (ArchiveSettings{dir.File("MODEMLOG.TXT"), false, true}));
    EXPECT_EQ(ui.Texts(MessageKind::Error).size(), 1U);
    EXPECT_EQ(dialog.result(), QDialog::Accepted); // closes whatever the outcome
}

} // namespace

} // namespace dialtally
