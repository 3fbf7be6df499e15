#include "services/qt/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(HighDensityPath, PutsTheSuffixBeforeTheExtension)
{
    EXPECT_EQ(HighDensityPath(":/assets/notice_win.gif"), ":/assets/notice_win@2x.gif");
    EXPECT_EQ(HighDensityPath("/tmp/v1.2/hand.cur"), "/tmp/v1.2/hand@2x.cur");
    EXPECT_EQ(HighDensityPath("/tmp/v1.2/plain"), "/tmp/v1.2/plain@2x");
}

class LoadPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        Save("both.png", QSize(10, 6), Qt::red);
        Save("both@2x.png", QSize(20, 12), Qt::blue);
        Save("single.png", QSize(10, 6), Qt::green);
    }

    void Save(const QString& name, QSize size, Qt::GlobalColor colour)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(dir_.filePath(name)));
    }

    static QColor Colour(const QPixmap& pixmap) { return pixmap.toImage().pixelColor(0, 0); }

    QTemporaryDir dir_;
};

TEST_F(LoadPictureTest, NormalScreenTakesThePlainPicture)
{
    if (qApp->devicePixelRatio() > 1.0)
        GTEST_SKIP() << "high-density screen";
    const QPixmap pixmap = LoadPicture(dir_.filePath("both.png"));
    EXPECT_EQ(pixmap.size(), QSize(10, 6));
    EXPECT_EQ(pixmap.devicePixelRatio(), 1.0);
    EXPECT_EQ(Colour(pixmap), QColor(Qt::red));
}

TEST_F(LoadPictureTest, HighDensityScreenTakesTheDoubleSizePictureAtTheSameLogicalSize)
{
    if (qApp->devicePixelRatio() <= 1.0)
        GTEST_SKIP() << "normal screen";
    const QPixmap pixmap = LoadPicture(dir_.filePath("both.png"));
    EXPECT_EQ(pixmap.size(), QSize(20, 12));
    EXPECT_EQ(pixmap.devicePixelRatio(), 2.0);
    EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(10, 6));
    EXPECT_EQ(Colour(pixmap), QColor(Qt::blue));
}

TEST_F(LoadPictureTest, FallsBackToThePlainPictureOrNothing)
{
    const QPixmap single = LoadPicture(dir_.filePath("single.png"));
    EXPECT_EQ(single.size(), QSize(10, 6));
    EXPECT_EQ(Colour(single), QColor(Qt::green));

    EXPECT_TRUE(LoadPicture(dir_.filePath("missing.png")).isNull());
}

} // namespace
} // namespace quarrow
