#include "board/qt/focus_mark.h"

#include <algorithm>
#include <functional>

#include <QPainter>

namespace quarrow {

namespace {

// Dashes along one edge, starting and ending with a dash so the corners are
// closed and the outline reads as a rectangle.
void DashLine(QPainter& painter, int from, int to, const std::function<QRect(int, int)>& piece)
{
    const int length = to - from;
    const int period = FocusMark::kDash + FocusMark::kGap;
    const int dashes = std::max(1, (length + FocusMark::kGap) / period);
    // Spread what is left over the gaps, in whole pixels, so every dash keeps
    // its length and lands on the pixel grid at any scale.
    const int spare = length - dashes * FocusMark::kDash;
    const int gaps = std::max(1, dashes - 1);
    int at = from;
    for (int n = 0; n < dashes; ++n) {
        painter.fillRect(piece(at, FocusMark::kDash), FocusMark::kInk);
        at += FocusMark::kDash + spare / gaps + (n < spare % gaps ? 1 : 0);
    }
    if (dashes > 1)
        painter.fillRect(piece(to - FocusMark::kDash, FocusMark::kDash), FocusMark::kInk);
}

} // namespace

FocusMark::FocusMark(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("focus_mark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusMark::ShowAround(const QRect& place, bool outside)
{
    if (place.isEmpty()) {
        hide();
        return;
    }
    const QRect outline = outside ? place.adjusted(-kOutset - kThickness, -kOutset - kThickness,
                                                   kOutset + kThickness, kOutset + kThickness)
                                  : place.adjusted(kInset, kInset, -kInset, -kInset);
    if (geometry() != outline)
        setGeometry(outline);
    show();
    raise();
}

void FocusMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const int t = kThickness;
    DashLine(painter, 0, w, [&](int at, int len) { return QRect(at, 0, len, t); });
    DashLine(painter, 0, w, [&](int at, int len) { return QRect(at, h - t, len, t); });
    DashLine(painter, 0, h, [&](int at, int len) { return QRect(0, at, t, len); });
    DashLine(painter, 0, h, [&](int at, int len) { return QRect(w - t, at, t, len); });
}

} // namespace quarrow
