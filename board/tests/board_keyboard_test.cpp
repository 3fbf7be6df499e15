// A whole game from the ordered deal played with keys alone, through the
// board window, following the focus as a screen reader does: by the place
// that is the accessible focus and its name. (That the focus is announced on
// the accessibility bus is seen end to end, in accessibility_e2e.py.)
#include <iterator>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QMenu>

#include "board/qt/focus_mark.h"
#include "board/place_names.h"
#include "board/tests/board_fixture.h"
#include "board/tests/ordered_deal_script.h"

namespace quarrow::board_testing {
namespace {

class BoardKeyboardTest : public BoardTest {
protected:
    // On a desktop the window manager hands activation over; on a loaded
    // machine that can take a while.
    static constexpr int kActivationWaitMs = 20000;

    void SetUp() override
    {
        BoardTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kActivationWaitMs));
    }

    QWidget* Mark() { return window->findChild<FocusMark*>(); }

    // What the mark adds to the screen, in the window's logical pixels: the
    // pixels that change when it is taken away, and whether all are dark.
    struct Drawn {
        QRect bounds;
        QRegion pixels;
        bool dark = true;
    };
    Drawn MarkOnScreen()
    {
        const QImage with = window->grab().toImage();
        Mark()->hide();
        const QImage without = window->grab().toImage();
        Mark()->show();
        const qreal ratio = with.devicePixelRatio();
        Drawn drawn;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) == without.pixel(x, y))
                    continue;
                const QRect at(QPointF(x / ratio, y / ratio).toPoint(), QSize(1, 1));
                drawn.pixels += at;
                drawn.dark = drawn.dark && qGray(with.pixel(x, y)) < 96;
            }
        }
        drawn.bounds = drawn.pixels.boundingRect();
        return drawn;
    }

    QRect InWindowRect(const QWidget* place) { return {InWindow(place, QPoint(0, 0)), place->size()}; }

    // The name of the one place a screen reader is told has the focus.
    QString Focus()
    {
        QStringList focused;
        for (QWidget* place : Places()) {
            QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(place);
            if (a11y->state().focused)
                focused << a11y->text(QAccessible::Name);
        }
        EXPECT_LE(focused.size(), 1) << focused.join(QLatin1String(" | ")).toStdString();
        return focused.value(0);
    }

    bool FocusIsSelected()
    {
        for (QWidget* place : Places()) {
            QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(place);
            if (a11y->state().focused)
                return a11y->state().selected && a11y->state().checked;
        }
        return false;
    }

    // Presses a key where the keyboard is. A notice (or any modal window) that
    // comes up is looked at once active and answered with `answer`, as the
    // player would.
    Notice Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, Qt::Key answer = Qt::Key_Return)
    {
        Notice seen;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || seen.shown || QApplication::activeWindow() != modal)
                return;
            seen.shown = true;
            const auto* error = modal->findChild<QWidget*>(QStringLiteral("img_error"));
            const auto* win = modal->findChild<QWidget*>(QStringLiteral("img_win"));
            seen.invalid_move_face = error && error->isVisible();
            seen.win_face = win && win->isVisible();
            QTest::keyClick(modal->windowHandle(), answer);
        });
        poll.start();
        QWidget* popup = QApplication::activePopupWidget();
        QTest::keyClick(popup ? popup->windowHandle() : window->windowHandle(), key, modifiers);
        poll.stop();
        // The board has the keyboard again once the window is gone, with or
        // without a window manager to hand it back.
        if (seen.shown) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get(), kActivationWaitMs));
        }
        return seen;
    }

    // Tab until the place of that name has the focus.
    ::testing::AssertionResult TabTo(const QString& name)
    {
        for (int presses = 0; presses < 70; ++presses) {
            if (Focus() == name)
                return ::testing::AssertionSuccess();
            Press(Qt::Key_Tab);
        }
        return ::testing::AssertionFailure() << "Tab never reached " << name.toStdString() << "; last "
                                             << Focus().toStdString();
    }

    int TopSlotOfFan(int fan)
    {
        for (int s = 3 * fan; s >= 3 * fan - 2; --s) {
            if (slot(s)->isVisibleTo(&surface()))
                return s;
        }
        return 0;
    }

    static QString Top(int card, int fan)
    {
        return QStringLiteral("%1, top card of fan %2").arg(QString::fromStdString(CardName(static_cast<Int16>(card)))).arg(fan);
    }

    QString FoundationOf(int card, int face)
    {
        return QString::fromStdString(FoundationName(CardSuit(static_cast<Int16>(card)), static_cast<Int16>(face)));
    }

    ::testing::AssertionResult Play(const Step& step)
    {
        if (!TabTo(Top(step.card, step.from)))
            return ::testing::AssertionFailure() << "card " << step.card << " not on top of fan " << step.from;
        const bool ace = CardRank(static_cast<Int16>(step.card)) == kAce;
        if (Press(Qt::Key_Space).shown)
            return ::testing::AssertionFailure() << "notice on choosing " << step.card;
        if (ace) {
            if (FaceOf(foundation(CardSuit(static_cast<Int16>(step.card)))) != step.card)
                return ::testing::AssertionFailure() << "ace " << step.card << " not played";
            return ::testing::AssertionSuccess();
        }
        if (!FocusIsSelected() || Focus() != Top(step.card, step.from))
            return ::testing::AssertionFailure() << "card " << step.card << " not selected under the focus";
        const QString target = step.to == 0 ? FoundationOf(step.card, step.card - 1)
                                            : Top(FaceOf(slot(TopSlotOfFan(step.to))), step.to);
        if (!TabTo(target) || Press(Qt::Key_Space).shown)
            return ::testing::AssertionFailure() << "card " << step.card << " not laid on " << target.toStdString();
        // The focus stays with the card: on the fan it went to, or on the foundation.
        const QString now = step.to == 0 ? FoundationOf(step.card, step.card) : Top(step.card, step.to);
        if (Focus() != now)
            return ::testing::AssertionFailure() << "focus on " << Focus().toStdString() << ", not "
                                                 << now.toStdString();
        return ::testing::AssertionSuccess();
    }
};

