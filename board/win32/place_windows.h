#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "board/keyboard_focus.h"
#include "board/place_layers.h"
#include "board/win32/board_scale.h"
#include "rules/board_model.h"

namespace quarrow {

// What a screen reader finds on the board: one child window over each slot,
// foundation, the selection frame and the undo arrow, shown while the place
// is, whose text is the place's name. They paint nothing (the board window
// draws every place itself) and the mouse passes through them to the board.
// The keyboard focus moves into them so the reader follows it; the keys
// pressed there go on to the board window.
class PlaceWindows {
public:
    PlaceWindows() = default;
    PlaceWindows(const PlaceWindows&) = delete;
    PlaceWindows& operator=(const PlaceWindows&) = delete;

    // The children are the board's, and go with it. They are made by the
    // first update after this.
    void Create(HWND board);
    // Names, visibility and positions as the model says, at the scale.
    void Update(const BoardModel& model, const BoardScale& scale);

    // The window that stands for a place; nullptr for no place.
    HWND WindowOf(FocusPlace place) const;
    bool Owns(HWND window) const;

private:
    struct Child {
        HWND window = nullptr;
        bool shown = false;
        Rect rect;
        std::wstring name;
    };
    void Set(Child& child, const Layer& layer, const BoardScale& scale, const std::string& name);

    HWND board_ = nullptr;
    // By slot and foundation number; 0 unused.
    std::array<Child, kSlotCount + 1> slots_;
    std::array<Child, kFoundationCount + 1> foundations_;
    Child frame_;
    Child undo_;
};

} // namespace quarrow
