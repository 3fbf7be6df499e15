#include "game.h"

namespace quarrow {

void Game::InitNewGame()
{
    model_.border_visible = false;
    for (Int16 i = 1; i <= kSlotCount; ++i)
        model_.slot_places[i] = Place {kNoFace, false, false};
    for (Int16 k = 1; k <= kFoundationCount; ++k) {
        model_.foundations[k].face = kNoFace;
        model_.foundations[k].enabled = false;
    }
    model_.undo_visible = false;

    deal_pos = 0;
    sel_slot = 0;
    sel_rank = 0;
    sel_suit = 0;
    undo_slot = 0;
    card_selected = false;
    move_error = false;
    game_won = false;
    foundation_top.Fill(0);

    ShuffleDeck();
    DealCards();

    for (Int16 slot = 3; slot <= 51; slot += 3)
        model_.slot_places[slot].enabled = true;
    model_.slot_places[52].enabled = true;
}

void Game::DealCards()
{
    for (Int16 i = 1; i <= kCardCount; ++i) {
        ++deal_pos;
        const Int16 c = deck[deal_pos];
        sel_rank = CardRank(c);
        slot_rank[deal_pos] = sel_rank;
        slot_suit[deal_pos] = CardSuit(c);
        model_.slot_places[i].face = c;
    }

    LowerKings();

    for (Int16 i = 1; i <= kCardCount; ++i)
        model_.slot_places[i].visible = true;
}

// Each step runs over every fan of three before the next step starts; fan 18's
// single card never moves.
void Game::LowerKings()
{
    constexpr Int16 kFansOfThree = 17;
    for (Int16 f = 1; f <= kFansOfThree; ++f) {
        const Int16 m = static_cast<Int16>(3 * f - 1), t = static_cast<Int16>(3 * f);
        if (slot_rank[t] == kKing && slot_suit[t] == slot_suit[m])
            ExchangeCards(t, m);
    }
    for (Int16 f = 1; f <= kFansOfThree; ++f) {
        const Int16 b = BottomSlotOfFan(f), t = static_cast<Int16>(3 * f);
        if (slot_rank[t] == kKing && slot_suit[t] == slot_suit[b])
            ExchangeCards(t, b);
    }
    for (Int16 f = 1; f <= kFansOfThree; ++f) {
        const Int16 b = BottomSlotOfFan(f), m = static_cast<Int16>(3 * f - 1);
        if (slot_rank[m] == kKing && slot_suit[m] == slot_suit[b])
            ExchangeCards(m, b);
    }
}

// Both cards share a suit, so only the ranks and faces trade places; the face
// passes through the held picture as it does on the board.
void Game::ExchangeCards(Int16 king_slot, Int16 other_slot)
{
    model_.held_face = model_.slot_places[king_slot].face;
    model_.slot_places[king_slot].face = model_.slot_places[other_slot].face;
    slot_rank[king_slot] = slot_rank[other_slot];
    slot_rank[other_slot] = kKing;
    model_.slot_places[other_slot].face = model_.held_face;
}

} // namespace quarrow
