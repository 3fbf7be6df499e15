#include "card.h"

namespace quarrow {

const char* RankName(Int16 rank)
{
    static constexpr const char* kNames[] = {"",    "Ace",  "Two",  "Three", "Four",  "Five", "Six",
                                             "Seven", "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    return rank >= 1 && rank <= 13 ? kNames[rank] : "";
}

const char* SuitName(Int16 suit)
{
    static constexpr const char* kNames[] = {"", "spades", "diamonds", "clubs", "hearts"};
    return suit >= 1 && suit <= 4 ? kNames[suit] : "";
}

} // namespace quarrow
