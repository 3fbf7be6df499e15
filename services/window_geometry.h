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

// Fixes the window's client area at client and centres the window on its
// screen (the whole screen, not the work area without panels).
void SizeAndCentre(QWidget* window, QSize client);

} // namespace quarrow
