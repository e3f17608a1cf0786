#include "reports/ui/ExportDialog.h"
#include "PrintingTestSupport.h"
#include "TestSupport.h"
#include "app/ProgramState.h"
#include "reports/ui/HtmlSettingsDialog.h"
#include "reports/ui/PrintDialogs.h"
#include "widgets/HelpWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace dialtally {

namespace {

struct ExportFixture : testing::Test {
    TempFolder folder;
    RecordingFrontEnd frontEnd;
    ReportOutput output = BuildSampleReport(6, "Week");
    Settings settings = SampleSettings();

    std::unique_ptr<TDlgExp> Dialog(const std::string& reportFile)
    {
        return std::make_unique<TDlgExp>(output, reportFile, "Week", settings,
                                         ExportSettingsFor(settings));
    }
    QLineEdit* File(TDlgExp& dialog)
    {
        return dialog.findChild<QLineEdit*>(QStringLiteral("EditFile"));
    }
};

} // namespace

TEST_F(ExportFixture, ProposesTheReportNameWithTheTypesExtension)
{
    auto dialog = Dialog("/reports/Week.rep");
    EXPECT_EQ(File(*dialog)->text(), QStringLiteral("/reports/Week.csv"));
    EXPECT_EQ(dialog->findChild<QLabel*>(QStringLiteral("LabelPrompt"))->text(),
              QStringLiteral("Select the file type or program to export the Week data to."));
    auto* html = dialog->findChild<QPushButton*>(QStringLiteral("BtnHtml"));
    EXPECT_FALSE(html->isVisibleTo(dialog.get()));
    dialog->findChild<QListWidget*>(QStringLiteral("ListBoxExp"))->setCurrentRow(ExportHtml);
    EXPECT_EQ(File(*dialog)->text(), QStringLiteral("/reports/Week.htm"));
    EXPECT_TRUE(html->isVisibleTo(dialog.get()));

    settings.Export = {"/exports/last.txt", ExportText};
    auto again = Dialog("/reports/Week.rep");
    EXPECT_EQ(File(*again)->text(), QStringLiteral("/exports/last.txt"));
    EXPECT_EQ(again->TypeIndex(), ExportText);
    settings.Export.Format = 17; // a stored index outside the list
    EXPECT_EQ(Dialog("/reports/Week.rep")->TypeIndex(), ExportCsv);
}

TEST_F(ExportFixture, ExportWritesTheFileAndRemembersIt)
{
    auto dialog = Dialog(folder.File("Week.rep"));
    dialog->show();
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("BtnExport")), Qt::LeftButton);
    const std::string path = folder.File("Week.csv");
    EXPECT_EQ(folder.Read("Week.csv").rfind("Date On,Time On,", 0), 0u);
    EXPECT_EQ(settings.Export.File, path);
    EXPECT_EQ(settings.Export.Format, ExportCsv);
    EXPECT_EQ(frontEnd.Texts(MessageKind::Information),
              std::vector<std::string>{"Completed export to " + path + "."});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ExportFixture, CsvUsesTheListSeparatorOfTheRegion)
{
    ScopedRegional preset("de-DE");
    auto dialog = Dialog(folder.File("Week.rep"));
    dialog->BtnExportClick();
    EXPECT_EQ(folder.Read("Week.csv").rfind("Date On;Time On;", 0), 0u);
}

TEST_F(ExportFixture, AnsweringNoKeepsTheFileAndStillCloses)
{
    folder.Write("Week.csv", "old");
    frontEnd.Answers.push_back(MessageAnswer::No);
    auto dialog = Dialog(folder.File("Week.rep"));
    dialog->show();
    dialog->BtnExportClick();
    EXPECT_EQ(folder.Read("Week.csv"), "old");
    EXPECT_EQ(
        frontEnd.Texts(MessageKind::Confirm),
        std::vector<std::string>{folder.File("Week.csv") + " already exists. Overwrite the file?"});
    EXPECT_TRUE(settings.Export.File.empty());
    EXPECT_FALSE(dialog->isVisible());
}

