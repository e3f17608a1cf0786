#include "app/ui/MainWindow.h"
#include "TestSupport.h"
#include "WindowFixture.h"
#include "app/ui/CriteriaBarWidget.h"
#include "app/ui/InstanceChannelQt.h"
#include "reports/ExportWriters.h"
#include "reports/ui/ReportGridView.h"
#include "reports/ui/ReportTableModel.h"
#include "widgets/StatusPanelsWidget.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace dialtally {

namespace fs = std::filesystem;

namespace {

TEST_F(WindowFixture, BackThenOpeningAnotherDropsTheForwardEntry)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("B")));
    window->Navigator().GoBack();
    EXPECT_EQ(Shown(*window), "Report A");
    EXPECT_TRUE(window->Action("GoForward")->isEnabled());
    EXPECT_EQ(window->Navigator().ForwardToolTip(), "Forward to Report B");

    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("C")));
    EXPECT_EQ(window->State().History.Count, 2);
    EXPECT_FALSE(window->Action("GoForward")->isEnabled());
    window->Navigator().GoBack();
    EXPECT_EQ(Shown(*window), "Report A");
}

TEST_F(WindowFixture, RefreshingTwiceAddsEqualEntries)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    window->RefreshReport();
    window->RefreshReport();
    EXPECT_EQ(window->State().History.Count, 3);
    window->Navigator().GoBack();
    EXPECT_EQ(Shown(*window), "Report A");
    EXPECT_EQ(window->State().History.Count, 3) << "an equal entry keeps the forward history";
}

TEST_F(WindowFixture, ClosingTheMiddleShowsTheNextAndClosingTheLastClosesAll)
{
    auto window = MakeWindow();
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(window->Document().ReadReportFile(ReportPath(name)));
    window->Navigator().GoBack();
    ASSERT_EQ(Shown(*window), "Report B");

    window->Navigator().CloseReport();
    EXPECT_EQ(Shown(*window), "Report C");
    EXPECT_EQ(window->State().History.Count, 2);

    window->Navigator().CloseReport(); // back to A
    EXPECT_EQ(Shown(*window), "Report A");
    window->Navigator().CloseReport();
    EXPECT_EQ(window->State().History.Position, -1);
    EXPECT_EQ(window->State().History.Count, 0);
    EXPECT_EQ(window->windowTitle(), "Dialtally");
    EXPECT_EQ(window->StatusPanels()->PanelText(2), "");
}

TEST_F(WindowFixture, ViewSwitchAddsAnEntryThatBackUndoes)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    window->SetView("Graph");
    EXPECT_EQ(window->State().Current.ReportType, "Graph");
    EXPECT_EQ(window->State().History.Count, 2);
    window->Navigator().GoBack();
    EXPECT_EQ(window->State().Current.ReportType, "Text");
}

TEST_F(WindowFixture, ShowsTheReportInGridCriteriaAndStatus)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    EXPECT_EQ(window->windowTitle(), "Report A - Dialtally");
    ASSERT_GT(window->Grid()->model()->rowCount(), 2);
    EXPECT_EQ(window->Grid()->ReportModel()->CellText(0, 6), "Description");
    const auto* from = window->CriteriaBar()->findChild<QDateEdit*>("DateTimePickerDateF");
    ASSERT_NE(from, nullptr);
    // All dates: the reader puts the log's first date in the report.
    EXPECT_EQ(from->date(), QDate(2024, 12, 1));
    EXPECT_EQ(from->text(), "12/1/2024");
    const auto& texts = m_messages->StatusTexts;
    EXPECT_NE(std::find_if(texts.begin(), texts.end(),
                           [](const auto& t) { return t.first == 2 && t.second != ""; }),
              texts.end());
    EXPECT_EQ(window->LogFileBox()->currentText(), "Windows Dial-Up Networking");
}

