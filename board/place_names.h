#pragma once

#include <QString>

#include "rules/card.h"

namespace quarrow {

// What a screen reader says for each place of the board.

// "Seven of hearts".
QString CardName(Int16 code);
// A board slot: its card, or "Empty place".
QString SlotName(Int16 face);
// "Spades foundation, empty" / "Spades foundation, Five of spades".
QString FoundationName(Int16 foundation, Int16 face);
QString UndoName();
QString SelectionFrameName(Int16 face);

} // namespace quarrow
