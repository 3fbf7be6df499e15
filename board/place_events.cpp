#include "board/place_events.h"

#include "rules/game.h"

namespace quarrow {

void RaiseClick(Game& game, FocusPlace place)
{
    switch (place.kind) {
    case FocusPlace::Kind::Slot:
        game.img_crdbrd_Click(static_cast<Int16>(place.index));
        break;
    case FocusPlace::Kind::Frame:
        game.img_border_Click();
        break;
    case FocusPlace::Kind::Foundation:
        game.img_ace_Click(static_cast<Int16>(place.index));
        break;
    case FocusPlace::Kind::Undo:
        game.img_undo_DragDrop(true);
        break;
    case FocusPlace::Kind::None:
        break;
    }
}

} // namespace quarrow
