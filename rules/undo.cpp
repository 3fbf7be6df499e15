#include "game.h"

namespace quarrow {

void Game::img_undo_DragDrop(bool source_is_undo)
{
    // The record is valid exactly while the arrow is shown; a hidden arrow
    // takes no drop.
    if (game_won || !source_is_undo || !model_.undo_visible)
        return;
    Undo();
    model_.undo_visible = false;
}

void Game::Undo()
{
    CheckSlot(sel_slot);
    CheckSlot(undo_slot);

    model_.slot_places[sel_slot].face = model_.held_face;
    model_.slot_places[sel_slot].enabled = true;
    model_.slot_places[sel_slot].visible = true;
    if (!IsBottomSlot(sel_slot))
        model_.slot_places[sel_slot - 1].enabled = false;
    card_selected = false;
    model_.slot_places[undo_slot].enabled = false;
    model_.slot_places[undo_slot].visible = false;
    model_.slot_places[undo_slot - 1].enabled = true;
}

} // namespace quarrow
