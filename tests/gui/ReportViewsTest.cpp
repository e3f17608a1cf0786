#include "PrintingTestSupport.h"
#include "WindowFixture.h"
#include "app/ui/CriteriaBarWidget.h"
#include "reports/ui/FindTextDialog.h"
#include "reports/ui/PrintDialogs.h"
#include "reports/ui/ReportGridView.h"
#include "reports/ui/ReportTableModel.h"
#include "widgets/DialogParts.h"

#include <QApplication>
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QTimer>

#include <map>

namespace dialtally {

namespace {

class ViewsFixture : public WindowFixture {
protected:
    // Opens a details-only report of the samples in a shown window.
    void OpenDetails()
    {
        m_window = MakeWindow();
        m_window->resize(900, 600);
        m_window->show();
        ASSERT_TRUE(m_window->Document().ReadReportFile(
            WriteReport("Details", {{"DetailShow", "1"}, {"TotalShow", "0"}})));
        ASSERT_GT(Model().rowCount(), 10);
    }
    ReportTableModel& Model() { return *m_window->Grid()->ReportModel(); }
    QString Cell(int gridRow, int column) { return Model().CellText(gridRow, column); }
    // Picks the named item of the next grid or chart menu.
    void ChooseInNextMenu(const QString& item)
    {
        m_chosen = QString();
        QObject::connect(
            m_window.get(), &TMainForm::CellMenuShowing, m_window.get(),
            [this, item](QMenu* menu) {
                QTimer::singleShot(0, menu, [this, menu, item] {
                    for (QAction* action : menu->actions()) {
                        if (action->objectName() == item) {
                            m_chosen = action->text();
                            menu->close();
                            action->trigger();
                            return;
                        }
                    }
                    menu->close();
                });
            },
            Qt::SingleShotConnection);
    }

    // The items of the next grid or chart menu, by name, closing it.
    void ReadNextMenu()
    {
        m_items.clear();
        QObject::connect(
            m_window.get(), &TMainForm::CellMenuShowing, m_window.get(),
            [this](QMenu* menu) {
                for (QAction* action : menu->actions())
                    m_items[action->objectName()] = action->text();
                QTimer::singleShot(0, menu, &QMenu::close);
            },
            Qt::SingleShotConnection);
    }
    void RightClick(QWidget* viewport, const QPoint& at)
    {
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &click);
    }

    std::unique_ptr<TMainForm> m_window;
    QString m_chosen;
    std::map<QString, QString> m_items;
};

// A right click reaches the grid through its viewport; the menu must offer
// the cell under the mouse, and on the header no cell at all.
TEST_F(ViewsFixture, RightClickOffersTheClickedCell)
{
    m_window = MakeWindow();
    m_window->resize(900, 600);
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(
        WriteReport("Mixed", {{"DetailShow", "1"}, {"TotalShow", "1"}, {"TotalDay", "1"}})));
    int underTotal = 0;
    for (int row = 2; row <= Model().rowCount() && underTotal == 0; ++row) {
        if (IsTotalRow(Model().KindOf(row - 1)) && Model().KindOf(row) == RowKind::Detail)
            underTotal = row;
    }
    ASSERT_GT(underTotal, 0);
    ReportGridView* grid = m_window->Grid();
    for (const int row : {1, underTotal}) {
        const QModelIndex index = Model().index(row - 1, 6);
        grid->scrollTo(index);
        ReadNextMenu();
        RightClick(grid->viewport(), grid->visualRect(index).center());
        EXPECT_EQ(m_items["CellInclude"], "&Include: " + Cell(row, 6)) << "row " << row;
    }
    ReadNextMenu();
    QHeaderView* header = grid->horizontalHeader();
    RightClick(header->viewport(), QPoint(header->sectionViewportPosition(6) + 5, 5));
    EXPECT_EQ(m_items.count("CellInclude"), 0u);
    EXPECT_EQ(m_items.count("EditFind"), 1u) << "the grid menu shows on the header too";
}

