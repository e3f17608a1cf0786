#pragma once

#include "reports/ChartPoints.h"
#include "reports/ChartSeries.h"
#include "reports/ui/ChartValueLabels.h"

#include <QChartView>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class QAreaSeries;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace dialtally {

// A point of one of the five series.
struct ChartPointRef {
    ChartLevel Level = ChartLevel::Details;
    int Index = 0;
};

// Fonts and colours of the chart, from the display options.
struct ChartStyle {
    QFont TitleFont;
    QFont AxisFont;
    QFont LabelFont;
    QColor TitleColor = Qt::black;
    QColor AxisColor = Qt::black;
    QColor LabelColor = Qt::black;
    QColor Background = QColor(0xF0, 0xF0, 0xF0);
};

// The report chart: five area series drawn years, months, weeks, days,
// details; zoom and scroll, pan and rubber-band zoom, hints over points.
class ReportChartView : public QChartView {
    Q_OBJECT
public:
    explicit ReportChartView(QWidget* parent = nullptr);

    // Rebuilds the series from the engine's chart.
    void ShowChart(const ReportChart& chart);
    // The printed style is the one the chart leaves the program in.
    void SetStyle(const ChartStyle& style, const std::optional<ChartStyle>& printed = {});
    // Shows the chart in its printed colours, on `background` where one is
    // given, or again in its own.
    void ShowPrintedColors(bool printed, const QColor& background = QColor());
    const ReportChart* Chart() const { return m_chart; }

    void ZoomIn();
    void ZoomOut();
    void ScrollLeft();
    void ScrollRight();
    int ZoomDepth() const { return m_zoom.Depth(); }
    bool IsZoomed() const;

    // The point under a position of the view, when it is near one.
    std::optional<ChartPointRef> PointAt(const QPoint& pos) const;
    QPoint PositionOf(const ChartPointRef& point) const;
    // Says whether hints may show now (no build, connections to show).
    std::function<bool()> HintsAllowed;
    // The hint text of a point.
    std::function<QString(const ChartPointRef&)> HintText;

    // The value labels shown.
    const ChartValueLabels& ValueLabels() const { return m_valueLabels; }
    // The picture of the chart as drawn, at the view's size.
    QPixmap Picture(const QColor& background = Qt::white);

signals:
    void PointDoubleClicked(const ChartPointRef& point);
    void ChartMenuRequested(const QPoint& globalPos, std::optional<ChartPointRef> point);
    void LegendClicked(ChartLevel level);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void UpdateBottomLabels();
    void KeepEdgeLabelsWhole();
    void UpdateDrawnPoints();
    void ShowValueLabels();
    void ApplyStyle(const ChartStyle& style);
    // After every change of the shown range.
    void RangeChanged();
    void ApplySetup(const ChartSetup& setup);
    void HideHint();
    // Keeps a panned or widened range within the data.
    void ClampRange();
    void Scroll(bool right);
    AxisRange DataRange() const;

    QChart* m_qchart;
    std::array<QLineSeries*, ChartSeriesCount> m_lines{};
    std::array<QAreaSeries*, ChartSeriesCount> m_areas{};
    QValueAxis* m_left;
    QCategoryAxis* m_bottom;
    ChartValueLabels m_valueLabels;
    const ReportChart* m_chart = nullptr;
    ChartStyle m_style;
    ChartStyle m_printed;
    bool m_view3D = false;
    ChartZoom m_zoom;
    QTimer m_hintTimer;
    qreal m_labelledWidth = 0; // the plot width the bottom labels were thinned for
    bool m_hintShown = false;
    QPoint m_panStart;
    bool m_panning = false;
};

} // namespace dialtally
