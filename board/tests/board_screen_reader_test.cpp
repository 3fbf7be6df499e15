// The board as a screen reader meets it, in the program itself: what the
// board says it is, and the events a screen reader speaks from. The events
// are only raised while a screen reader's bus listens, so the cases that
// count them run on the accessible desktop (board_keyboard_game_desktop and
// _bare) and are skipped offscreen. What the places are, and that nothing
// acts behind a modal window, is checked through the bus itself, in
// accessibility_e2e.py.
#include <functional>
#include <map>

#include <QAccessible>
#include <QAccessibleActionInterface>

#include "board/qt/focus_mark.h"
#include "board/qt/keyboard_play.h"
#include "board/tests/board_fixture.h"

namespace quarrow::board_testing {
namespace {

// An event and the name the screen reader reads with it, at that moment.
struct Raised {
    QAccessible::Event type;
    QObject* object;
    QString name;
};

std::vector<Raised>* g_raised = nullptr;

void Record(QAccessibleEvent* event)
{
    if (g_raised && (event->type() == QAccessible::Focus || event->type() == QAccessible::NameChanged))
        g_raised->push_back({event->type(), event->object(), event->accessibleInterface()->text(QAccessible::Name)});
}

class BoardScreenReaderTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 20000));
        g_raised = &raised;
        previous_ = QAccessible::installUpdateHandler(Record);
    }

    void TearDown() override
    {
        QAccessible::installUpdateHandler(previous_);
        g_raised = nullptr;
        BoardTest::TearDown();
    }

    static QAccessibleInterface* A11y(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

    // What the screen reader's press does, with the event loop run after it
    // as the screen reader's call returns.
    static void Press(QWidget* place)
    {
        QAccessibleActionInterface* actions = A11y(place)->actionInterface();
        ASSERT_NE(actions, nullptr);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTest::qWait(20);
    }

    std::vector<QObject*> Raised(QAccessible::Event type) const
    {
        std::vector<QObject*> objects;
        for (const auto& r : raised) {
            if (r.type == type)
                objects.push_back(r.object);
        }
        return objects;
    }

    static bool Listening() { return QAccessible::isActive(); }

    std::vector<struct Raised> raised;

private:
    QAccessible::UpdateHandler previous_ = nullptr;
};

#define NEEDS_A_SCREEN_READER()                                                                      \
    if (!Listening())                                                                                \
    GTEST_SKIP() << "accessibility events are raised only with a screen reader's bus: run under " \
                    "tests/e2e/accessible_desktop.sh"

// The board is no anonymous "filler": a named group of buttons, which hands
// the screen reader on to the focused place instead of holding the focus
// beside it.
TEST_F(BoardScreenReaderTest, TheBoardIsANamedGroupThatHandsTheFocusToItsPlace)
{
    QAccessibleInterface* board = A11y(&surface());
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("Board"));
    EXPECT_EQ(board->role(), QAccessible::Grouping);

    Deal();
    ASSERT_TRUE(surface().hasFocus());
    ASSERT_NE(board->focusChild(), nullptr);
    EXPECT_EQ(board->focusChild()->object(), slot(3));
    int focused = board->state().focused ? 1 : 0;
    for (QWidget* place : Places())
        focused += A11y(place)->state().focused ? 1 : 0;
    EXPECT_EQ(focused, 1);
    EXPECT_TRUE(A11y(slot(3))->state().focused);
}

// A key where the keyboard is: the open menu, or the board.
void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup->windowHandle() : window->windowHandle(), key, modifiers);
}

