// The chart under the mouse: hints over points, panning, the rubber band's
// zoom, and the menus and double-clicks on points.

#include "reports/ui/ReportChartView.h"

#include <QCategoryAxis>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QToolTip>

namespace dialtally {

void ReportChartView::HideHint()
{
    if (m_hintShown) {
        QToolTip::hideText();
        m_hintShown = false;
    }
    unsetCursor();
}

void ReportChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_panning) {
        const QPoint delta = event->pos() - m_panStart;
        m_qchart->scroll(-delta.x(), 0);
        ClampRange();
        m_panStart = event->pos();
        RangeChanged();
        return;
    }
    QChartView::mouseMoveEvent(event);
    const bool allowed = QGuiApplication::applicationState() == Qt::ApplicationActive &&
                         (!HintsAllowed || HintsAllowed());
    if (!allowed)
        return;
    const std::optional<ChartPointRef> point = PointAt(event->pos());
    if (!point) {
        HideHint();
        return;
    }
    if (m_hintTimer.isActive())
        return;
    m_hintTimer.start();
    setCursor(Qt::PointingHandCursor);
    if (HintText) {
        // One word a line, as a hint wrapped within a few pixels would be.
        QString text = HintText(*point);
        text.replace(QLatin1Char(' '), QLatin1Char('\n'));
        QToolTip::showText(mapToGlobal(event->pos() + QPoint(10, 20)), text, this);
        m_hintShown = true;
    }
}

void ReportChartView::mousePressEvent(QMouseEvent* event)
{
    // Middle drag, or Ctrl with the left button, pans; a plain left drag
    // draws the zoom rectangle.
    const bool pan =
        event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier));
    if (pan) {
        m_panning = true;
        m_panStart = event->pos();
        event->accept();
        return;
    }
    QChartView::mousePressEvent(event);
}

void ReportChartView::mouseReleaseEvent(QMouseEvent* event)
{
    // A right click is the menu, never the chart's own zoom out.
    if (m_panning || event->button() == Qt::RightButton) {
        m_panning = false;
        event->accept();
        return;
    }
    const bool wasZoomed = m_qchart->isZoomed();
    const double from = m_bottom->min(), to = m_bottom->max();
    QChartView::mouseReleaseEvent(event);
    // The rubber band zooms in; its right-click undo resets the depth.
    if (m_bottom->min() != from || m_bottom->max() != to) {
        if (m_qchart->isZoomed())
            m_zoom.ZoomCompleted();
        else if (wasZoomed)
            m_zoom.ZoomUndone();
        RangeChanged();
    }
}

void ReportChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (const std::optional<ChartPointRef> point = PointAt(event->pos()))
        emit PointDoubleClicked(*point);
    event->accept();
}

void ReportChartView::contextMenuEvent(QContextMenuEvent* event)
{
    emit ChartMenuRequested(event->globalPos(), PointAt(event->pos()));
}

void ReportChartView::leaveEvent(QEvent* event)
{
    HideHint();
    QChartView::leaveEvent(event);
}

} // namespace dialtally
