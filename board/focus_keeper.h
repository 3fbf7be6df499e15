#pragma once

#include "board/keyboard_focus.h"
#include "rules/board_model.h"

namespace quarrow {

// The keys a front end maps its own key codes to. Keys held with Alt, Ctrl
// or the system key belong to the menus and are never mapped.
enum class BoardKey { Left, Right, Up, Down, Next, Previous, Activate };

// What the front end must do after a call: tell the screen reader where the
// focus is, and raise the event a click on a place raises.
struct FocusOutcome {
    bool announce = false;
    FocusPlace activate;
};

// Playing the board from the keyboard, the same on every platform: one place
// holds the focus, the arrows and Tab move it, Space and Enter act on it.
// The mark is drawn only once a board key has been pressed, and a mouse
// click hides it again; a click on a place also moves the focus there.
// The front end draws the mark where current() is while markShown().
class FocusKeeper {
public:
    explicit FocusKeeper(const BoardModel& shown = {}) : shown_(shown) {}

    // After every event, with the board as the window now shows it.
    FocusOutcome Follow(const BoardModel& model);
    // A new deal, in place of Follow: the focus starts again on fan 1, and is
    // announced there once, even where it was on fan 1 already, since the
    // card is a new one. The old board's places are never spoken of.
    FocusOutcome Dealt(const BoardModel& model);
    FocusOutcome Key(BoardKey key);
    // A mouse press on a place (NoPlace() for anywhere else on the board).
    FocusOutcome Clicked(FocusPlace place);
    // What Space does on a place; also a screen reader's press, which may act
    // on a place other than the focused one: the focus moves there first,
    // and says so, as a click takes it along.
    FocusOutcome Activate(FocusPlace place);

    FocusPlace current() const { return current_; }
    bool markShown() const { return mark_shown_; }
    // The mark is drawn only around a place that can still take the focus.
    bool MarkVisible() const { return mark_shown_ && IsFocusable(shown_, current_); }
    const BoardModel& shown() const { return shown_; }

private:
    FocusOutcome MoveTo(FocusPlace place);

    BoardModel shown_;
    FocusPlace current_;
    bool mark_shown_ = false;
};

} // namespace quarrow
