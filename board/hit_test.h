#pragma once

#include "board/keyboard_focus.h"
#include "rules/board_model.h"
#include "services/plane.h"

namespace quarrow {

// The place a mouse press at point (design pixels of the client area) lands
// on, for a front end that draws the board itself. The topmost shown place
// under the point takes it, over its whole rectangle, transparent pixels
// included: the frame takes every press inside it, never the card it shows.
// A disabled place still catches the press and raises nothing, as a covered
// card does: the press goes to the board, not to the place beneath. The
// frame comes back as FramePlace(the slot under it); anywhere else, NoPlace().
FocusPlace PlaceAt(const BoardModel& model, Point point);

} // namespace quarrow
