#include "TestSupport.h"

#include "base/Messages.h"
#include "logs/FormatLibrary.h"
#include "logs/Locator.h"
#include "logs/LogFileHead.h"
#include "logs/ui/LogFileView.h"
#include "logs/ui/LogFilesDialog.h"
#include "widgets/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include <filesystem>
#include <gtest/gtest.h>

namespace dialtally {

namespace {

class LogFilesDialog : public ::testing::Test {
protected:
    LogFilesDialog()
    {
        folders.Windows = home.Path();
        LoadDefaultLogFormats(formats, folders);
    }

    template <typename T = QLineEdit> T* Find(TDlgLog& dialog, const char* name)
    {
        T* child = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Click(TDlgLog& dialog, const char* button)
    {
        QTest::mouseClick(Find<QPushButton>(dialog, button), Qt::LeftButton);
    }
    void SetText(TDlgLog& dialog, const char* edit, const QString& text)
    {
        QLineEdit* line = Find(dialog, edit);
        line->clear();
        QTest::keyClicks(line, text);
    }
    QStringList Names(TDlgLog& dialog)
    {
        QStringList names;
        auto* list = Find<QListWidget>(dialog, "ListBoxLog");
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        return names;
    }

    RecordingFrontEnd ui;
    TempFolder home;
    FixedFolders folders;
    TLCfg formats;
};

TEST_F(LogFilesDialog, ShowsTheFormatInUse)
{
    formats.Current = 2;
    TDlgLog dialog(formats, home.Path());
    EXPECT_EQ(Names(dialog), QStringList({"Windows Dial-Up Networking", "Windows Update (Win98)"}));
    EXPECT_EQ(Find(dialog, "EditLogType")->text(), "Windows Update (Win98)");
    EXPECT_EQ(Find(dialog, "EditOffMonth")->text(), "{'|'}{#5}{+5};{'|'}{#5}{+8}");
    EXPECT_EQ(Find(dialog, "EditOnline")->text(), "");
}

TEST_F(LogFilesDialog, BeginLocatorsAreCopiedToTheEndSide)
{
    TDlgLog dialog(formats, home.Path());
    SetText(dialog, "EditOnMonth", "{'|'}{#5}{+5};{'|'}{#5}{+8}");
    EXPECT_EQ(Find(dialog, "EditOffMonth")->text(), "{'|'}{#5}{+5};{'|'}{#5}{+8}");
    SetText(dialog, "EditOnAmpm", "21;22");
    EXPECT_EQ(Find(dialog, "EditOffAmpm")->text(), "21;22");
    const QString endTime = Find(dialog, "EditOffTime")->text();
    SetText(dialog, "EditOnService", "1;9");
    SetText(dialog, "EditOnline", "CONNECT");
    EXPECT_EQ(Find(dialog, "EditOffTime")->text(), endTime);
    EXPECT_EQ(Find(dialog, "EditOffline")->text(), "No Carrier,Hanging up");
}

TEST_F(LogFilesDialog, OkStoresAnEmptyEndLocatorFromItsBeginAndSaves)
{
    TDlgLog dialog(formats, home.Path());
    Find(dialog, "EditOffTime")->clear();
    SetText(dialog, "EditLogType", "Modem"); // renamed without Modify
    Click(dialog, "BtnOk");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(formats.Count, 2);
    EXPECT_EQ(formats.LogType[1], "Modem");
    EXPECT_EQ(formats.OffTime[1], "12;19");
    TLCfg saved;
    FixedFolders program;
    program.Program = home.Path();
    LoadLogFormats(saved, program);
    EXPECT_EQ(saved.LogType[1], "Modem");
    EXPECT_EQ(saved.OffTime[1], "12;19");
    EXPECT_EQ(saved.Count, 2);
}

TEST_F(LogFilesDialog, FormatsThatCannotBeStoredAreNotTakenIntoUse)
{
    TDlgLog dialog(formats, home.File("gone"));
    SetText(dialog, "EditLogType", "Modem");
    Click(dialog, "BtnOk");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_NE(formats.LogType[1], "Modem");
}

TEST_F(LogFilesDialog, RefusalsOnlySound)
{
    formats.Count = TLCfg::MaxFormats;
    for (int i = 3; i <= TLCfg::MaxFormats; ++i)
        formats.LogType[i] = "F" + std::to_string(i);
    formats.Current = 0; // nothing selected
    TDlgLog dialog(formats, home.Path());
    const TLCfg before = dialog.WorkingCopy();
    for (const char* button : {"BtnAdd", "BtnRemove", "BtnModify"})
        Click(dialog, button);
    EXPECT_EQ(ui.Sounds, 3);
    EXPECT_EQ(dialog.WorkingCopy(), before);
    EXPECT_EQ(Names(dialog).size(), TLCfg::MaxFormats);
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(LogFilesDialog, AddAndModifyKeepTheListSorted)
{
    TDlgLog dialog(formats, home.Path());
    SetText(dialog, "EditLogType", "modem");
    Click(dialog, "BtnAdd");
    EXPECT_EQ(Names(dialog),
              QStringList({"modem", "Windows Dial-Up Networking", "Windows Update (Win98)"}));
    EXPECT_EQ(dialog.WorkingCopy().Count, 3);
    EXPECT_EQ(dialog.WorkingCopy().Current, 3);
    EXPECT_EQ(dialog.WorkingCopy().OnTime[3], "12;19");
    SetText(dialog, "EditLogType", "zz");
    Click(dialog, "BtnModify");
    EXPECT_EQ(Names(dialog).last(), "zz");
    EXPECT_EQ(Find<QListWidget>(dialog, "ListBoxLog")->currentRow(), 2);
    EXPECT_EQ(dialog.WorkingCopy().LogType[3], "zz");
    EXPECT_EQ(ui.Sounds, 0);
}

TEST_F(LogFilesDialog, RemovingTheLastThenTheOnlyFormat)
{
    TDlgLog dialog(formats, home.Path());
    auto* list = Find<QListWidget>(dialog, "ListBoxLog");
    list->setCurrentRow(1);
    Click(dialog, "BtnRemove");
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Text, "Remove Windows Update (Win98)?");
    EXPECT_EQ(list->count(), 1);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(Find(dialog, "EditLogType")->text(), "Windows Dial-Up Networking");

    Click(dialog, "BtnRemove");
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(dialog.WorkingCopy().Count, 0);
    EXPECT_EQ(Find(dialog, "EditLogType")->text(), "Windows Dial-Up Networking");
    EXPECT_EQ(Find(dialog, "EditOnService")->text(), "52;59");
    Click(dialog, "BtnOk");
    EXPECT_EQ(formats.Count, 0);
    EXPECT_EQ(formats.Current, 0);
    EXPECT_EQ(home.Read("Dialtally.log"), "*\r\n*  Dialtally Log File Configuration\r\n*\r\n");
}

// Archive and View Log File act on the format in use: removing one listed
// before it leaves it in use, removing it leaves none.
TEST_F(LogFilesDialog, TheFormatInUseStaysTheOneInUse)
{
    for (const bool removeInUse : {false, true}) {
        TLCfg table = formats;
        table.Count = 3;
        table.LogType[3] = "pppd";
        table.Current = 2;
        const std::string inUse = table.LogType[2];
        TDlgLog dialog(table, home.Path());
        auto* list = Find<QListWidget>(dialog, "ListBoxLog");
        const std::string removed = table.LogType[removeInUse ? 2 : 1];
        list->setCurrentItem(list->findItems(QString::fromStdString(removed), Qt::MatchExactly)[0]);
        Click(dialog, "BtnRemove");
        Click(dialog, "BtnOk");
        ASSERT_EQ(table.Count, 2);
        if (removeInUse)
            EXPECT_EQ(table.Current, 0);
        else
            EXPECT_EQ(table.LogType[table.Current], inUse);
    }
}

TEST_F(LogFilesDialog, CancelLeavesTableAndFileUnchanged)
{
    ASSERT_TRUE(SaveLogFormats(formats, home.Path()));
    const std::string file = home.Read("Dialtally.log");
    const TLCfg before = formats;
    TDlgLog dialog(formats, home.Path());
    Click(dialog, "BtnAdd");
    ui.Answers.push_back(MessageAnswer::Yes);
    Click(dialog, "BtnRemove");
    ui.Answers.push_back(MessageAnswer::No);
    Click(dialog, "BtnRemove");
    EXPECT_EQ(dialog.WorkingCopy().Count, 2);
    Click(dialog, "BtnCancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(formats, before);
    EXPECT_EQ(home.Read("Dialtally.log"), file);
}

TEST_F(LogFilesDialog, FileViewShowsTheRulerAndTheFirstLines)
{
    std::string log;
    for (int i = 1; i <= 500; ++i)
        log += "line " + std::to_string(i) + "\r\n";
    home.Write("ModemLog.Txt", log);
    TDlgLog dialog(formats, home.Path());
    auto* view = Find<LogFileView>(dialog, "MemoLog");
    const QStringList lines = view->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 129);
    EXPECT_EQ(lines[0].toStdString(), LogRuler());
    EXPECT_EQ(lines[1], "line 1");
    EXPECT_EQ(lines[128], "line 128");
    EXPECT_EQ(view->textCursor().position(), 0);
    // The ruler only lines up when every character is as wide as another.
    const QFontMetrics metrics(view->font());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("WW.'")));