TEST_F(WindowFixture, ChangingTheLogFileBoxMakesAnUntitledReport)
{
    std::ofstream(m_home.Path() + "Dialtally.log", std::ios::binary | std::ios::app)
        << "LogType=Windows Update\r\nLogFile=Update.txt\r\n";
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    QComboBox* box = window->LogFileBox();
    const int other = box->findText("Windows Update");
    ASSERT_GE(other, 0);
    box->setCurrentIndex(other);
    window->RefreshReport();
    EXPECT_EQ(window->State().Current.FileName, m_home.Path() + "Untitled.rep");
    EXPECT_EQ(Shown(*window), "Windows Update");
    box->setCurrentIndex(box->findText("Windows Dial-Up Networking"));
    window->RefreshReport();
    EXPECT_EQ(window->State().Current.FileName, m_home.Path() + "Untitled.rep");

    // A report over a format that is not defined leaves the box empty; a
    // refresh keeps the report and names the format in the read error.
    window->State().Current.LogType = "pppd (syslog)";
    window->State().Current.FileName = ReportPath("A");
    box->setCurrentIndex(-1);
    m_messages->Messages.clear();
    window->RefreshReport();
    EXPECT_EQ(window->State().Current.FileName, ReportPath("A"));
    EXPECT_EQ(window->State().Current.LogType, "pppd (syslog)");
    ASSERT_FALSE(m_messages->Messages.empty());
    const std::string& message = m_messages->Messages.back().Text;
    EXPECT_NE(message.find("reading pppd (syslog)."), std::string::npos) << message;
}

// Log Files OK and Costs OK save their files; the report is read again
// only by a refresh, while the list of formats follows at once.
TEST_F(WindowFixture, ToolsOkSavesButReadsNothing)
{
    struct Case {
        const char* Action;
        const char* File;
    };
    for (const Case& c :
         {Case{"ToolsLogFiles", "Dialtally.log"}, Case{"ToolsCosts", "Dialtally.prv"}}) {
        auto window = MakeWindow();
        ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
        const int entries = window->State().History.Count;
        fs::remove(m_home.Path() + c.File);
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            if (auto* name = dialog->findChild<QLineEdit*>("EditLogType"))
                name->setText("Renamed format");
            dialog->findChild<QPushButton*>("BtnOk")->click();
        });
        window->Action(c.Action)->trigger();
        EXPECT_TRUE(fs::exists(m_home.Path() + c.File)) << c.Action;
        EXPECT_EQ(window->State().History.Count, entries) << c.Action;
        if (std::string(c.Action) == "ToolsLogFiles") {
            EXPECT_GE(window->LogFileBox()->findText("Renamed format"), 0);
        }
    }
}

// From the keyboard alone: a dialog opens with the focus on a control to
// type into or choose from, not on a button; Ctrl+Tab and Ctrl+Page Down
// turn its pages from any control, a combo box too; Tab leaves the log
// file's contents.
TEST_F(WindowFixture, TheDialogsServeTheKeyboard)
{
    struct Case {
        const char* Action;
        const char* Focused;
        const char* TurnFrom; // on the first page; null: no pages
        const char* TabOutOf; // on the second page
        const char* Nested;   // a button opening another dialog
        const char* NestedFocused;
    };
    const Case cases[] = {
        {"FileProperties", "EditTitle", "ComboLogFile", nullptr, nullptr, nullptr},
        {"ToolsCosts", "ListBoxProv", "ComboMonthBegin", nullptr, nullptr, nullptr},
        {"ToolsOptions", "EditDefault", "EditDefault", nullptr, nullptr, nullptr},
        {"ToolsLogFiles", "ListBoxLog", "ListBoxLog", "MemoLog", nullptr, nullptr},
        {"FileExport", "ListBoxExp", nullptr, nullptr, "BtnHtml", "EditBorderSize"},
    };
    const auto focused = [](QWidget* dialog) {
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        return dialog->focusWidget() ? dialog->focusWidget()->objectName().toStdString()
                                     : std::string();
    };
    auto window = MakeWindow();
    window->show();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Action);
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no dialog";
                return;
            }
            EXPECT_EQ(focused(dialog), c.Focused);
            if (c.TurnFrom) {
                auto* pages = dialog->findChild<QTabWidget*>("PageControl");
                QTest::keyClick(dialog->findChild<QWidget*>(c.TurnFrom), Qt::Key_Tab,
                                Qt::ControlModifier);
                EXPECT_EQ(pages->currentIndex(), 1);
                if (c.TabOutOf) {
                    auto* view = dialog->findChild<QWidget*>(c.TabOutOf);
                    view->setFocus();
                    QTest::keyClick(view, Qt::Key_Tab);
                    EXPECT_NE(QApplication::focusWidget(), view);
                }
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
                EXPECT_EQ(pages->currentIndex(), 2 % pages->count());
            }
            if (c.Nested) {
                dialog->findChild<QListWidget*>()->setCurrentRow(ExportHtml);
                QTimer::singleShot(0, [&] {
                    QWidget* nested = QApplication::activeModalWidget();
                    EXPECT_EQ(focused(nested), c.NestedFocused);
                    nested->close();
                });
                dialog->findChild<QPushButton*>(c.Nested)->click();
            }
            dialog->reject();
        });
        window->Action(c.Action)->trigger();
    }
}

