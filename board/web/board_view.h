#pragma once

#include <string>
#include <vector>

#include "board/focus_keeper.h"
#include "board/place_layers.h"
#include "rules/board_model.h"

namespace quarrow {

// What the page shows for one place of the board: the place's layer (where it
// lies, its picture, whether it is there and takes clicks) and what a screen
// reader says of it.
struct PlaceView : Layer {
    bool selected = false; // the card under the selection frame, and the frame
    std::string name;
    std::string description;

    bool operator==(const PlaceView& other) const
    {
        return place == other.place && rect == other.rect && face == other.face && shown == other.shown
            && enabled == other.enabled && selected == other.selected && name == other.name
            && description == other.description;
    }
};

// Every place the page draws, in the board's layers from back to front, so
// clicks land on the frontmost place under the pointer, as on the desktop.
std::vector<PlaceView> BoardView(const BoardModel& model);

// The page's element for a place: "s12", "f3", "frame", "undo".
std::string PlaceKey(FocusPlace place);

// Where the focus mark is drawn, or an empty rectangle when it is not.
Rect FocusMarkRect(const FocusKeeper& keys);

// The mark's dashes as an SVG picture the size of outline, drawn as the
// desktop draws them, pixel for pixel; empty for an empty outline.
std::string FocusMarkSvg(const Rect& outline);

} // namespace quarrow
