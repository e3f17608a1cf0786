#include "app/ui/OptionsPreviewWidget.h"

#include "base/Clock.h"
#include "base/DateFormat.h"
#include "base/RegionalSettings.h"
#include "reports/ReportFormats.h"
#include "reports/ReportLayout.h"
#include "reports/ui/DisplayStyle.h"
#include "reports/ui/ReportChartView.h"
#include "reports/ui/ReportGridView.h"
#include "reports/ui/ReportTableModel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QValueAxis>

namespace dialtally {

namespace {

constexpr int PreviewColumns = 2;

void AddRow(ReportTable& table, RowKind kind, std::string_view first, std::string_view second)
{
    table.StartRow(kind);
    table.AddCell(first);
    table.AddCell(second);
    for (int c = PreviewColumns; c < ReportTextColumns; ++c)
        table.AddCell({});
}

} // namespace

OptionsPreviewWidget::OptionsPreviewWidget(bool dayInclude, QWidget* parent)
    : QWidget(parent), m_grid(new ReportGridView(this)), m_chart(new ReportChartView(this))
{
    BuildSample(dayInclude);
    m_model = std::make_unique<ReportTableModel>(m_sample);
    setObjectName(QStringLiteral("Preview"));
    m_grid->setObjectName(QStringLiteral("GridPreview"));
    m_grid->SetReportModel(m_model.get());
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setFocusPolicy(Qt::NoFocus);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->installEventFilter(this);

    m_chart->setObjectName(QStringLiteral("ChartPreview"));
    m_chart->ShowChart(m_sample.Chart);
    // A preview: no zoom, no panning, no hints, no menu.
    m_chart->setRubberBand(QChartView::NoRubberBand);
    m_chart->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_chart->setFocusPolicy(Qt::NoFocus);
    for (QAbstractAxis* axis : m_chart->chart()->axes(Qt::Vertical)) {
        if (auto* values = qobject_cast<QValueAxis*>(axis)) {
            values->setRange(0, 5);
            values->setTickCount(6);
            values->setLabelFormat(QStringLiteral("%d"));
        }
    }
    // Room for the plot in a small view.
    m_chart->chart()->setMargins(QMargins(2, 2, 2, 2));
    m_chart->chart()->setBackgroundRoundness(0);
    // The legend lists the last value of the one series shown.
    for (QLegendMarker* marker : m_chart->chart()->legend()->markers()) {
        const bool details = marker->label() == QStringLiteral("Details");
        marker->setVisible(details);
        if (details)
            marker->setLabel(QStringLiteral("2"));
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_chart, 1);
    ShowText(TextDisplay{});
    ShowGraph(GraphDisplay{});
}

OptionsPreviewWidget::~OptionsPreviewWidget()
{
    // The grid reads the model until it goes.
    delete m_grid;
}

void OptionsPreviewWidget::BuildSample(bool dayInclude)
{
    ReportTable& table = m_sample.Table;
    AddRow(table, RowKind::Head, "Date On", "Time On");
    AddRow(table, RowKind::Detail, "", "");
    const TDateTime now = Now();
    AddRow(table, RowKind::Detail, FormatDateTime(DetailDatePicture(dayInclude), DateOf(now)),
           FormatDateTime(Regional().ShortTimeFormat, now));
    AddRow(table, RowKind::Total, "1", "1");
    m_sample.Columns.Visible.fill(false);
    m_sample.Columns.Visible[0] = true;
    m_sample.Columns.Visible[1] = true;

    ReportChart& chart = m_sample.Chart;
    ChartSeries& series = chart.Of(ChartLevel::Details);
    series.Color = 0xFF0000;
    const double values[] = {2, 4, 3, 2};
    for (int x = 0; x < 4; ++x)
        series.Add(x, values[x], std::to_string(x));
    chart.MaxX = 3;
    chart.LastSeries = static_cast<int>(ChartLevel::Details);
    chart.Setup.Title = "Title";
    chart.Setup.LeftAxisTitle = "Unit";
    chart.Setup.ValueSeries = static_cast<int>(ChartLevel::Details);
    chart.Setup.Legend = true;
    ApplyChartSetup(chart, chart.Setup);
}

void OptionsPreviewWidget::SetReportLayout(const TCfg& report)
{
    m_model->SetAlignRight(IsOn(report.ColAlign));
    m_sample.Columns.Stretch = IsOn(report.ColStretch);
    m_equalWidths = IsOn(report.ColSize);
    SizeColumns();
}

void OptionsPreviewWidget::ShowText(const TextDisplay& text)
{
    ApplyGridStyle(*m_grid, GridStyleFor(text));
    SizeColumns();
}

void OptionsPreviewWidget::ShowGraph(const GraphDisplay& graph)
{
    m_chart->SetStyle(ChartStyleFor(graph));
}

void OptionsPreviewWidget::SizeColumns()
{
    ColumnLayout& columns = m_sample.Columns;
    if (m_equalWidths)
        columns.Width.fill(m_grid->viewport()->width() / PreviewColumns);
    else
        SizeColumnsToContents(m_sample.Table, columns, m_grid->Measure());
    m_grid->ApplyColumns(columns);
}

bool OptionsPreviewWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid && event->type() == QEvent::Resize && m_equalWidths)
        SizeColumns();
    return QWidget::eventFilter(watched, event);
}

} // namespace dialtally