// A log chosen in the first-time setup is read at once: the window showed
// an empty grid until Refresh. A report given at the start is read after
// the setup, over the log it chose: it was read before, from the log the
// setup was about to replace.
TEST_F(WindowFixture, TheLogChosenInTheFirstTimeSetupIsShown)
{
    const std::string report = ReportPath("A");
    for (const bool handedOver : {false, true}) {
        for (const bool chosen : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "handed over " << handedOver << ", chosen " << chosen);
            fs::remove(m_home.Path() + "Dialtally.log");
            auto window = MakeWindow();
            window->show();
            if (handedOver)
                window->OpenHandedOverReports({QString::fromStdString(report)});
            bool readBeforeSetup = true;
            QTimer::singleShot(0, [&, chosen] {
                readBeforeSetup = window->State().History.Position >= 0;
                QWidget* dialog = QApplication::activeModalWidget();
                ASSERT_NE(dialog, nullptr);
                dialog->findChild<QListWidget*>("ListBoxFiles")->setCurrentRow(0);
                dialog->findChild<QPushButton*>(chosen ? "BtnOk" : "BtnCancel")->click();
            });
            QApplication::processEvents();
            EXPECT_FALSE(readBeforeSetup);
            if (handedOver) {
                EXPECT_EQ(window->State().Current.FileName, report);
                EXPECT_EQ(window->State().History.Position, 0);
                EXPECT_GT(window->State().Connections.Count(), 0);
                continue;
            }
            EXPECT_EQ(window->State().Connections.Count() > 0, chosen);
            EXPECT_EQ(window->State().History.Position >= 0, chosen);
        }
    }
}

// Texts written on Windows in Windows-1252: a refresh keeps the report and
// what it finds, and Properties, Save and the Log Files dialog keep the
// bytes; the window shows them decoded.
TEST_F(WindowFixture, TextsInAWindowsCodePageComeThroughAsTheyWere)
{
    const auto replace = [&](const std::string& file, const std::string& old,
                             const std::string& now) {
        std::string text = ReadText(m_home.Path() + file);
        for (std::size_t at = text.find(old); at != std::string::npos;
             at = text.find(old, at + now.size()))
            text.replace(at, old.size(), now);
        std::ofstream(m_home.Path() + file, std::ios::binary) << text;
    };
    // Descriptions in the log's own code page, as old Windows logs have them.
    replace("ModemLog.txt", "52000bps", "52000b\xE9s");
    const std::string format = "Modem \xAB Num\xE9"
                               "rotation \xBB";
    replace("Dialtally.log", "LogType=Windows Dial-Up Networking", "LogType=" + format);
    const struct {
        const char* Key;
        std::string Value;
    } cases[] = {
        {"LogType", format},
        {"ReportDescription", "\xDC"
                              "berblick Caf\xE9 \xA3"},
        {"CriteriaInclude", "b\xE9s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        const std::string report =
            WriteReport("W", {{"LogType", format}, {"CriteriaDescripAll", "0"}, {c.Key, c.Value}});
        auto window = MakeWindow();
        ASSERT_TRUE(window->Document().ReadReportFile(report));
        const int connections = window->State().Connections.Count();
        ASSERT_GT(connections, 0);
        window->Action("ViewRefresh")->trigger();
        EXPECT_EQ(window->State().Current.FileName, report);
        EXPECT_EQ(window->State().Connections.Count(), connections);
        // Another change makes OK apply every field.
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("EditExclude")->setText(QStringLiteral("zzz"));
            dialog->findChild<QPushButton*>("BtnOkProp")->click();
        });
        window->Action("FileProperties")->trigger();
        window->Action("FileSave")->trigger();
        EXPECT_NE(ReadText(report).find("\n" + std::string(c.Key) + "=" + c.Value + "\r"),
                  std::string::npos);
    }
    const std::string formats = ReadText(m_home.Path() + "Dialtally.log");
    auto window = MakeWindow();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->findChild<QLineEdit*>("EditLogType")->text(),
                  QStringLiteral("Modem « Numérotation »"));
        dialog->findChild<QPushButton*>("BtnModify")->click();
        dialog->findChild<QPushButton*>("BtnOk")->click();
    });
    window->Action("ToolsLogFiles")->trigger();
    EXPECT_EQ(ReadText(m_home.Path() + "Dialtally.log"), formats);
}

