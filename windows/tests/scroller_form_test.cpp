#include "windows/qt/scroller_form.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

QPixmap PictureOfSize(int width, int height)
{
    QPixmap picture(width, height);
    picture.fill(Qt::darkGreen);
    return picture;
}

template <typename T>
T* Child(const QWidget& window, const char* name)
{
    T* child = window.findChild<T*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// The picture's top edge in the frame's inner area.
int PictureTop(const ScrollerForm& form)
{
    return Child<QLabel>(form, "picInner")->y();
}

// Runs `answer` on the modal window that opens next (it is responsible for
// closing it); remembers whether one opened at all.
class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer)
        : answer_(std::move(answer))
    {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            timer_.stop();
            answered = true;
            answer_(modal);
        });
        timer_.start();
    }

    bool answered = false;

private:
    std::function<void(QWidget*)> answer_;
    QTimer timer_;
};

TEST(ScrollerFormTest, WindowFrameAndCaption)
{
    ScrollerForm form(PictureOfSize(327, 729));
    EXPECT_EQ(form.objectName(), QStringLiteral("ScrollerForm"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Example - Ternwick Solitaire"));
    EXPECT_EQ(form.size(), QSize(360, 316));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()) << "the frame is not resizable";
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
}

// 327 x 729 in 360 x 316: the bar is needed, the frame gives up its width.
TEST(ScrollerFormTest, WorkedExample)
{
    ScrollerForm form(PictureOfSize(327, 729));
    form.show();

    auto* outer = Child<QFrame>(form, "picOuter");
    auto* bar = Child<QScrollBar>(form, "vbarScroller");
    EXPECT_EQ(outer->geometry(), QRect(0, 0, 343, 316));
    EXPECT_EQ(outer->contentsRect().height(), 312);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry(), QRect(343, 0, 17, 316));

    const SignedScrollBar& range = form.scroller();
    EXPECT_EQ(range.min(), 0);
    EXPECT_EQ(range.max(), -417);
    EXPECT_EQ(range.largeChange(), 312);
    EXPECT_EQ(range.smallChange(), 62);
    EXPECT_EQ(range.value(), 0);

    auto* inner = Child<QLabel>(form, "picInner");
    EXPECT_TRUE(outer->isAncestorOf(inner));
    EXPECT_EQ(inner->size(), QSize(327, 729));
    EXPECT_EQ(inner->mapTo(outer, QPoint(0, 0)), outer->contentsRect().topLeft());
}

TEST(ScrollerFormTest, PictureThatJustFitsNeedsNoBar)
{
    ScrollerForm form(PictureOfSize(327, 312));
    form.show();
    EXPECT_FALSE(Child<QScrollBar>(form, "vbarScroller")->isVisible());
    EXPECT_EQ(Child<QFrame>(form, "picOuter")->geometry(), QRect(0, 0, 360, 316));
}

TEST(ScrollerFormTest, ArrowsAndTrackMoveThePictureUpToTheBottomEdge)
{
    ScrollerForm form(PictureOfSize(327, 729));
    form.show();
    auto* bar = Child<QScrollBar>(form, "vbarScroller");

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); // down arrow
    EXPECT_EQ(form.scroller().value(), -62);
    EXPECT_EQ(PictureTop(form), -62);

    bar->triggerAction(QAbstractSlider::SliderPageStepAdd); // track below the thumb
    EXPECT_EQ(form.scroller().value(), -374);
    EXPECT_EQ(PictureTop(form), -374);

    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(form.scroller().value(), -417);
    EXPECT_EQ(PictureTop(form), -417);
    // The picture's lowest rows fill the frame: its bottom meets the frame's.
    auto* inner = Child<QLabel>(form, "picInner");
    EXPECT_EQ(inner->mapTo(&form, QPoint(0, inner->height())).y(), 316 - 2);

    bar->triggerAction(QAbstractSlider::SliderSingleStepSub); // up arrow
    EXPECT_EQ(PictureTop(form), -355);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(PictureTop(form), 0);
}

