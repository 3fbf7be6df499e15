#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "board/place_layers.h"
#include "rules/board_model.h"

namespace quarrow {

// What every front end shows of one place of the board and tells a screen
// reader of it. The layer says where it lies, its picture, whether it is there
// and takes clicks; the rest is the same on every platform:
// - every place is a push button; its default action is the press, which
//   raises what a click on it raises (RaiseClick);
// - the selected card is one node, the frame: the card under it is not read;
// - a covered card is unavailable and described as such.
// The focus is the front end's to add (FocusKeeper).
struct PlaceView : Layer {
    bool readable = false;  // a screen reader finds it: shown, and not the card under the frame
    bool pressable = false; // takes the keyboard focus and the press, as it takes a click
    bool selected = false;  // the selection frame while it shows
    bool covered = false;   // a card shown as part of its fan's picture: no action, "unavailable"
    std::string name;
    std::string description;

    bool operator==(const PlaceView&) const = default;
};

// The name of every place's default action.
inline constexpr std::string_view kPressAction = "Press";

// Every place of the board, in its layers from back to front (BoardLayers),
// so clicks land on the frontmost place under the pointer, as on the desktop.
std::vector<PlaceView> BoardView(const BoardModel& model);

// The view of one place; an empty view for no place.
PlaceView ViewOfPlace(const BoardModel& model, FocusPlace place);

} // namespace quarrow
