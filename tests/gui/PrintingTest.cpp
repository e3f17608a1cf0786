#include "PrintingTestSupport.h"
#include "TestSupport.h"
#include "base/NewIniFile.h"
#include "reports/ui/ChartPicture.h"
#include "reports/ui/DisplayStyle.h"
#include "reports/ui/GridPrinter.h"
#include "reports/ui/PrintDialogs.h"
#include "reports/ui/PrintSettingsDialog.h"
#include "reports/ui/ReportChartView.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QMimeData>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace dialtally {

namespace {

// Prints into a PDF file of the temporary folder and answers the page
// range dialog without showing it.
class PrintToPdf : public testing::Test {
protected:
    void SetUp() override
    {
        CurrentPrinter().setOutputFormat(QPrinter::PdfFormat);
        CurrentPrinter().setOutputFileName(QString::fromStdString(Pdf()));
        CurrentPrinter().setPageSize(QPageSize(QPageSize::A4));
    }
    void TearDown() override { SetPageRangeAnswer({}); }
    std::string Pdf() const { return folder.File("out.pdf"); }
    // Accepts the range first..last, 0 for the page count.
    void AnswerRange(int first, int last)
    {
        SetPageRangeAnswer([this, first, last](QPrinter& printer, int pageCount) {
            asked = pageCount;
            printer.setFromTo(first, last == 0 ? pageCount : last);
            return true;
        });
    }

    TempFolder folder;
    RecordingFrontEnd frontEnd;
    int asked = 0;
};

std::unique_ptr<QChartView> OneSeriesChart()
{
    auto* series = new QLineSeries;
    series->append(0, 1);
    series->append(1, 3);
    series->append(2, 2);
    auto chart = std::make_unique<QChartView>();
    chart->chart()->addSeries(series);
    chart->chart()->createDefaultAxes();
    chart->chart()->setTitle(QStringLiteral("Chart of calls"));
    chart->resize(400, 300);
    return chart;
}

int Count(const std::string& text, const std::string& what)
{
    int count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

} // namespace

TEST_F(PrintToPdf, GridPagesCarryTitleHeaderRowAndPageNumbers)
{
    const ReportOutput output = BuildSampleReport(90);
    Settings settings = SampleSettings();
    settings.Printer.TitleText = output.Title;
    settings.Printer.Borders = 1;
    AnswerRange(1, 0);
    ASSERT_TRUE(PrintGrid(nullptr, output, settings));
    const std::vector<std::string> pages = PdfPages(Pdf());
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(static_cast<int>(pages.size()), asked);
    const std::string count = std::to_string(pages.size());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        EXPECT_EQ(Count(pages[p], "Calls"), 1) << pages[p];
        EXPECT_NE(pages[p].find("March 1, 2001 - "), std::string::npos) << p;
        EXPECT_EQ(Count(pages[p], "Date On"), 1) << p;
        EXPECT_NE(pages[p].find("Description"), std::string::npos) << p;
        EXPECT_NE(pages[p].find(std::to_string(p + 1) + "/" + count), std::string::npos) << p;
    }
    // Every row is printed once: 90 calls over 30 days.
    int details = 0;
    for (const std::string& page : pages)
        details += Count(page, "Provider ");
    EXPECT_EQ(details, 90);
}

TEST_F(PrintToPdf, OnlyTheChosenPagesArePrinted)
{
    const ReportOutput output = BuildSampleReport(90);
    Settings settings = SampleSettings();
    AnswerRange(2, 2);
    ASSERT_TRUE(PrintGrid(nullptr, output, settings));
    const std::vector<std::string> pages = PdfPages(Pdf());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("2/" + std::to_string(asked)), std::string::npos);
    EXPECT_NE(pages[0].find("Date On"), std::string::npos);
}