// A button taken off the bar and put back follows its command again: Back
// stays disabled with no history to go back to.
TEST_F(WindowFixture, AButtonPutBackOnTheBarFollowsItsCommand)
{
    auto window = MakeWindow();
    window->show();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    auto* back = window->findChild<QToolButton*>("BtnBack");
    ASSERT_NE(back, nullptr);
    ASSERT_FALSE(back->isEnabled());
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* shown = dialog->findChild<QListWidget*>("ListBoxVisible");
        auto* offered = dialog->findChild<QListWidget*>("ListBoxAvailable");
        shown->setCurrentItem(shown->findItems("Back", Qt::MatchExactly).value(0));
        dialog->findChild<QPushButton*>("BtnRemove")->click();
        offered->setCurrentItem(offered->findItems("Back", Qt::MatchExactly).value(0));
        dialog->findChild<QPushButton*>("BtnAdd")->click();
        dialog->findChild<QPushButton*>("BtnClose")->click();
    });
    window->Action("ViewCustomize")->trigger();
    EXPECT_TRUE(window->State().Options.Toolbars.Btn[1]);
    EXPECT_FALSE(back->isEnabled());
}

TEST_F(WindowFixture, AReportHandedOverBeforeShowingKeepsItsCaption)
{
    auto window = MakeWindow();
    window->OpenHandedOverReports({QString::fromStdString(ReportPath("A"))});
    window->show();
    EXPECT_EQ(window->windowTitle(), "Report A - Dialtally");
}

// The pass lets the window repaint as it goes; what arrives meanwhile, a
// report handed over or a close, waits for its end.
TEST_F(WindowFixture, AHandOverAndACloseDuringAPassWaitForItsEnd)
{
    auto window = MakeWindow();
    window->OpenHandedOverReports({QString::fromStdString(ReportPath("A"))});
    window->show();
    QApplication::processEvents();
    std::string shownMidPass;
    bool visibleMidPass = false;
    m_messages->OnProgress = [&] {
        if (!shownMidPass.empty())
            return;
        window->OpenHandedOverReports({QString::fromStdString(ReportPath("B"))});
        window->close();
        shownMidPass = Shown(*window);
        visibleMidPass = window->isVisible();
    };
    window->RunReport();
    EXPECT_EQ(shownMidPass, "Report A");
    EXPECT_TRUE(visibleMidPass);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 3000));
    EXPECT_EQ(Shown(*window), "Report B");
    EXPECT_EQ(window->windowTitle(), "Report B - Dialtally");
}

// A sort lets the window repaint too: a report handed over meanwhile opens
// after it, unsorted, rather than being sorted in its place.
TEST_F(WindowFixture, AHandOverDuringASortWaitsForItsEnd)
{
    auto window = MakeWindow();
    window->OpenHandedOverReports({QString::fromStdString(ReportPath("A"))});
    window->show();
    QApplication::processEvents();
    bool handedOver = false;
    m_messages->OnBusy = [&](bool busy) {
        if (busy && !std::exchange(handedOver, true))
            window->OpenHandedOverReports({QString::fromStdString(ReportPath("B"))});
    };
    emit window->Grid()->horizontalHeader()->sectionClicked(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(*window) == "Report B"; }, 3000));
    EXPECT_NE(window->State().Output.Sort.Column, 1);
}

// Panel 0 is a quarter of the window wide; a longer hint shows whole as
// its tool-tip, at once while it stands there.
TEST_F(WindowFixture, TheFirstStatusPanelShowsItsWholeTextAsTip)
{
    auto window = MakeWindow();
    window->resize(600, 400);
    window->show();
    QApplication::processEvents();
    const QString hint = "Copy selected text or graph to the clipboard, and then some more";
    window->StatusPanels()->SetPanelText(0, hint);
    EXPECT_EQ(window->StatusPanels()->findChild<QLabel*>("StatusPanel0")->toolTip(), hint);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), hint);
    window->StatusPanels()->SetPanelText(0, "A");
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

