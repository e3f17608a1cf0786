#include "app/ui/OptionsDialog.h"
#include "TestSupport.h"
#include "app/ui/MainWindow.h"
#include "app/ui/OptionsPreviewWidget.h"
#include "platform/FileTypeRegistration.h"
#include "reports/ReportDocument.h"
#include "reports/ui/DisplayStyle.h"
#include "reports/ui/ReportChartView.h"
#include "reports/ui/ReportGridView.h"
#include "reports/ui/ReportTableModel.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace dialtally {

namespace fs = std::filesystem;

namespace {

// Points XDG_DATA_HOME at a fresh folder for the life of the object, so
// that nothing reaches the desktop of the user running the tests.
class ScopedDataHome {
public:
    explicit ScopedDataHome(const std::string& folder)
    {
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            m_old = old;
        ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    }
    ~ScopedDataHome()
    {
        if (m_old)
            ::setenv("XDG_DATA_HOME", m_old->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }

private:
    std::optional<std::string> m_old;
};

class OptionsDialog : public ::testing::Test {
protected:
    OptionsDialog() { settings.Files.Path = "/reports/"; }

    TDlgOpt& Open()
    {
        dialog = std::make_unique<TDlgOpt>(settings, registered);
        dialog->OnApply = [this] { ++applies; };
        // No modal dialog may open unasked in a test.
        dialog->AskFont = [](const QFont&) {
            ADD_FAILURE() << "unexpected font dialog";
            return std::optional<QFont>();
        };
        dialog->AskColor = [](const QColor&) {
            ADD_FAILURE() << "unexpected colour dialog";
            return std::optional<QColor>();
        };
        dialog->show();
        // Entering a list needs the focus, which an inactive window lacks.
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }
    template <typename T> T* Child(const char* name) const
    {
        T* child = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_TRUE(child) << name;
        return child;
    }
    void Click(const char* button)
    {
        QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton);
    }
    void ShowPage(int page) { Child<QTabWidget>("PageControl")->setCurrentIndex(page); }
    // A node of the options tree by its caption.
    QTreeWidgetItem* Node(const QString& caption) const
    {
        const auto found = Child<QTreeWidget>("TreeViewOpt")
                               ->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << caption.toStdString();
        return found.value(0);
    }
    void ClickNode(const QString& caption)
    {
        auto* tree = Child<QTreeWidget>("TreeViewOpt");
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                          tree->visualItemRect(Node(caption)).center());
    }
    bool Ticked(const QString& caption) const
    {
        const QImage shown = Node(caption)->icon(0).pixmap(16, 16).toImage();
        return shown == QIcon(QStringLiteral(":/icons/ticked.svg")).pixmap(16, 16).toImage();
    }
    // Makes a list the active one, as the user entering it would.
    void Enter(const char* listName, int row)
    {
        auto* list = Child<QListWidget>(listName);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        ASSERT_EQ(list->currentRow(), row);
    }
    const GridStyle& PreviewGrid() const
    {
        return Child<OptionsPreviewWidget>("Preview")->GridModel()->Style();
    }

    TempFolder dataFolder;
    ScopedDataHome dataHome{dataFolder.Path() + "share"};
    RecordingFrontEnd ui;
    Settings settings;
    bool registered = false;
    int applies = 0;
    std::unique_ptr<TDlgOpt> dialog;
};

TEST_F(OptionsDialog, OpensOnTheFilePageWithApplyDisabled)
{
    settings.Files.Default = "/reports/Default.rep";
    Open();
    EXPECT_EQ(Child<QTabWidget>("PageControl")->currentIndex(), 0);
    EXPECT_FALSE(Child<QPushButton>("BtnApply")->isEnabled());
    EXPECT_EQ(Child<QLineEdit>("EditDefault")->text(), "/reports/Default.rep");
    EXPECT_EQ(Child<QPushButton>("BtnFileType")->text(), "Add &File Type");
    EXPECT_EQ(Child<QListWidget>("ListBoxText")->currentRow(), 0);
    EXPECT_EQ(Child<QListWidget>("ListBoxGraph")->currentRow(), 0);
}