TEST_F(PrintToPdf, LandscapeAndFittingToTheWidthChangeThePageCount)
{
    const ReportOutput output = BuildSampleReport(90);
    Settings settings = SampleSettings();
    AnswerRange(1, 0);
    ASSERT_TRUE(PrintGrid(nullptr, output, settings));
    const int portrait = asked;
    settings.Printer.Orientation = 1;
    ASSERT_TRUE(PrintGrid(nullptr, output, settings));
    EXPECT_GT(asked, portrait);
    settings.Printer.FitToPage = 3; // widen to the page: larger rows, more pages
    ASSERT_TRUE(PrintGrid(nullptr, output, settings));
    EXPECT_GT(asked, portrait);
}

TEST_F(PrintToPdf, ALongDescriptionDoesNotShrinkTheTableToNothing)
{
    ReportOutput output = BuildSampleReport(300);
    Settings settings = SampleSettings();
    settings.Printer.FitToPage = 2; // shrink to the page's width
    AnswerRange(1, 0);
    ASSERT_TRUE(PrintGrid(nullptr, output, settings));
    const int pages = asked;
    ReportTable& table = output.Table;
    table.Text.insert(table.Ends[2 * ReportTextColumns - 1], std::string(5000, 'x'));
    for (std::size_t cell = 2 * ReportTextColumns - 1; cell < table.Ends.size(); ++cell)
        table.Ends[cell] += 5000;
    ASSERT_TRUE(PrintGrid(nullptr, output, settings));
    EXPECT_GT(asked * 2, pages) << pages;
}

// A cell prints on one line: a line separator in a description prints as
// a blank rather than over the next row.
TEST_F(PrintToPdf, ALineSeparatorInACellPrintsAsABlank)
{
    ReportOutput output = BuildSampleReport(3);
    ReportTable& table = output.Table;
    const std::string added = "\u2028second line";
    table.Text.insert(table.Ends[2 * ReportTextColumns - 1], added);
    for (std::size_t cell = 2 * ReportTextColumns - 1; cell < table.Ends.size(); ++cell)
        table.Ends[cell] += static_cast<std::uint32_t>(added.size());
    AnswerRange(1, 0);
    ASSERT_TRUE(PrintGrid(nullptr, output, SampleSettings()));
    const std::vector<std::string> pages = PdfPages(Pdf());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("Provider 0 second line"), std::string::npos) << pages[0];
}

// What does not fit is cut with a sign rather than run over the next text
// or off the paper; margins that leave no room print nothing.
TEST_F(PrintToPdf, WhatDoesNotFitIsCutWithASignOrNotPrinted)
{
    struct Case {
        const char* What;
        std::function<void(PrintSettings&)> Set;
        std::vector<std::string> Seen; // none: nothing is printed
    } cases[] = {
        {"a long title beside the page number",
         [](PrintSettings& s) { s.TitleText = std::string(150, 'T'); },
         {"TT\u2026", "1/1"}},
        {"columns narrower than their texts",
         [](PrintSettings& s) {
             s.UseFixedWidth = true;
             s.FixedWidth = 60;
         },
         {"\u2026"}},
        {"margins wider than the paper",
         [](PrintSettings& s) { s.LeftSize = s.RightSize = 120; },
         {}},
        {"margins taller than the paper",
         [](PrintSettings& s) { s.HeaderSize = s.FooterSize = 150; },
         {}},
    };
    auto chart = OneSeriesChart();
    AnswerRange(1, 0);
    for (const Case& c : cases) {
        std::filesystem::remove(Pdf());
        Settings settings = SampleSettings();
        c.Set(settings.Printer);
        const std::size_t errors = frontEnd.Texts(MessageKind::Error).size();
        EXPECT_EQ(PrintGrid(nullptr, BuildSampleReport(3), settings), !c.Seen.empty()) << c.What;
        if (c.Seen.empty()) {
            EXPECT_FALSE(PrintChart(nullptr, chart.get(), settings.Printer)) << c.What;
            EXPECT_FALSE(std::filesystem::exists(Pdf())) << c.What;
            EXPECT_EQ(frontEnd.Texts(MessageKind::Error).size(), errors + 2) << c.What;
            continue;
        }
        const std::vector<std::string> pages = PdfPages(Pdf());
        ASSERT_EQ(pages.size(), 1u) << c.What;
        for (const std::string& seen : c.Seen)
            EXPECT_NE(pages[0].find(seen), std::string::npos) << c.What << "\n" << pages[0];
    }
}

