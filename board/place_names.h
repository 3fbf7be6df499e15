#pragma once

#include <string>

#include "board/keyboard_focus.h"
#include "rules/board_model.h"
#include "rules/card.h"

namespace quarrow {

// What a screen reader says for each place of the board, in UTF-8.

// "Seven of hearts".
std::string CardName(Int16 code);
// A board slot: its card, or "Empty place".
std::string SlotName(Int16 face);
// "Spades foundation, empty" / "Spades foundation, Five of spades".
std::string FoundationName(Int16 foundation, Int16 face);
std::string UndoName();
std::string SelectionFrameName(Int16 face);

// A card with where it lies in its fan: "Seven of hearts, top card of fan 3".
// "top card" unless a shown card lies over it, as all three empty places of a
// fan do before the first deal.
std::string LocatedName(const BoardModel& model, const std::string& card, int slot);
// A card the player cannot act on is only part of its fan's picture.
std::string CoveredDescription(int slot);
// The name of a place that takes the focus: its card and where it lies, a
// foundation with its top card, or the undo arrow.
std::string PlaceName(const BoardModel& model, FocusPlace place);

} // namespace quarrow