// A window that was never placed opens with room for the bars (no
// chevron) and fifteen grid rows; placed bounds replace that size.
TEST_F(WindowFixture, FirstWindowFitsTheBarsAndFifteenRows)
{
    auto window = MakeWindow();
    window->show();
    QApplication::processEvents();
    for (const int id : {1, 2}) {
        auto* more = window->Band(id)->findChild<QToolButton*>("qt_toolbar_ext_button");
        ASSERT_NE(more, nullptr);
        EXPECT_FALSE(more->isVisible()) << "band " << id;
    }
    EXPECT_GE(window->Grid()->viewport()->height(), 15 * ReportGridView::RowHeight);

    m_extraSettings = "[Window]\r\nLeft=10\r\nTop=20\r\nWidth=400\r\nHeight=300\r\n";
    SetUp();
    EXPECT_EQ(MakeWindow()->size(), QSize(400, 300));

    // Saved on a larger screen: brought back onto this one.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    m_extraSettings = "[Window]\r\nLeft=" + std::to_string(screen.width() / 2) +
                      "\r\nTop=" + std::to_string(screen.height() / 2) +
                      "\r\nWidth=" + std::to_string(screen.width() + 300) +
                      "\r\nHeight=" + std::to_string(screen.height() + 200) + "\r\n";
    SetUp();
    const auto large = MakeWindow();
    EXPECT_TRUE(screen.contains(large->geometry()))
        << large->geometry().x() << "," << large->geometry().width();
}

struct StartupCase {
    const char* Options;
    bool HandOver;
    const char* Expected; // "" for no report
};

class StartupOptions : public WindowFixture, public testing::WithParamInterface<StartupCase> {};

TEST_P(StartupOptions, OpenTheRightReport)
{
    const StartupCase& c = GetParam();
    m_extraSettings = std::string("Recent1=") + ReportPath("B") + "\r\n[Options]\r\n" + c.Options;
    SetUp(); // rewrite the settings with the options
    std::ofstream(m_home.Path() + "Default.rep", std::ios::binary) << ReadText(ReportPath("A"));
    auto window = MakeWindow();
    if (c.HandOver)
        window->OpenHandedOverReports({QString::fromStdString("\"" + ReportPath("C") + "\"")});
    window->OpenStartupReport();
    EXPECT_FALSE(window->StartupPending());
    if (std::string(c.Expected).empty())
        EXPECT_EQ(window->State().History.Position, -1);
    else
        EXPECT_EQ(Shown(*window), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Window, StartupOptions,
    testing::Values(StartupCase{"LoadDefault=1\r\nLoadRecent=1\r\n", false, "Report A"},
                    StartupCase{"LoadDefault=0\r\nLoadRecent=1\r\n", false, "Report B"},
                    StartupCase{"LoadDefault=0\r\nLoadRecent=0\r\n", false, ""},
                    StartupCase{"LoadDefault=1\r\nLoadRecent=1\r\n", true, "Report C"}));

TEST_F(WindowFixture, CancelledCloseKeepsTheWindowAndWritesNoSettings)
{
    const std::string ini = m_home.Path() + "Dialtally.ini";
    const std::string before = ReadText(ini);
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    window->State().Current.Modified = true;
    window->show();
    m_messages->Answers.push_back(MessageAnswer::Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(ReadText(ini), before);

    m_messages->Answers.push_back(MessageAnswer::No);
    EXPECT_TRUE(window->close());
    EXPECT_NE(ReadText(ini), before);
}

TEST_F(WindowFixture, BandLayoutRoundTripsThroughTheSettings)
{
    m_extraSettings = "[Toolbars]\r\nLogfile=1\r\nBar1i=0\r\nBar1b=1\r\nBar2i=2\r\nBar2b=1\r\n"
                      "Bar3i=1\r\nBar3b=1\r\nBar4i=3\r\nBar4b=0\r\nBar4w=150\r\nBtn5=0\r\n";
    SetUp();
    auto window = MakeWindow();
    window->show();
    QApplication::processEvents();
    EXPECT_LT(window->Band(2)->y(), window->Band(1)->y()) << "the criteria bar comes first";
    window->StoreWindowSettings();
    const ToolbarSettings& bars = window->State().Options.Toolbars;
    const std::array<int, 4> ids{bars.Bands[0].Id, bars.Bands[1].Id, bars.Bands[2].Id,
                                 bars.Bands[3].Id};
    EXPECT_EQ(ids, (std::array<int, 4>{0, 2, 1, 3}));
    EXPECT_TRUE(bars.Bands[2].Break);
    EXPECT_FALSE(bars.Bands[3].Break) << "the log file box shares the button bar's row";
    EXPECT_EQ(bars.Bands[3].Width, 150) << "the log file band keeps its width";
    EXPECT_FALSE(bars.Btn[5]) << "Separator 2 stays hidden";
    EXPECT_TRUE(bars.Btn[1]);
    EXPECT_TRUE(bars.Logfile);
}

// The log file box shows a format's name whole at the band's default width
// (it cut "Windows Dial-Up Networking"), but a silly long name does not
// push it off the window.
TEST_F(WindowFixture, TheLogFileBoxShowsItsNamesWithinReason)
{
    m_extraSettings = "[Window]\r\nLeft=10\r\nTop=20\r\nWidth=700\r\nHeight=450\r\n"
                      "[Toolbars]\r\nLogfile=1\r\nBar4i=3\r\nBar4b=1\r\nBar4w=150\r\n";
    SetUp();
    std::string formats = ReadText(m_home.Path() + "Dialtally.log");
    const std::size_t from = formats.find("LogType=");
    formats += "LogType=" + std::string(120, 'W') + formats.substr(formats.find("\r\n", from));
    std::ofstream(m_home.Path() + "Dialtally.log", std::ios::binary) << formats;
    auto window = MakeWindow();
    window->show();
    QApplication::processEvents();
    const QComboBox* box = window->LogFileBox();
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->currentText(), "Windows Dial-Up Networking");
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->currentText()));
    EXPECT_TRUE(box->isVisible()) << "not moved into the band's overflow menu";
    EXPECT_LE(box->mapTo(window.get(), QPoint(box->width(), 0)).x(), window->width());
    EXPECT_EQ(window->width(), 700);
}

