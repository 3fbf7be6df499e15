#pragma once

#include <string>

#include "board/board_view.h"
#include "board/focus_keeper.h"

namespace quarrow {

// The page's element for a place: "s12", "f3", "frame", "undo".
std::string PlaceKey(FocusPlace place);

// Whether Tab (Next) or Shift+Tab (Previous) takes the focus out of the
// board to the rest of the page rather than round to its other end: from
// the last place, from the first, or from a board with no place at all.
// Every other Tab walks the places as on the desktop, and a first key that
// only shows the focus never leaves.
bool TabLeavesBoard(const FocusKeeper& keys, BoardKey key);

// Where the focus mark is drawn, or an empty rectangle when it is not.
Rect FocusMarkRect(const FocusKeeper& keys);

// The mark's dashes as an SVG picture the size of outline, drawn as the
// desktop draws them, pixel for pixel; empty for an empty outline.
std::string FocusMarkSvg(const Rect& outline);

} // namespace quarrow