TEST_F(ViewsFixture, FindAndSelectAllFollowTheView)
{
    m_window = MakeWindow();
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport("G", {{"ReportType", "Graph"}})));
    for (const auto& [view, text] : {std::pair{"Graph", false}, std::pair{"Text", true},
                                     std::pair{"Graph", false}, std::pair{"Split", true}}) {
        m_window->SetView(view);
        for (const char* name : {"EditSelectAll", "EditFind", "EditFindNext"})
            EXPECT_EQ(m_window->Action(name)->isEnabled(), text) << view << " " << name;
        EXPECT_TRUE(m_window->Action("EditCopy")->isEnabled()) << view;
    }
}

TEST_F(ViewsFixture, SplitKeepsTheCurrentLastRowInView)
{
    m_window = MakeWindow();
    m_window->resize(800, 560);
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(
        WriteReport("Details", {{"DetailShow", "1"}, {"TotalShow", "0"}})));
    ReportGridView* grid = m_window->Grid();
    ASSERT_EQ(grid->CurrentGridRow(), Model().rowCount()) << "the grid opens at its last row";
    for (const char* view : {"Split", "Text", "Split"}) {
        m_window->SetView(view);
        QApplication::processEvents();
        EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())))
            << view;
    }
}

// Sizing measures a text once per font, and texts that differ only in their
// digits once in all where the font allows: every width still comes out as
// the font measures that very text.
TEST(GridMeasure, EveryTextMeasuresAsTheFontSays)
{
    ReportGridView grid;
    const TextMeasure& measure = grid.Measure();
    const char* const texts[] = {"0:00:00 AM", "1:11:11 PM", "12:47:59 PM", "$1,234.56",
                                 "$7,777.77",  "49333bp",    "11111bp",     "1/1/1990",
                                 "10/31/2060", "T1 17:47",   "\xc3\x9c 17"};
    // D050000L's digits are dingbats of other widths.
    for (const char* family : {"DejaVu Sans", "DejaVu Serif", "D050000L"})
        for (const int size : {8, 13}) {
            grid.setFont(QFont(family, size));
            const QFontMetrics metrics(grid.font());
            const int padding = measure.TextWidth("", RowKind::Detail);
            for (int round = 0; round < 2; ++round)
                for (const char* text : texts)
                    EXPECT_EQ(measure.TextWidth(text, RowKind::Detail) - padding,
                              metrics.horizontalAdvance(QString::fromUtf8(text)))
                        << family << " " << size << " " << text;
        }
}

// The grid, its print and its copy show a log's bytes as the office exports
// read them, so that a Latin-1 log reads the same everywhere.
TEST(GridText, BytesThatAreNoUtf8AreReadAsWindows1252)
{
    const std::pair<const char*, const char*> cases[] = {
        {"ppp0", "ppp0"},
        {"Caf\xe9 M\xfcller", "Caf\u00e9 M\u00fcller"},
        {"\xe2\x82\xac 5", "\u20ac 5"},
        {"\x80\x9f", "\u20ac\u0178"},
        {"cut \xe2\x82", "cut \u00e2\u201a"},
    };
    for (const auto& [bytes, shown] : cases)
        EXPECT_EQ(LogText(bytes), QString::fromUtf8(shown)) << bytes;
}

// The left axis writes its figures as the value labels do, with the
// regional decimal separator (under sv-SE it read 0.5 beside 1,201).
TEST(ChartAxis, FiguresTakeTheRegionalDecimalSeparator)
{
    for (const char* presetName : {"de-DE", "sv-SE"}) {
        ScopedRegional preset(presetName);
        ReportChart chart;
        chart.Of(ChartLevel::Details).Add(1, 1.2, "a");
        chart.Of(ChartLevel::Details).Add(2, 0.6, "b");
        chart.MaxX = 2;
        chart.LastSeries = 0;
        ReportChartView view;
        view.resize(600, 400);
        view.ShowChart(chart);
        view.show();
        QApplication::processEvents();
        QStringList shown;
        for (QGraphicsItem* item : view.chart()->scene()->items())
            if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
                shown << text->toPlainText();
        EXPECT_TRUE(shown.contains(QStringLiteral("0,5")))
            << presetName << ": " << shown.join(QLatin1Char('|')).toStdString();
    }
}