TEST_F(OptionsDialog, StartupOptionsExcludeEachOther)
{
    Open();
    ShowPage(2);
    ClickNode("Default");
    EXPECT_TRUE(Ticked("Default"));
    ClickNode("Last accessed");
    EXPECT_FALSE(dialog->OptionsCopy().LoadDefault);
    EXPECT_TRUE(dialog->OptionsCopy().LoadRecent);
    EXPECT_FALSE(Ticked("Default"));
    EXPECT_TRUE(Ticked("Last accessed"));
    ClickNode("Last accessed");
    EXPECT_FALSE(dialog->OptionsCopy().LoadDefault);
    EXPECT_FALSE(dialog->OptionsCopy().LoadRecent);

    const ProgramOptions before = dialog->OptionsCopy();
    ClickNode("Startup");
    EXPECT_EQ(dialog->OptionsCopy(), before) << "groups do not react";
    EXPECT_EQ(settings.Options, ProgramOptions{}) << "nothing written before Apply";
    EXPECT_TRUE(Child<QPushButton>("BtnApply")->isEnabled());
}

TEST_F(OptionsDialog, SpaceTogglesTheSelectedNode)
{
    Open();
    ShowPage(2);
    auto* tree = Child<QTreeWidget>("TreeViewOpt");
    tree->setCurrentItem(Node("Duration as decimal"));
    QTest::keyClick(tree, Qt::Key_Space);
    EXPECT_TRUE(dialog->OptionsCopy().DurationDec);
    EXPECT_EQ(tree->currentItem(), Node("Duration as decimal")) << "the key is consumed";
}

TEST_F(OptionsDialog, OkWithoutChangesClosesAsCancel)
{
    const Settings before = settings;
    Open();
    Click("BtnFileType"); // a registration does not count as a change
    Click("BtnOk");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(applies, 0);
    EXPECT_EQ(settings, before);
    EXPECT_TRUE(registered);
}

TEST_F(OptionsDialog, ApplyAfterAFontChangeWritesTheCopyBack)
{
    const QFont chosen(QStringLiteral("DejaVu Serif"), 12, QFont::Bold);
    Open();
    dialog->AskFont = [&](const QFont&) { return std::optional<QFont>(chosen); };
    ShowPage(1);
    Enter("ListBoxText", 4); // "Total font"
    Click("BtnChange");
    const FontSpec expected{"DejaVu Serif", 12, clWindowText, FontPitch::Default, fsBold};
    EXPECT_EQ(dialog->TextCopy().TotalFont, expected);
    EXPECT_EQ(PreviewGrid().TotalFont.pointSize(), 12);
    EXPECT_EQ(settings.Text.TotalFont, TextDisplay{}.TotalFont);

    Click("BtnApply");
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(settings.Text.TotalFont, expected);
    EXPECT_FALSE(Child<QPushButton>("BtnApply")->isEnabled());
    Click("BtnOk");
    EXPECT_EQ(applies, 1) << "nothing changed since the Apply";
}

TEST_F(OptionsDialog, OkAfterAChangeWritesAndAppliesOnce)
{
    Open();
    dialog->AskColor = [](const QColor&) {
        return std::optional<QColor>(QColor(0x10, 0x20, 0x30));
    };
    ShowPage(1);
    Enter("ListBoxGraph", 0); // "Background color"
    Click("BtnChange");
    Click("BtnOk");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(applies, 1);
    EXPECT_EQ(settings.Graph.Background, 0x302010);
    EXPECT_EQ(settings.Text.Background, clWindow) << "the graph list was the active one";
}

TEST_F(OptionsDialog, GraphTitleFontIsTheAxisTitlesToo)
{
    Open();
    dialog->AskFont = [](const QFont&) {
        return std::optional<QFont>(QFont(QStringLiteral("DejaVu Sans"), 14));
    };
    ShowPage(1);
    Enter("ListBoxGraph", 1); // "Title font"
    Click("BtnChange");
    EXPECT_EQ(dialog->GraphCopy().TitleFont.Size, 14);
    QChart* chart = Child<ReportChartView>("ChartPreview")->chart();
    EXPECT_EQ(chart->titleFont().pointSize(), 14);
    EXPECT_EQ(chart->axes(Qt::Vertical).value(0)->titleFont().pointSize(), 14);
    EXPECT_EQ(chart->axes(Qt::Vertical).value(0)->labelsFont().pointSize(), 8);
}

TEST_F(OptionsDialog, CancelledDialogsChangeNothing)
{
    Open();
    dialog->AskColor = [](const QColor&) { return std::optional<QColor>(); };
    dialog->AskFont = [](const QFont&) { return std::optional<QFont>(); };
    ShowPage(1);
    Enter("ListBoxText", 0);
    Click("BtnChange");
    Enter("ListBoxText", 3);
    Click("BtnChange");
    EXPECT_EQ(dialog->TextCopy(), TextDisplay{});
    EXPECT_FALSE(Child<QPushButton>("BtnApply")->isEnabled());
}

