#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace quarrow {

// Client size for a design rectangle (0, 0)-(right, bottom): both edges are
// inclusive, so the window ends up one pixel wider and taller than right/bottom.
QSize ClientSizeForRect(int right, int bottom);

// Top-left corner that centres a window on a screen, (screen - window) / 2.
QPoint CenteredTopLeft(QSize screen, QSize window);

// Centres the window's outer rectangle, frame and title bar included, on its
// screen (the whole screen, not the work area without panels). A window
// manager's frame is known only once the window is mapped, so the window is
// placed with the frame last seen and, if its own frame turns out different,
// moved once more the first time it is exposed. Where the window system
// places windows itself (Wayland), the move is ignored.
void CentreOnScreen(QWidget* window);

// Fixes the window's client area at client and centres the window.
void SizeAndCentre(QWidget* window, QSize client);

} // namespace quarrow
