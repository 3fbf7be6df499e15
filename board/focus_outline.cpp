#include "board/focus_outline.h"

#include <algorithm>

namespace quarrow {

namespace {

// Dashes from `from` to `to` along one edge; piece(at, length) is the dash.
template <typename Piece>
void DashLine(std::vector<Rect>& dashes, int from, int to, Piece piece)
{
    const int length = to - from;
    const int period = kFocusDash + kFocusGap;
    const int count = std::max(1, (length + kFocusGap) / period);
    const int spare = length - count * kFocusDash;
    const int gaps = std::max(1, count - 1);
    int at = from;
    for (int n = 0; n < count; ++n) {
        dashes.push_back(piece(at, kFocusDash));
        at += kFocusDash + spare / gaps + (n < spare % gaps ? 1 : 0);
    }
    if (count > 1)
        dashes.push_back(piece(to - kFocusDash, kFocusDash));
}

} // namespace

Rect FocusOutline(FocusPlace place)
{
    if (place.kind == FocusPlace::Kind::None)
        return {};
    const Rect rect = PlaceRect(place);
    constexpr int out = kFocusOutset + kFocusThickness;
    return place.kind == FocusPlace::Kind::Undo ? rect.adjusted(-out, -out, out, out)
                                                : rect.adjusted(kFocusInset, kFocusInset, -kFocusInset, -kFocusInset);
}

std::vector<Rect> FocusDashes(Rect outline)
{
    std::vector<Rect> dashes;
    if (outline.isEmpty())
        return dashes;
    const int x = outline.x();
    const int y = outline.y();
    const int w = outline.width();
    const int h = outline.height();
    const int t = kFocusThickness;
    DashLine(dashes, x, x + w, [&](int at, int len) { return Rect(at, y, len, t); });
    DashLine(dashes, x, x + w, [&](int at, int len) { return Rect(at, y + h - t, len, t); });
    DashLine(dashes, y, y + h, [&](int at, int len) { return Rect(x, at, t, len); });
    DashLine(dashes, y, y + h, [&](int at, int len) { return Rect(x + w - t, at, t, len); });
    return dashes;
}

} // namespace quarrow
