#include <gtest/gtest.h>

#include "rules/card.h"

namespace quarrow {
namespace {

TEST(CardCode, RankAndSuitAtTheBlockEdges)
{
    struct Case { Int16 code, rank, suit; };
    for (const Case c : {Case {1, 1, 1}, Case {13, 13, 1}, Case {14, 1, 2}, Case {26, 13, 2},
                         Case {27, 1, 3}, Case {39, 13, 3}, Case {40, 1, 4}, Case {52, 13, 4}}) {
        EXPECT_EQ(CardRank(c.code), c.rank) << "code " << c.code;
        EXPECT_EQ(CardSuit(c.code), c.suit) << "code " << c.code;
        EXPECT_EQ(CardCode(c.suit, c.rank), c.code);
    }
}

TEST(CardCode, EveryCodeRoundTrips)
{
    for (Int16 code = 1; code <= 52; ++code)
        EXPECT_EQ(CardCode(CardSuit(code), CardRank(code)), code);
}

TEST(FanGeometry, SlotPlaceFollowsFromItsIndex)
{
    EXPECT_TRUE(IsBottomSlot(1));
    EXPECT_TRUE(IsTopSlot(3));
    EXPECT_FALSE(IsTopSlot(52));
    EXPECT_TRUE(IsBottomSlot(52));
    EXPECT_TRUE(IsTopSlot(54));
    EXPECT_EQ(FanOfSlot(52), 18);
    EXPECT_EQ(FanOfSlot(54), 18);
    EXPECT_EQ(FanOfSlot(51), 17);
    EXPECT_EQ(BottomSlotOfFan(18), 52);
}

TEST(CardNames, SpeakableNames)
{
    EXPECT_STREQ(RankName(7), "Seven");
    EXPECT_STREQ(RankName(1), "Ace");
    EXPECT_STREQ(RankName(13), "King");
    EXPECT_STREQ(SuitName(4), "hearts");
    EXPECT_STREQ(RankName(0), "");
    EXPECT_STREQ(SuitName(5), "");
}

} // namespace
} // namespace quarrow
