#pragma once

#include <string>
#include <vector>

#include "board/focus_keeper.h"
#include "rules/board_model.h"

namespace quarrow {

// What the page shows for one place of the board: its picture, whether it is
// there and takes clicks, and what a screen reader says of it.
struct PlaceView {
    FocusPlace place;
    Rect rect;
    Int16 face = kNoFace;
    bool shown = false;
    bool enabled = false;
    bool selected = false; // the card under the selection frame
    std::string name;
    std::string description;

    bool operator==(const PlaceView&) const = default;
};

// Every place the page draws, back to front as they are layered: slots 1..54,
// foundations 1..4, the selection frame, the undo arrow. Clicks land on the
// frontmost place under the pointer, as on the desktop.
std::vector<PlaceView> BoardView(const BoardModel& model);

// The page's element for a place: "s12", "f3", "frame", "undo".
std::string PlaceKey(FocusPlace place);

// Where the focus mark is drawn, or an empty rectangle when it is not.
Rect FocusMarkRect(const FocusKeeper& keys);

} // namespace quarrow
