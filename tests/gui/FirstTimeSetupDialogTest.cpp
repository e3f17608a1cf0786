#include "TestSupport.h"

#include "logs/ui/FirstTimeSetupDialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

class FirstTimeSetup : public ::testing::Test {
protected:
    FirstTimeSetup()
    {
        folders.Program = home.Path();
        folders.Windows = windows.Path();
        LoadDefaultLogFormats(formats, folders);
    }

    TempFolder home;
    TempFolder windows;
    RecordingFrontEnd ui;
    FixedFolders folders;
    TLCfg formats;
};

TEST_F(FirstTimeSetup, OkWithASelectionSavesTheFormats)
{
    windows.Write("Modem.log", "");
    windows.Write("ModemLog.txt", "");
    TDlgFirst dialog(formats, folders);
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>("ListBoxFiles");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text().toStdString(), windows.File("ModemLog.txt"));
    EXPECT_EQ(list->currentRow(), 0); // the modem log is chosen to begin with
    list->setCurrentRow(1);
    QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOk"), Qt::LeftButton);
    EXPECT_EQ(formats.LogFile[1], windows.File("Modem.log"));
    EXPECT_TRUE(std::filesystem::exists(home.File("Dialtally.log")));
}

TEST_F(FirstTimeSetup, OkWithoutASelectionSavesNothing)
{
    TDlgFirst dialog(formats, folders);
    EXPECT_EQ(dialog.findChild<QListWidget*>("ListBoxFiles")->count(), 0);
    dialog.BtnOkClick();
    EXPECT_FALSE(std::filesystem::exists(home.File("Dialtally.log")));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// A log of this machine is listed after the Windows ones with the format
// that reads it, and chosen to begin with; Ok adds that format for that
// source and says so.
TEST_F(FirstTimeSetup, OkWithALogOfThisMachineAddsItsFormat)
{
    TempFolder logs;
    folders.Logs = logs.Path();
    folders.Data = std::string(DIALTALLY_FORMATS_DIR) + "/..";
    windows.Write("ModemLog.txt", "");
    logs.Write("syslog", "Jan  2 10:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n");
    TDlgFirst dialog(formats, folders);
    std::string added;
    dialog.OnFormatAdded = [&](const std::string& logType) { added = logType; };
    auto* list = dialog.findChild<QListWidget*>("ListBoxFiles");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text().toStdString(),
              logs.File("syslog*") + "   [pppd (syslog); begin lines found: 1]");
    EXPECT_TRUE(list->item(1)->isSelected());
    dialog.BtnOkClick();
    EXPECT_EQ(added, "pppd (syslog)");
    ASSERT_EQ(formats.Count, 3);
    EXPECT_EQ(formats.LogFile[3], logs.File("syslog*"));
    EXPECT_EQ(formats.LogFile[1], windows.File("ModemLog.Txt"));
    EXPECT_TRUE(std::filesystem::exists(home.File("Dialtally.log")));
}

// With only logs of this machine listed, the dialog does not ask for a
// Windows log.
TEST_F(FirstTimeSetup, TheWindowsInstructionsStandOnlyBesideAWindowsLog)
{
    TempFolder logs;
    folders.Logs = logs.Path();
    folders.Data = std::string(DIALTALLY_FORMATS_DIR) + "/..";
    logs.Write("syslog", "Jan  2 10:00:00 h pppd[1]: Connect: ppp0 <--> /dev/ttyS0\n");
    for (const bool windowsLog : {true, false}) {
        if (windowsLog)
            windows.Write("ModemLog.txt", "");
        else
            std::filesystem::remove(windows.File("ModemLog.txt"));
        TDlgFirst dialog(formats, folders);
        QString shown;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            if (!label->isHidden())
                shown += label->text();
        EXPECT_EQ(shown.contains(QStringLiteral("Windows")), windowsLog) << shown.toStdString();
        EXPECT_EQ(shown.contains(QStringLiteral("Control Panel")), windowsLog);
    }
}

} // namespace

} // namespace dialtally
