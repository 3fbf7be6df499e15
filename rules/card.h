#pragma once

#include <cstdint>

namespace quarrow {

using Int16 = std::int16_t;

inline constexpr Int16 kCardCount = 52;
inline constexpr Int16 kSlotCount = 54;
inline constexpr Int16 kFoundationCount = 4;
inline constexpr Int16 kFanCount = 18;
inline constexpr Int16 kAce = 1;
inline constexpr Int16 kKing = 13;

enum class Suit : Int16 { Spades = 1, Diamonds = 2, Clubs = 3, Hearts = 4 };

// Rank 1..13 of card code 1..52; a remainder of 0 is the king.
constexpr Int16 CardRank(Int16 code)
{
    const Int16 r = static_cast<Int16>(code % 13);
    return r == 0 ? kKing : r;
}

// Suit 1..4 by blocks of thirteen codes. Ranges rather than division, so the
// king at the end of each block stays in its own suit.
constexpr Int16 CardSuit(Int16 code)
{
    if (code < 14)
        return 1;
    if (code < 27)
        return 2;
    if (code < 40)
        return 3;
    return 4;
}

constexpr Int16 CardCode(Int16 suit, Int16 rank) { return static_cast<Int16>((suit - 1) * 13 + rank); }

// Fan geometry: fan f is slots 3f-2 (bottom), 3f-1 (middle), 3f (top).
constexpr bool IsTopSlot(Int16 slot) { return slot % 3 == 0; }
constexpr bool IsBottomSlot(Int16 slot) { return slot % 3 == 1; }
constexpr Int16 FanOfSlot(Int16 slot) { return static_cast<Int16>((slot + 2) / 3); }
constexpr Int16 BottomSlotOfFan(Int16 fan) { return static_cast<Int16>(3 * fan - 2); }

// Spoken names, for screen readers and test messages: "Seven of hearts".
const char* RankName(Int16 rank);
const char* SuitName(Int16 suit);

} // namespace quarrow
