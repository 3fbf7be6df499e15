#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "board/board_view.h"
#include "board/keyboard_focus.h"
#include "board/win32/board_scale.h"
#include "rules/board_model.h"

namespace quarrow {

// What a screen reader finds on the board: one child window over each slot,
// foundation, the selection frame and the undo arrow, shown while a reader
// should find the place (the board's view: the card under the frame is not
// read, the frame speaks for it), whose text is the place's name. Each
// answers the reader's questions (MSAA) from the view: a push button with its
// name, description, states, and the press as its default action. They paint
// nothing (the board window draws every place itself) and the mouse passes
// through them to the board. The keyboard focus moves into them so the
// reader follows it; the keys pressed there go on to the board window.
class PlaceWindows {
public:
    PlaceWindows() = default;
    PlaceWindows(const PlaceWindows&) = delete;
    PlaceWindows& operator=(const PlaceWindows&) = delete;

    // A reader's press on a place: whether the board took it (it refuses
    // while a modal window is open).
    using PressFunction = std::function<bool(FocusPlace)>;

    // The children are the board's, and go with it. They are made by the
    // first update after this.
    void Create(HWND board, PressFunction press);
    // Names, visibility and positions as the model says, at the scale.
    void Update(const BoardModel& model, const BoardScale& scale);

    // The window that stands for a place; nullptr for no place.
    HWND WindowOf(FocusPlace place) const;
    bool Owns(HWND window) const;

private:
    struct Child {
        HWND window = nullptr;
        Rect rect;
        std::wstring name;
        PlaceView view;
    };
    void Set(Child& child, const PlaceView& view, const BoardScale& scale);
    static LRESULT CALLBACK PlaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    const Child* ChildOf(HWND window) const;

    HWND board_ = nullptr;
    PressFunction press_;
    // By slot and foundation number; 0 unused.
    std::array<Child, kSlotCount + 1> slots_;
    std::array<Child, kFoundationCount + 1> foundations_;
    Child frame_;
    Child undo_;
};

} // namespace quarrow
