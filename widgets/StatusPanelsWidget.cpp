#include "widgets/StatusPanelsWidget.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QToolTip>

namespace dialtally {

namespace {

const char* const FigureHints[] = {"Days", "Times", "Duration", "Cost"};

QWidget* GlyphPanel(QLabel* text, const QString& glyph, const QString& hint)
{
    auto* panel = new QWidget;
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(3);
    auto* icon = new QLabel;
    icon->setPixmap(QIcon(glyph).pixmap(16, 16));
    layout->addWidget(icon);
    layout->addWidget(text);
    panel->setToolTip(hint);
    return panel;
}

} // namespace

StatusPanelsWidget::StatusPanelsWidget(QWidget* parent)
    : QStatusBar(parent), m_first(new QStackedWidget), m_progress(new QProgressBar)
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    for (int i = 0; i < PanelCount; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        // A label's text would set the window's least width: longer
        // figures widened the window and kept it from being made narrower.
        panel->setMinimumWidth(1);
        m_panels[static_cast<std::size_t>(i)] = panel;
    }
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(16);
    m_first->addWidget(m_panels[0]);
    m_first->addWidget(m_progress);
    addWidget(m_first);

    static const char* const glyphs[] = {":/icons/days.svg", ":/icons/times.svg",
                                         ":/icons/duration.svg", ":/icons/cost.svg"};
    for (int i = 0; i < 4; ++i)
        addWidget(GlyphPanel(m_panels[static_cast<std::size_t>(i + 1)],
                             QString::fromLatin1(glyphs[i]), QString::fromLatin1(FigureHints[i])));
    addPermanentWidget(m_panels[5]);
}

void StatusPanelsWidget::SetPanelText(int panel, const QString& text)
{
    if (panel < 0 || panel >= PanelCount)
        return;
    QLabel* label = m_panels[static_cast<std::size_t>(panel)];
    const QString previous = label->text();
    label->setText(text);
    if (panel >= 1 && panel <= 4) {
        // A figure of up to eleven digits keeps its width, so that the
        // date gives way first; a longer one is cut, and its tip tells it.
        const QFontMetrics metrics = label->fontMetrics();
        label->setMinimumWidth(std::max(1, std::min(metrics.horizontalAdvance(text),
                                                    metrics.horizontalAdvance(QString(11, '0')))));
        label->parentWidget()->setToolTip(
            QStringLiteral("%1: %2").arg(QString::fromLatin1(FigureHints[panel - 1]), text));
    }
    if (panel != 0)
        return;
    // The first panel is a quarter of the window and cuts long hints
    // short: its tool-tip holds the whole text, and pops up at once while
    // a hint that does not fit stands there (the mouse is on a menu then).
    label->setToolTip(text);
    if (label->isVisible() && label->fontMetrics().horizontalAdvance(text) > label->width())
        QToolTip::showText(label->mapToGlobal(QPoint(0, 0)), text, label);
    else if (QToolTip::isVisible() && !previous.isEmpty() && QToolTip::text() == previous)
        QToolTip::hideText();
}

QString StatusPanelsWidget::PanelText(int panel) const
{
    if (panel < 0 || panel >= PanelCount)
        return {};
    return m_panels[static_cast<std::size_t>(panel)]->text();
}

void StatusPanelsWidget::SetProgress(int position, int max)
{
    if (max <= 0) {
        m_first->setCurrentIndex(0);
        return;
    }
    m_progress->setMaximum(max);
    m_progress->setValue(std::min(position, max));
    m_first->setCurrentIndex(1);
}

void StatusPanelsWidget::SetFirstPanelWidth(int width)
{
    m_first->setFixedWidth(std::max(width, 0));
}

} // namespace dialtally
