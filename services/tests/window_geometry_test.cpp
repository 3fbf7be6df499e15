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

} // namespace
} // namespace quarrow
