#include "reports/ui/ReportChartView.h"

#include "widgets/DialogParts.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace dialtally {

namespace {

// Years are drawn first so that the finer levels stand in front of them.
constexpr std::array<ChartLevel, ChartSeriesCount> DrawingOrder{
    ChartLevel::Years, ChartLevel::Months, ChartLevel::Weeks, ChartLevel::Days,
    ChartLevel::Details};

const char* SeriesName(ChartLevel level)
{
    switch (level) {
    case ChartLevel::Details:
        return "Details";
    case ChartLevel::Days:
        return "Days";
    case ChartLevel::Weeks:
        return "Weeks";
    case ChartLevel::Months:
        return "Months";
    case ChartLevel::Years:
        return "Years";
    }
    return "";
}

// How close, in pixels, the mouse must come to a point to be over it.
constexpr double PointReach = 6.0;
// At most this many labels under the chart; more would overprint.
constexpr int MaxBottomLabels = 12;
// Around the chart, in pixels.
constexpr int ChartMargin = 4;

QColor ColorOf(std::uint32_t rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

} // namespace

ReportChartView::ReportChartView(QWidget* parent)
    : QChartView(parent), m_qchart(new QChart), m_left(new QValueAxis), m_bottom(new QCategoryAxis),
      m_valueLabels(m_qchart)
{
    setObjectName(QStringLiteral("ReportChart"));
    setChart(m_qchart);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::HorizontalRubberBand);
    // Value labels may stand past what the chart repaints of a series after
    // a zoom or a scroll: only a whole repaint leaves none of them behind.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setMouseTracking(true);
    m_qchart->setAnimationOptions(QChart::NoAnimation);
    m_qchart->setLocale(ChartFiguresLocale());
    m_qchart->setLocalizeNumbers(true);
    // The report area is small; the plot gets what a frame would take.
    m_qchart->setMargins(QMargins(ChartMargin, ChartMargin, ChartMargin, ChartMargin));
    m_qchart->layout()->setContentsMargins(0, 0, 0, 0);
    m_qchart->setBackgroundRoundness(0);
    m_qchart->legend()->setAlignment(Qt::AlignRight);
    m_qchart->addAxis(m_bottom, Qt::AlignBottom);
    m_qchart->addAxis(m_left, Qt::AlignLeft);
    m_bottom->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_left->setTitleText(QStringLiteral("Hours"));
    for (std::size_t i = 0; i < DrawingOrder.size(); ++i) {
        const ChartLevel level = DrawingOrder[i];
        const auto slot = static_cast<std::size_t>(level);
        m_lines[slot] = new QLineSeries(this);
        m_areas[slot] = new QAreaSeries(m_lines[slot]);
        m_areas[slot]->setName(QString::fromLatin1(SeriesName(level)));
        m_qchart->addSeries(m_areas[slot]);
        m_areas[slot]->attachAxis(m_bottom);
        m_areas[slot]->attachAxis(m_left);
    }
    for (QLegendMarker* marker : m_qchart->legend()->markers()) {
        connect(marker, &QLegendMarker::clicked, this, [this, marker] {
            for (std::size_t i = 0; i < m_areas.size(); ++i) {
                if (marker->series() == m_areas[i])
                    emit LegendClicked(static_cast<ChartLevel>(i));
            }
        });
    }
    // A narrower plot has room for fewer bottom labels; a value label
    // follows its point.
    connect(m_qchart, &QChart::plotAreaChanged, this, [this](const QRectF& area) {
        if (area.width() != m_labelledWidth) {
            m_labelledWidth = area.width();
            UpdateBottomLabels();
        }
        ShowValueLabels();
    });
    m_hintTimer.setSingleShot(true);
    m_hintTimer.setInterval(125);
}