// A band alone on its row was as wide as the window; its width must not
// keep the window that wide at the next start.
TEST_F(WindowFixture, AWideLogFileBandOrLongFiguresDoNotHoldTheWindowWide)
{
    m_extraSettings = "[Window]\r\nLeft=10\r\nTop=20\r\nWidth=700\r\nHeight=450\r\n"
                      "[Toolbars]\r\nLogfile=1\r\nBar4i=3\r\nBar4b=1\r\nBar4w=1280\r\n";
    SetUp();
    auto window = MakeWindow();
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(window->width(), 700);
    EXPECT_LE(window->minimumSizeHint().width(), 700);

    for (int panel = 1; panel <= 5; ++panel)
        window->StatusPanels()->SetPanelText(panel, QString(60, QLatin1Char('9')));
    QApplication::processEvents();
    EXPECT_LE(window->minimumSizeHint().width(), 700);

    // Figures of a real report stay whole in a narrow window; the date gives way.
    const QStringList figures = {"561", "756", "562:19:22", "$2301.68"};
    for (int panel = 1; panel <= 4; ++panel)
        window->StatusPanels()->SetPanelText(panel, figures[panel - 1]);
    window->resize(450, 450);
    QApplication::processEvents();
    for (int panel = 1; panel <= 4; ++panel) {
        const auto* label =
            window->StatusPanels()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(panel));
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << panel;
    }
}

TEST(InstanceChannel, HandsLinesToTheRunningWindow)
{
    TempFolder folder;
    InstanceChannelQt running(QString::fromStdString(folder.Path()));
    ASSERT_TRUE(running.Listen());
    QSignalSpy received(&running, &InstanceChannelQt::Received);

    const InstanceChannelQt second(QString::fromStdString(folder.Path()));
    const QStringList paths{"/a/One.rep", "\"/b/Two.rep\"", "/c/New\nline 100%0A.rep"};
    EXPECT_TRUE(second.HandOver(paths));
    ASSERT_TRUE(received.wait(3000));
    EXPECT_EQ(received.first().first().toStringList(), paths);

    const InstanceChannelQt elsewhere(QString::fromStdString(folder.Path() + "other/"));
    EXPECT_FALSE(elsewhere.HandOver({"/a/One.rep"})) << "another program folder has no window";
    // The folder reached through a link is the same folder.
    TempFolder links;
    std::filesystem::create_directory_symlink(folder.Path(), links.File("home"));
    EXPECT_TRUE(InstanceChannelQt(QString::fromStdString(links.File("home"))).HandOver({"/l.rep"}));
    ASSERT_TRUE(received.wait(3000));

    // A second window of the folder leaves the first its channel, also once
    // it is gone.
    {
        InstanceChannelQt another(QString::fromStdString(folder.Path()));
        EXPECT_FALSE(another.Listen());
    }
    EXPECT_TRUE(second.HandOver({"/c/Three.rep"}));
    ASSERT_TRUE(received.wait(3000));
    EXPECT_EQ(received.last().first().toStringList(), QStringList{"/c/Three.rep"});
}

