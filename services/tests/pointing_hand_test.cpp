#include "services/qt/pointing_hand.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

// A cursor file: Qt writes the icon, then the header is turned into a
// cursor's (type 2) with the hot spot where an icon keeps planes and depth.
QByteArray CursorFile(QSize size, int hot_x, int hot_y, int type = 2)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(hot_x, hot_y, Qt::black);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image))
        return {};
    bytes[2] = static_cast<char>(type);
    bytes[10] = static_cast<char>(hot_x);
    bytes[11] = 0;
    bytes[12] = static_cast<char>(hot_y);
    bytes[13] = 0;
    return bytes;
}

class CursorFileTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir dir_;
};

TEST_F(CursorFileTest, TakesTheHotSpotFromTheFile)
{
    const QByteArray bytes = CursorFile(QSize(32, 32), 12, 9);
    ASSERT_FALSE(bytes.isEmpty());
    QCursor cursor;
    ASSERT_TRUE(LoadCursorFile(Write("hand.cur", bytes), cursor));
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(12, 9));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
}

TEST_F(CursorFileTest, HighDensityCursorGivesItsHotSpotInLogicalPixels)
{
    QCursor cursor;
    ASSERT_TRUE(LoadCursorFile(Write("hand@2x.cur", CursorFile(QSize(64, 64), 24, 18)), cursor, 2.0));
    EXPECT_EQ(cursor.hotSpot(), QPoint(12, 9));
    EXPECT_EQ(cursor.pixmap().devicePixelRatio(), 2.0);
}

TEST_F(CursorFileTest, RefusesWhatIsNotACursor)
{
    const QByteArray cursor_bytes = CursorFile(QSize(32, 32), 12, 9);
    QByteArray outside = cursor_bytes;
    outside[10] = 40; // hot spot beyond the 32-pixel picture

    QCursor cursor(Qt::CrossCursor);
    EXPECT_FALSE(LoadCursorFile(Write("icon.ico", CursorFile(QSize(32, 32), 12, 9, 1)), cursor));
    EXPECT_FALSE(LoadCursorFile(Write("short.cur", cursor_bytes.left(12)), cursor));
    EXPECT_FALSE(LoadCursorFile(Write("noise.cur", QByteArray(300, '\x5A')), cursor));
    EXPECT_FALSE(LoadCursorFile(Write("outside.cur", outside), cursor));
    EXPECT_FALSE(LoadCursorFile(dir_.filePath("missing.cur"), cursor));
    EXPECT_EQ(cursor.shape(), Qt::CrossCursor); // left as it was
}

TEST(PointingHandCursor, FallsBackToTheSystemHandWithoutTheArtwork)
{
    // This test binary carries no artwork resources.
    ASSERT_FALSE(QFile::exists(":/assets/hand.cur"));
    EXPECT_EQ(PointingHandCursor().shape(), Qt::PointingHandCursor);
}

// A window with the control at (50, 40), 60 x 30, and a plain area around it.
class PointingHandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_.resize(200, 150);
        control_ = new QWidget(&window_);
        control_->setGeometry(50, 40, 60, 30);
        hand_ = new PointingHand(control_);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        MoveTo(outside_); // the pointer starts off the control, whatever the last test did
    }

    QWindow* Handle() { return window_.windowHandle(); }
    void MoveTo(QPoint at) { QTest::mouseMove(Handle(), at); }
    void ClickAt(QPoint at)
    {
        MoveTo(at);
        QTest::mouseClick(Handle(), Qt::LeftButton, {}, at);
    }

    const QPoint inside_{70, 55};
    const QPoint outside_{10, 10};
    QWidget window_;
    QWidget* control_ = nullptr;
    PointingHand* hand_ = nullptr;
};

TEST_F(PointingHandTest, HoverBeginsTheGestureWithTheHandAndLeavingEndsIt)
{
    MoveTo(outside_);
    EXPECT_FALSE(hand_->active());

    MoveTo(inside_);
    EXPECT_TRUE(hand_->active());
    EXPECT_TRUE(control_->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(control_->cursor().shape(), PointingHandCursor().shape());

    MoveTo(outside_);
    EXPECT_FALSE(hand_->active());
    EXPECT_FALSE(control_->testAttribute(Qt::WA_SetCursor));
}

TEST_F(PointingHandTest, AClickOnTheControlIsTheDrop)
{
    QSignalSpy dropped(hand_, &PointingHand::dropped);
    ClickAt(inside_);
    EXPECT_EQ(dropped.count(), 1);
    ClickAt(inside_ + QPoint(5, 5));
    EXPECT_EQ(dropped.count(), 2);
    ClickAt(outside_);
    EXPECT_EQ(dropped.count(), 2);
}

// Records the mouse events a widget gets.
class MouseEvents final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease
            || event->type() == QEvent::MouseButtonDblClick)
            types.push_back(event->type());
        return false;
    }
    std::vector<QEvent::Type> types;
};

// The second half of a double-click comes as a double-click event and a
// release; taken as a press, it would be a second drop: the undo asked for
// twice, the browser opened twice.
TEST_F(PointingHandTest, ADoubleClickIsOneDrop)
{
    QSignalSpy dropped(hand_, &PointingHand::dropped);
    MouseEvents seen;
    control_->installEventFilter(&seen);
    MoveTo(inside_);
    QTest::mouseDClick(Handle(), Qt::LeftButton, {}, inside_);
    ASSERT_EQ(seen.types, (std::vector<QEvent::Type> {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}))
        << "not the double-click a player's quick finger gives";
    EXPECT_EQ(dropped.count(), 1);
}

TEST_F(PointingHandTest, LettingGoOutsideTheControlIsNoClick)
{
    QSignalSpy dropped(hand_, &PointingHand::dropped);
    MoveTo(inside_);
    QTest::mousePress(Handle(), Qt::LeftButton, {}, inside_);
    MoveTo(outside_);
    QTest::mouseRelease(Handle(), Qt::LeftButton, {}, outside_);
    EXPECT_EQ(dropped.count(), 0);
    EXPECT_FALSE(hand_->active());
}

TEST_F(PointingHandTest, AHiddenOrDisabledControlTakesNoPart)
{
    QSignalSpy dropped(hand_, &PointingHand::dropped);

    control_->setEnabled(false);
    ClickAt(inside_);
    EXPECT_FALSE(hand_->active());
    control_->setEnabled(true);
    MoveTo(outside_);

    control_->hide();
    ClickAt(inside_);
    EXPECT_FALSE(hand_->active());

    EXPECT_EQ(dropped.count(), 0);
}

TEST_F(PointingHandTest, HidingOrDisablingTheControlEndsTheGesture)
{
    MoveTo(inside_);
    ASSERT_TRUE(hand_->active());
    control_->setEnabled(false);
    EXPECT_FALSE(hand_->active());
    EXPECT_FALSE(control_->testAttribute(Qt::WA_SetCursor));

    control_->setEnabled(true);
    MoveTo(inside_ + QPoint(1, 1));
    ASSERT_TRUE(hand_->active());
    control_->hide();
    EXPECT_FALSE(hand_->active());
}

} // namespace
} // namespace quarrow
