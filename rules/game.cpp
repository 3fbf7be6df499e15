#include "game.h"

namespace quarrow {

Int16& Deck::operator[](int index)
{
    if (index < 1 || index > size())
        ThrowIndexError("deck", index, 1, size());
    return codes_[static_cast<std::size_t>(index - 1)];
}

Int16 Deck::operator[](int index) const
{
    if (index < 1 || index > size())
        ThrowIndexError("deck", index, 1, size());
    return codes_[static_cast<std::size_t>(index - 1)];
}

Game::Game(RandomSource& random, Notices& notices)
    : random_(random)
    , notices_(notices)
{
}

void Game::CheckSlot(int slot)
{
    if (slot < 1 || slot > kSlotCount)
        ThrowIndexError("board slot", slot, 1, kSlotCount);
}

void Game::UncoverBelow(Int16 slot)
{
    if (!IsBottomSlot(slot))
        model_.slot_places[slot - 1].enabled = true;
}

} // namespace quarrow