void ReportChartView::ShowChart(const ReportChart& chart)
{
    m_chart = &chart;
    ApplySetup(chart.Setup);
    double top = 0;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ChartSeries& series = chart.Series[i];
        for (const ChartPoint& point : series.Points)
            top = std::max(top, point.Value);
        const QColor color = ColorOf(series.Color);
        if (m_view3D) {
            // Shading and a darker rim stand in for the depth of a 3-D view.
            QLinearGradient shade(0, 0, 0, 1);
            shade.setCoordinateMode(QGradient::ObjectBoundingMode);
            shade.setColorAt(0, color.lighter(150));
            shade.setColorAt(1, color.darker(170));
            m_areas[i]->setBrush(shade);
            m_areas[i]->setPen(QPen(color.darker(220), 2));
        } else {
            m_areas[i]->setBrush(color);
            m_areas[i]->setPen(QPen(color.darker(160), 1));
        }
        // An empty area would still draw its edge at the origin.
        m_areas[i]->setVisible(!series.Points.empty());
    }
    // Every series keeps its legend entry, so that a click can bring an
    // empty one back.
    for (QLegendMarker* marker : m_qchart->legend()->markers())
        marker->setVisible(true);
    m_qchart->zoomReset();
    m_zoom.ZoomUndone();
    m_bottom->setRange(DataRange().Min, DataRange().Max);
    m_left->setRange(0, top > 0 ? top * 1.1 : 1.0);
    // Nice numbers start from the tick count, which they change: from the
    // same one every time, the same data gets the same axis.
    m_left->setTickCount(5);
    // Ticks at round values, with no more decimals than their step has: a
    // count axis read 103.1 connections, and every label had a decimal.
    m_left->applyNiceNumbers();
    const double step = (m_left->max() - m_left->min()) / std::max(m_left->tickCount() - 1, 1);
    const int decimals =
        step > 0 ? std::max(0, -static_cast<int>(std::floor(std::log10(step)))) : 0;
    m_left->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
    RangeChanged();
}

void ReportChartView::RangeChanged()
{
    UpdateDrawnPoints();
    UpdateBottomLabels();
    KeepEdgeLabelsWhole();
}

// An area of a hundred thousand points costs a second to draw and shows
// no more than one point per pixel: beyond that, each stretch of the
// shown range draws its highest point.
void ReportChartView::UpdateDrawnPoints()
{
    if (!m_chart)
        return;
    const double from = m_bottom->min(), to = m_bottom->max();
    const double margin = (to - from) / 2;
    const int buckets = std::max(2 * static_cast<int>(m_qchart->plotArea().width()), 1000);
    const double bucketWidth = (to - from + 2 * margin) / buckets;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const ChartSeries& series = m_chart->Series[i];
        const auto value = [&](const ChartPoint& point) {
            // Value marks show three decimals at most, as the hints do.
            return series.ShowValues ? ChartMarkValue(point.Value) : point.Value;
        };
        const auto first =
            std::lower_bound(series.Points.begin(), series.Points.end(), from - margin,
                             [](const ChartPoint& p, double x) { return p.X < x; });
        const auto last = std::upper_bound(first, series.Points.end(), to + margin,
                                           [](double x, const ChartPoint& p) { return x < p.X; });
        QList<QPointF> points;
        if (last - first <= buckets) {
            for (auto it = first; it != last; ++it)
                points.append(QPointF(it->X, value(*it)));
        } else {
            long long bucket = -1;
            for (auto it = first; it != last; ++it) {
                const auto at = static_cast<long long>((it->X - (from - margin)) / bucketWidth);
                if (at != bucket || points.isEmpty()) {
                    points.append(QPointF(it->X, value(*it)));
                    bucket = at;
                } else if (value(*it) > points.back().y()) {
                    points.back().setY(value(*it));
                }
            }
        }
        // The neighbours outside the range keep the area's edges in place.
        if (first != series.Points.begin())
            points.prepend(QPointF((first - 1)->X, value(*(first - 1))));
        if (last != series.Points.end())
            points.append(QPointF(last->X, value(*last)));
        m_lines[i]->replace(points);
    }
    ShowValueLabels();
}

void ReportChartView::ShowValueLabels()
{
    m_valueLabels.Clear();
    if (!m_chart)
        return;
    for (const ChartLevel level : DrawingOrder) {
        const auto i = static_cast<std::size_t>(level);
        if (m_chart->Series[i].ShowValues && m_areas[i]->isVisible())
            m_valueLabels.Add(m_chart->Series[i], m_areas[i], m_bottom->min(), m_bottom->max());
    }
}

void ReportChartView::ApplySetup(const ChartSetup& setup)
{
    // Marked up, so that Qt does not take a description with "<...>" in it
    // for markup of its own and drop that part. Cut to what a chart's width
    // can show: the chart works out its shortened title from every shorter
    // one, which for a description of a megabyte would not end.
    constexpr int LongestTitle = 400;
    QString title = QString::fromStdString(setup.Title);
    if (title.size() > LongestTitle)
        title = title.left(LongestTitle) + QChar(0x2026);
    m_qchart->setTitle(QStringLiteral("<span>%1</span>").arg(title.toHtmlEscaped()));
    if (setup.LeftAxisTitle)
        m_left->setTitleText(QString::fromStdString(*setup.LeftAxisTitle));
    m_qchart->legend()->setVisible(setup.Legend);
    if (m_view3D != setup.View3D) {
        m_view3D = setup.View3D;
        m_qchart->setDropShadowEnabled(m_view3D);
    }
}

void ReportChartView::SetStyle(const ChartStyle& style, const std::optional<ChartStyle>& printed)
{
    m_style = style;
    m_printed = printed.value_or(style);
    ApplyStyle(style);
}