TEST_F(PrintToPdf, CancellingTheRangeOfASplitViewPrintsNothing)
{
    const ReportOutput output = BuildSampleReport(30);
    const Settings settings = SampleSettings();
    auto chart = OneSeriesChart();
    SetPageRangeAnswer([](QPrinter&, int) { return false; });
    EXPECT_FALSE(PrintGridAndChart(nullptr, output, settings, chart.get()));
    EXPECT_FALSE(std::filesystem::exists(Pdf()));
}

TEST_F(PrintToPdf, SplitViewPrintsTheGridThenTheChart)
{
    const ReportOutput output = BuildSampleReport(30);
    const Settings settings = SampleSettings();
    auto chart = OneSeriesChart();
    AnswerRange(1, 0);
    ASSERT_TRUE(PrintGridAndChart(nullptr, output, settings, chart.get()));
    const std::vector<std::string> pages = PdfPages(Pdf());
    ASSERT_EQ(static_cast<int>(pages.size()), asked + 1);
    EXPECT_NE(pages.back().find("Chart of calls"), std::string::npos);
    EXPECT_EQ(pages.back().find("Date On"), std::string::npos);
}

// A file printer is asked for, so that an earlier printout is not
// overwritten unasked; the chart takes one page.
TEST_F(PrintToPdf, ChartPrintsOnOnePageOfAFileAskedFor)
{
    auto chart = OneSeriesChart();
    AnswerRange(1, 0);
    ASSERT_TRUE(PrintChart(nullptr, chart.get(), SampleSettings().Printer));
    EXPECT_EQ(asked, 1);
    const std::vector<std::string> pages = PdfPages(Pdf());
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("Chart of calls"), std::string::npos);

    // Nor is a file the report is made from written over.
    folder.Write("out.pdf", "the log");
    GuardPrintFiles([](const std::string& path) { return std::optional(path); });
    EXPECT_FALSE(PrintChart(nullptr, chart.get(), SampleSettings().Printer));
    GuardPrintFiles({});
    EXPECT_EQ(folder.Read("out.pdf"), "the log");
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error).size(), 1u);
}

TEST_F(PrintToPdf, AFolderThatCannotBeWrittenShowsTheError)
{
    CurrentPrinter().setOutputFileName(QStringLiteral("/nonexistent-folder/out.pdf"));
    AnswerRange(1, 0);
    EXPECT_FALSE(PrintGrid(nullptr, BuildSampleReport(3), SampleSettings()));
    ASSERT_EQ(frontEnd.Texts(MessageKind::Error).size(), 1u);
    EXPECT_NE(frontEnd.Texts(MessageKind::Error)[0].find("/nonexistent-folder/out.pdf"),
              std::string::npos);
}

// The earlier file stays whole until the print ends, and stays as it was
// when the print is stopped.
TEST_F(PrintToPdf, AnEarlierFileStaysWholeUntilThePrintEnds)
{
    for (const bool stopped : {false, true}) {
        folder.Write("out.pdf", "earlier printout");
        AnswerRange(1, 0);
        std::vector<std::string> during;
        frontEnd.OnProgress = [&] {
            during.push_back(folder.Read("out.pdf"));
            for (QWidget* window : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(window); progress && stopped)
                    progress->cancel();
        };
        EXPECT_EQ(PrintGrid(nullptr, BuildSampleReport(300), SampleSettings()), !stopped);
        frontEnd.OnProgress = {};
        ASSERT_FALSE(during.empty());
        for (const std::string& text : during)
            EXPECT_EQ(text, "earlier printout");
        EXPECT_EQ(folder.Read("out.pdf").starts_with("%PDF"), !stopped) << stopped;
        // No temporary file is left, and the dialog offers the chosen name.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                                std::filesystem::directory_iterator()),
                  1);
        EXPECT_EQ(CurrentPrinter().outputFileName().toStdString(), Pdf());
    }
}

