#include "app/ui/ToolbarBands.h"

#include "app/ToolbarItems.h"
#include "app/ToolbarLayout.h"

#include <QAction>
#include <QComboBox>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace dialtally {

namespace {

// What the log file band holds beside its box.
constexpr int LogFileBandMargin = 24;
// The longest format name, in characters, that the log file box makes room
// for; a longer one is cut rather than push the band off its row.
constexpr int LongestLogFileName = 40;

} // namespace

ToolbarBands::ToolbarBands(QMainWindow* window, const std::array<QToolBar*, BandCount>& bands,
                           QComboBox* logFileBox)
    : m_window(window), m_bands(bands), m_logFileBox(logFileBox)
{
}

QToolBar* ToolbarBands::Band(int id) const
{
    return id >= 0 && id < BandCount ? m_bands[static_cast<std::size_t>(id)] : nullptr;
}

void ToolbarBands::AddItem(const QString& name, QAction* item)
{
    m_items[name] = item;
}

QToolButton* ToolbarBands::ItemButton(const QString& name) const
{
    const auto it = m_items.find(name);
    if (it == m_items.end())
        return nullptr;
    for (QToolBar* bar : {m_bands[1], m_bands[2]})
        if (auto* tool = qobject_cast<QToolButton*>(bar->widgetForAction(it->second)))
            return tool;
    return nullptr;
}

QAction* ToolbarBands::Item(int n) const
{
    const auto it =
        m_items.find(QString::fromLatin1(ToolbarItems()[static_cast<std::size_t>(n - 1)].Name));
    return it == m_items.end() ? nullptr : it->second;
}

void ToolbarBands::Apply(const ToolbarSettings& bars)
{
    for (QToolBar* band : m_bands)
        m_window->removeToolBar(band);
    bool first = true;
    for (const BandSettings& position : bars.Bands) {
        QToolBar* band = Band(position.Id);
        if (!band)
            continue;
        if (position.Break && !first)
            m_window->addToolBarBreak(Qt::TopToolBarArea);
        m_window->addToolBar(Qt::TopToolBarArea, band);
        first = false;
        if (position.Id == 3 && position.Width > 40)
            SizeLogFileBox(position.Width - LogFileBandMargin);
    }
    m_bands[0]->show();
    m_bands[1]->setVisible(bars.Buttons);
    m_bands[2]->setVisible(bars.Criteria);
    m_bands[3]->setVisible(bars.Logfile);
    ApplyTextLabels(bars.TextLabels);
    ApplyItemVisibility(bars);
}

// The band's width is the box's widest: a band alone on its row was as
// wide as the window, and a fixed width would keep the window that wide.
void ToolbarBands::SizeLogFileBox(int width)
{
    m_logFileBox->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    m_logFileWidest = width;
    FitLogFileBox();
}

// Never narrower than its longest name, within reason, whatever the band's
// width: the default band cut "Windows Dial-Up Networking". A crowded row
// gives way in the other bands.
void ToolbarBands::FitLogFileBox()
{
    const int longest =
        std::min(m_logFileBox->sizeHint().width(),
                 m_logFileBox->fontMetrics().averageCharWidth() * LongestLogFileName);
    m_logFileBox->setMinimumWidth(longest);
    m_logFileBox->setMaximumWidth(std::max(m_logFileWidest, longest));
}

void ToolbarBands::Store(ToolbarSettings& bars) const
{
    const auto shown = [this](const QToolBar* band) { return band->isVisibleTo(m_window); };
    bars.Buttons = shown(m_bands[1]);
    bars.Criteria = shown(m_bands[2]);
    bars.Logfile = shown(m_bands[3]);
    bars.TextLabels = m_textLabels;
    std::array<PlacedBand, BandCount> placed;
    for (int id = 0; id < BandCount; ++id) {
        const QToolBar* band = m_bands[static_cast<std::size_t>(id)];
        placed[static_cast<std::size_t>(id)] = {shown(band), band->x(), band->y(), band->width()};
    }
    // The log file band's width is kept as its box's, the way Apply reads it
    // back: the band's own, with its handle, would shrink it at every start.
    // Room the box took for a long name is not the user's width.
    const int box = m_logFileWidest > 0 ? std::min(m_logFileBox->width(), m_logFileWidest)
                                        : m_logFileBox->width();
    placed[3].Width = box + LogFileBandMargin;
    bars.Bands = BandsAsPlaced(bars.Bands, placed);
    for (int n = 1; n <= ToolbarItemCount; ++n)
        if (QAction* item = Item(n); item && !IsNeverShownItem(n))
            bars.Btn[n] = item->isVisible();
}

void ToolbarBands::ApplyTextLabels(bool labels)
{
    for (QToolBar* bar : {m_bands[1], m_bands[2]}) {
        for (QToolButton* tool : bar->findChildren<QToolButton*>()) {
            const bool captioned = labels && !tool->property("caption").toString().isEmpty();
            tool->setToolButtonStyle(captioned ? Qt::ToolButtonTextBesideIcon
                                               : Qt::ToolButtonIconOnly);
        }
    }
    m_textLabels = labels;
}

void ToolbarBands::ApplyItemVisibility(const ToolbarSettings& bars)
{
    for (int n = 1; n <= ToolbarItemCount; ++n)
        if (QAction* item = Item(n))
            item->setVisible(!IsNeverShownItem(n) && bars.Btn[n]);
    // Any change of a bar's item enables its button, whatever the button's
    // own command says (Back with no history to go back to).
    for (QToolButton* tool : m_bands[1]->findChildren<QToolButton*>())
        if (const QAction* command = tool->defaultAction())
            tool->setEnabled(command->isEnabled());
}

} // namespace dialtally