// With no report shown the heads are the grid's own: each column shows its
// head whole.
TEST_F(ViewsFixture, WithNoReportTheHeadsShowWhole)
{
    m_window = MakeWindow();
    m_window->show();
    QApplication::processEvents();
    const ReportGridView* grid = m_window->Grid();
    ASSERT_EQ(grid->model()->rowCount(), 0);
    const QFontMetrics metrics(m_window->Grid()->horizontalHeader()->font());
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        const QString head = grid->model()->headerData(c, Qt::Horizontal).toString();
        if (!grid->isColumnHidden(c) && !head.isEmpty()) {
            EXPECT_GT(grid->columnWidth(c), metrics.horizontalAdvance(head)) << c;
        }
    }
}

// Laying the views out again sizes the columns again only when the fonts
// or the table changed since: a larger detail font widens them.
TEST_F(ViewsFixture, ALargerFontWidensTheColumnsAtTheNextLayout)
{
    m_window = MakeWindow();
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(
        WriteReport("Details", {{"DetailShow", "1"}, {"TotalShow", "0"}, {"ColSize", "0"}})));
    ReportGridView* grid = m_window->Grid();
    const int before = grid->columnWidth(1);
    m_window->State().Options.Text.DetailFont.Size = 20;
    m_window->ApplyDisplayOptions();
    m_window->SetView("Text");
    m_window->SetView("Split");
    QApplication::processEvents();
    EXPECT_GT(grid->columnWidth(1), before + 10);
}

TEST_F(ViewsFixture, TheNoDataMessageShowsWhole)
{
    struct Case {
        const char* ColSize;
        const char* DateOn;
    };
    for (const Case& c : {Case{"0", "1"}, Case{"1", "1"}, Case{"1", "0"}}) {
        m_window = MakeWindow();
        m_window->show();
        ASSERT_TRUE(m_window->Document().ReadReportFile(
            WriteReport("None", {{"CriteriaDescripAll", "0"},
                                 {"CriteriaInclude", "no such service"},
                                 {"ColSize", c.ColSize},
                                 {"DetailDateOn", c.DateOn}})));
        ASSERT_EQ(Model().KindOf(1), RowKind::Message);
        ReportGridView* grid = m_window->Grid();
        // What the cell asks of its delegate, as the view would lay it out.
        QStyleOptionViewItem option;
        option.initFrom(grid->viewport());
        const int side = grid->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, grid);
        option.decorationSize = QSize(side, side);
        const int needed = grid->itemDelegate()->sizeHint(option, Model().index(0, 0)).width();
        for (const int change : {0, 4}) {
            if (change)
                m_window->RedoReport(change);
            QApplication::processEvents();
            EXPECT_FALSE(grid->isColumnHidden(0)) << c.ColSize << c.DateOn << " class " << change;
            EXPECT_GE(grid->columnWidth(0), needed) << c.ColSize << c.DateOn << " class " << change;
        }
    }
}

TEST_F(ViewsFixture, TheChartIsCopiedOnWhite)
{
    m_window = MakeWindow();
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport("G", {{"ReportType", "Graph"}})));
    ASSERT_NE(m_window->ChartView()->chart()->backgroundBrush().color(), QColor(Qt::white));
    m_window->Action("EditCopy")->trigger();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_NE(m_window->ChartView()->chart()->backgroundBrush().color(), QColor(Qt::white))
        << "the shown chart keeps its colour";
}

