#pragma once

#include "board/keyboard_focus.h"

namespace quarrow {

class Game;

// Raises on the game the event a click on the place raises: a slot's or a
// foundation's click, the frame's click, or the undo arrow's drop on itself.
// Every front end routes its keyboard and screen-reader presses through here.
void RaiseClick(Game& game, FocusPlace place);

} // namespace quarrow
