#include <gtest/gtest.h>

#include "board/board_geometry.h"

namespace quarrow {
namespace {

TEST(BoardGeometry, ColumnLeftsStepTwentyTwoInsideAFanAndEightyBetweenFans)
{
    const int expected[16] = {0, 86, 108, 130, 210, 232, 254, 334, 356, 378, 458, 480, 502, 582, 604, 626};
    for (int c = 1; c <= 15; ++c)
        EXPECT_EQ(ColumnLeft(c), expected[c]) << "column " << c;
}

TEST(BoardGeometry, SlotsFillRowsOfFifteen)
{
    EXPECT_EQ(SlotTopLeft(1), Point(86, 7));
    EXPECT_EQ(SlotTopLeft(15), Point(626, 7));
    EXPECT_EQ(SlotTopLeft(16), Point(86, 111));
    EXPECT_EQ(SlotTopLeft(30), Point(626, 111));
    EXPECT_EQ(SlotTopLeft(31), Point(86, 215));
    EXPECT_EQ(SlotTopLeft(46), Point(86, 319));
    EXPECT_EQ(SlotTopLeft(51), Point(254, 319));
    EXPECT_EQ(SlotTopLeft(52), Point(334, 319));
    EXPECT_EQ(SlotTopLeft(53), Point(356, 319));
    EXPECT_EQ(SlotTopLeft(54), Point(378, 319));
}

TEST(BoardGeometry, EveryCardPlaceLiesInsideTheBoardPicture)
{
    const Rect board(Point(0, 0), kBoardPictureSize);
    for (int i = 1; i <= 54; ++i)
        EXPECT_TRUE(board.contains(Rect(SlotTopLeft(i), kCardSize))) << "slot " << i;
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(board.contains(Rect(FoundationTopLeft(k), kCardSize))) << "foundation " << k;
    EXPECT_TRUE(board.contains(kUndoRect));
}

TEST(BoardGeometry, FansOverlapOnlyWithinThemselves)
{
    // Each covered card keeps a 22-pixel strip, and neighbouring fans and rows
    // never touch, so a click can only ever land on one fan.
    for (int i = 1; i <= 54; ++i) {
        const Rect a(SlotTopLeft(i), kCardSize);
        for (int j = i + 1; j <= 54; ++j) {
            const Rect b(SlotTopLeft(j), kCardSize);
            const bool sameFan = (i + 2) / 3 == (j + 2) / 3;
            EXPECT_EQ(a.intersects(b), sameFan) << "slots " << i << " and " << j;
        }
        if (i % 3 != 0) {
            EXPECT_EQ(SlotTopLeft(i + 1).x() - SlotTopLeft(i).x(), 22) << "slot " << i;
        }
    }
}

TEST(BoardGeometry, FoundationsStandInAColumnLevelWithTheRows)
{
    EXPECT_EQ(FoundationTopLeft(1), Point(7, 7));
    EXPECT_EQ(FoundationTopLeft(2), Point(7, 111));
    EXPECT_EQ(FoundationTopLeft(3), Point(7, 215));
    EXPECT_EQ(FoundationTopLeft(4), Point(7, 319));
    EXPECT_EQ(kUndoRect, Rect(598, 417, 35, 29));
}

TEST(BoardGeometry, OffBoardPlacesAreOutsideTheClientArea)
{
    const Rect client(0, 0, kBoardRight + 1, kBoardBottom + 1);
    EXPECT_FALSE(client.intersects(Rect(kOffBoard, kCardSize)));
}

} // namespace
} // namespace quarrow