// A disk that fills during the print: the PDF engine says nothing of it,
// and an empty or cut-off file took the earlier one's place. The next print
// must work again once there is room.
TEST_F(PrintToPdf, AFileCutShortByTheDiskIsNotPutInPlace)
{
    folder.Write("out.pdf", "earlier printout");
    AnswerRange(1, 0);
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{10'000, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool printed = PrintGrid(nullptr, BuildSampleReport(300), SampleSettings());
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(printed);
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred writing " + Pdf() + "."});
    EXPECT_EQ(folder.Read("out.pdf"), "earlier printout");

    EXPECT_TRUE(PrintGrid(nullptr, BuildSampleReport(300), SampleSettings()));
    const std::string pdf = folder.Read("out.pdf");
    EXPECT_TRUE(pdf.starts_with("%PDF"));
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos);
}

TEST(SaveChartAs, TheFilterForcesItsExtension)
{
    TempFolder folder;
    RecordingFrontEnd frontEnd;
    auto chart = OneSeriesChart();
    struct Case {
        int Filter;
        const char* Written;
        const char* Start;
    } cases[] = {{2, "Week.svg", "<?xml"},
                 {3, "Week.pdf", "%PDF"},
                 {1, "Week.bmp", "BM"},
                 {4, "Week.bmp", "BM"}};
    for (const Case& c : cases) {
        QString proposed;
        SetSaveFileAnswer([&](const QString& path, int filterIndex) {
            proposed = path;
            EXPECT_EQ(filterIndex, 1);
            return std::optional<SavedFile>(
                SavedFile{QString::fromStdString(folder.File("Week.bmp")), c.Filter});
        });
        const auto written = SaveChartAs(chart.get(), folder.Path(), "/r/Week.rep");
        SetSaveFileAnswer({});
        EXPECT_EQ(proposed.toStdString(), folder.File("Week.bmp"));
        ASSERT_TRUE(written.has_value()) << c.Filter;
        EXPECT_EQ(*written, folder.File(c.Written));
        EXPECT_EQ(folder.Read(c.Written).rfind(c.Start, 0), 0u) << c.Written;
        if (c.Filter == 2) {
            EXPECT_FALSE(std::filesystem::exists(folder.File("Week.bmp")));
        }
    }
    EXPECT_TRUE(frontEnd.Messages.empty());
}

TEST(SaveChartAs, AForcedNameOfAnExistingFileIsOnlyReplacedWhenAllowed)
{
    TempFolder folder;
    RecordingFrontEnd frontEnd;
    folder.Write("Week.svg", "keep");
    auto chart = OneSeriesChart();
    SetSaveFileAnswer([&](const QString&, int) {
        return std::optional<SavedFile>(
            SavedFile{QString::fromStdString(folder.File("Week.bmp")), 2});
    });
    frontEnd.Answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(SaveChartAs(chart.get(), folder.Path(), "Week.rep").has_value());
    SetSaveFileAnswer({});
    EXPECT_EQ(folder.Read("Week.svg"), "keep");
    ASSERT_EQ(frontEnd.Texts(MessageKind::Confirm).size(), 1u);
    EXPECT_EQ(frontEnd.Texts(MessageKind::Confirm)[0],
              folder.File("Week.svg") + " already exists. Overwrite the file?");
}

TEST(CopyChart, PutsAPictureOrABitmapOnTheClipboard)
{
    auto chart = OneSeriesChart();
    CopyChart(chart.get(), false);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage());
    EXPECT_FALSE(data->hasFormat(QStringLiteral("image/svg+xml")));
    CopyChart(chart.get(), true);
    data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    EXPECT_TRUE(data->hasImage());
}

