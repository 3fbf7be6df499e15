#pragma once

#include <vector>

#include "rules/board_model.h"
#include "services/plane.h"

namespace quarrow {

// A place of the board that can hold the keyboard focus: a foundation that
// has its ace, a shown clickable slot, the selection frame (over the selected
// card, which it stands for) or the undo arrow.
struct FocusPlace {
    enum class Kind { None, Foundation, Slot, Frame, Undo };
    Kind kind = Kind::None;
    int index = 0; // foundation 1..4; slot 1..54; for the frame, the slot under it

    bool operator==(const FocusPlace&) const = default;
};

constexpr FocusPlace NoPlace() { return {}; }
constexpr FocusPlace FoundationPlace(int k) { return {FocusPlace::Kind::Foundation, k}; }
constexpr FocusPlace SlotPlace(int i) { return {FocusPlace::Kind::Slot, i}; }
constexpr FocusPlace FramePlace(int i) { return {FocusPlace::Kind::Frame, i}; }
constexpr FocusPlace UndoPlace() { return {FocusPlace::Kind::Undo, 0}; }

enum class FocusMove { Left, Right, Up, Down, Next, Previous };

bool IsFocusable(const BoardModel& model, FocusPlace place);

// Reading order, as Tab walks it: foundations 1..4, the fans' slots 1..54
// (the frame in the selected card's turn), then the undo arrow.
std::vector<FocusPlace> FocusablePlaces(const BoardModel& model);

// Where the place lies on the board, in pixels of the client area.
Rect PlaceRect(FocusPlace place);

// The place a key moves the focus to. Arrows go to the nearest place in that
// direction, preferring one level with the focus (same row for Left/Right,
// same column for Up/Down); with nothing that way the focus stays. Tab and
// Shift+Tab wrap around. From no place, any key goes to the first place.
FocusPlace MoveFocus(const BoardModel& model, FocusPlace from, FocusMove move);

// The focusable place of a fan: its clickable top card, or the frame over it.
FocusPlace FanPlace(const BoardModel& model, int fan);

// Where the focus goes after an event changed the board from `before` to
// `after`. A place that can still take it keeps it. Otherwise the most useful
// place nearby: the frame over the card just selected, the card put back by
// an undo, the card laid on the fan (the fan's new top), the card uncovered,
// another card of the same fan, and failing those the nearest place.
FocusPlace Refocus(const BoardModel& before, const BoardModel& after, FocusPlace was);

} // namespace quarrow
