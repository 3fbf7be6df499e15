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
    EXPECT_EQ(SlotTopLeft(1), QPoint(86, 7));
    EXPECT_EQ(SlotTopLeft(15), QPoint(626, 7));
    EXPECT_EQ(SlotTopLeft(16), QPoint(86, 111));
    EXPECT_EQ(SlotTopLeft(30), QPoint(626, 111));
    EXPECT_EQ(SlotTopLeft(31), QPoint(86, 215));
    EXPECT_EQ(SlotTopLeft(46), QPoint(86, 319));
    EXPECT_EQ(SlotTopLeft(51), QPoint(254, 319));
    EXPECT_EQ(SlotTopLeft(52), QPoint(334, 319));
    EXPECT_EQ(SlotTopLeft(53), QPoint(356, 319));
    EXPECT_EQ(SlotTopLeft(54), QPoint(378, 319));
}

TEST(BoardGeometry, EveryCardPlaceLiesInsideTheBoardPicture)
{
    const QRect board(QPoint(0, 0), kBoardPictureSize);
    for (int i = 1; i <= 54; ++i)
        EXPECT_TRUE(board.contains(QRect(SlotTopLeft(i), kCardSize))) << "slot " << i;
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(board.contains(QRect(FoundationTopLeft(k), kCardSize))) << "foundation " << k;
    EXPECT_TRUE(board.contains(kUndoRect));
}

TEST(BoardGeometry, FansOverlapOnlyWithinThemselves)
{
    // Each covered card keeps a 22-pixel strip, and neighbouring fans and rows
    // never touch, so a click can only ever land on one fan.
    for (int i = 1; i <= 54; ++i) {
        const QRect a(SlotTopLeft(i), kCardSize);
        for (int j = i + 1; j <= 54; ++j) {
            const QRect b(SlotTopLeft(j), kCardSize);
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
    EXPECT_EQ(FoundationTopLeft(1), QPoint(7, 7));
    EXPECT_EQ(FoundationTopLeft(2), QPoint(7, 111));
    EXPECT_EQ(FoundationTopLeft(3), QPoint(7, 215));
    EXPECT_EQ(FoundationTopLeft(4), QPoint(7, 319));
    EXPECT_EQ(kUndoRect, QRect(598, 417, 35, 29));
}

TEST(BoardGeometry, OffBoardPlacesAreOutsideTheClientArea)
{
    const QRect client(0, 0, kBoardRight + 1, kBoardBottom + 1);
    EXPECT_FALSE(client.intersects(QRect(kOffBoard, kCardSize)));
}

} // namespace
} // namespace quarrow
