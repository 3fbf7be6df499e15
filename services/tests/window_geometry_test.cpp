#include "services/window_geometry.h"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(WindowGeometry, ClientAreaIncludesTheRightAndBottomEdges)
{
    EXPECT_EQ(ClientSizeForRect(704, 454), QSize(705, 455)); // the board
    EXPECT_EQ(ClientSizeForRect(406, 206), QSize(407, 207)); // the notice
    EXPECT_EQ(ClientSizeForRect(0, 0), QSize(1, 1));
}

TEST(WindowGeometry, CentresOnTheScreenRoundingTowardsTheTopLeft)
{
    EXPECT_EQ(CenteredTopLeft(QSize(1920, 1080), QSize(407, 207)), QPoint(756, 436));
    EXPECT_EQ(CenteredTopLeft(QSize(800, 600), QSize(705, 455)), QPoint(47, 72));
    EXPECT_EQ(CenteredTopLeft(QSize(407, 207), QSize(407, 207)), QPoint(0, 0));
    // A window larger than the screen overhangs both sides equally.
    EXPECT_EQ(CenteredTopLeft(QSize(300, 200), QSize(400, 300)), QPoint(-50, -50));
}

} // namespace
} // namespace quarrow
