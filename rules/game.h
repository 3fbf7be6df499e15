#pragma once

#include <string>
#include <vector>

#include "board_model.h"
#include "card.h"
#include "indexed_array.h"
#include "notices.h"
#include "random_source.h"

namespace quarrow {

// The deal order, addressed 1..size() and grown one card at a time by the shuffle.
class Deck {
public:
    Int16& operator[](int index);
    Int16 operator[](int index) const;
    int size() const { return static_cast<int>(codes_.size()); }
    void Resize(int count) { codes_.resize(static_cast<std::size_t>(count)); }

private:
    std::vector<Int16> codes_;
};

// The whole game: its state under the names the rest of the program uses, the
// board model the window mirrors, and the procedures that change both. One
// instance lives as long as the board window.
class Game {
public:
    Game(RandomSource& random, Notices& notices);

    // --- game state (public, as the windows read and write it in place) ---
    Deck deck;
    IndexedArray<Int16, 0, kSlotCount> slot_rank;
    IndexedArray<Int16, 0, kSlotCount> slot_suit;
    IndexedArray<Int16, 1, kFoundationCount> foundation_top;
    Int16 deal_pos = 0;
    Int16 sel_rank = 0;
    Int16 sel_suit = 0;
    Int16 play_slot = 0;
    Int16 sel_slot = 0;
    bool card_selected = false;
    Int16 undo_slot = 0;
    bool move_error = false;
    bool game_won = false;
    std::string snd_applause; // whole wave images, bytes as stored
    std::string snd_cluck;
    std::string snd_path;
    Int16 help_topic = 0; // 0 = rules, 1 = about

    const BoardModel& model() const { return model_; }

    // --- procedures ---
    void InitNewGame();
    void ShuffleDeck();
    void DealCards();
    void PlayAce(Int16 suit, Int16 slot);
    void GameWin();
    void Undo();

    // --- events, as the board delivers them ---
    void img_crdbrd_Click(Int16 index);
    void img_border_Click();
    void img_ace_Click(Int16 index);
    // source_is_undo: the dropped control is the undo picture itself.
    void img_undo_DragDrop(bool source_is_undo);

private:
    void ExchangeCards(Int16 king_slot, Int16 other_slot);
    void LowerKings();
    void SelectCard(Int16 slot);
    void MoveSelectedOnto(Int16 target);
    void UncoverBelow(Int16 slot);
    static void CheckSlot(int slot);

    RandomSource& random_;
    Notices& notices_;
    BoardModel model_;
};

} // namespace quarrow