TEST_F(WindowFixture, HandedOverFilesThatAreNoReportsAreNotOpened)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    std::ofstream(m_home.Path() + "notes.txt", std::ios::binary) << ReadText(ReportPath("B"));
    m_messages->Messages.clear();
    window->OpenHandedOverReports({QString::fromStdString(m_home.Path() + "notes.txt"),
                                   QString::fromStdString(m_home.Path() + "Missing.rep")});
    EXPECT_EQ(Shown(*window), "Report A");
    EXPECT_EQ(window->State().History.Count, 1);
    EXPECT_EQ(m_messages->Texts(MessageKind::Error).size(), 1u) << "one message for the burst";
}

// A report handed over in place of one with unsaved changes asks first, as
// Open does; Cancel keeps the changed one.
TEST_F(WindowFixture, AHandOverOverUnsavedChangesAsksFirst)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    window->State().Current.Modified = true;
    const QStringList b{QString::fromStdString(ReportPath("B"))};
    m_messages->Answers.push_back(MessageAnswer::Cancel);
    window->OpenHandedOverReports(b);
    EXPECT_EQ(Shown(*window), "Report A");
    m_messages->Answers.push_back(MessageAnswer::No);
    window->OpenHandedOverReports(b);
    EXPECT_EQ(Shown(*window), "Report B");
    EXPECT_EQ(m_messages->Texts(MessageKind::Confirm).size(), 2u);
}

// A report handed over while a dialog is open waits until it is closed: the
// dialog's OK would store what it shows into the report handed over.
TEST_F(WindowFixture, AHandOverWaitsForAnOpenDialog)
{
    auto window = MakeWindow();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    QDialog dialog(window.get());
    dialog.setModal(true);
    dialog.show();
    window->OpenHandedOverReports({QString::fromStdString(ReportPath("B"))});
    QTest::qWait(400);
    EXPECT_EQ(Shown(*window), "Report A");
    dialog.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Shown(*window) == "Report B"; }, 2000));
}

// Sends raw bytes to the channel as a peer would, and closes.
void SendRaw(const QString& name, const QByteArray& bytes)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    ASSERT_TRUE(socket.waitForConnected(3000));
    socket.write(bytes);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(3000))
        ;
    socket.disconnectFromServer();
}

TEST(InstanceChannel, APeerSendingTooMuchIsDropped)
{
    TempFolder folder;
    InstanceChannelQt running(QString::fromStdString(folder.Path()));
    ASSERT_TRUE(running.Listen());
    QSignalSpy received(&running, &InstanceChannelQt::Received);
    const QByteArray longLine(InstanceChannelQt::MaxLineBytes + 1, 'x');
    QByteArray manyLines;
    for (qsizetype n = 0; n <= InstanceChannelQt::MaxLines; ++n)
        manyLines += "/a/One.rep\n";
    for (const QByteArray& bytes : {longLine, longLine + '\n', manyLines}) {
        SendRaw(InstanceChannelQt::ChannelName(QString::fromStdString(folder.Path())), bytes);
        EXPECT_FALSE(received.wait(500)) << bytes.size() << " bytes were taken";
    }
    SendRaw(InstanceChannelQt::ChannelName(QString::fromStdString(folder.Path())), "/a/One.rep\n");
    ASSERT_TRUE(received.wait(3000));
    EXPECT_EQ(received.last().first().toStringList(), QStringList{"/a/One.rep"});
}