    dialog.resize(900, 600);
    dialog.show();
    Find<QTabWidget>(dialog, "PageControl")->setCurrentIndex(1);
    QTextCursor third(view->document()->findBlockByNumber(3));
    view->setTextCursor(third);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->cursorRect().center());
    const QStringList after = view->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(after.size(), 130);
    EXPECT_EQ(after[2], "line 2");
    EXPECT_EQ(after[3].toStdString(), LogRuler());
    EXPECT_EQ(after[4], "line 3");

    Find(dialog, "EditLogFile")->setText(QString::fromStdString(home.File("none")));
    EXPECT_TRUE(view->toPlainText().isEmpty());
    EXPECT_TRUE(ui.Messages.empty());
}

TEST_F(LogFilesDialog, UnreadableLogShowsTheReadError)
{
    TDlgLog dialog(formats, home.Path());
    Find(dialog, "EditLogFile")->setText(QStringLiteral("/proc/self/mem"));
    EXPECT_EQ(ui.Texts(MessageKind::Error),
              std::vector<std::string>{ReadErrorText("/proc/self/mem")});
    EXPECT_TRUE(Find<LogFileView>(dialog, "MemoLog")->toPlainText().isEmpty());
}

TEST_F(LogFilesDialog, LocatorMenuAppendsTokens)
{
    TDlgLog dialog(formats, home.Path());
    QLineEdit* year = Find(dialog, "EditOnYear");
    year->clear();
    const struct {
        const char* Action;
        const char* Text;
        int Caret;
    } steps[] = {{"MenuDelimiter", "{''}", 2},
                 {"MenuOccurrence", "{''}{#}", 6},
                 {"MenuOffset", "{''}{#}{+}", 9},
                 {"MenuSeparator", "{''}{#}{+};", 11},
                 {"MenuAppendText", "{''}{#}{+};{\"\"}", 13}};
    for (const auto& step : steps) {
        emit year->customContextMenuRequested(QPoint(2, 2));
        Find<QAction>(dialog, step.Action)->trigger();
        EXPECT_EQ(year->text(), step.Text);
        EXPECT_EQ(year->cursorPosition(), step.Caret) << step.Action;
    }
    EXPECT_EQ(Find(dialog, "EditOffYear")->text(), year->text());
    EXPECT_EQ(year->toolTip(), "Right-Click for menu");
    EXPECT_EQ(Find(dialog, "EditOnline")->contextMenuPolicy(), Qt::DefaultContextMenu);
    QApplication::closeAllWindows();
}

