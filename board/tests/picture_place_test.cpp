#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "services/qt/picture_place.h"

namespace quarrow {
namespace {

// A solid square with a fully transparent right half.
QPixmap HalfTransparent(QSize size, qreal ratio = 1.0)
{
    QImage image(size * ratio, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, image.width() / 2, image.height()), QColor(10, 20, 30));
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

class PicturePlaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(300, 200);
        lower = new PicturePlace(ControlArrayName(QStringLiteral("img_crdbrd"), 1), 1, &window);
        lower->setGeometry(10, 10, 70, 99);
        upper = new PicturePlace(ControlArrayName(QStringLiteral("img_crdbrd"), 2), 2, &window);
        upper->setGeometry(32, 10, 70, 99);
        upper->setPicture(HalfTransparent(QSize(70, 99)));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Clicks as the player does: at a point of the window, wherever it lands.
    void ClickAt(QPoint pos) { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, pos); }

    QWidget window;
    PicturePlace* lower = nullptr;
    PicturePlace* upper = nullptr;
};

TEST_F(PicturePlaceTest, NamedAfterItsControlArrayElement)
{
    EXPECT_EQ(lower->objectName(), QStringLiteral("img_crdbrd_1"));
    EXPECT_EQ(upper->index(), 2);
}

TEST_F(PicturePlaceTest, TakesClicksOverItsWholeRectangleTransparentPixelsIncluded)
{
    QSignalSpy lowerClicks(lower, &PicturePlace::clicked);
    QSignalSpy upperClicks(upper, &PicturePlace::clicked);

    ClickAt(QPoint(40, 50));  // opaque half of the upper place
    ClickAt(QPoint(95, 100)); // transparent half: still the upper place, not the window
    ClickAt(QPoint(20, 50));  // the strip of the lower place that stays uncovered

    ASSERT_EQ(upperClicks.count(), 2);
    EXPECT_EQ(upperClicks.at(0).at(0).toInt(), 2);
    ASSERT_EQ(lowerClicks.count(), 1);
    EXPECT_EQ(lowerClicks.at(0).at(0).toInt(), 1);
}

TEST_F(PicturePlaceTest, AHiddenPlaceLetsTheClickThroughToThePlaceBeneath)
{
    QSignalSpy lowerClicks(lower, &PicturePlace::clicked);
    QSignalSpy upperClicks(upper, &PicturePlace::clicked);
    upper->hide();

    ClickAt(QPoint(40, 50));

    EXPECT_EQ(upperClicks.count(), 0);
    EXPECT_EQ(lowerClicks.count(), 1);
}

// An ace clicked goes home and uncovers the card beneath it before the second
// half of a double-click arrives: that half must not reach the card.
TEST_F(PicturePlaceTest, ADoubleClickIsOneClickWhateverComesUpUnderThePointer)
{
    QSignalSpy lowerClicks(lower, &PicturePlace::clicked);
    QSignalSpy upperClicks(upper, &PicturePlace::clicked);
    QObject::connect(upper, &PicturePlace::clicked, upper, &QWidget::hide);

    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 50));
    EXPECT_EQ(upperClicks.count(), 1);
    EXPECT_EQ(lowerClicks.count(), 0);

    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 50));
    EXPECT_EQ(lowerClicks.count(), 1);
}

TEST_F(PicturePlaceTest, ADisabledPlaceReportsNothing)
{
    QSignalSpy lowerClicks(lower, &PicturePlace::clicked);
    QSignalSpy upperClicks(upper, &PicturePlace::clicked);
    upper->setEnabled(false);

    ClickAt(QPoint(40, 50));
    ClickAt(QPoint(95, 100));

    EXPECT_EQ(upperClicks.count(), 0);
    EXPECT_EQ(lowerClicks.count(), 0);
}

TEST_F(PicturePlaceTest, APressReleasedOutsideThePlaceIsNoClick)
{
    QSignalSpy upperClicks(upper, &PicturePlace::clicked);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, QPoint(40, 50));
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(upperClicks.count(), 0);

    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, QPoint(40, 50));
    EXPECT_EQ(upperClicks.count(), 0);
}

// Renders the window as the screen shows it, at 1x.
QImage Screen(QWidget& window)
{
    QImage image(window.size(), QImage::Format_ARGB32);
    image.fill(QColor(200, 0, 0));
    window.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST_F(PicturePlaceTest, PaintsThePictureUnscaledFromItsTopLeftWithNothingBehindIt)
{
    upper->resize(120, 150); // larger than its picture: the rest stays unpainted
    const QImage shown = Screen(window);

    EXPECT_EQ(shown.pixelColor(32, 10), QColor(10, 20, 30));
    EXPECT_EQ(shown.pixelColor(32 + 34, 10 + 98), QColor(10, 20, 30));
    // The transparent half and the part beyond the picture show what lies under the place.
    EXPECT_EQ(shown.pixelColor(32 + 36, 50), QColor(200, 0, 0));
    EXPECT_EQ(shown.pixelColor(32 + 20, 10 + 100), QColor(200, 0, 0));
}

TEST_F(PicturePlaceTest, AHighDensityPictureCoversTheSameLogicalRectangle)
{
    upper->resize(120, 150);
    upper->setPicture(HalfTransparent(QSize(70, 99), 2.0));
    const QImage shown = Screen(window);

    EXPECT_EQ(shown.pixelColor(32 + 34, 10 + 98), QColor(10, 20, 30));
    EXPECT_EQ(shown.pixelColor(32 + 20, 10 + 100), QColor(200, 0, 0));
    EXPECT_EQ(shown.pixelColor(32 + 36, 50), QColor(200, 0, 0));
}

TEST_F(PicturePlaceTest, AnEmptyPictureDrawsNothing)
{
    upper->setPicture(QPixmap());
    EXPECT_TRUE(upper->picture().isNull());
    EXPECT_EQ(Screen(window).pixelColor(40, 50), QColor(200, 0, 0));
}

} // namespace
} // namespace quarrow
