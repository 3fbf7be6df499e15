#pragma once

#include <QPoint>
#include <QSize>

#include "services/qt/qt_plane.h"
#include "services/window_metrics.h"

class QWidget;

namespace quarrow {

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
