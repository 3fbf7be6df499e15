#include "game.h"

namespace quarrow {

void Game::PlayAce(Int16 suit, Int16 slot)
{
    CheckSlot(slot);
    if (suit >= 1 && suit <= kFoundationCount) {
        model_.foundations[suit].face = model_.slot_places[slot].face;
        model_.foundations[suit].enabled = true;
        model_.foundations[suit].visible = true;
        foundation_top[suit] = kAce;
    }
    // Playing an ace is not undoable and withdraws the undo before it.
    model_.undo_visible = false;
}

void Game::img_ace_Click(Int16 index)
{
    if (index < 1 || index > kFoundationCount)
        ThrowIndexError("foundation", index, 1, kFoundationCount);
    if (game_won || !card_selected)
        return;
    if (!model_.foundations[index].visible || !model_.foundations[index].enabled)
        return;
    // A card that does not fit is refused silently and stays selected.
    if (sel_suit != index || sel_rank != foundation_top[index] + 1)
        return;

    CheckSlot(sel_slot);
    model_.undo_visible = false;
    model_.foundations[index].face = model_.held_face;
    foundation_top[index] = static_cast<Int16>(foundation_top[index] + 1);
    card_selected = false;
    model_.border_visible = false;
    model_.slot_places[sel_slot].visible = false;
    model_.slot_places[sel_slot].enabled = false;
    UncoverBelow(sel_slot);

    if (foundation_top[index] == kKing)
        GameWin();
}

void Game::GameWin()
{
    int complete = 0;
    for (Int16 k = 1; k <= kFoundationCount; ++k)
        if (foundation_top[k] == kKing)
            ++complete;
    if (complete == kFoundationCount) {
        game_won = true;
        notices_.ShowResult();
    }
}

} // namespace quarrow
