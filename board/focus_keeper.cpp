#include "board/focus_keeper.h"

namespace quarrow {

FocusOutcome FocusKeeper::Follow(const BoardModel& model)
{
    const FocusPlace next = Refocus(shown_, model, current_);
    shown_ = model;
    return MoveTo(next);
}

FocusOutcome FocusKeeper::Dealt(const BoardModel& model)
{
    shown_ = model;
    current_ = FanPlace(model, 1);
    return {.announce = true, .activate = NoPlace()};
}

FocusOutcome FocusKeeper::Activate(FocusPlace place)
{
    if (!IsFocusable(shown_, place))
        return {};
    // The handler mirrors the board, and Follow moves the focus on if the
    // place went.
    const bool moved = place != current_;
    current_ = place;
    return {.announce = moved, .activate = place};
}

FocusOutcome FocusKeeper::Clicked(FocusPlace place)
{
    mark_shown_ = false;
    if (IsFocusable(shown_, place))
        return MoveTo(place);
    return {};
}

FocusOutcome FocusKeeper::Key(BoardKey key)
{
    const bool here = IsFocusable(shown_, current_);
    if (key == BoardKey::Activate) {
        // Until the mark shows, the player cannot see what a key would act
        // on: the first key only shows where the focus is.
        if (mark_shown_ && here)
            return Activate(current_);
        if (!here)
            MoveTo(MoveFocus(shown_, NoPlace(), FocusMove::Next));
        mark_shown_ = true;
        return {.announce = true, .activate = NoPlace()};
    }
    if (!mark_shown_ && here) {
        mark_shown_ = true;
        return {.announce = true, .activate = NoPlace()};
    }
    mark_shown_ = true;
    FocusMove move = FocusMove::Next;
    switch (key) {
    case BoardKey::Left: move = FocusMove::Left; break;
    case BoardKey::Right: move = FocusMove::Right; break;
    case BoardKey::Up: move = FocusMove::Up; break;
    case BoardKey::Down: move = FocusMove::Down; break;
    case BoardKey::Next: move = FocusMove::Next; break;
    case BoardKey::Previous: move = FocusMove::Previous; break;
    case BoardKey::Activate: break;
    }
    return MoveTo(MoveFocus(shown_, here ? current_ : NoPlace(), move));
}

FocusOutcome FocusKeeper::MoveTo(FocusPlace place)
{
    if (place == current_)
        return {};
    current_ = place;
    return {.announce = true, .activate = NoPlace()};
}

} // namespace quarrow
