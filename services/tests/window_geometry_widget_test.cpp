#include "services/window_geometry.h"

#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(SizeAndCentre, FixesTheClientSizeAndCentresOnTheScreen)
{
    QWidget window;
    SizeAndCentre(&window, QSize(407, 207));

    const QRect screen = window.screen()->geometry();
    const QPoint expected = screen.topLeft() + QPoint((screen.width() - 407) / 2, (screen.height() - 207) / 2);
    EXPECT_EQ(window.pos(), expected);
    EXPECT_EQ(window.size(), QSize(407, 207));

    window.show();
    window.resize(600, 500); // not resizable
    EXPECT_EQ(window.size(), QSize(407, 207));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    // Qt places the frame's corner, so with a frame the client sits inside it.
    EXPECT_EQ(window.frameGeometry().topLeft(), expected);
}

TEST(SizeAndCentre, CentresAWindowAlreadyShown)
{
    QWidget window;
    window.resize(100, 100);
    window.move(0, 0);
    window.show();
    SizeAndCentre(&window, QSize(705, 455));

    const QRect screen = window.screen()->geometry();
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(window.size(), QSize(705, 455));
    EXPECT_EQ(frame.topLeft(), screen.topLeft() + CenteredTopLeft(screen.size(), frame.size()));
}

} // namespace
} // namespace quarrow