TEST(ScrollerFormTest, KeysScrollAsTheBarsArrowsAndTrackDo)
{
    ScrollerForm form(PictureOfSize(327, 729));
    form.show();
    const std::pair<Qt::Key, int> presses[] = {
        {Qt::Key_Up, 0},          {Qt::Key_Down, -62},     {Qt::Key_PageDown, -374}, {Qt::Key_End, -417},
        {Qt::Key_Down, -417},     {Qt::Key_PageUp, -105}, {Qt::Key_Home, 0},
    };
    for (const auto& [key, top] : presses) {
        QTest::keyClick(&form, key);
        EXPECT_EQ(PictureTop(form), top) << QKeySequence(key).toString().toStdString();
    }
    // With nothing to scroll, the keys move nothing.
    ScrollerForm small(PictureOfSize(100, 100));
    small.show();
    QTest::keyClick(&small, Qt::Key_PageDown);
    EXPECT_EQ(PictureTop(small), 0);
}

TEST(ScrollerFormTest, DraggingTheThumbMovesThePictureBeforeRelease)
{
    ScrollerForm form(PictureOfSize(327, 729));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* bar = Child<QScrollBar>(form, "vbarScroller");

    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    const QRect thumb = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    ASSERT_TRUE(thumb.isValid());

    QWindow* window = form.windowHandle();
    const QPoint grab = bar->mapTo(&form, thumb.center());
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, grab);
    QTest::mouseMove(window, grab + QPoint(0, 40));
    const int whileDragging = PictureTop(form);
    EXPECT_LT(whileDragging, 0);
    EXPECT_EQ(whileDragging, form.scroller().value());

    QTest::mouseMove(window, grab + QPoint(0, 80));
    EXPECT_LT(PictureTop(form), whileDragging);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, grab + QPoint(0, 80));
    EXPECT_EQ(PictureTop(form), form.scroller().value());
}

TEST(ScrollerFormTest, PictureWiderThanTheFrameIsCutOffAtTheRight)
{
    ScrollerForm form(PictureOfSize(600, 729));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* inner = Child<QLabel>(form, "picInner");
    EXPECT_EQ(inner->width(), 600);
    // Seen only inside the frame's border, left of the bar.
    EXPECT_EQ(inner->visibleRegion().boundingRect(), QRect(0, 0, 343 - 4, 312));
}

TEST(ScrollerFormTest, VeryTallPictureIsHeldToTheSixteenBitRange)
{
    ScrollerForm form(PictureOfSize(8, 40000));
    form.show();
    EXPECT_EQ(form.scroller().max(), -32768);
    EXPECT_EQ(form.scroller().smallChange(), 62);
    Child<QScrollBar>(form, "vbarScroller")->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(form.scroller().value(), -32768);
    EXPECT_EQ(PictureTop(form), -32768);
}

// A range that runs upwards as well as one that runs downwards.
TEST(SignedScrollBarTest, MapsBothDirections)
{
    QScrollBar bar(Qt::Vertical);
    SignedScrollBar scroller(&bar);
    scroller.SetRange(0, -417, 62, 312);
    scroller.SetValue(-100);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(scroller.value(), -100);
    scroller.SetValue(-500);
    EXPECT_EQ(scroller.value(), -417);

    scroller.SetRange(10, 20, 1, 5);
    scroller.SetValue(15);
    EXPECT_EQ(bar.value(), 5);
    EXPECT_EQ(scroller.value(), 15);
    EXPECT_EQ(scroller.min(), 10);
    EXPECT_EQ(scroller.max(), 20);
}

class ShowScrollerFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("SOUND")));
    }
    QString PicturePath() const { return dir_.filePath(QStringLiteral("SOUND/example.gif")); }

    QTemporaryDir dir_;
};

