#include "board/place_names.h"

#include <cctype>

#include "rules/game.h"

namespace quarrow {

std::string CardName(Int16 code)
{
    return std::string(RankName(CardRank(code))) + " of " + SuitName(CardSuit(code));
}

std::string SlotName(Int16 face)
{
    return face == kNoFace ? "Empty place" : CardName(face);
}

std::string FoundationName(Int16 foundation, Int16 face)
{
    std::string suit = SuitName(foundation);
    if (!suit.empty())
        suit[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(suit[0])));
    return suit + " foundation, " + (face == kNoFace ? std::string("empty") : CardName(face));
}

std::string UndoName()
{
    return "Undo last move";
}

std::string SelectionFrameName(Int16 face)
{
    return face == kNoFace ? "Selected: empty place" : "Selected: " + CardName(face);
}

std::string LocatedName(const BoardModel& model, const std::string& card, int slot)
{
    const Int16 fan = FanOfSlot(static_cast<Int16>(slot));
    bool covered = false;
    for (int above = slot + 1; above <= 3 * fan && above <= kSlotCount; ++above)
        covered = covered || model.slot_places[above].visible;
    const char* position = !covered ? "top card"
        : IsBottomSlot(static_cast<Int16>(slot)) ? "bottom card"
                                                  : "middle card";
    return card + ", " + position + " of fan " + std::to_string(fan);
}

std::string CoveredDescription(int slot)
{
    return "covered, in fan " + std::to_string(FanOfSlot(static_cast<Int16>(slot)));
}

std::string PlaceName(const BoardModel& model, FocusPlace place)
{
    switch (place.kind) {
    case FocusPlace::Kind::Slot:
    case FocusPlace::Kind::Frame:
        return LocatedName(model, SlotName(model.slot_places[place.index].face), place.index);
    case FocusPlace::Kind::Foundation:
        return FoundationName(static_cast<Int16>(place.index), model.foundations[place.index].face);
    case FocusPlace::Kind::Undo:
        return UndoName();
    case FocusPlace::Kind::None:
        break;
    }
    return {};
}

} // namespace quarrow
