#pragma once

#include <vector>

#include "board/keyboard_focus.h"
#include "rules/board_model.h"
#include "services/plane.h"

namespace quarrow {

// One place of the board as a front end that draws the board itself sees it:
// where it lies, whether it is shown and takes clicks, and what it draws.
struct Layer {
    FocusPlace place;      // the slot, foundation, frame (with the slot under it) or undo arrow
    Rect rect;             // in design pixels of the client area
    bool shown = false;
    bool enabled = false;
    Int16 face = kNoFace;  // the card of a slot or foundation; kNoFace draws nothing there

    // Whether anything of it reaches the screen: a shown card, the shown frame or arrow.
    bool Draws() const;

    bool operator==(const Layer&) const = default;
};

// Every place on the board, hidden ones included, from back to front: slots
// 1..54 (so within a fan the higher slot covers the lower), foundations 1..4,
// the selection frame, the undo arrow. The held picture and the stock of
// faces lie beside the board and are never drawn, so they are not here.
std::vector<Layer> BoardLayers(const BoardModel& model);

// The areas, in design pixels, whose pixels differ between the two boards:
// where a place drew before and where it draws now, for every place whose
// picture, position or visibility changed. Enabling or disabling a place
// changes nothing on the screen.
std::vector<Rect> ChangedAreas(const BoardModel& before, const BoardModel& after);

} // namespace quarrow