void ReportChartView::ShowPrintedColors(bool printed, const QColor& background)
{
    ChartStyle style = printed ? m_printed : m_style;
    if (printed && background.isValid())
        style.Background = background;
    ApplyStyle(style);
}

void ReportChartView::ApplyStyle(const ChartStyle& style)
{
    m_qchart->setTitleFont(style.TitleFont);
    m_qchart->setTitleBrush(style.TitleColor);
    m_left->setTitleFont(style.TitleFont);
    m_left->setTitleBrush(style.TitleColor);
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(m_left), static_cast<QAbstractAxis*>(m_bottom)}) {
        axis->setLabelsFont(style.AxisFont);
        axis->setLabelsColor(style.AxisColor);
    }
    m_qchart->legend()->setFont(style.LabelFont);
    m_qchart->legend()->setLabelColor(style.LabelColor);
    m_valueLabels.SetStyle(style.LabelFont, style.LabelColor, style.Background);
    ShowValueLabels();
    m_qchart->setBackgroundBrush(style.Background);
    setBackgroundBrush(style.Background);
}

// The labels of the series that got the last point name the positions,
// thinned out so that they never overprint, nor are so many that the axis
// cuts them short ("12/1/..."): at most MaxBottomLabels, each a label's
// width and a gap from the one before on the plot.
void ReportChartView::UpdateBottomLabels()
{
    for (const QString& label : m_bottom->categoriesLabels())
        m_bottom->remove(label);
    m_bottom->setStartValue(0);
    // With no label left the axis still drew the last one's grid line.
    m_bottom->setGridLineVisible(m_chart && m_chart->LastSeries >= 0);
    if (!m_chart || m_chart->LastSeries < 0)
        return;
    const ChartSeries& series = m_chart->Series[static_cast<std::size_t>(m_chart->LastSeries)];
    const auto& points = series.Points;
    const double shownFrom = m_bottom->min(), shownTo = m_bottom->max();
    std::vector<const ChartPoint*> shown;
    for (const ChartPoint& point : points) {
        if (point.X >= shownFrom && point.X <= shownTo)
            shown.push_back(&point);
    }
    const std::size_t every = shown.size() / MaxBottomLabels + 1;
    // Dates of one picture differ in width by a digit or two; a sample tells
    // the widest closely enough.
    const QFontMetrics metrics(m_style.AxisFont);
    int widest = 0;
    for (std::size_t i = 0; i < shown.size(); i += shown.size() / 64 + 1)
        widest = std::max(widest, metrics.horizontalAdvance(QtText(series.LabelOf(*shown[i]))));
    const double plotWidth = m_qchart->plotArea().width();
    const double pixelsPerX =
        shownTo > shownFrom && plotWidth > 0 ? plotWidth / (shownTo - shownFrom) : 0;
    // The axis cuts every label to its width over one more than their count,
    // less a padding each side.
    constexpr int AxisLabelPadding = 4;
    const auto fitting =
        static_cast<std::size_t>(std::max(plotWidth / (widest + 2 * AxisLabelPadding) - 1, 1.0));
    double room = (widest + metrics.horizontalAdvance(QStringLiteral("  "))) /
                  std::max(pixelsPerX, std::numeric_limits<double>::min());
    std::vector<const ChartPoint*> chosen;
    for (;;) {
        chosen.clear();
        double last = -std::numeric_limits<double>::infinity();
        for (std::size_t i = 0; i < shown.size(); i += every) {
            if (shown[i]->X <= last || (pixelsPerX > 0 && shown[i]->X - last < room))
                continue;
            chosen.push_back(shown[i]);
            last = shown[i]->X;
        }
        if (chosen.size() <= fitting || pixelsPerX <= 0)
            break;
        room *= 1.25;
    }
    for (const ChartPoint* point : chosen) {
        QString label = QtText(series.LabelOf(*point));
        // Category labels must be unique; a repeated one gets a thin space.
        while (m_bottom->categoriesLabels().contains(label))
            label += QChar(0x2009);
        m_bottom->append(label, point->X);
    }
}

// The last bottom label and the last value labels are centred on the
// plot's right edge: the chart keeps room for their right halves.
void ReportChartView::KeepEdgeLabelsWhole()
{
    int widest = 0;
    if (!m_bottom->categoriesLabels().isEmpty())
        widest =
            QFontMetrics(m_style.AxisFont).horizontalAdvance(m_bottom->categoriesLabels().last());
    for (std::size_t i = 0; m_chart && i < m_areas.size(); ++i) {
        const ChartSeries& series = m_chart->Series[i];
        if (series.ShowValues && !series.Points.empty())
            widest = std::max(widest,
                              QFontMetrics(m_style.LabelFont)
                                  .horizontalAdvance(ValueLabelText(series.Points.back().Value)));
    }
    m_valueLabels.SetRoomRight(widest / 2);
    const QMargins margins(ChartMargin, ChartMargin, ChartMargin + widest / 2, ChartMargin);
    if (m_qchart->margins() != margins)
        m_qchart->setMargins(margins);
}

