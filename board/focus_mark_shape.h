#pragma once

#include "services/plane.h"

namespace quarrow {

// The keyboard focus mark, whatever draws it: a dark dashed outline, two
// pixels thick, inside a card just clear of the green selection frame's three
// pixels, and around the small undo arrow so it does not hide the arrow.
inline constexpr int kFocusMarkInset = 4;
inline constexpr int kFocusMarkOutset = 3;
inline constexpr int kFocusMarkThickness = 2;
inline constexpr int kFocusMarkDash = 4;
inline constexpr int kFocusMarkGap = 3;
inline constexpr int kFocusMarkInk[3] = {24, 24, 72};

// The outline's outer rectangle for a place's rectangle.
constexpr Rect FocusMarkOutline(const Rect& place, bool outside)
{
    constexpr int out = kFocusMarkOutset + kFocusMarkThickness;
    return outside ? place.adjusted(-out, -out, out, out)
                   : place.adjusted(kFocusMarkInset, kFocusMarkInset, -kFocusMarkInset, -kFocusMarkInset);
}

} // namespace quarrow