TEST_F(ViewsFixture, TheChartTitleShowsTheDescriptionAsWritten)
{
    const QString description = QStringLiteral("M\u00fcller & S\u00f6hne <Bericht> 1<2");
    m_window = MakeWindow();
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport(
        "G", {{"ReportType", "Graph"}, {"ReportDescription", description.toStdString()}})));
    QApplication::processEvents();
    QStringList shown;
    for (QGraphicsItem* item : m_window->ChartView()->chart()->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item))
            shown << text->toPlainText();
    EXPECT_TRUE(shown.contains(description)) << shown.join(QLatin1Char('|')).toStdString();

    // A description of any length: the chart is given no more than it can
    // show (it works out its shortened title from every shorter one).
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport(
        "L", {{"ReportType", "Graph"}, {"ReportDescription", std::string(5000, 'x')}})));
    EXPECT_LT(m_window->ChartView()->chart()->title().size(), 500);
}

TEST_F(ViewsFixture, IncludeFromADescriptionCellPutsTheWordFirst)
{
    OpenDetails();
    auto* include = m_window->CriteriaBar()->findChild<QLineEdit*>("EditInc");
    include->setText("Work");
    const QString word = Cell(1, 6);
    ChooseInNextMenu("CellInclude");
    emit m_window->Grid()->CellMenuRequested(QPoint(10, 10), 6, 1);
    EXPECT_EQ(m_chosen, "&Include: " + word);
    EXPECT_EQ(include->text(), word + ",Work");
    EXPECT_EQ(m_window->State().Current.CriteriaInclude, (word + ",Work").toStdString());
    EXPECT_EQ(m_window->State().Current.CriteriaDescripAll, "0");
}

TEST_F(ViewsFixture, BeginFromADateCellSetsTheRange)
{
    OpenDetails();
    const QString date = Cell(3, 0);
    ChooseInNextMenu("CellInclude");
    emit m_window->Grid()->CellMenuRequested(QPoint(10, 10), 0, 3);
    EXPECT_EQ(m_chosen, "&Begin: " + date);
    EXPECT_EQ(m_window->State().Current.CriteriaDateAll, "0");
    EXPECT_EQ(QString::fromStdString(m_window->State().Current.CriteriaDateFrom), date);
    EXPECT_EQ(Cell(1, 0), date) << "the report now starts there";
}

TEST_F(ViewsFixture, HeaderClicksSortAndReverse)
{
    OpenDetails();
    QHeaderView* header = m_window->Grid()->horizontalHeader();
    const auto click = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
        QApplication::processEvents();
    };
    click(4); // Duration
    const auto seconds = [&](int row) {
        const QStringList parts = Cell(row, 4).split(':');
        return parts[0].toInt() * 3600 + parts[1].toInt() * 60 + parts[2].toInt();
    };
    const int last = Model().rowCount();
    EXPECT_LE(seconds(1), seconds(2));
    EXPECT_LE(seconds(last - 1), seconds(last));
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 4);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    click(4);
    EXPECT_GE(seconds(1), seconds(2));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(ViewsFixture, FindUpAndDownThenTheMessages)
{
    OpenDetails();
    const QString word = Cell(2, 6);
    m_window->Action("EditFind")->trigger();
    auto* dialog = m_window->findChild<FindTextDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->findChild<QRadioButton*>("FindUp")->isChecked());
    dialog->findChild<QLineEdit*>("FindText")->setText(word);
    dialog->findChild<QRadioButton*>("FindDown")->setChecked(true);
    dialog->findChild<QCheckBox*>("FindWholeWord")->setChecked(true);
    EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QLineEdit*>("FindText"));
    auto* findNext = dialog->findChild<QPushButton*>("FindNextButton");
    m_window->Grid()->SetCurrentCell(0, 1);
    // The dialog has the focus while it finds; the grid takes it back after.
    QFocusEvent leave(QEvent::FocusOut), back(QEvent::FocusIn);
    QApplication::sendEvent(m_window->Grid(), &leave);
    findNext->click();
    QApplication::sendEvent(m_window->Grid(), &back);
    int first = m_window->Grid()->CurrentGridRow();
    EXPECT_EQ(Cell(first, 6), word);
    EXPECT_EQ(m_window->Grid()->CurrentGridColumn(), 6);
    for (int guard = 0; guard < Model().rowCount() && m_messages->Messages.empty(); ++guard)
        m_window->Action("EditFindNext")->trigger();
    EXPECT_EQ(m_messages->Texts(MessageKind::Information),
              std::vector<std::string>{"Finished searching the report."});

    dialog->findChild<QLineEdit*>("FindText")->setText("no such text");
    findNext->click();
    EXPECT_EQ(m_messages->Texts(MessageKind::Information).back(), "The text was not found.");
}

