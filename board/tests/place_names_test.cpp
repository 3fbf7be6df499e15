#include <gtest/gtest.h>

#include "board/place_names.h"

namespace quarrow {
namespace {

TEST(PlaceNames, CardsAreSpokenByRankAndSuit)
{
    EXPECT_EQ(CardName(1), QStringLiteral("Ace of spades"));
    EXPECT_EQ(CardName(13), QStringLiteral("King of spades"));
    EXPECT_EQ(CardName(14), QStringLiteral("Ace of diamonds"));
    EXPECT_EQ(CardName(37), QStringLiteral("Jack of clubs"));
    EXPECT_EQ(CardName(46), QStringLiteral("Seven of hearts"));
    EXPECT_EQ(CardName(52), QStringLiteral("King of hearts"));
}

TEST(PlaceNames, EmptyPlacesSaySo)
{
    EXPECT_EQ(SlotName(0), QStringLiteral("Empty place"));
    EXPECT_EQ(SlotName(46), QStringLiteral("Seven of hearts"));
    EXPECT_EQ(FoundationName(1, 0), QStringLiteral("Spades foundation, empty"));
    EXPECT_EQ(FoundationName(1, 5), QStringLiteral("Spades foundation, Five of spades"));
    EXPECT_EQ(FoundationName(4, 52), QStringLiteral("Hearts foundation, King of hearts"));
    EXPECT_EQ(UndoName(), QStringLiteral("Undo last move"));
}

} // namespace
} // namespace quarrow