bool ReportChartView::IsZoomed() const
{
    return m_qchart->isZoomed();
}

void ReportChartView::ZoomIn()
{
    const QRectF area = m_qchart->plotArea();
    const PixelSpan span =
        ZoomInSpan(static_cast<int>(area.left()), static_cast<int>(area.right()));
    m_qchart->zoomIn(QRectF(span.Left, area.top(), span.Right - span.Left, area.height()));
    m_zoom.ZoomCompleted();
    RangeChanged();
}

void ReportChartView::ZoomOut()
{
    if (m_zoom.ZoomOut() == ChartZoom::Action::Undo) {
        m_qchart->zoomReset();
    } else {
        const QRectF area = m_qchart->plotArea();
        const PixelSpan span =
            ZoomOutSpan(static_cast<int>(area.left()), static_cast<int>(area.right()));
        m_qchart->zoomIn(QRectF(span.Left, area.top(), span.Right - span.Left, area.height()));
        m_zoom.ZoomCompleted();
        ClampRange();
    }
    RangeChanged();
}

void ReportChartView::ScrollLeft()
{
    Scroll(false);
}

void ReportChartView::ScrollRight()
{
    Scroll(true);
}

void ReportChartView::Scroll(bool right)
{
    const AxisRange shown{m_bottom->min(), m_bottom->max()};
    const AxisRange scrolled = ScrolledRange(shown, DataRange(), right);
    m_bottom->setRange(scrolled.Min, scrolled.Max);
    RangeChanged();
}

AxisRange ReportChartView::DataRange() const
{
    return {0, (m_chart ? std::max(m_chart->MaxX, 1) : 1) + 0.5};
}

void ReportChartView::ClampRange()
{
    const double dataMax = DataRange().Max;
    double from = m_bottom->min(), to = m_bottom->max();
    const double width = to - from;
    if (width >= dataMax) {
        from = 0;
        to = std::max(dataMax, width);
    } else if (from < 0) {
        from = 0;
        to = width;
    } else if (to > dataMax) {
        to = dataMax;
        from = dataMax - width;
    }
    if (from != m_bottom->min() || to != m_bottom->max())
        m_bottom->setRange(from, to);
}

std::optional<ChartPointRef> ReportChartView::PointAt(const QPoint& pos) const
{
    if (!m_chart)
        return std::nullopt;
    const QPointF scene = mapToScene(pos);
    const QPointF inChart = m_qchart->mapFromScene(scene);
    if (!m_qchart->plotArea().contains(inChart))
        return std::nullopt;
    std::optional<ChartPointRef> best;
    double bestDistance = PointReach;
    // Finer series are drawn in front, so they win a tie.
    for (auto level = DrawingOrder.rbegin(); level != DrawingOrder.rend(); ++level) {
        const auto slot = static_cast<std::size_t>(*level);
        if (!m_areas[slot]->isVisible())
            continue;
        const auto& points = m_chart->Series[slot].Points;
        const QPointF value = m_qchart->mapToValue(inChart, m_areas[slot]);
        // Points are in X order; look only near the mouse.
        const auto near = std::lower_bound(points.begin(), points.end(), value.x() - 2,
                                           [](const ChartPoint& p, double x) { return p.X < x; });
        for (auto it = near; it != points.end() && it->X <= value.x() + 2; ++it) {
            const QPointF at = m_qchart->mapToPosition(QPointF(it->X, it->Value), m_areas[slot]);
            const double distance = std::hypot(at.x() - inChart.x(), at.y() - inChart.y());
            if (distance < bestDistance) {
                bestDistance = distance;
                best = ChartPointRef{*level, static_cast<int>(it - points.begin())};
            }
        }
    }
    return best;
}

QPoint ReportChartView::PositionOf(const ChartPointRef& point) const
{
    const auto slot = static_cast<std::size_t>(point.Level);
    const ChartPoint& p = m_chart->Series[slot].Points[static_cast<std::size_t>(point.Index)];
    const QPointF inChart = m_qchart->mapToPosition(QPointF(p.X, p.Value), m_areas[slot]);
    return mapFromScene(m_qchart->mapToScene(inChart));
}

QPixmap ReportChartView::Picture(const QColor& background)
{
    QPixmap picture(size());
    picture.fill(background);
    QPainter painter(&picture);
    render(&painter);
    return picture;
}

} // namespace dialtally