// The arrow keys move between cells; Tab goes on to the criteria bar.
TEST_F(ViewsFixture, TabLeavesTheGrid)
{
    OpenDetails();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    m_window->Grid()->setFocus();
    m_window->Grid()->SetCurrentCell(0, 1);
    QTest::keyClick(m_window->Grid(), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), m_window->Grid());
    EXPECT_EQ(m_window->Grid()->CurrentGridColumn(), 0);
}

TEST_F(ViewsFixture, TotalButtonCyclesBackToTheReportsTotals)
{
    m_window = MakeWindow();
    ASSERT_TRUE(m_window->Document().ReadReportFile(ReportPath("A")));
    const TCfg before = m_window->State().Current;
    std::vector<std::string> months;
    for (int i = 0; i < 5; ++i) {
        m_window->Action("ToggleTotal")->trigger();
        months.push_back(m_window->State().Current.TotalMonth);
        EXPECT_EQ(m_window->State().Current.TotalShow, "1");
    }
    EXPECT_EQ(months, (std::vector<std::string>{"0", "0", "1", "0", "1"}));
    EXPECT_EQ(m_window->State().Current.TotalYear, before.TotalYear);
    EXPECT_FALSE(m_window->State().Current.Modified);
    EXPECT_EQ(m_window->State().History.Count, 6);
}

TEST_F(ViewsFixture, LegendClickTogglesItsSeries)
{
    m_window = MakeWindow();
    ASSERT_TRUE(m_window->Document().ReadReportFile(ReportPath("A")));
    emit m_window->ChartView()->LegendClicked(ChartLevel::Days);
    EXPECT_EQ(m_window->State().Current.TotalDay, "1");
    EXPECT_FALSE(m_window->State().Output.Chart.Of(ChartLevel::Days).Points.empty());
    emit m_window->ChartView()->LegendClicked(ChartLevel::Details);
    EXPECT_EQ(m_window->State().Current.DetailShow, "1");
}

TEST_F(ViewsFixture, ZoomTwiceInAndOutIsUnzoomed)
{
    m_window = MakeWindow();
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport("G", {{"ReportType", "Graph"}})));
    ReportChartView* chart = m_window->ChartView();
    m_window->Action("ZoomIn")->trigger();
    m_window->Action("ZoomIn")->trigger();
    EXPECT_EQ(chart->ZoomDepth(), 2);
    EXPECT_TRUE(chart->IsZoomed());
    m_window->Action("ZoomOut")->trigger();
    EXPECT_EQ(chart->ZoomDepth(), 1);
    EXPECT_TRUE(chart->IsZoomed());
    m_window->Action("ZoomOut")->trigger();
    EXPECT_EQ(chart->ZoomDepth(), 0);
    EXPECT_FALSE(chart->IsZoomed());
}

