#pragma once

#include <vector>

#include "board/keyboard_focus.h"
#include "services/plane.h"

namespace quarrow {

// The keyboard focus as every front end draws it: a dark dashed outline two
// pixels thick, inside a card just clear of the green selection frame's three
// pixels, and around the small undo arrow so it does not hide the arrow.
inline constexpr int kFocusInset = 4;
inline constexpr int kFocusOutset = 3;
inline constexpr int kFocusThickness = 2;
inline constexpr int kFocusDash = 4;
inline constexpr int kFocusGap = 3;

struct FocusInk {
    int red, green, blue;
};
inline constexpr FocusInk kFocusInk {24, 24, 72};

// The rectangle the outline fills, in design pixels; empty for no place.
Rect FocusOutline(FocusPlace place);

// The dashes of an outline, as rectangles to fill. Every edge starts and ends
// with a dash so the corners close; what is left over is spread over the
// gaps in whole pixels, so every dash keeps its length.
std::vector<Rect> FocusDashes(Rect outline);

} // namespace quarrow