// On a dark desktop the chart leaves the program in its printed colours:
// the copy's figures dark on its white, the picture on the classic ground,
// while the screen keeps the desktop's.
TEST(CopyChart, TakesThePrintedColoursOnADarkDesktop)
{
    const QPalette light = QGuiApplication::palette();
    QPalette dark = light;
    const QColor darkFace(0x42, 0x42, 0x45);
    dark.setColor(QPalette::Button, darkFace);
    QGuiApplication::setPalette(dark);
    ReportChart data;
    data.Of(ChartLevel::Details).Add(1, 1.2, "a");
    data.Of(ChartLevel::Details).Add(2, 0.6, "b");
    data.MaxX = 2;
    data.LastSeries = 0;
    ReportChartView view;
    view.resize(600, 400);
    view.ShowChart(data);
    const GraphDisplay graph;
    view.SetStyle(ChartStyleFor(graph), PrintedChartStyleFor(graph));
    CopyChart(&view, false);
    const QImage copied = QApplication::clipboard()->image();
    // Left of the plot stand only the left axis' figures and title.
    int darkPixels = 0;
    for (int y = 0; y < copied.height(); ++y)
        for (int x = 0; x < 30; ++x)
            darkPixels += QColor(copied.pixel(x, y)).lightness() < 100;
    EXPECT_GT(darkPixels, 0);
    EXPECT_FALSE(ChartPictureBytes(&view, ChartPictureFormat::Svg).contains("#424245"));
    EXPECT_EQ(view.chart()->backgroundBrush().color(), darkFace);
    QGuiApplication::setPalette(light);
}

TEST(PrintSettingsDialog, OkWritesThePrinterKeysBackUnchangedOrAsEdited)
{
    TempFolder folder;
    const ReportOutput output = BuildSampleReport(3);
    Settings settings = SampleSettings();
    PrintSettings& p = settings.Printer;
    p.ColumnSpacing = 3, p.RowSpacing = 4, p.TitleSpacing = 5, p.FixedHeight = 6;
    p.FixedWidth = 7, p.Centered = true, p.NoAutoSize = true, p.UseFixedHeight = true;
    p.UseFixedWidth = true, p.RepeatFixedRows = false, p.RepeatFixedCols = true;
    p.Borders = 8, p.BorderStyle = 6, p.Date = 3, p.PageNr = 6, p.Title = 0, p.Time = 1;
    p.DateFormat = "yyyy-mm-dd", p.TitleText = "Title", p.FooterSize = 11, p.HeaderSize = 12;
    p.LeftSize = 13, p.RightSize = 14, p.FitToPage = 4, p.Orientation = 1;
    p.Font = FontSpec{"Arial", 9, clRed, FontPitch::Default, fsBold | fsStrikeOut};
    p.HeaderFont = FontSpec{"Courier", 10, clBlue, FontPitch::Default, fsItalic};
    p.FooterFont = FontSpec{"Times", 11, 0x123456, FontPitch::Default, fsUnderline};
    p.PageNumSep = " of ", p.PageSuffix = ")", p.PagePrefix = "(";
    const PrintSettings stored = p;

    PrintSettingsDialog unchanged(settings, output);
    p = PrintSettings{};
    unchanged.BtnOkClick();
    EXPECT_EQ(settings.Printer, stored);

    PrintSettingsDialog edited(settings, output);
    edited.findChild<QSpinBox*>(QStringLiteral("EditLeftSize"))->setValue(25);
    edited.findChild<QLineEdit*>(QStringLiteral("EditPageNumSep"))->setText(QStringLiteral("-"));
    edited.BtnOkClick();
    PrintSettings expected = stored;
    expected.LeftSize = 25;
    expected.PageNumSep = "-";
    EXPECT_EQ(settings.Printer, expected);

    // And through the settings file.
    TNewIniFile out(folder.File("Dialtally.ini"));
    SavePrintSettings(out, settings.Printer);
    ASSERT_TRUE(out.UpdateFile());
    const TNewIniFile in(folder.File("Dialtally.ini"));
    PrintSettings loaded;
    LoadPrintSettings(in, loaded);
    EXPECT_EQ(loaded, expected);
}

