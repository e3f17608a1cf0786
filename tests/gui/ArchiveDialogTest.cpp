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

// A set is archived without the offer to clear it, and the remembered
// switch stays for the plain files.
TEST_F(ArchiveDialog, ASetIsNeverOfferedForClearing)
{
    dir.Write("syslog.1", "old Connection established\n");
    dir.Write("syslog", "new No Carrier\n");
    formats.LogFile[formats.Current] = dir.File("syslog*");
    settings.Clear = true;
    TDlgBack dialog(formats, settings);
    auto* clear = dialog.findChild<QCheckBox*>("CheckBoxClear");
    EXPECT_FALSE(clear->isEnabled());
    EXPECT_FALSE(clear->isChecked());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("EditArchive")->text().toStdString(),
              dir.File("syslog.old"));
    dialog.BtnArchiveClick();
    EXPECT_TRUE(ui.Texts(MessageKind::Error).empty());
    EXPECT_EQ(dir.Read("syslog.old"), "old Connection established\r\nnew No Carrier\r\n");
    EXPECT_EQ(dir.Read("syslog"), "new No Carrier\n");
    EXPECT_EQ(settings, (ArchiveSettings{dir.File("syslog.old"), false, true}));
}

} // namespace

} // namespace dialtally
