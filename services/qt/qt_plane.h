#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "services/plane.h"

namespace quarrow {

// The shared layout's geometry in Qt's own types.
inline QPoint ToQPoint(Point point) { return {point.x(), point.y()}; }
inline QSize ToQSize(Size size) { return {size.width(), size.height()}; }
inline QRect ToQRect(const Rect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

} // namespace quarrow
