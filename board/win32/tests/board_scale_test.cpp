// Design pixels to the screen's and back, at the dots per inch Windows offers.
#include <gtest/gtest.h>

#include "board/win32/board_scale.h"

namespace quarrow {
namespace {

TEST(BoardScale, EveryScreenPixelMapsBackToTheDesignPixelThatCoversIt)
{
    for (const UINT dpi : {96u, 120u, 144u, 168u, 192u}) {
        const BoardScale scale(dpi);
        for (int device = 0; device < scale.ToDevice(705); ++device) {
            const int design = scale.ToDesign(device);
            ASSERT_LE(scale.ToDevice(design), device) << dpi << " dpi, pixel " << device;
            ASSERT_GT(scale.ToDevice(design + 1), device) << dpi << " dpi, pixel " << device;
        }
    }
}

TEST(BoardScale, PlacesThatTouchStillTouchAndTheDoubleDrawingsStartAt144)
{
    const BoardScale scale(120);
    const Rect left = scale.ToDevice(Rect(86, 7, 22, 99));
    const Rect right = scale.ToDevice(Rect(108, 7, 70, 99));
    EXPECT_EQ(left.x() + left.width(), right.x()) << "no gap and no overlap between neighbours";
    EXPECT_EQ(scale.ToDevice(Rect(0, 0, 705, 455)), Rect(0, 0, 881, 569));
    EXPECT_EQ(BoardScale(192).ToDevice(Rect(7, 7, 70, 99)), Rect(14, 14, 140, 198));

    EXPECT_FALSE(BoardScale(96).doubleSize());
    EXPECT_FALSE(BoardScale(120).doubleSize());
    EXPECT_TRUE(BoardScale(144).doubleSize());
    EXPECT_TRUE(BoardScale(192).doubleSize());
    EXPECT_EQ(BoardScale(72).dpi(), 96u) << "never smaller than the design";
}

} // namespace
} // namespace quarrow
