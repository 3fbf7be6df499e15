#pragma once

// The game core's headers, made safe to include after Qt's: Qt defines
// `slots` as a keyword macro, which would swallow BoardModel's member of that
// name. Code that includes Qt reads that member through SlotPlace().
#pragma push_macro("slots")
#undef slots

#include "rules/board_model.h"
#include "rules/game.h"

namespace quarrow {

inline const Place& SlotPlace(const BoardModel& model, int slot)
{
    return model.slots[slot];
}

} // namespace quarrow

#pragma pop_macro("slots")
