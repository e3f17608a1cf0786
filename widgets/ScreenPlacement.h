#pragma once

class QWidget;

namespace dialtally {

// Centres the window on the screen it opens on each time it is shown, also
// on a first run when the main window has no place yet.
void CentreOnScreenWhenShown(QWidget* window);
// Each time the window is shown: centred on its parent window (the screen
// without one) and moved, and if need be made smaller, so that it lies
// wholly on the screen.
void KeepOnScreenWhenShown(QWidget* window);
// Now: moved, and if need be made smaller, so that the window lies wholly
// on its screen (a place saved on a larger screen).
void MoveOntoScreen(QWidget& window);
// The height a window's contents have on its screen, below a title bar.
int ScreenRoomHeight(const QWidget& window);
// Fixes the window's size at its size hint, or at the room its screen has
// where that is less (large fonts, a small screen), though never below the
// least its layout needs.
void FixSizeWithinScreen(QWidget& window);

} // namespace dialtally
