#include <cstdlib>

#include "game.h"

namespace quarrow {

void Game::img_crdbrd_Click(Int16 index)
{
    CheckSlot(index);
    if (game_won)
        return;
    // The board only delivers clicks on shown, clickable slots.
    if (!model_.slot_places[index].visible || !model_.slot_places[index].enabled)
        return;

    // An ace goes straight home, whatever is selected; the selection survives.
    if (slot_rank[index] == kAce) {
        play_slot = index;
        PlayAce(slot_suit[index], play_slot);
        model_.slot_places[index].visible = false;
        model_.slot_places[index].enabled = false;
        UncoverBelow(index);
        return;
    }

    if (!card_selected) {
        SelectCard(index);
        return;
    }

    // A card is selected, so this click names the target fan.
    if (IsTopSlot(index)) {
        notices_.ShowResult(); // move_error stays False: the full-fan notice
        return;
    }
    if (std::abs(sel_rank - slot_rank[index]) != 1) {
        move_error = true;
        notices_.ShowResult();
        return;
    }
    MoveSelectedOnto(index);
}

void Game::img_border_Click()
{
    if (!card_selected)
        return;
    model_.border_visible = false;
    card_selected = false;
}

void Game::SelectCard(Int16 slot)
{
    sel_slot = slot;
    sel_rank = slot_rank[slot];
    sel_suit = slot_suit[slot];
    model_.held_face = model_.slot_places[slot].face;
    model_.border_slot = slot;
    model_.border_visible = true;
    card_selected = true;
    // The selection overwrites sel_slot and the held face, which the undo
    // record rests on.
    model_.undo_visible = false;
}

void Game::MoveSelectedOnto(Int16 target)
{
    const Int16 d = static_cast<Int16>(target + 1);
    CheckSlot(d);
    CheckSlot(sel_slot);

    model_.slot_places[d].face = model_.held_face;
    slot_rank[d] = sel_rank;
    slot_suit[d] = sel_suit;
    model_.slot_places[d].enabled = true;
    model_.slot_places[d].visible = true;
    model_.slot_places[target].enabled = false;

    card_selected = false;
    model_.border_visible = false;

    // The source keeps its rank and suit: undo shows that card again.
    model_.slot_places[sel_slot].visible = false;
    model_.slot_places[sel_slot].enabled = false;
    UncoverBelow(sel_slot);

    undo_slot = d;
    model_.undo_visible = true;
}

} // namespace quarrow