// Wherever the focus was, and by the menu's keys as by its command, a deal
// is one focus event, on the new card on top of fan 1; nothing is said of
// the old board.
TEST_F(BoardScreenReaderTest, ADealIsOneFocusEventOnFan1)
{
    NEEDS_A_SCREEN_READER();
    Deal();
    Key(window.get(), Qt::Key_Right);
    Key(window.get(), Qt::Key_Right);
    Key(window.get(), Qt::Key_Down);
    ClickSlot(21); // the focus on a selected card, which the deal takes away
    ASSERT_TRUE(A11y(surface().border())->state().focused);
    for (int by = 0; by < 3; ++by) {
        raised.clear();
        if (by == 0) {
            window->findChild<QAction*>(QStringLiteral("mnu_deal"))->trigger();
        } else {
            Key(window.get(), Qt::Key_F, Qt::AltModifier);
            ASSERT_NE(QApplication::activePopupWidget(), nullptr);
            raised.clear(); // the menu's own focus events
            Key(window.get(), Qt::Key_D);
        }
        QTest::qWait(50); // anything queued
        std::vector<QObject*> focus;
        // The menu's own, as it closes, and the board's, as the menu gives
        // it the keyboard back, are no places.
        for (QObject* object : Raised(QAccessible::Focus)) {
            if (object->parent() == &surface())
                focus.push_back(object);
        }
        QStringList seen;
        for (QObject* object : focus)
            seen << QString::fromLatin1(object->metaObject()->className()) + QLatin1Char(' ') + object->objectName();
        ASSERT_EQ(focus.size(), 1u) << "deal " << by << ": " << seen.join(QLatin1String(", ")).toStdString();
        EXPECT_EQ(focus.front(), slot(3)) << "deal " << by;
        EXPECT_TRUE(A11y(slot(3))->state().focused);
    }
}

// A screen reader may press a place other than the focused one; the focus
// goes there with the click, and the screen reader hears it, even where the
// click changes nothing.
TEST_F(BoardScreenReaderTest, APressElsewhereMovesTheFocusThereAudibly)
{
    NEEDS_A_SCREEN_READER();
    Deal();
    ClickSlot(27); // the ace of clubs home: its foundation takes presses now
    ASSERT_TRUE(A11y(slot(26))->state().focused);
    raised.clear();
    Press(foundation(3)); // nothing selected: nothing happens but the focus
    EXPECT_EQ(Raised(QAccessible::Focus), std::vector<QObject*> {foundation(3)});
    EXPECT_TRUE(A11y(foundation(3))->state().focused);

    raised.clear();
    Press(slot(45)); // fan 15's six of hearts selected, under its frame
    EXPECT_EQ(Raised(QAccessible::Focus), (std::vector<QObject*> {slot(45), surface().border()}));
    EXPECT_TRUE(A11y(surface().border())->state().focused);
}

// "Jack of hearts" becomes "Jack of hearts, top card of fan 17" when the
// queen over it leaves, and the king under her is no longer "top card": each
// changed name of a place in view is raised once, with the new name, and no
// unchanged one.
TEST_F(BoardScreenReaderTest, EachPlaceWhoseNameChangesSaysSoOnce)
{
    NEEDS_A_SCREEN_READER();
    Deal();
    const auto names = [&] {
        std::map<QObject*, QString> shown;
        for (QWidget* place : Places()) {
            if (place->isVisibleTo(&surface()) && !A11y(place)->state().invisible)
                shown[place] = A11y(place)->text(QAccessible::Name);
        }
        return shown;
    };
    const std::function<void()> clicks[] = {
        [&] { ClickSlot(51); },      // the queen selected: the frame takes her name
        [&] { ClickSlot(52); },      // onto the king
        [&] { UseUndo(); },          // and back
        [&] { ClickSlot(27); },      // the ace of clubs home, the two under it on top
        [&] { ClickSlot(52); },      // the king selected
        [&] { ClickSlot(52); },      // and let go, on his frame
    };
    for (std::size_t n = 0; n < std::size(clicks); ++n) {
        const auto before = names();
        raised.clear();
        clicks[n]();
        const auto after = names();
        std::map<QObject*, int> count;
        for (const auto& r : raised) {
            if (r.type != QAccessible::NameChanged)
                continue;
            ++count[r.object];
            // A place hidden meanwhile is not read; one in view is read with its new name.
            if (after.count(r.object)) {
                EXPECT_EQ(r.name, after.at(r.object)) << "click " << n << ": a stale name was read";
            }
        }
        // A place that comes into view is read afresh: once at most.
        for (const auto& [place, name] : after) {
            const auto was = before.find(place);
            if (was == before.end()) {
                EXPECT_LE(count[place], 1) << "click " << n << ": " << name.toStdString();
            } else {
                EXPECT_EQ(count[place], was->second != name ? 1 : 0)
                    << "click " << n << ": " << was->second.toStdString() << " -> " << name.toStdString();
            }
        }
    }
}

} // namespace
} // namespace quarrow::board_testing