TEST_F(BoardKeyboardTest, AWholeGameFromTheDealToTheWinWithKeysAlone)
{
    // The menu keys deal, as before; nothing is drawn yet, fan 1 has the focus.
    Press(Qt::Key_F, Qt::AltModifier);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    Press(Qt::Key_D);
    ASSERT_EQ(FaceOf(slot(52)), 52);
    EXPECT_FALSE(Mark()->isVisible());
    EXPECT_EQ(Focus(), Top(3, 1));

    // The first key only shows the mark; from then on the arrows move it.
    Press(Qt::Key_Right);
    EXPECT_TRUE(Mark()->isVisible());
    EXPECT_EQ(Focus(), Top(3, 1));
    Press(Qt::Key_Right);
    EXPECT_EQ(Focus(), Top(6, 2));

    // Refusals, answered with Enter and with Escape; the selection stays.
    Press(Qt::Key_Left);
    Press(Qt::Key_Space);
    EXPECT_TRUE(game().card_selected);
    EXPECT_TRUE(FocusIsSelected());
    // On the selected card the mark is dark, inside the card and clear of
    // the green frame's three pixels.
    const Drawn onFrame = MarkOnScreen();
    EXPECT_TRUE(onFrame.dark);
    EXPECT_FALSE(onFrame.pixels.isEmpty());
    EXPECT_TRUE(InWindowRect(slot(3)).adjusted(3, 3, -3, -3).contains(onFrame.bounds)) << onFrame.bounds.x();
    // Each notice gives the keyboard and the mark back to the place they were on.
    Press(Qt::Key_Right);
    const QRect markAt = Mark()->geometry();
    const Notice fullFan = Press(Qt::Key_Return);
    EXPECT_TRUE(fullFan.shown && !fullFan.invalid_move_face);
    EXPECT_EQ(Focus(), Top(6, 2));
    EXPECT_TRUE(surface().hasFocus());
    EXPECT_TRUE(Mark()->isVisible() && Mark()->geometry() == markAt);
    ASSERT_TRUE(TabTo(Top(52, 18)));
    const Notice wrongRank = Press(Qt::Key_Space, {}, Qt::Key_Escape);
    EXPECT_TRUE(wrongRank.shown && wrongRank.invalid_move_face);
    EXPECT_FALSE(game().move_error);
    EXPECT_EQ(Focus(), Top(52, 18));
    EXPECT_TRUE(Mark()->isVisible() && Mark()->geometry().intersects(InWindowRect(slot(52))));
    // Space on the selected card is a click on its frame: cancelled.
    ASSERT_TRUE(TabTo(Top(3, 1)));
    ASSERT_TRUE(FocusIsSelected());
    Press(Qt::Key_Enter);
    EXPECT_FALSE(game().card_selected);
    EXPECT_EQ(Focus(), Top(3, 1));

    // The game, with one move taken back on the undo arrow and made again.
    const auto* last = std::prev(std::end(kOrderedDealWin));
    for (const auto* step = std::begin(kOrderedDealWin); step != last; ++step) {
        ASSERT_TRUE(Play(*step)) << "step " << (step - std::begin(kOrderedDealWin));
        if (step == std::begin(kOrderedDealWin) + 1) {
            ASSERT_TRUE(TabTo(QString::fromStdString(UndoName())));
            // The small arrow is marked around, not over.
            const QRect arrow = InWindowRect(surface().undo());
            const Drawn around = MarkOnScreen();
            EXPECT_FALSE(around.pixels.intersects(arrow));
            EXPECT_TRUE(around.bounds.contains(arrow));
            Press(Qt::Key_Space);
            EXPECT_FALSE(surface().undo()->isVisible());
            EXPECT_EQ(Focus(), Top(51, 17));
            ASSERT_TRUE(Play(*step));
        }
        ExpectBoardMirrorsModel();
    }

    // The last king: the win notice, closed with Enter.
    ASSERT_TRUE(TabTo(Top(13, last->from)));
    Press(Qt::Key_Space);
    ASSERT_TRUE(TabTo(FoundationOf(13, 12)));
    const Notice win = Press(Qt::Key_Space);
    EXPECT_TRUE(win.shown && win.win_face);
    EXPECT_TRUE(game().game_won);
    EXPECT_EQ(Focus(), FoundationOf(13, 13));
}