// Hand-overs that arrive while the window is busy with the last (here a
// message box's event loop) are gathered, never handled inside it.
TEST(InstanceChannel, ABurstIsHandledOneDeliveryAtATime)
{
    TempFolder folder;
    InstanceChannelQt running(QString::fromStdString(folder.Path()));
    ASSERT_TRUE(running.Listen());
    int depth = 0, deepest = 0;
    QStringList all;
    QObject::connect(&running, &InstanceChannelQt::Received, [&](const QStringList& lines) {
        deepest = std::max(deepest, ++depth);
        all += lines;
        QEventLoop box;
        QTimer::singleShot(50, &box, &QEventLoop::quit);
        box.exec();
        --depth;
    });
    std::vector<std::unique_ptr<QLocalSocket>> peers;
    for (int n = 0; n < 40; ++n) {
        peers.push_back(std::make_unique<QLocalSocket>());
        peers.back()->connectToServer(
            InstanceChannelQt::ChannelName(QString::fromStdString(folder.Path())));
        ASSERT_TRUE(peers.back()->waitForConnected(3000));
        peers.back()->write(QByteArray("/missing/") + QByteArray::number(n) + ".rep\n");
        peers.back()->waitForBytesWritten(3000);
    }
    for (auto& peer : peers)
        peer->disconnectFromServer();
    for (int spins = 0; spins < 200 && all.size() < 40; ++spins)
        QTest::qWait(20);
    EXPECT_EQ(all.size(), 40);
    EXPECT_EQ(deepest, 1);
}

// Without a runtime folder the socket lies in a folder of the user's own
// in the temporary folder. Where even that is taken, a socket another user
// put where the channel lies gets nothing, and the second start opens a
// window of its own.
TEST(InstanceChannel, ASocketOfAnotherUserGetsNoPaths)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    TempFolder folder;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray temp = qgetenv("TMPDIR");
    const auto restoreEnvironment = [&] {
        for (const auto& [name, value] : {std::pair{"XDG_RUNTIME_DIR", runtime}, {"TMPDIR", temp}})
            if (value.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, value);
    };
    const std::shared_ptr<void> restore(nullptr, [&](void*) { restoreEnvironment(); });
    qunsetenv("XDG_RUNTIME_DIR");
    // A temporary folder of the test's, shared with everyone as /tmp is.
    ::chmod(folder.Path().c_str(), 0755);
    std::filesystem::create_directory(folder.File("tmp"));
    ::chmod(folder.File("tmp").c_str(), 01777);
    qputenv("TMPDIR", QByteArray::fromStdString(folder.File("tmp")));
    const QString own = InstanceChannelQt::PrivateFolder();
    EXPECT_TRUE(InstanceChannelQt::ChannelName(QStringLiteral("/x/")).startsWith(own + "/"));
    struct stat status {};
    ASSERT_EQ(::stat(own.toLocal8Bit().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);
    // Another user took that folder's name first.
    ASSERT_EQ(::chown(own.toLocal8Bit().constData(), 65534, 65534), 0);
    EXPECT_EQ(InstanceChannelQt::PrivateFolder(), QString());
    const InstanceChannelQt second(QString::fromStdString(folder.Path()));
    const QString name = InstanceChannelQt::ChannelName(QString::fromStdString(folder.Path()));
    const std::string path = (QDir::tempPath() + QLatin1Char('/') + name).toStdString();
    ::unlink(path.c_str());
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t other = ::fork();
    if (other == 0) {
        // As nobody: listen where the channel lies and tell what came.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        if (::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(server, 1) != 0)
            ::_exit(3);
        ::write(report[1], "L", 1);
        const int peer = ::accept(server, nullptr, nullptr);
        char byte = 0;
        const ssize_t got = peer >= 0 ? ::read(peer, &byte, 1) : -1;
        ::write(report[1], got > 0 ? "D" : "-", 1);
        ::_exit(0);
    }
    ::close(report[1]);
    char state = 0;
    ASSERT_EQ(::read(report[0], &state, 1), 1);
    ASSERT_EQ(state, 'L');
    EXPECT_FALSE(second.HandOver({"/a/One.rep"}));
    EXPECT_EQ(::read(report[0], &state, 1), 1);
    EXPECT_EQ(state, '-') << "the other user's socket received the path";
    ::close(report[0]);
    int exited = 0;
    ::waitpid(other, &exited, 0);
    ::unlink(path.c_str());

    // A private runtime folder of the user's is where the socket lies.
    std::filesystem::create_directory(folder.File("run"));
    ::chmod(folder.File("run").c_str(), 0700);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder.File("run")));
    EXPECT_TRUE(InstanceChannelQt::ChannelName(QStringLiteral("/x/"))
                    .startsWith(QString::fromStdString(folder.File("run/"))));
}

} // namespace

} // namespace dialtally