TEST_F(OptionsDialog, DefaultRestoresTheBuiltInFontKeepingThePitch)
{
    settings.Text.TotalFont = {"Arial", 14, clRed, FontPitch::Fixed, fsItalic};
    settings.Graph.Background = clWhite;
    Open();
    ShowPage(1);
    Enter("ListBoxText", 4);
    Click("BtnDefault");
    const FontSpec expected{"MS Sans Serif", 8, clWindowText, FontPitch::Fixed, fsBold};
    EXPECT_EQ(dialog->TextCopy().TotalFont, expected);
    EXPECT_TRUE(PreviewGrid().TotalFont.bold());
    EXPECT_EQ(PreviewGrid().TotalFont.pointSize(), 8);
    EXPECT_TRUE(Child<QPushButton>("BtnApply")->isEnabled());

    Enter("ListBoxGraph", 0);
    Click("BtnDefault");
    EXPECT_EQ(dialog->GraphCopy().Background, clBtnFace);
    EXPECT_EQ(dialog->TextCopy().TotalFont, expected) << "only the active list's item";
}

TEST_F(OptionsDialog, RegisterThenRemoveTheFileType)
{
    Open();
    auto* button = Child<QPushButton>("BtnFileType");
    Click("BtnFileType");
    EXPECT_TRUE(registered);
    EXPECT_EQ(button->text(), "Remove &File Type");
    Click("BtnFileType");
    EXPECT_FALSE(registered);
    EXPECT_EQ(button->text(), "Add &File Type");
    EXPECT_EQ(ui.Texts(MessageKind::Information),
              (std::vector<std::string>{"A file type has been created.",
                                        "The file type has been removed."}));
    EXPECT_FALSE(Child<QPushButton>("BtnApply")->isEnabled());
}

TEST_F(OptionsDialog, RemovingATypeAnotherProgramRemovedKeepsTheCaption)
{
    ASSERT_TRUE(RegisterFileType(".rep", "Dialtally", "DdeServerConv1"));
    ui.Messages.clear();
    registered = true;
    Open();
    fs::remove(FileTypePackagePath(".rep"));
    Click("BtnFileType");
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_TRUE(registered);
    EXPECT_EQ(Child<QPushButton>("BtnFileType")->text(), "Remove &File Type");
}

TEST_F(OptionsDialog, BrowseStartsAtTheEditsFolderAndGivesARepName)
{
    settings.Files.Default = "/old/place/Mine.rep";
    Open();
    std::vector<FileDialogRequest> asked;
    dialog->AskOpenFileName = [&](const FileDialogRequest& request) {
        asked.push_back(request);
        return std::optional<std::string>("/new/place/Other.txt");
    };
    Click("BtnBrowse");
    ASSERT_EQ(asked.size(), 1U);
    EXPECT_EQ(asked[0].Filter, ReportDocument::ReportFilter);
    EXPECT_EQ(asked[0].InitialFolder, "/old/place/");
    EXPECT_EQ(asked[0].FileName, "Mine.rep");
    EXPECT_EQ(Child<QLineEdit>("EditDefault")->text(), "/new/place/Other.rep");
    EXPECT_TRUE(Child<QPushButton>("BtnApply")->isEnabled());

    Child<QLineEdit>("EditDefault")->setText("Bare.rep");
    Click("BtnBrowse");
    ASSERT_EQ(asked.size(), 2U);
    EXPECT_EQ(asked[1].InitialFolder, "/reports/") << "no folder part: the report folder";
    Click("BtnApply");
    EXPECT_EQ(settings.Files.Default, "/new/place/Other.rep");
}

TEST_F(OptionsDialog, PreviewGridShowsTodayAsDetailRowsDo)
{
    ScopedRegional regional("en-US");
    ScopedToday today(2024, 2, 15);
    settings.Options.DayInclude = true;
    settings.Text.TotalBackground = clYellow;
    Open();
    const ReportTableModel* model = Child<OptionsPreviewWidget>("Preview")->GridModel();
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Time On");
    EXPECT_EQ(model->CellText(1, 0), "");
    EXPECT_EQ(model->CellText(2, 0), "Thu 2/15/2024");
    EXPECT_EQ(model->CellText(3, 1), "1");
    EXPECT_EQ(model->data(model->index(2, 0), Qt::BackgroundRole).value<QColor>(),
              QColor(Qt::yellow));
    const auto* grid = Child<ReportGridView>("GridPreview");
    EXPECT_FALSE(grid->isColumnHidden(1));
    EXPECT_TRUE(grid->isColumnHidden(2));
}

