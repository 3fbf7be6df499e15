#include "game_harness.h"

namespace quarrow::testing {
namespace {

// Stairs deal: fan f holds codes 3f, 3f-1, 3f-2 from bottom to top, slot 52
// the king of hearts. Tops: slot 3 ace of spades, 6 four of spades, 18 three
// of diamonds, 27 queen of diamonds, 15 king of spades, 42 ace of hearts.
class Moves : public GameTest {
protected:
    Moves() : GameTest(StairsDeck()) { game.InitNewGame(); }
};

TEST_F(Moves, ClickOnACardSelectsIt)
{
    game.img_crdbrd_Click(6);
    EXPECT_TRUE(game.card_selected);
    EXPECT_EQ(game.sel_slot, 6);
    EXPECT_EQ(game.sel_rank, 4);
    EXPECT_EQ(game.sel_suit, 1);
    EXPECT_EQ(game.model().held_face, 4);
    EXPECT_TRUE(game.model().border_visible);
    EXPECT_EQ(game.model().border_slot, 6);
    EXPECT_TRUE(notices.faces.empty());
}

TEST_F(Moves, AceGoesHomeWithOneClickAndUncoversTheCardBelow)
{
    game.img_crdbrd_Click(3);
    EXPECT_EQ(game.foundation_top[1], 1);
    EXPECT_EQ(Foundation(1), (Place {1, true, true}));
    EXPECT_FALSE(Slot(3).visible);
    EXPECT_FALSE(Slot(3).enabled);
    EXPECT_TRUE(Clickable(2));
    EXPECT_EQ(game.play_slot, 3);
    EXPECT_FALSE(game.card_selected);
}

TEST_F(Moves, AcePlayedWhileAnotherCardStaysSelected)
{
    game.img_crdbrd_Click(6); // four of spades
    game.img_crdbrd_Click(42); // ace of hearts
    EXPECT_EQ(game.foundation_top[4], 1);
    EXPECT_TRUE(game.card_selected);
    EXPECT_EQ(game.sel_slot, 6);
    EXPECT_EQ(game.sel_rank, 4);
    EXPECT_EQ(game.sel_suit, 1);
    EXPECT_EQ(game.model().held_face, 4);
    EXPECT_TRUE(game.model().border_visible);
    EXPECT_EQ(game.model().border_slot, 6);
    EXPECT_TRUE(Clickable(41));
}

TEST_F(Moves, OneAboveMovesAcrossSuitsAndLeavesAnUndoRecord)
{
    game.img_crdbrd_Click(3);  // ace of spades home; two of spades on top of fan 1
    game.img_crdbrd_Click(18); // three of diamonds
    game.img_crdbrd_Click(2);  // onto the two of spades

    EXPECT_EQ(Slot(3), (Place {16, true, true}));
    EXPECT_EQ(game.slot_rank[3], 3);
    EXPECT_EQ(game.slot_suit[3], 2);
    EXPECT_FALSE(Slot(2).enabled) << "the card under the target is covered";
    EXPECT_FALSE(Slot(18).visible);
    EXPECT_FALSE(Slot(18).enabled);
    EXPECT_TRUE(Clickable(17)) << "the card under the moved card is the new top";
    EXPECT_EQ(game.slot_rank[18], 3) << "an emptied slot keeps its card's rank";
    EXPECT_EQ(game.slot_suit[18], 2);
    EXPECT_FALSE(game.card_selected);
    EXPECT_FALSE(game.model().border_visible);
    EXPECT_TRUE(game.model().undo_visible);
    EXPECT_EQ(game.undo_slot, 3);
    EXPECT_EQ(game.sel_slot, 18);
    EXPECT_TRUE(notices.faces.empty());
}

// Queen onto king, then king onto queen: fan 18 grows from one card to three
// and is then full like any other fan.
TEST_F(Moves, FanEighteenGrowsToThreeAndIsThenFull)
{
    game.img_crdbrd_Click(27); // queen of diamonds
    game.img_crdbrd_Click(52); // onto the king of hearts
    EXPECT_EQ(Slot(53), (Place {25, true, true}));
    EXPECT_FALSE(Slot(52).enabled);

    game.img_crdbrd_Click(15); // king of spades
    game.img_crdbrd_Click(53); // onto the queen
    EXPECT_EQ(Slot(54), (Place {13, true, true}));
    EXPECT_FALSE(Slot(53).enabled);

    game.img_crdbrd_Click(24); // nine of diamonds
    const BoardModel before = game.model();
    game.img_crdbrd_Click(54);
    EXPECT_EQ(notices.faces, std::vector<Face> {Face::FullFan});
    EXPECT_EQ(game.model(), before);
}

TEST_F(Moves, FullFanIsRefusedEvenWhenTheRanksFit)
{
    game.img_crdbrd_Click(18); // three of diamonds
    const BoardModel before = game.model();
    game.img_crdbrd_Click(6); // four of spades, on a full fan
    EXPECT_EQ(notices.faces, std::vector<Face> {Face::FullFan});
    EXPECT_EQ(game.model(), before);
    EXPECT_TRUE(game.card_selected);
    EXPECT_EQ(game.sel_slot, 18);
    EXPECT_FALSE(game.move_error);
}

TEST_F(Moves, WrongRankGivesTheInvalidMoveNoticeAndKeepsTheSelection)
{
    game.img_crdbrd_Click(6); // four of spades
    const BoardModel before = game.model();
    game.img_crdbrd_Click(52); // king of hearts, a fan of one
    EXPECT_EQ(notices.faces, std::vector<Face> {Face::InvalidMove});
    EXPECT_EQ(notices.model_at_show.back(), before);
    EXPECT_EQ(game.model(), before);
    EXPECT_TRUE(game.card_selected);
    EXPECT_FALSE(game.move_error) << "the window clears it on OK";
}

TEST_F(Moves, SameRankIsNotAMove)
{
    game.img_crdbrd_Click(3); // ace of spades home: the two of spades is on top
    game.img_crdbrd_Click(42); // ace of hearts home: the two of hearts is on top
    game.img_crdbrd_Click(41);
    game.img_crdbrd_Click(2);
    EXPECT_EQ(notices.faces, std::vector<Face> {Face::InvalidMove});
}

TEST_F(Moves, FrameClickCancelsTheSelectionAndTheUndoStaysGone)
{
    game.img_crdbrd_Click(3);
    game.img_crdbrd_Click(18);
    game.img_crdbrd_Click(2);
    ASSERT_TRUE(game.model().undo_visible);

    game.img_crdbrd_Click(6);
    EXPECT_FALSE(game.model().undo_visible) << "selecting gives up the undo record";
    game.img_border_Click();
    EXPECT_FALSE(game.card_selected);
    EXPECT_FALSE(game.model().border_visible);
    EXPECT_FALSE(game.model().undo_visible);

    const BoardModel idle = game.model();
    game.img_border_Click();
    EXPECT_EQ(game.model(), idle);
}

TEST_F(Moves, HiddenOrCoveredSlotsTakeNoClicks)
{
    const BoardModel before = game.model();
    game.img_crdbrd_Click(1);  // covered
    game.img_crdbrd_Click(53); // hidden
    EXPECT_EQ(game.model(), before);
    EXPECT_FALSE(game.card_selected);
    EXPECT_THROW(game.img_crdbrd_Click(55), InternalError);
    EXPECT_THROW(game.img_crdbrd_Click(0), InternalError);
    EXPECT_EQ(game.model(), before);
}

// Fan 1 holds three of spades, queen of spades, ace of spades; slot 52 the king of hearts.
class OnlyCard : public GameTest {
protected:
    OnlyCard() : GameTest(OrderWith({{2, 12}, {3, 1}})) { game.InitNewGame(); }
};

TEST_F(OnlyCard, MovingAFansOnlyCardEmptiesItForGood)
{
    game.img_crdbrd_Click(3);  // ace home: the queen tops fan 1
    game.img_crdbrd_Click(52); // king of hearts
    game.img_crdbrd_Click(2);  // onto the queen
    for (int i : {52, 53, 54}) {
        EXPECT_FALSE(Slot(i).visible) << i;
        EXPECT_FALSE(Slot(i).enabled) << i;
    }
    EXPECT_EQ(Slot(3), (Place {52, true, true}));
}

// Fan 2 holds four of spades, ace of diamonds, five of spades; slot 52 the six of spades.
class UncoveredAce : public GameTest {
protected:
    UncoveredAce() : GameTest(OrderWith({{5, 14}, {6, 5}, {52, 6}})) { game.InitNewGame(); }
};

TEST_F(UncoveredAce, AnAceLeftOnTopIsPlayedBySingleClick)
{
    game.img_crdbrd_Click(6);
    game.img_crdbrd_Click(52);
    ASSERT_TRUE(Clickable(5));
    game.img_crdbrd_Click(5);
    EXPECT_EQ(game.foundation_top[2], 1);
    EXPECT_TRUE(Clickable(4));
    EXPECT_FALSE(game.model().undo_visible) << "an ace played withdraws the undo";
}

// Before the first deal every place is empty, shown and clickable, with rank 0.
class BeforeTheFirstDeal : public GameTest {};

TEST_F(BeforeTheFirstDeal, EmptyPlacesCanBeSelectedButNeverMoved)
{
    game.img_crdbrd_Click(1);
    EXPECT_TRUE(game.card_selected);
    EXPECT_EQ(game.model().border_slot, 1);
    EXPECT_EQ(game.model().held_face, kNoFace);

    game.img_crdbrd_Click(3);
    game.img_crdbrd_Click(5);
    EXPECT_EQ(notices.faces, (std::vector<Face> {Face::FullFan, Face::InvalidMove}));
    EXPECT_TRUE(game.card_selected);

    game.img_border_Click();
    EXPECT_FALSE(game.card_selected);
    game.img_crdbrd_Click(7);
    EXPECT_EQ(game.sel_slot, 7);
    game.img_ace_Click(1);
    EXPECT_EQ(game.foundation_top[1], 0) << "a rank-0 place never goes home";
}

} // namespace
} // namespace quarrow::testing
