#pragma once

#include <string>

#include "board/board_view.h"
#include "board/focus_keeper.h"

namespace quarrow {

// The page's element for a place: "s12", "f3", "frame", "undo".
std::string PlaceKey(FocusPlace place);

// Where the focus mark is drawn, or an empty rectangle when it is not.
Rect FocusMarkRect(const FocusKeeper& keys);

// The mark's dashes as an SVG picture the size of outline, drawn as the
// desktop draws them, pixel for pixel; empty for an empty outline.
std::string FocusMarkSvg(const Rect& outline);

} // namespace quarrow
