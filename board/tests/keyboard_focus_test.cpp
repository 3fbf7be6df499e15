// Where the arrows, Tab and the board's own changes take the keyboard focus,
// on boards from the ordered deal (card i dealt to slot i).
#include <gtest/gtest.h>

#include "board/keyboard_focus.h"
#include "rules/game.h"

namespace quarrow {
namespace {

class Zero final : public RandomSource {
public:
    void Reseed() override {}
    float Next() override { return 0.0f; }
};

class Silent final : public Notices {
public:
    void ShowResult() override {}
};

struct Boards {
    Boards()
    {
        game.InitNewGame();
        dealt = game.model();
        game.img_crdbrd_Click(27); // the ace of clubs from fan 9 to foundation 3
        ace_played = game.model();
        game.img_crdbrd_Click(51); // the queen of hearts, top of fan 17...
        queen_selected = game.model();
        game.img_crdbrd_Click(52); // ...onto the king of hearts, fan 18's one card
        queen_moved = game.model();
        game.img_crdbrd_Click(50);
        jack_selected = game.model();
        game.img_border_Click();
        jack_cancelled = game.model();
        game.img_crdbrd_Click(53); // undo is gone with the selection: take the queen back
        game.img_crdbrd_Click(50); // onto the jack
        queen_moved_again = game.model();
        game.img_undo_DragDrop(true);
        undone = game.model();
    }

    Zero random;
    Silent notices;
    Game game {random, notices};
    BoardModel dealt, ace_played, queen_selected, queen_moved, jack_selected, jack_cancelled, queen_moved_again, undone;
};

std::string Describe(FocusPlace place)
{
    static const char* kKinds[] = {"none", "foundation", "slot", "frame", "undo"};
    return std::string(kKinds[static_cast<int>(place.kind)]) + " " + std::to_string(place.index);
}

TEST(KeyboardFocus, KeysFollowTheLayout)
{
    const Boards b;
    using M = FocusMove;
    struct Case {
        const BoardModel& board;
        FocusPlace from;
        FocusMove move;
        FocusPlace to;
        const char* why;
    };
    const Case cases[] = {
        {b.ace_played, SlotPlace(6), M::Left, SlotPlace(3), "left goes to the previous fan"},
        {b.ace_played, SlotPlace(33), M::Left, FoundationPlace(3), "left from the first column: the foundation of the row"},
        {b.ace_played, SlotPlace(3), M::Left, FoundationPlace(3), "the only foundation with its ace, rows away"},
        {b.dealt, SlotPlace(3), M::Left, SlotPlace(3), "no foundation has an ace yet: the focus stays"},
        {b.ace_played, FoundationPlace(3), M::Right, SlotPlace(33), "right from a foundation: the first fan of its row"},
        {b.ace_played, SlotPlace(15), M::Right, SlotPlace(15), "nothing right of the last fan"},
        {b.ace_played, SlotPlace(3), M::Up, SlotPlace(3), "nothing above row 1"},
        {b.ace_played, SlotPlace(33), M::Down, SlotPlace(48), "down from row 3 to row 4"},
        {b.ace_played, SlotPlace(26), M::Up, SlotPlace(12), "a fan cut short still lines up with the one above"},
        {b.ace_played, SlotPlace(24), M::Down, SlotPlace(39), "down the column"},
        {b.queen_moved, SlotPlace(53), M::Right, UndoPlace(), "the undo arrow, right of the bottom row"},
        {b.queen_moved, UndoPlace(), M::Left, SlotPlace(53), "back along the bottom row"},
        {b.queen_moved, UndoPlace(), M::Up, SlotPlace(45), "up from the arrow: the fan above it"},
        {b.queen_moved, SlotPlace(45), M::Down, UndoPlace(), "down from the fan above the arrow"},
        {b.jack_selected, SlotPlace(48), M::Right, FramePlace(50), "the selected card is reached as its frame"},
        {b.ace_played, FoundationPlace(3), M::Next, SlotPlace(3), "Tab: foundations, then fan 1"},
        {b.ace_played, SlotPlace(52), M::Next, FoundationPlace(3), "Tab wraps"},
        {b.ace_played, FoundationPlace(3), M::Previous, SlotPlace(52), "Shift+Tab wraps"},
        {b.queen_moved, SlotPlace(53), M::Next, UndoPlace(), "the undo arrow comes last"},
        {b.jack_selected, SlotPlace(48), M::Next, FramePlace(50), "the frame takes its card's turn"},
        {b.dealt, NoPlace(), M::Down, SlotPlace(3), "from nowhere, the first place"},
        {b.dealt, SlotPlace(2), M::Right, SlotPlace(3), "a covered card is no place: start again"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MoveFocus(c.board, c.from, c.move), c.to)
            << c.why << ": got " << Describe(MoveFocus(c.board, c.from, c.move));
    }
}

TEST(KeyboardFocus, APlaceThatGoesHandsTheFocusToTheMostUsefulOneNearby)
{
    const Boards b;
    BoardModel fan_emptied = b.dealt; // fan 3 gone from under the focus
    for (int i = 7; i <= 9; ++i)
        fan_emptied.slot_places[i].visible = false;
    struct Case {
        const BoardModel& before;
        const BoardModel& after;
        FocusPlace was;
        FocusPlace now;
        const char* why;
    };
    const Case cases[] = {
        {b.dealt, b.ace_played, SlotPlace(27), SlotPlace(26), "an ace played: the card uncovered"},
        {b.ace_played, b.queen_selected, SlotPlace(51), FramePlace(51), "selected: the frame over it"},
        {b.queen_selected, b.queen_moved, SlotPlace(52), SlotPlace(53), "moved onto the focus: the card laid there"},
        {b.queen_selected, b.queen_moved, FramePlace(51), SlotPlace(50), "the selected card moved away: the card uncovered"},
        {b.jack_selected, b.jack_cancelled, FramePlace(50), SlotPlace(50), "cancelled: the card itself"},
        {b.queen_moved_again, b.undone, UndoPlace(), SlotPlace(53), "undone: the card put back"},
        {b.dealt, fan_emptied, SlotPlace(9), SlotPlace(24), "a fan emptied: the nearest place, the fan below"},
    };
    for (const Case& c : cases) {
        const FocusPlace now = Refocus(c.before, c.after, c.was);
        EXPECT_EQ(now, c.now) << c.why << ": got " << Describe(now);
        EXPECT_TRUE(IsFocusable(c.after, now)) << c.why;
    }
}

} // namespace
} // namespace quarrow
