#pragma once

#include "rules/game.h"
#include "rules/testing/stacked_deck.h"

namespace quarrow::testing {

// A game on the ordered deal (card i in slot i), dealt, whose notices are
// only counted.
struct OrderedGame {
    OrderedGame() { game.InitNewGame(); }

    ScriptedRandom random; // always 0: the ordered deal
    struct : Notices {
        void ShowResult() override { ++shown; }
        int shown = 0;
    } notices;
    Game game {random, notices};
};

} // namespace quarrow::testing
