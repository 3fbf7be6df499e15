#include "services/qt/pointing_hand.h"

#include <QFile>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(PointingHandArtwork, IsTheProgramsOwnHandWithItsHotSpot)
{
    ASSERT_TRUE(QFile::exists(":/assets/hand.cur"));
    const QCursor hand = PointingHandCursor();
    ASSERT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.hotSpot(), QPoint(12, 9));
    EXPECT_EQ(hand.pixmap().deviceIndependentSize(), QSizeF(32, 32));
    // On a high-density screen the sharper @2x cursor is the one taken.
    EXPECT_EQ(hand.pixmap().devicePixelRatio(), qApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0);
}

} // namespace
} // namespace quarrow