// The help window and the example (here its message box: this program folder
// has no example picture) give the keyboard back as the notices do.
TEST_F(BoardKeyboardTest, AfterTheHelpOrTheExampleTheKeyboardIsBackOnThePlace)
{
    Deal();
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    const QString focus = Focus();
    ASSERT_EQ(focus, Top(18, 6));
    const QRect markAt = Mark()->geometry();
    for (Qt::Key item : {Qt::Key_R, Qt::Key_A, Qt::Key_E}) {
        Press(Qt::Key_H, Qt::AltModifier);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(Press(item).shown) << "no window for " << QKeySequence(item).toString().toStdString();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(surface().hasFocus());
        EXPECT_EQ(Focus(), focus);
        EXPECT_TRUE(Mark()->isVisible() && Mark()->geometry() == markAt);
    }
    Press(Qt::Key_Right);
    EXPECT_EQ(Focus(), Top(21, 7));
}

TEST_F(BoardKeyboardTest, TheMouseHidesTheMarkAndTakesTheFocusToWhereItClicked)
{
    Deal();
    Press(Qt::Key_Tab);
    ASSERT_TRUE(Mark()->isVisible());
    ClickSlot(51); // the queen of hearts, selected by the mouse
    EXPECT_FALSE(Mark()->isVisible());
    EXPECT_EQ(Focus(), Top(51, 17));
    EXPECT_TRUE(FocusIsSelected());
    // A click on a covered card selects nothing, and still hides the mark.
    Press(Qt::Key_Down);
    ASSERT_TRUE(Mark()->isVisible());
    ClickSlot(40);
    EXPECT_FALSE(Mark()->isVisible());
    // The next key shows the mark where the mouse left the focus, and Space
    // then raises the click the mouse would: the queen onto the king.
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    EXPECT_EQ(Focus(), Top(52, 18));
    Press(Qt::Key_Space);
    EXPECT_EQ(FaceOf(slot(53)), 51);
    EXPECT_EQ(Focus(), Top(51, 18));
    // Deal starts the focus again on fan 1.
    Deal();
    EXPECT_EQ(Focus(), Top(3, 1));
    EXPECT_TRUE(Mark()->isVisible());
}

} // namespace
} // namespace quarrow::board_testing