TEST(PrintSettingsDialog, FontsPageOnlyWithoutTheDisplayFonts)
{
    const ReportOutput output = BuildSampleReport(3);
    Settings settings = SampleSettings();
    const auto hasFonts = [&] {
        PrintSettingsDialog dialog(settings, output);
        const auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl"));
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->tabText(i) == QStringLiteral("Fonts"))
                return true;
        return false;
    };
    EXPECT_TRUE(hasFonts());
    settings.Options.PrintDisplayFonts = true;
    EXPECT_FALSE(hasFonts());
}

// Shown, the dialog has the focus in its page; Ctrl+Tab and Ctrl+Page Up
// turn the pages even from the combo box, which would keep the keys.
TEST(PrintSettingsDialog, TheKeyboardReachesAndTurnsThePages)
{
    const ReportOutput output = BuildSampleReport(3);
    Settings settings = SampleSettings();
    PrintSettingsDialog dialog(settings, output);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* tabs = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    QWidget* borders = dialog.findChild<QWidget*>(QStringLiteral("ComboBorders"));
    EXPECT_EQ(QApplication::focusWidget(), borders);
    const int bordersChoice = settings.Printer.Borders;
    QTest::keyClick(borders, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(dialog.Collected().Borders, bordersChoice);
}

TEST_F(PrintToPdf, PreviewDrawsThePagesOfTheEditedSettings)
{
    const ReportOutput output = BuildSampleReport(90);
    Settings settings = SampleSettings();
    PrintSettingsDialog dialog(settings, output);
    dialog.findChild<QLineEdit*>(QStringLiteral("EditTitleText"))
        ->setText(QStringLiteral("Edited"));
    dialog.PaintPreview(&CurrentPrinter());
    const std::vector<std::string> pages = PdfPages(Pdf());
    ASSERT_GE(pages.size(), 2u);
    EXPECT_NE(pages[1].find("Edited"), std::string::npos);
    EXPECT_TRUE(settings.Printer.TitleText.empty()); // not written before OK

    // Margins that leave no room are refused before a preview of blank pages.
    for (const char* margin : {"EditLeftSize", "EditRightSize"})
        dialog.findChild<QSpinBox*>(QString::fromLatin1(margin))->setValue(120);
    bool previewed = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* preview = QApplication::activeModalWidget()) {
            previewed = true;
            preview->close();
        }
    });
    const std::size_t errors = frontEnd.Texts(MessageKind::Error).size();
    dialog.BtnPreviewClick();
    QApplication::processEvents();
    EXPECT_FALSE(previewed);
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error).size(), errors + 1);
}

// Landscape in the preview turns its page and the settings' with it; the
// preview's own Print, past every check of the print, is not offered.
TEST_F(PrintToPdf, ThePreviewTurnsThePageAndLeavesPrintingToPrint)
{
    const ReportOutput output = BuildSampleReport(3);
    Settings settings = SampleSettings();
    settings.Printer.Orientation = 0;
    PrintSettingsDialog dialog(settings, output);
    bool printOffered = true;
    QPageLayout::Orientation turned = QPageLayout::Portrait;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        printOffered = false;
        for (QAction* action : preview->findChildren<QAction*>()) {
            if (action->text() == QStringLiteral("Print") && action->isVisible())
                printOffered = true;
            if (action->text() == QStringLiteral("Landscape"))
                action->trigger();
        }
        turned = CurrentPrinter().pageLayout().orientation();
        preview->reject();
    });
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("BtnPreview")), Qt::LeftButton);
    EXPECT_FALSE(printOffered);
    EXPECT_EQ(turned, QPageLayout::Landscape);
    EXPECT_EQ(dialog.Collected().Orientation, 1);
}

} // namespace dialtally
