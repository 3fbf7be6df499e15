// The keyboard's state on every platform: what a key, a click or a change of
// the board does to the focus and its mark, on the ordered deal.
#include <gtest/gtest.h>

#include "board/focus_keeper.h"
#include "board/place_events.h"
#include "board/tests/ordered_game.h"

namespace quarrow {
namespace {

class FocusKeeperTest : public ::testing::Test, protected testing::OrderedGame {
protected:
    FocusKeeper keeper;
};

TEST_F(FocusKeeperTest, TheFirstKeyOnlyShowsTheMarkAndTheSecondActs)
{
    EXPECT_TRUE(keeper.Dealt(game.model()).announce);
    EXPECT_EQ(keeper.current(), SlotPlace(3));
    EXPECT_FALSE(keeper.MarkVisible());

    const FocusOutcome first = keeper.Key(BoardKey::Activate);
    EXPECT_TRUE(first.announce);
    EXPECT_EQ(first.activate, NoPlace()) << "a key the player could not aim must not act";
    EXPECT_TRUE(keeper.MarkVisible());

    const FocusOutcome second = keeper.Key(BoardKey::Activate);
    EXPECT_EQ(second.activate, SlotPlace(3));
    RaiseClick(game, second.activate);
    EXPECT_TRUE(game.card_selected);
    keeper.Follow(game.model());
    EXPECT_EQ(keeper.current(), FramePlace(3)) << "the focus stays on the card, now under the frame";
}

TEST_F(FocusKeeperTest, AClickHidesTheMarkAndTakesTheFocusOnlyToAPlaceThatTakesIt)
{
    keeper.Dealt(game.model());
    keeper.Key(BoardKey::Right);
    ASSERT_TRUE(keeper.MarkVisible());
    EXPECT_TRUE(keeper.Clicked(SlotPlace(6)).announce);
    EXPECT_EQ(keeper.current(), SlotPlace(6));
    EXPECT_FALSE(keeper.MarkVisible());
    // A covered card takes no clicks, so it takes no focus either.
    EXPECT_FALSE(keeper.Clicked(SlotPlace(5)).announce);
    EXPECT_EQ(keeper.current(), SlotPlace(6));
    // Keys with the mark hidden bring it back where the focus is, without moving it.
    keeper.Key(BoardKey::Down);
    EXPECT_EQ(keeper.current(), SlotPlace(6));
    keeper.Key(BoardKey::Down);
    EXPECT_EQ(keeper.current(), SlotPlace(21));
}

// Wherever the focus was, a deal says where it is now, once: on fan 1, also
// when it was on fan 1 before, where a new card lies.
TEST_F(FocusKeeperTest, ADealAnnouncesFan1Once)
{
    keeper.Dealt(game.model());
    for (BoardKey key : {BoardKey::Right, BoardKey::Right, BoardKey::Down})
        keeper.Key(key);
    ASSERT_EQ(keeper.current(), SlotPlace(21));
    game.img_crdbrd_Click(51); // a selection, gone with the deal
    keeper.Follow(game.model());
    for (int deal = 0; deal < 2; ++deal) {
        game.InitNewGame();
        const FocusOutcome dealt = keeper.Dealt(game.model());
        EXPECT_TRUE(dealt.announce) << "deal " << deal;
        EXPECT_EQ(dealt.activate, NoPlace());
        EXPECT_EQ(keeper.current(), SlotPlace(3)) << "deal " << deal;
    }
    EXPECT_TRUE(keeper.MarkVisible()) << "the mark stays shown across a deal";
}

// A screen reader's press on another place than the focused one takes the
// focus there before the click, and says so; on the focused place it says
// nothing new.
TEST_F(FocusKeeperTest, ActivatingAnotherPlaceMovesTheFocusThereAudibly)
{
    keeper.Dealt(game.model());
    const FocusOutcome there = keeper.Activate(SlotPlace(27)); // the ace of clubs
    EXPECT_TRUE(there.announce);
    EXPECT_EQ(there.activate, SlotPlace(27));
    EXPECT_EQ(keeper.current(), SlotPlace(27));
    RaiseClick(game, there.activate);
    EXPECT_TRUE(keeper.Follow(game.model()).announce) << "the ace went home: on to the card uncovered";
    EXPECT_EQ(keeper.current(), SlotPlace(26));

    // Nothing selected: the foundation's click does nothing, but the focus went there.
    const FocusOutcome foundation = keeper.Activate(FoundationPlace(3));
    EXPECT_TRUE(foundation.announce);
    RaiseClick(game, foundation.activate);
    EXPECT_FALSE(keeper.Follow(game.model()).announce);
    EXPECT_EQ(keeper.current(), FoundationPlace(3));

    const FocusOutcome again = keeper.Activate(FoundationPlace(3));
    EXPECT_FALSE(again.announce);
    EXPECT_EQ(again.activate, FoundationPlace(3));
}

TEST_F(FocusKeeperTest, ActivatingAPlaceThatCannotTakeTheFocusDoesNothing)
{
    keeper.Dealt(game.model());
    EXPECT_EQ(keeper.Activate(SlotPlace(2)).activate, NoPlace());
    EXPECT_EQ(keeper.Activate(UndoPlace()).activate, NoPlace());
    EXPECT_EQ(keeper.Activate(FoundationPlace(1)).activate, NoPlace()) << "no ace on it yet";
    EXPECT_EQ(keeper.current(), SlotPlace(3));
}

} // namespace
} // namespace quarrow