// A file the report is made from is refused before any overwrite question.
TEST_F(ExportFixture, AFileTheReportIsMadeFromIsRefused)
{
    folder.Write("Week.csv", "the log");
    auto dialog = Dialog(folder.File("Week.rep"));
    dialog->InputNamedBy = [](const std::string& path) { return std::optional(path); };
    dialog->BtnExportClick();
    EXPECT_EQ(folder.Read("Week.csv"), "the log");
    EXPECT_TRUE(frontEnd.Texts(MessageKind::Confirm).empty());
    ASSERT_EQ(frontEnd.Texts(MessageKind::Error).size(), 1u);
    EXPECT_TRUE(settings.Export.File.empty());
    EXPECT_NE(dialog->result(), QDialog::Accepted) << "kept open to choose another name";
}

TEST_F(ExportFixture, AFolderIsRefusedWithoutAskingToOverwrite)
{
    settings.Export = {folder.Path(), ExportCsv};
    auto dialog = Dialog(folder.File("Week.rep"));
    dialog->BtnExportClick();
    EXPECT_TRUE(frontEnd.Texts(MessageKind::Confirm).empty());
    ASSERT_EQ(frontEnd.Texts(MessageKind::Error).size(), 1u);
    EXPECT_NE(frontEnd.Texts(MessageKind::Error)[0].find("is a folder"), std::string::npos);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

TEST_F(ExportFixture, NoDataWritesNothing)
{
    output = BuildSampleReport(0, "Week");
    auto dialog = Dialog(folder.File("Week.rep"));
    dialog->BtnExportClick();
    EXPECT_FALSE(std::filesystem::exists(folder.File("Week.csv")));
    EXPECT_EQ(frontEnd.Texts(MessageKind::Information),
              std::vector<std::string>{"There was no data found matching the criteria."});
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ExportFixture, AFolderThatCannotBeWrittenKeepsTheSettings)
{
    settings.Export = {"/nonexistent-folder/Week.htm", ExportHtml};
    auto dialog = Dialog(folder.File("Week.rep"));
    dialog->BtnExportClick();
    EXPECT_EQ(frontEnd.Texts(MessageKind::Error),
              std::vector<std::string>{"An error occurred writing /nonexistent-folder/Week.htm."});
    EXPECT_TRUE(frontEnd.Texts(MessageKind::Information).empty());
    EXPECT_EQ(settings.Export.File, "/nonexistent-folder/Week.htm");
    EXPECT_EQ(settings.Export.Format, ExportHtml);
    EXPECT_NE(dialog->result(), QDialog::Accepted) << "kept open to choose another name";
}

TEST_F(ExportFixture, HtmlTakesTheSettingsEditedInTheDialog)
{
    settings.Export = {folder.File("Week.htm"), ExportHtml};
    auto dialog = Dialog(folder.File("Week.rep"));
    settings.Html.Width = 80; // as the HTML Settings dialog would leave it
    settings.Html.HeaderFile = folder.File("missing-header.htm");
    dialog->BtnExportClick();
    const std::string html = folder.Read("Week.htm");
    EXPECT_EQ(html.rfind("<table border=\"1\" cellspacing=\"0\" width=\"80%\">", 0), 0u) << html;
}

TEST_F(ExportFixture, BrowseOffersTheTypesFilterInTheFilesFolder)
{
    auto dialog = Dialog("/reports/Week.rep");
    QString proposed;
    SetSaveFileAnswer([&](const QString& path, int filterIndex) {
        proposed = path;
        EXPECT_EQ(filterIndex, 1);
        return std::optional<SavedFile>(SavedFile{QStringLiteral("/elsewhere/Name.txt"), 2});
    });
    dialog->BtnBrowseClick();
    SetSaveFileAnswer({});
    EXPECT_EQ(proposed, QStringLiteral("/reports/Week.csv"));
    EXPECT_EQ(File(*dialog)->text(), QStringLiteral("/elsewhere/Name.txt")); // unchanged
}

// The HTML pattern "*.htm*" must not reach the name the dialog proposes or
// the one it takes back.
TEST_F(ExportFixture, BrowseForHtmlKeepsThePlainName)
{
    auto dialog = Dialog("/reports/Week.rep");
    dialog->findChild<QListWidget*>(QStringLiteral("ListBoxExp"))->setCurrentRow(ExportHtml);
    File(*dialog)->setText(QStringLiteral("/reports/Week.htm*"));
    QString proposed;
    SetSaveFileAnswer([&](const QString& path, int) {
        proposed = path;
        return std::optional<SavedFile>(SavedFile{QStringLiteral("/reports/Week.htm*"), 1});
    });
    dialog->BtnBrowseClick();
    SetSaveFileAnswer({});
    EXPECT_EQ(proposed, QStringLiteral("/reports/Week.htm"));
    EXPECT_EQ(File(*dialog)->text(), QStringLiteral("/reports/Week.htm"));

    // Qt's own save dialog gives the name the extension of the filter's
    // first pattern.
    QFileDialog qtDialog;
    qtDialog.setOption(QFileDialog::DontUseNativeDialog);
    qtDialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters =
        QtFilterList(std::string(ExportTypes()[ExportHtml].Filter) + "|All Files|*.*")
            .split(QStringLiteral(";;"));
    qtDialog.setNameFilters(filters);
    qtDialog.selectFile(QString::fromStdString(folder.File("Week.htm")));
    qtDialog.selectNameFilter(filters.first());
    EXPECT_TRUE(qtDialog.selectedFiles().value(0).endsWith(QStringLiteral("/Week.htm")))
        << qtDialog.selectedFiles().value(0).toStdString();
}

TEST_F(ExportFixture, HelpShowsItsTopic)
{
    auto dialog = Dialog("/reports/Week.rep");
    dialog->BtnHelpClick();
    EXPECT_EQ(HelpWindow::LastTopic(), 4025);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<HelpWindow*>(w))
            w->close();
}

