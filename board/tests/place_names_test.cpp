#include <gtest/gtest.h>

#include "board/place_names.h"

namespace quarrow {
namespace {

TEST(PlaceNames, CardsAreSpokenByRankAndSuit)
{
    EXPECT_EQ(CardName(1), std::string("Ace of spades"));
    EXPECT_EQ(CardName(13), std::string("King of spades"));
    EXPECT_EQ(CardName(14), std::string("Ace of diamonds"));
    EXPECT_EQ(CardName(37), std::string("Jack of clubs"));
    EXPECT_EQ(CardName(46), std::string("Seven of hearts"));
    EXPECT_EQ(CardName(52), std::string("King of hearts"));
}

TEST(PlaceNames, EmptyPlacesSaySo)
{
    EXPECT_EQ(SlotName(0), std::string("Empty place"));
    EXPECT_EQ(SlotName(46), std::string("Seven of hearts"));
    EXPECT_EQ(FoundationName(1, 0), std::string("Spades foundation, empty"));
    EXPECT_EQ(FoundationName(1, 5), std::string("Spades foundation, Five of spades"));
    EXPECT_EQ(FoundationName(4, 52), std::string("Hearts foundation, King of hearts"));
    EXPECT_EQ(UndoName(), std::string("Undo last move"));
}

} // namespace
} // namespace quarrow
