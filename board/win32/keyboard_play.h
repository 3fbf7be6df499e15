#pragma once

#include <windows.h>

#include <optional>

#include "board/focus_keeper.h"
#include "board/win32/board_scale.h"
#include "board/win32/place_windows.h"
#include "rules/board_model.h"

namespace quarrow {

// The board's keyboard and what a screen reader finds on it: the keeper of
// the focus (shared by every front end), the place windows a reader reads,
// and the focus they hold. The board window hands it the player's keys and
// clicks and every board it shows, and carries out the outcomes: redrawing
// the mark, and raising the click a key asked for.
class KeyboardPlay {
public:
    explicit KeyboardPlay(HWND board, const BoardModel& shown) : board_(board), keeper_(shown) {}

    // The place windows, made once the board has been painted; a reader's
    // press on one comes back through press.
    void MakePlaceWindows(const BoardModel& shown, const BoardScale& scale, PlaceWindows::PressFunction press);
    // A new scale: the place windows follow it.
    void Rescale(const BoardModel& shown, const BoardScale& scale) { places_.Update(shown, scale); }

    // After every event, with the board now shown; after a deal the focus
    // starts again on fan 1.
    FocusOutcome Shown(const BoardModel& shown, const BoardScale& scale, bool dealt);
    // A board key (nothing for any other key, or one held with Alt, Ctrl or
    // the system key: those belong to the menus).
    std::optional<FocusOutcome> KeyDown(WPARAM key);
    FocusOutcome Clicked(FocusPlace place) { return keeper_.Clicked(place); }
    FocusOutcome Activate(FocusPlace place) { return keeper_.Activate(place); }

    // Tells the reader where the focus is: the focused place's window takes
    // the keyboard, or says so again when it has it already.
    void Announce();
    // The board took the keyboard: the focused place's window has it instead.
    void FocusPlaceWindow();
    // Where the focus mark is to be drawn, in design pixels; empty for none.
    Rect Mark() const;

private:
    bool HasKeyboardFocus() const;

    HWND board_;
    FocusKeeper keeper_;
    PlaceWindows places_;
};

} // namespace quarrow