TEST(HtmlSettingsDialog, RoundTripsTheHtmlKeys)
{
    TempFolder folder;
    HtmlSettings html;
    html.BorderSize = 3;
    html.CellSpacing = 2;
    html.FooterFile = "/f/foot.htm";
    html.HeaderFile = "/f/head.htm";
    html.PrefixTag = "<h1>Calls</h1>";
    html.SuffixTag = "<hr>";
    html.SaveColor = true;
    html.SaveFonts = false;
    html.TableStyle = "class=\"t\"";
    html.Width = 75;
    const HtmlSettings stored = html;
    HtmlSettingsDialog(html, nullptr).BtnOkClick();
    EXPECT_EQ(html, stored);

    HtmlSettingsDialog dialog(html, nullptr);
    dialog.findChild<QSpinBox*>(QStringLiteral("EditBorderSize"))->setValue(0);
    dialog.findChild<QSpinBox*>(QStringLiteral("EditWidth"))->setValue(50);
    dialog.findChild<QLineEdit*>(QStringLiteral("EditSuffixTag"))->clear();
    dialog.findChild<QCheckBox*>(QStringLiteral("CheckSaveFonts"))->click();
    dialog.BtnOkClick();
    HtmlSettings expected = stored;
    expected.BorderSize = 0;
    expected.Width = 50;
    expected.SuffixTag.clear();
    expected.SaveFonts = true;
    EXPECT_EQ(html, expected);

    Settings settings = SampleSettings();
    settings.Html = html;
    ASSERT_TRUE(SaveSettings(folder.File("Dialtally.ini"), settings));
    Settings loaded = SampleSettings();
    LoadSettings(folder.File("Dialtally.ini"), loaded);
    EXPECT_EQ(loaded.Html, expected);
}

TEST(HtmlSettingsDialog, CancelLeavesTheSettings)
{
    HtmlSettings html;
    HtmlSettingsDialog dialog(html, nullptr);
    dialog.findChild<QSpinBox*>(QStringLiteral("EditWidth"))->setValue(10);
    dialog.reject();
    EXPECT_EQ(html, HtmlSettings{});
}

} // namespace dialtally