// However narrow the chart, its bottom labels stand a label's width apart,
// so that none is cut short; a wider chart shows more of them.
TEST_F(ViewsFixture, BottomLabelsHaveRoomAtEveryWidth)
{
    m_window = MakeWindow();
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(
        WriteReport("G", {{"ReportType", "Graph"}, {"DetailShow", "1"}, {"TotalShow", "0"}})));
    const QList<QAbstractAxis*> bottom = m_window->ChartView()->chart()->axes(Qt::Horizontal);
    ASSERT_FALSE(bottom.isEmpty());
    auto* axis = qobject_cast<QCategoryAxis*>(bottom.first());
    ASSERT_NE(axis, nullptr);
    std::vector<int> counts;
    for (const int width : {330, 400, 1400}) {
        m_window->resize(width, 600);
        QApplication::processEvents();
        const QChart* chart = m_window->ChartView()->chart();
        const double pixelsPerX = chart->plotArea().width() / (axis->max() - axis->min());
        const QFontMetrics metrics(axis->labelsFont());
        const QStringList labels = axis->categoriesLabels();
        counts.push_back(static_cast<int>(labels.size()));
        for (qsizetype i = 1; i < labels.size(); ++i)
            EXPECT_GE((axis->endValue(labels[i]) - axis->endValue(labels[i - 1])) * pixelsPerX,
                      metrics.horizontalAdvance(labels[i]))
                << width << " " << labels[i].toStdString();
        // The axis cuts a label to the plot's width over one more than
        // their count, less 4 pixels each side.
        for (const QString& label : labels)
            EXPECT_LE(metrics.horizontalAdvance(label),
                      chart->plotArea().width() / static_cast<double>(labels.size() + 1) - 8)
                << width << " " << label.toStdString();
    }
    EXPECT_GE(counts[0], 1);
    EXPECT_GT(counts[1], 1);
    EXPECT_GE(counts[2], counts[1]);
    EXPECT_TRUE(axis->isGridLineVisible());

    // Nothing to chart: no label, and no grid line left of the last one.
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport("None", {{"ReportType", "Graph"},
                                                                         {"DetailShow", "0"},
                                                                         {"TotalShow", "1"},
                                                                         {"TotalDay", "0"},
                                                                         {"TotalWeek", "0"},
                                                                         {"TotalMonth", "0"},
                                                                         {"TotalYear", "0"}})));
    EXPECT_TRUE(axis->categoriesLabels().isEmpty());
    EXPECT_FALSE(axis->isGridLineVisible());
}

// Labels closer than their width overprinted into a black band: they show
// only where each has its room.
TEST_F(ViewsFixture, ValueLabelsShowOnlyWhereTheyHaveRoom)
{
    // Shown: every point's label, some of them, or none.
    enum Shown { All, Some, None };
    const struct {
        const char* level;
        int width;
        Shown shown;
    } cases[] = {{"DetailShow", 1400, None}, // hundreds of connections
                 {"TotalMonth", 1400, All},
                 {"TotalMonth", 330, Some},
                 {"TotalYear", 330, All}};
    m_window = MakeWindow();
    m_window->show();
    for (const auto& c : cases) {
        const bool details = std::string(c.level) == "DetailShow";
        ASSERT_TRUE(m_window->Document().ReadReportFile(
            WriteReport("V", {{"ReportType", "Graph"},
                              {"GraphValues", "1"},
                              {"DetailShow", details ? "1" : "0"},
                              {"TotalShow", details ? "0" : "1"},
                              {"TotalDay", "0"},
                              {"TotalWeek", "0"},
                              {"TotalMonth", "0"},
                              {"TotalYear", "0"},
                              {c.level, "1"}})));
        m_window->resize(c.width, 600);
        QApplication::processEvents();
        std::size_t points = 0;
        for (const ChartSeries& series : m_window->State().Output.Chart.Series)
            points += series.Points.size();
        const int shown = m_window->ChartView()->ValueLabels().Shown();
        EXPECT_EQ(shown == static_cast<int>(points) ? All
                  : shown == 0                      ? None
                                                    : Some,
                  c.shown)
            << c.level << " " << c.width << ": " << shown << " of " << points;
        // The last point's label stands in the room kept right of the plot.
        const ChartLevel level =
            std::string(c.level) == "TotalYear" ? ChartLevel::Years : ChartLevel::Months;
        if (c.shown != None) {
            EXPECT_EQ(m_window->ChartView()->ValueLabels().Texts().last(),
                      ValueLabelText(m_window->State().Output.Chart.Of(level).Points.back().Value))
                << c.level << " " << c.width;
        }
    }
    // A million hours do not read as 1e+06.
    EXPECT_EQ(ValueLabelText(1234567.25), "1234567.25");
    EXPECT_EQ(ValueLabelText(16.77749), "16.777");
}