TEST_F(ShowScrollerFormTest, MissingPictureIsReportedAndNoViewerOpens)
{
    QString message;
    bool viewerOpened = false;
    ModalAnswerer answerer([&](QWidget* modal) {
        viewerOpened = qobject_cast<ScrollerForm*>(modal) != nullptr;
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            message = box->text();
        modal->close();
    });

    EXPECT_FALSE(ShowScrollerForm(dir_.path(), nullptr));
    EXPECT_TRUE(answerer.answered);
    EXPECT_FALSE(viewerOpened);
    EXPECT_TRUE(message.contains(QStringLiteral("example.gif"))) << message.toStdString();
    EXPECT_FALSE(QFile::exists(PicturePath()));
}

TEST_F(ShowScrollerFormTest, UnreadablePictureIsReportedAndNoViewerOpens)
{
    QFile file(PicturePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GIF89a but nothing after");
    file.close();

    bool viewerOpened = false;
    ModalAnswerer answerer([&](QWidget* modal) {
        viewerOpened = qobject_cast<ScrollerForm*>(modal) != nullptr;
        modal->close();
    });
    EXPECT_FALSE(ShowScrollerForm(dir_.path(), nullptr));
    EXPECT_TRUE(answerer.answered);
    EXPECT_FALSE(viewerOpened);
}

TEST_F(ShowScrollerFormTest, EachShowingLoadsThePictureAndStartsAtTheTop)
{
    // Any picture the loader reads will do; Qt writes no GIF, so PNG bytes.
    ASSERT_TRUE(PictureOfSize(327, 729).toImage().save(PicturePath(), "PNG"));

    int topWhenOpened = 1;
    ModalAnswerer scrollDown([&](QWidget* modal) {
        auto* form = qobject_cast<ScrollerForm*>(modal);
        ASSERT_NE(form, nullptr);
        topWhenOpened = PictureTop(*form);
        Child<QScrollBar>(*form, "vbarScroller")->triggerAction(QAbstractSlider::SliderToMaximum);
        EXPECT_EQ(PictureTop(*form), -417);
        form->close();
    });
    EXPECT_TRUE(ShowScrollerForm(dir_.path(), nullptr));
    ASSERT_TRUE(scrollDown.answered);
    EXPECT_EQ(topWhenOpened, 0);

    int valueWhenReopened = 1;
    int topWhenReopened = 1;
    ModalAnswerer look([&](QWidget* modal) {
        auto* form = qobject_cast<ScrollerForm*>(modal);
        ASSERT_NE(form, nullptr);
        valueWhenReopened = form->scroller().value();
        topWhenReopened = PictureTop(*form);
        form->close();
    });
    EXPECT_TRUE(ShowScrollerForm(dir_.path(), nullptr));
    ASSERT_TRUE(look.answered);
    EXPECT_EQ(valueWhenReopened, 0);
    EXPECT_EQ(topWhenReopened, 0);
}

#ifdef QUARROW_TEST_PROGRAM_DIR
// The example picture the program ships, from the program's own folder.
TEST(ShippedExampleTest, OpensWithTheBarOverItsWholeHeight)
{
    const QString programDir = QStringLiteral(QUARROW_TEST_PROGRAM_DIR);
    const QImage shipped(programDir + QStringLiteral("/SOUND/example.gif"));
    ASSERT_FALSE(shipped.isNull());

    Int16 max = 0;
    bool barVisible = false;
    ModalAnswerer look([&](QWidget* modal) {
        auto* form = qobject_cast<ScrollerForm*>(modal);
        ASSERT_NE(form, nullptr);
        max = form->scroller().max();
        barVisible = Child<QScrollBar>(*form, "vbarScroller")->isVisible();
        form->close();
    });
    EXPECT_TRUE(ShowScrollerForm(programDir, nullptr));
    ASSERT_TRUE(look.answered);
    EXPECT_EQ(max, 312 - shipped.height());
    EXPECT_EQ(barVisible, shipped.height() + 4 > 316);
}
#endif

} // namespace
} // namespace quarrow
