#include "game_harness.h"

namespace quarrow::testing {
namespace {

// The stairs deal wins by taking the cards in code order: an ace with one
// click, any other card by selecting it and clicking its foundation.
class Foundations : public GameTest {
protected:
    Foundations() : GameTest(StairsDeck()) { game.InitNewGame(); }

    int SlotOf(Int16 code) const
    {
        for (int i = 1; i <= 54; ++i)
            if (Slot(i).visible && Slot(i).face == code)
                return i;
        return 0;
    }

    void PlayHome(Int16 code)
    {
        const int slot = SlotOf(code);
        ASSERT_TRUE(Clickable(slot)) << "code " << code;
        game.img_crdbrd_Click(static_cast<Int16>(slot));
        if (CardRank(code) != kAce)
            game.img_ace_Click(CardSuit(code));
    }

    void PlayHomeUpTo(Int16 last)
    {
        for (Int16 code = 1; code <= last; ++code)
            PlayHome(code);
    }
};

TEST_F(Foundations, NextCardOfTheSuitGoesHome)
{
    PlayHome(1);
    game.img_crdbrd_Click(2); // two of spades, now on top of fan 1
    game.img_ace_Click(1);
    EXPECT_EQ(game.foundation_top[1], 2);
    EXPECT_EQ(Foundation(1).face, 2);
    EXPECT_FALSE(game.card_selected);
    EXPECT_FALSE(game.model().border_visible);
    EXPECT_FALSE(Slot(2).visible);
    EXPECT_FALSE(Slot(2).enabled);
    EXPECT_TRUE(Clickable(1));
}

TEST_F(Foundations, WrongSuitOrRankIsRefusedSilently)
{
    PlayHome(1);
    PlayHome(40); // ace of hearts
    game.img_crdbrd_Click(2); // two of spades
    const BoardModel selected = game.model();

    game.img_ace_Click(4); // right rank, wrong suit
    EXPECT_EQ(game.model(), selected);
    EXPECT_EQ(game.foundation_top[4], 1);

    game.img_crdbrd_Click(6); // four of spades would be a move attempt; cancel and pick it
    game.img_border_Click();
    game.img_crdbrd_Click(6);
    const BoardModel four = game.model();
    game.img_ace_Click(1); // right suit, not the next rank
    EXPECT_EQ(game.model(), four);
    EXPECT_EQ(game.foundation_top[1], 1);
    EXPECT_TRUE(game.card_selected);
    EXPECT_EQ(notices.faces.size(), 1u) << "only the refused board move spoke";
}

// The two of spades on top of fan 1, its ace beneath it: the two is the
// next rank for an empty foundation, so only emptiness refuses it.
class TwoOnItsAce : public GameTest {
protected:
    TwoOnItsAce() : GameTest(OrderWith({{3, 2}})) { game.InitNewGame(); }
};

TEST_F(TwoOnItsAce, ATwoCannotBeLaidBeforeItsAce)
{
    ASSERT_EQ(Slot(3).face, 2);
    game.img_crdbrd_Click(3);
    ASSERT_TRUE(game.card_selected);
    EXPECT_FALSE(Foundation(1).visible && Foundation(1).enabled) << "an empty foundation takes no clicks";
    const BoardModel selected = game.model();

    game.img_ace_Click(1);
    EXPECT_EQ(game.foundation_top[1], 0);
    EXPECT_EQ(game.model(), selected);
    EXPECT_TRUE(notices.faces.empty());
}

TEST_F(Foundations, ClickWithNothingSelectedDoesNothing)
{
    PlayHome(1);
    const BoardModel before = game.model();
    game.img_ace_Click(1);
    EXPECT_EQ(game.model(), before);
}

TEST_F(Foundations, PlayingHomeWithdrawsTheUndo)
{
    PlayHome(1);
    game.img_crdbrd_Click(18); // three of diamonds onto the two of spades
    game.img_crdbrd_Click(2);
    ASSERT_TRUE(game.model().undo_visible);
    PlayHome(40);
    EXPECT_FALSE(game.model().undo_visible);
}

TEST_F(Foundations, ThreeCompleteAndOneAtQueenIsNotAWin)
{
    PlayHomeUpTo(51);
    EXPECT_EQ(game.foundation_top[1], 13);
    EXPECT_EQ(game.foundation_top[4], 12);
    EXPECT_FALSE(game.game_won);
    EXPECT_TRUE(notices.faces.empty());
}

TEST_F(Foundations, TheFourthKingWinsAtOnce)
{
    PlayHomeUpTo(52);
    EXPECT_TRUE(game.game_won);
    ASSERT_EQ(notices.faces, std::vector<Face> {Face::Win});
    EXPECT_EQ(notices.model_at_show[0].foundations[4].face, 52) << "the last king is home before the notice";
    for (int i = 1; i <= 54; ++i)
        EXPECT_FALSE(Slot(i).visible) << i;
}

TEST_F(Foundations, AfterTheWinNothingTakesClicksUntilTheNextDeal)
{
    PlayHomeUpTo(52);
    const BoardModel won = game.model();
    for (Int16 i = 1; i <= 54; ++i)
        game.img_crdbrd_Click(i);
    for (Int16 k = 1; k <= 4; ++k)
        game.img_ace_Click(k);
    game.img_undo_DragDrop(true);
    EXPECT_EQ(game.model(), won);
    EXPECT_EQ(notices.faces.size(), 1u);

    game.InitNewGame();
    EXPECT_FALSE(game.game_won);
    game.img_crdbrd_Click(3);
    EXPECT_EQ(game.foundation_top[1], 1);
}

} // namespace
} // namespace quarrow::testing