// A ready-made format comes from the library with all its fields; the file
// view shows the first lines of its source whatever its kind, and the year
// edits offer the form of lines without a year.
TEST_F(LogFilesDialog, AddsFromTheLibraryAndViewsAnySource)
{
    folders.Data = std::string(DIALTALLY_FORMATS_DIR) + "/..";
    ASSERT_TRUE(WriteJournal(home.File("system.journal"),
                             {"2023-08-10 14:45:43|pppd|84797|Connect: ppp0 <--> /dev/ttyUSB0"}));
    TDlgLog dialog(formats, home.Path());
    dialog.Library = LoadFormatLibrary(FormatLibraryFolder(folders), folders);
    const int f = FindLogFormat(dialog.Library, "pppd (journal)");
    ASSERT_NE(f, 0);
    dialog.AddFromLibrary("pppd (journal)");
    EXPECT_EQ(Names(dialog), QStringList({"pppd (journal)", "Windows Dial-Up Networking",
                                          "Windows Update (Win98)"}));
    EXPECT_EQ(Find(dialog, "EditLogType")->text(), "pppd (journal)");
    EXPECT_EQ(Find(dialog, "EditOnline")->text().toStdString(), dialog.Library.Online[f]);
    EXPECT_EQ(Find(dialog, "EditOffTime")->text().toStdString(), dialog.Library.OffTime[f]);
    // Added once: the second time selects it and says so.
    ui.Messages.clear();
    dialog.AddFromLibrary("pppd (journal)");
    EXPECT_EQ(dialog.WorkingCopy().Count, 3);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_TRUE(ui.Messages[0].Text.starts_with("A log format named pppd (journal) is defined"));

    // A path that names nothing leaves the view empty and says so in it.
    Find(dialog, "EditLogFile")->setText(QString::fromStdString(home.File("nothing-here")));
    EXPECT_EQ(Find<LogFileView>(dialog, "MemoLog")->placeholderText(), "The file was not found.");

    // Its own source is this machine's journal, which may not be readable here.
    ui.Messages.clear();
    Find(dialog, "EditLogFile")->setText(QString::fromStdString(home.File("system.journal")));
    const QStringList lines =
        Find<LogFileView>(dialog, "MemoLog")->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith("2023-08-10T14:45:43")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith(" pppd[84797]: Connect: ppp0 <--> /dev/ttyUSB0"));

    QLineEdit* time = Find(dialog, "EditOnTime");
    emit time->customContextMenuRequested(QPoint(2, 2));
    EXPECT_FALSE(Find<QAction>(dialog, "MenuFileYear")->isEnabled());
    QLineEdit* year = Find(dialog, "EditOnYear");
    emit year->customContextMenuRequested(QPoint(2, 2));
    Find<QAction>(dialog, "MenuFileYear")->trigger();
    EXPECT_EQ(year->text().toStdString(), FileYearLocator);
    EXPECT_EQ(Find(dialog, "EditOffYear")->text().toStdString(), FileYearLocator);
    EXPECT_TRUE(ui.Messages.empty());
    QApplication::closeAllWindows();
}

TEST_F(LogFilesDialog, BrowseAndHelp)
{
    TDlgLog dialog(formats, home.Path());
    std::string offered;
    dialog.BrowseForFile = [&](const std::string& current) {
        offered = current;
        return std::string("/var/log/ppp.log");
    };
    dialog.BtnBrowseClick();
    EXPECT_EQ(offered, home.File("ModemLog.Txt"));
    EXPECT_EQ(Find(dialog, "EditLogFile")->text(), "/var/log/ppp.log");
    dialog.BrowseForFile = [](const std::string&) { return std::string(); };
    dialog.BtnBrowseClick();
    EXPECT_EQ(Find(dialog, "EditLogFile")->text(), "/var/log/ppp.log");

    auto* pages = Find<QTabWidget>(dialog, "PageControl");
    for (int page = 0; page < 3; ++page) {
        pages->setCurrentIndex(page);
        Click(dialog, "BtnHelp");
        EXPECT_EQ(HelpWindow::LastTopic(), 3510 + 10 * page);
    }
    QApplication::closeAllWindows();
}

} // namespace

} // namespace dialtally
