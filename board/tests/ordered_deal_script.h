#pragma once

namespace quarrow::board_testing {

// One player's action in a fan-by-fan script: lay the top card of fan `from`
// on fan `to`, or (to == 0) play it to its foundation. `card` is the card
// expected on top of `from` at that moment.
struct Step {
    int from;
    int to;
    int card;
};

constexpr Step Move(int from, int to, int card) { return {from, to, card}; }
constexpr Step Foundation(int from, int card) { return {from, 0, card}; }

// A winning game from the ordered deal (card i dealt to slot i, then the
// kings of diamonds and clubs lowered). Found offline with a small
// best-first search over fan states; it wins with the king of spades.
inline constexpr Step kOrderedDealWin[] = {
    Foundation(9, 27),
    Move(17, 18, 51),
    Move(17, 18, 50),
    Move(16, 17, 48),
    Move(16, 17, 47),
    Move(15, 16, 45),
    Move(10, 15, 30),
    Move(5, 10, 15),
    Foundation(5, 14),
    Foundation(10, 15),
    Move(6, 16, 18),
    Move(10, 6, 29),
    Foundation(10, 28),
    Foundation(6, 29),
    Foundation(15, 30),
    Move(6, 15, 17),
    Foundation(6, 16),
    Foundation(15, 17),
    Foundation(16, 18),
    Move(11, 16, 33),
    Move(11, 15, 32),
    Foundation(11, 31),
    Foundation(15, 32),
    Foundation(16, 33),
    Move(15, 16, 44),
    Move(1, 15, 3),
    Move(1, 15, 2),
    Foundation(1, 1),
    Foundation(15, 2),
    Foundation(15, 3),
    Move(14, 15, 42),
    Move(14, 15, 41),
    Foundation(14, 40),
    Foundation(15, 41),
    Foundation(15, 42),
    Foundation(15, 43),
    Foundation(16, 44),
    Foundation(16, 45),
    Foundation(16, 46),
    Foundation(17, 47),
    Foundation(17, 48),
    Foundation(17, 49),
    Foundation(18, 50),
    Foundation(18, 51),
    Foundation(18, 52),
    Move(8, 9, 24),
    Move(13, 5, 38),
    Move(12, 13, 36),
    Move(12, 8, 35),
    Foundation(12, 34),
    Foundation(8, 35),
    Foundation(13, 36),
    Foundation(13, 37),
    Foundation(5, 38),
    Foundation(13, 39),
    Move(4, 5, 12),
    Move(8, 4, 23),
    Move(7, 8, 21),
    Move(7, 8, 20),
    Foundation(7, 19),
    Foundation(8, 20),
    Foundation(8, 21),
    Foundation(8, 22),
    Foundation(4, 23),
    Foundation(9, 24),
    Foundation(9, 25),
    Foundation(9, 26),
    Move(4, 5, 11),
    Move(3, 4, 9),
    Move(3, 4, 8),
    Move(2, 3, 6),
    Move(2, 3, 5),
    Foundation(2, 4),
    Foundation(3, 5),
    Foundation(3, 6),
    Foundation(3, 7),
    Foundation(4, 8),
    Foundation(4, 9),
    Foundation(4, 10),
    Foundation(5, 11),
    Foundation(5, 12),
    Foundation(5, 13),
};

} // namespace quarrow::board_testing
