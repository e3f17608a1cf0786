#include "reports/ui/ChartValueLabels.h"

#include "base/RegionalSettings.h"
#include "reports/ChartPoints.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QPen>

#include <algorithm>

namespace dialtally {

namespace {

// Above the series and their points, below nothing the plot holds.
constexpr qreal LabelZ = 1000;
// Between a point and the foot of its label.
constexpr qreal LabelGap = 2;
// Between two labels side by side, which would otherwise read as one number.
constexpr qreal LabelSpacing = 4;
// How much of the chart's background a label stands on, so that it reads
// where it overlaps a line or an area's fill, and these still show through.
constexpr int LabelGroundAlpha = 200;

// The text a label's ground carries, its one child.
QGraphicsSimpleTextItem* TextOf(const QGraphicsRectItem* label)
{
    return static_cast<QGraphicsSimpleTextItem*>(label->childItems().constFirst());
}

} // namespace

QString ValueLabelText(double value)
{
    return QString::fromStdString(ChartValueText(value));
}

QLocale ChartFiguresLocale()
{
    QLocale figures(QString::fromStdString(Regional().Name));
    figures.setNumberOptions(QLocale::OmitGroupSeparator);
    return figures;
}

void ChartValueLabels::SetStyle(const QFont& font, const QColor& color, const QColor& background)
{
    m_font = font;
    m_color = color;
    m_ground = background;
    m_ground.setAlpha(LabelGroundAlpha);
    for (QGraphicsRectItem* item : m_items)
        Style(item);
}

void ChartValueLabels::Style(QGraphicsRectItem* item) const
{
    item->setBrush(m_ground);
    QGraphicsSimpleTextItem* text = TextOf(item);
    text->setFont(m_font);
    text->setBrush(m_color);
}

void ChartValueLabels::Clear()
{
    for (std::size_t i = 0; i < m_used; ++i)
        m_items[i]->setVisible(false);
    m_used = 0;
    m_placed.clear();
}

QStringList ChartValueLabels::Texts() const
{
    QStringList texts;
    for (std::size_t i = 0; i < m_used; ++i)
        texts.append(TextOf(m_items[i])->text());
    return texts;
}

void ChartValueLabels::Add(const ChartSeries& series, QAbstractSeries* drawn, double from,
                           double to)
{
    const QRectF plot = m_chart->plotArea();
    if (to <= from || plot.width() <= 0)
        return;
    const auto first = std::lower_bound(series.Points.begin(), series.Points.end(), from,
                                        [](const ChartPoint& p, double x) { return p.X < x; });
    const auto last = std::upper_bound(first, series.Points.end(), to,
                                       [](double x, const ChartPoint& p) { return x < p.X; });
    const QRectF room = plot.adjusted(0, 0, m_roomRight, 0);
    const QFontMetricsF metrics(m_font);
    // Past one label a digit wide, labels would stand only here and there.
    if (static_cast<qreal>(last - first) * metrics.horizontalAdvance(QLatin1Char('0')) >
        plot.width())
        return;
    for (auto it = first; it != last; ++it) {
        const QString text = ValueLabelText(it->Value);
        const QPointF at = m_chart->mapToPosition(QPointF(it->X, ChartMarkValue(it->Value)), drawn);
        const qreal width = metrics.horizontalAdvance(text);
        const QRectF label(at.x() - width / 2, at.y() - LabelGap - metrics.height(), width,
                           metrics.height());
        const QRectF apart = label.adjusted(-LabelSpacing, 0, LabelSpacing, 0);
        if (!room.contains(label) ||
            std::any_of(m_placed.begin(), m_placed.end(),
                        [&](const QRectF& placed) { return placed.intersects(apart); }))
            continue;
        m_placed.push_back(label);
        if (m_used == m_items.size()) {
            auto* item = new QGraphicsRectItem(m_chart);
            item->setZValue(LabelZ);
            item->setAcceptedMouseButtons(Qt::NoButton);
            item->setPen(Qt::NoPen);
            new QGraphicsSimpleTextItem(item);
            Style(item);
            m_items.push_back(item);
        }
        QGraphicsRectItem* item = m_items[m_used++];
        TextOf(item)->setText(text);
        item->setRect(0, 0, width, metrics.height());
        item->setPos(label.topLeft());
        item->setVisible(true);
    }
}

} // namespace dialtally
