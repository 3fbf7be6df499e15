#include "services/window_metrics.h"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(WindowMetrics, ClientAreaIncludesTheRightAndBottomEdges)
{
    EXPECT_EQ(ClientSizeForRect(704, 454), Size(705, 455)); // the board
    EXPECT_EQ(ClientSizeForRect(406, 206), Size(407, 207)); // the notice
}

TEST(WindowMetrics, CentringRoundsTowardsTheTopLeft)
{
    EXPECT_EQ(CenteredTopLeft({1024, 768}, {711, 500}), Point(156, 134));
    // A window larger than the screen hangs over both edges equally.
    EXPECT_EQ(CenteredTopLeft({640, 480}, {800, 600}), Point(-80, -60));
}

TEST(WindowMetrics, TwipsGiveThePixelsBackAtEveryCommonDensity)
{
    for (const int ppi : {96, 120, 144, 192}) {
        for (const int pixels : {0, 407, 705, 1920}) {
            const int twips = PixelsToTwips(pixels, ppi);
            EXPECT_EQ(twips % (1440 / ppi), 0) << ppi;
            EXPECT_EQ(TwipsToPixels(twips, ppi), pixels) << pixels << " px at " << ppi << " ppi";
        }
    }
    EXPECT_EQ(PixelsToTwips(705, 96), 15 * 706);
    EXPECT_EQ(PixelsToTwips(705, 0), 0); // no screen: nothing sensible to divide by
}

} // namespace
} // namespace quarrow
