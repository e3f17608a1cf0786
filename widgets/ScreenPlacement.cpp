#include "widgets/ScreenPlacement.h"

#include <QEvent>
#include <QRect>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace dialtally {

namespace {

enum class Placement { ScreenCentre, OnScreen, InPlace };

QRect ScreenArea(const QWidget& window)
{
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    const QScreen* screen = parent && parent->isVisible() ? parent->screen() : window.screen();
    return screen ? screen->availableGeometry() : QRect();
}

void Place(QWidget& window, Placement placement)
{
    const QRect area = ScreenArea(window);
    if (area.isEmpty())
        return;
    // The frame is known only once the window was shown; before that a
    // title bar is reckoned above the window, whose own place is asked for.
    const QRect frame = window.frameGeometry(), client = window.geometry();
    const bool framed = frame.size() != client.size();
    const QMargins frameMargins =
        framed
            ? QMargins(client.left() - frame.left(), client.top() - frame.top(),
                       frame.right() - client.right(), frame.bottom() - client.bottom())
            : QMargins(0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window),
                       0, 0);
    const QRect room = area.marginsRemoved(frameMargins);
    QRect placed(QPoint(), window.size());
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    if (placement == Placement::InPlace)
        placed = client;
    else if (placement == Placement::OnScreen && parent && parent->isVisible())
        placed.moveCenter(parent->geometry().center());
    else
        placed.moveCenter(room.center());
    if (placement != Placement::ScreenCentre) {
        placed.setSize(placed.size().boundedTo(room.size()));
        placed.moveLeft(std::clamp(placed.left(), room.left(), room.right() - placed.width() + 1));
        placed.moveTop(std::clamp(placed.top(), room.top(), room.bottom() - placed.height() + 1));
        if (placed.size() != window.size())
            window.resize(placed.size());
    }
    // Before its first show, move() would put the frame where the window's
    // own place is meant, and the window would sit a title bar lower.
    if (framed)
        window.move(placed.topLeft() - QPoint(frameMargins.left(), frameMargins.top()));
    else
        window.setGeometry(QRect(placed.topLeft(), window.size()));
}

// Places its window whenever the program shows it, before it is mapped.
class PlaceOnShow : public QObject {
public:
    PlaceOnShow(QWidget* window, Placement placement) : QObject(window), m_placement(placement)
    {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous() && watched == parent())
            Place(*static_cast<QWidget*>(watched), m_placement);
        return false;
    }

private:
    Placement m_placement;
};

} // namespace

void CentreOnScreenWhenShown(QWidget* window)
{
    new PlaceOnShow(window, Placement::ScreenCentre);
}

void KeepOnScreenWhenShown(QWidget* window)
{
    new PlaceOnShow(window, Placement::OnScreen);
}

void MoveOntoScreen(QWidget& window)
{
    Place(window, Placement::InPlace);
}

int ScreenRoomHeight(const QWidget& window)
{
    const QRect area = ScreenArea(window);
    if (area.isEmpty())
        return std::numeric_limits<int>::max();
    return area.height() - window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
}

void FixSizeWithinScreen(QWidget& window)
{
    QSize size = window.sizeHint();
    if (const QRect area = ScreenArea(window); !area.isEmpty()) {
        // The frame's side borders are not known before the window is
        // shown; a window frame as the style draws one stands in for them.
        const int border =
            window.style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
        const QSize room(area.width() - 2 * border, ScreenRoomHeight(window));
        size = size.boundedTo(room).expandedTo(window.minimumSizeHint());
    }
    window.setFixedSize(size);
}

} // namespace dialtally
