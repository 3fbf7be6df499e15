#include "board/win32/keyboard_play.h"

#include <utility>

#include "board/focus_outline.h"

namespace quarrow {

void KeyboardPlay::MakePlaceWindows(const BoardModel& shown, const BoardScale& scale, PlaceWindows::PressFunction press)
{
    places_.Create(board_, std::move(press));
    places_.Update(shown, scale);
    if (GetFocus() == board_)
        FocusPlaceWindow();
}

FocusOutcome KeyboardPlay::Shown(const BoardModel& shown, const BoardScale& scale, bool dealt)
{
    places_.Update(shown, scale);
    return dealt ? keeper_.Dealt(shown) : keeper_.Follow(shown);
}

std::optional<FocusOutcome> KeyboardPlay::KeyDown(WPARAM key)
{
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_LWIN) < 0
        || GetKeyState(VK_RWIN) < 0)
        return std::nullopt;
    switch (key) {
    case VK_LEFT:
        return keeper_.Key(BoardKey::Left);
    case VK_RIGHT:
        return keeper_.Key(BoardKey::Right);
    case VK_UP:
        return keeper_.Key(BoardKey::Up);
    case VK_DOWN:
        return keeper_.Key(BoardKey::Down);
    case VK_TAB:
        return keeper_.Key(GetKeyState(VK_SHIFT) < 0 ? BoardKey::Previous : BoardKey::Next);
    case VK_SPACE:
    case VK_RETURN:
        return keeper_.Key(BoardKey::Activate);
    default:
        return std::nullopt;
    }
}

bool KeyboardPlay::HasKeyboardFocus() const
{
    const HWND focus = GetFocus();
    return focus == board_ || places_.Owns(focus);
}

// The focused place, not the whole board, is what a screen reader should speak.
void KeyboardPlay::FocusPlaceWindow()
{
    if (HWND place = places_.WindowOf(keeper_.current());
        place && IsFocusable(keeper_.shown(), keeper_.current()) && IsWindowVisible(place))
        SetFocus(place);
}

void KeyboardPlay::Announce()
{
    if (!HasKeyboardFocus())
        return;
    HWND target = IsFocusable(keeper_.shown(), keeper_.current()) ? places_.WindowOf(keeper_.current()) : nullptr;
    if (!target || !IsWindowVisible(target))
        target = board_;
    if (GetFocus() != target)
        SetFocus(target);
    else
        NotifyWinEvent(EVENT_OBJECT_FOCUS, target, OBJID_CLIENT, CHILDID_SELF);
}

Rect KeyboardPlay::Mark() const
{
    return keeper_.MarkVisible() ? FocusOutline(keeper_.current()) : Rect();
}

} // namespace quarrow