TEST_F(OptionsDialog, PreviewGridFollowsTheReportsAlignmentAndSizing)
{
    Open();
    TCfg report;
    report.ColAlign = "1";
    report.ColSize = "1";
    dialog->SetReportLayout(report);
    const auto* grid = Child<ReportGridView>("GridPreview");
    const auto* model = Child<OptionsPreviewWidget>("Preview")->GridModel();
    const auto alignment = model->data(model->index(0, 0), Qt::TextAlignmentRole).toInt();
    EXPECT_TRUE(alignment & Qt::AlignRight);
    EXPECT_EQ(grid->columnWidth(0), grid->viewport()->width() / 2);
    EXPECT_EQ(grid->columnWidth(1), grid->columnWidth(0));
}

struct FontCase {
    const char* Name;
    FontSpec Spec;
};

class FontRoundTrip : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontRoundTrip, QtFontReadsBackAsTheSameEntry)
{
    const FontSpec& spec = GetParam().Spec;
    EXPECT_EQ(FontSpecOf(QtFont(spec), spec.Color), spec);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FontRoundTrip,
    ::testing::Values(
        // Faces the system has (fonts-dejavu-core); one it lacks reads back
        // as the sans face it is drawn in (AFaceTheSystemLacksIsTheOrdinarySansFace).
        FontCase{"Plain", {"DejaVu Serif", 8, clWindowText, FontPitch::Default, 0}},
        FontCase{"BoldItalic", {"DejaVu Sans", 11, clRed, FontPitch::Default, fsBold | fsItalic}},
        FontCase{"FixedLined",
                 {"DejaVu Sans Mono", 10, clBlack, FontPitch::Fixed, fsUnderline | fsStrikeOut}}),
    [](const ::testing::TestParamInfo<FontCase>& info) { return std::string(info.param.Name); });

// Left to matching, "MS Sans Serif" came out as an oblique face, which
// the font dialog then opened on.
TEST(DisplayFonts, AFaceTheSystemLacksIsTheOrdinarySansFace)
{
    const QString sans = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    for (const unsigned style : {0u, fsBold, fsItalic, fsBold | fsItalic}) {
        const QFont font =
            QtFont(FontSpec{"MS Sans Serif", 8, clWindowText, FontPitch::Default, style});
        const QFontInfo shown(font);
        EXPECT_EQ(font.family(), sans) << style;
        EXPECT_EQ(shown.family(), sans) << style;
        EXPECT_EQ(shown.italic(), (style & fsItalic) != 0) << style;
        EXPECT_EQ(shown.bold(), (style & fsBold) != 0) << style;
        EXPECT_EQ(shown.pointSize(), 8) << style;
        QFontDialog dialog(font);
        dialog.setOption(QFontDialog::DontUseNativeDialog);
        EXPECT_EQ(dialog.currentFont().italic(), (style & fsItalic) != 0) << style;
        EXPECT_EQ(dialog.currentFont().bold(), (style & fsBold) != 0) << style;
    }
}

TEST(DisplayColors, FixedColorsGoBothWays)
{
    EXPECT_EQ(TColorOf(QtColor(0x123456)), 0x123456);
    EXPECT_EQ(QtColor(clRed), QColor(Qt::red));
    EXPECT_EQ(TColorOf(QColor(0, 0, 255)), clBlue);
}