TEST_F(ViewsFixture, YearPointOffersTheWholeYear)
{
    m_window = MakeWindow();
    ASSERT_TRUE(m_window->Document().ReadReportFile(ReportPath("A")));
    const ChartSeries& years = m_window->State().Output.Chart.Of(ChartLevel::Years);
    ASSERT_FALSE(years.Points.empty());
    const QString year = QString::fromStdString(std::string(years.LabelOf(years.Points[0])));
    ChooseInNextMenu("ChartEnd");
    emit m_window->ChartView()->ChartMenuRequested(QPoint(5, 5),
                                                   ChartPointRef{ChartLevel::Years, 0});
    EXPECT_EQ(m_chosen, "&End: 12/31/" + year);
    EXPECT_EQ(m_window->State().Current.CriteriaDateTo, "12/31/" + year.toStdString());
}

TEST_F(ViewsFixture, GraphViewFindsNothingAndCopiesTheChart)
{
    m_window = MakeWindow();
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport("G", {{"ReportType", "Graph"}})));
    m_window->Action("EditFind")->trigger();
    EXPECT_EQ(m_window->findChild<FindTextDialog*>(), nullptr);
    const auto selected = [&] {
        return m_window->Grid()->selectionModel()->selectedIndexes().size();
    };
    const auto before = selected();
    m_window->Action("EditSelectAll")->trigger();
    EXPECT_EQ(selected(), before);
    m_window->SetView("Text");
    m_window->Action("EditSelectAll")->trigger();
    EXPECT_GT(selected(), before);
}

TEST_F(ViewsFixture, CopyWritesTabsAndLineEnds)
{
    OpenDetails();
    // A tab or line end inside a cell (a log's description may hold one)
    // would start another cell or row where the copy is pasted.
    ReportTable& table = m_window->State().Output.Table;
    table.Text.replace(table.Ends[ReportTextColumns - 1], 3, "\t\r\n");
    const QString first = QStringLiteral("   ") + Cell(1, 0).mid(3);
    ReportGridView* grid = m_window->Grid();
    grid->selectionModel()->select(QItemSelection(Model().index(0, 0), Model().index(1, 1)),
                                   QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(grid->SelectedText(),
              first + "\t" + Cell(1, 1) + "\r\n" + Cell(2, 0) + "\t" + Cell(2, 1) + "\r\n");
}

// Pictures of the three views for a person to look at; not compared.
TEST_F(ViewsFixture, ScreenshotsOfTheViews)
{
    m_window = MakeWindow();
    m_window->resize(800, 560);
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(ReportPath("A")));
    const QString folder = QCoreApplication::applicationDirPath() + "/screens";
    QDir().mkpath(folder);
    for (const char* view : {"Text", "Graph", "Split"}) {
        m_window->SetView(view);
        QApplication::processEvents();
        EXPECT_TRUE(m_window->grab().save(QStringLiteral("%1/%2.png").arg(folder, view)));
    }
}

// The split view prints as one job, so a file printer keeps the grid's
// pages and adds the chart's.
TEST_F(ViewsFixture, PrintingTheSplitViewKeepsGridAndChart)
{
    m_window = MakeWindow();
    m_window->show();
    ASSERT_TRUE(m_window->Document().ReadReportFile(WriteReport("S", {{"ReportType", "Split"}})));
    const std::string pdf = m_home.Path() + "split.pdf";
    CurrentPrinter().setOutputFormat(QPrinter::PdfFormat);
    CurrentPrinter().setOutputFileName(QString::fromStdString(pdf));
    SetPageRangeAnswer([](QPrinter& printer, int pageCount) {
        printer.setFromTo(1, pageCount);
        return true;
    });
    m_window->Action("FilePrint")->trigger();
    SetPageRangeAnswer({});
    const std::vector<std::string> pages = PdfPages(pdf);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_NE(pages.front().find("Description"), std::string::npos) << "the grid's first page";
    EXPECT_NE(pages.back().find("Hours"), std::string::npos) << "the chart's page";
    CurrentPrinter().setOutputFileName({});
}

} // namespace

} // namespace dialtally
