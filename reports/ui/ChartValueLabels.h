#pragma once

#include "reports/ChartSeries.h"

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QRectF>
#include <QString>

#include <cstddef>
#include <vector>

class QAbstractSeries;
class QChart;
class QGraphicsRectItem;

namespace dialtally {

// The value over a point of the chart's areas, as its hint tells it: in
// the regional notation, and a million in full rather than as 1e+06.
QString ValueLabelText(double value);
// The locale a chart's axes write their figures in, so that they read as
// its value labels: the regional decimal separator and no grouping.
QLocale ChartFiguresLocale();

// The values over the points of the chart's areas, placed label by label:
// one shows when it stands wholly inside the plot and apart from those
// placed before it. An area series shows all of its labels or none, and cuts one
// at the plot's edge to a fragment that reads as another number.
class ChartValueLabels {
public:
    explicit ChartValueLabels(QChart* chart) : m_chart(chart) {}

    // Labels stand on a ground of the chart's background, a little
    // see-through, so that a line or fill they overlap does not hide them.
    void SetStyle(const QFont& font, const QColor& color, const QColor& background);
    // How far right of the plot a label may reach: the chart keeps room
    // there for the labels centred on its right edge.
    void SetRoomRight(qreal room) { m_roomRight = room; }
    // Takes every label away, before the series are labelled anew.
    void Clear();
    // Labels the points of `series`, drawn as `drawn`, that lie between
    // `from` and `to` across; none where so many would stand that they
    // would overprint wherever the values are close.
    void Add(const ChartSeries& series, QAbstractSeries* drawn, double from, double to);
    // The labels shown, and their texts.
    int Shown() const { return static_cast<int>(m_used); }
    QStringList Texts() const;

private:
    void Style(QGraphicsRectItem* item) const;

    QChart* m_chart;
    QFont m_font;
    QColor m_color = Qt::black;
    QColor m_ground = Qt::transparent;
    qreal m_roomRight = 0;
    // Made once and reused: a range scrolled step by step labels anew at
    // every step.
    std::vector<QGraphicsRectItem*> m_items; // each with its text as its child
    std::size_t m_used = 0;
    std::vector<QRectF> m_placed;
};

} // namespace dialtally