// On a dark desktop the grid and chart take its colours; a text colour the
// program chose reads on a background the user chose, one the user set stays.
TEST(DisplayColors, DarkDesktopKeepsTextReadable)
{
    const QPalette light = QGuiApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Base, QColor(0x3d, 0x3d, 0x3d));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, QColor(0x42, 0x42, 0x45));
    QGuiApplication::setPalette(dark);
    const struct {
        TColor Background;
        TColor FontColor;
        QColor Grid, Text, Chart, Label;
    } cases[] = {
        // built-in colours: the desktop's grid, black labels turn white
        {clWindow, clWindowText, QColor(0x3d, 0x3d, 0x3d), Qt::white, QColor(0x42, 0x42, 0x45),
         Qt::white},
        // a light background the user chose: the desktop's white text turns black
        {clYellow, clWindowText, Qt::yellow, Qt::black, Qt::yellow, Qt::black},
        // a font colour the user set is theirs, even where it reads badly
        {clNavy, clTeal, QColor(0, 0, 0x80), QColor(0, 0x80, 0x80), QColor(0, 0, 0x80),
         QColor(0, 0x80, 0x80)},
    };
    for (const auto& c : cases) {
        TextDisplay text;
        text.TotalBackground = c.Background;
        text.TotalFont.Color = c.FontColor;
        const GridStyle grid = GridStyleFor(text);
        EXPECT_EQ(grid.TotalBackground, c.Grid) << c.Background;
        EXPECT_EQ(grid.TotalColor, c.Text) << c.Background;
        GraphDisplay graph;
        if (c.Background != clWindow) {
            graph.Background = c.Background;
            graph.LabelFont.Color = c.FontColor == clWindowText ? clBlack : c.FontColor;
        }
        const ChartStyle chart = ChartStyleFor(graph);
        EXPECT_EQ(chart.Background, c.Chart) << c.Background;
        EXPECT_EQ(chart.LabelColor, c.Label) << c.Background;
    }
    QGuiApplication::setPalette(light);
}

// The window's Tools, Options: Apply redraws the shown report in place.
class OptionsInWindow : public ::testing::Test {
protected:
    OptionsInWindow()
    {
        const fs::path samples = DIALTALLY_SAMPLES_DIR;
        for (const auto& entry : fs::directory_iterator(samples / "home"))
            fs::copy_file(entry.path(), fs::path(home.Path()) / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
        std::ofstream(fs::path(home.Path()) / "Dialtally.ini", std::ios::binary)
            << "[Files]\r\nPath=" << home.Path() << "\r\nDefault=" << home.Path()
            << "Default.rep\r\n";
        fs::copy_file(samples / "Monthly.rep", home.File("Monthly.rep"));
        folders.Program = folders.Windows = folders.Documents = home.Path();
    }

    // Runs the options from the menu and applies a bold 13-point total
    // font, then cancels.
    void ApplyTotalFont(TMainForm& window)
    {
        QTimer::singleShot(0, [] {
            auto* options = qobject_cast<TDlgOpt*>(QApplication::activeModalWidget());
            ASSERT_TRUE(options);
            options->AskFont = [](const QFont&) {
                return std::optional<QFont>(QFont(QStringLiteral("DejaVu Sans"), 13, QFont::Bold));
            };
            options->findChild<QTabWidget*>()->setCurrentIndex(1);
            options->findChild<QListWidget*>(QStringLiteral("ListBoxText"))->setCurrentRow(4);
            options->BtnChangeClick();
            options->BtnApplyClick();
            options->reject();
        });
        window.Action("ToolsOptions")->trigger();
    }

    ScopedRegional regional{"en-US"};
    TempFolder home;
    TempFolder dataFolder;
    ScopedDataHome dataHome{dataFolder.Path() + "share"};
    FixedFolders folders;
};

TEST_F(OptionsInWindow, ApplyRebuildsTheShownEntryInPlace)
{
    TMainForm window(folders);
    RecordingFrontEnd ui;
    ASSERT_TRUE(window.Document().ReadReportFile(home.File("Monthly.rep")));
    ASSERT_EQ(window.State().History.Count, 1);
    ApplyTotalFont(window);
    EXPECT_EQ(window.State().Options.Text.TotalFont.Size, 13);
    EXPECT_EQ(window.Grid()->ReportModel()->Style().TotalFont.pointSize(), 13);
    EXPECT_EQ(window.State().History.Count, 1);
    EXPECT_EQ(window.State().History.Position, 0);
    EXPECT_EQ(window.State().Current.ReportDescription, "Monthly Totals");
}

TEST_F(OptionsInWindow, ApplyWithNothingShownGoesToTheDefaultReport)
{
    TMainForm window(folders);
    RecordingFrontEnd ui;
    ASSERT_TRUE(window.Document().ReadReportFile(home.File("Monthly.rep")));
    window.Navigator().CloseAllReports();
    ASSERT_LT(window.State().History.Position, 0);
    ApplyTotalFont(window);
    EXPECT_EQ(window.State().History.Position, 0);
    EXPECT_EQ(window.State().Current.FileName, home.File("Default.rep"));
}

} // namespace

} // namespace dialtally
