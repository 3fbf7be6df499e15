// A whole game played through the board window with real clicks, from the
// ordered deal: every refusal the player can meet, an undo, and the win.
#include <iterator>

#include "board/tests/board_fixture.h"
#include "board/tests/ordered_deal_script.h"
#include "rules/game.h"

namespace quarrow::board_testing {
namespace {

class BoardGameTest : public BoardTest {
protected:
    // The fan's top card is the highest of its slots that is on view.
    int TopSlotOfFan(int fan)
    {
        for (int s = 3 * fan; s >= 3 * fan - 2; --s) {
            if (slot(s)->isVisibleTo(&surface()))
                return s;
        }
        return 0;
    }

    bool Selected(int s)
    {
        return surface().border()->isVisibleTo(&surface()) && surface().border()->pos() == slot(s)->pos();
    }

    ::testing::AssertionResult Play(const Step& step)
    {
        const int from = TopSlotOfFan(step.from);
        if (from == 0 || FaceOf(slot(from)) != step.card)
            return ::testing::AssertionFailure() << "fan " << step.from << " does not show card " << step.card;
        const Int16 suit = CardSuit(static_cast<Int16>(step.card));

        if (step.to == 0 && CardRank(static_cast<Int16>(step.card)) == kAce) {
            if (ClickSlot(from).shown)
                return ::testing::AssertionFailure() << "notice for an ace";
        } else {
            if (ClickSlot(from).shown || !Selected(from))
                return ::testing::AssertionFailure() << "card " << step.card << " not selected";
            if (step.to == 0) {
                if (ClickFoundation(suit).shown)
                    return ::testing::AssertionFailure() << "notice on a foundation play";
            } else {
                const int target = TopSlotOfFan(step.to);
                if (ClickSlot(target).shown)
                    return ::testing::AssertionFailure() << "move of " << step.card << " refused";
                if (FaceOf(slot(target + 1)) != step.card || !slot(target + 1)->isEnabled())
                    return ::testing::AssertionFailure() << "card " << step.card << " not on fan " << step.to;
            }
        }
        if (step.to == 0 && FaceOf(foundation(suit)) != step.card)
            return ::testing::AssertionFailure() << "card " << step.card << " not on its foundation";
        if (slot(from)->isVisibleTo(&surface()))
            return ::testing::AssertionFailure() << "slot " << from << " still shows a card";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(BoardGameTest, AWholeGameWithRefusalsAnUndoAndTheWin)
{
    Deal();
    ExpectBoardMirrorsModel();
    // The deal as the player sees it: kings lowered below their own suit.
    EXPECT_EQ(FaceOf(slot(25)), 26);
    EXPECT_EQ(FaceOf(slot(26)), 25);
    EXPECT_EQ(FaceOf(slot(37)), 39);
    EXPECT_EQ(FaceOf(slot(52)), 52);

    // A covered card takes no click.
    EXPECT_FALSE(ClickSlot(1).shown);
    EXPECT_FALSE(game().card_selected);
    EXPECT_FALSE(surface().border()->isVisibleTo(&surface()));

    // Three of spades onto a full fan, then onto the king of hearts.
    ClickSlot(3);
    ASSERT_TRUE(Selected(3));
    const Notice fullFan = ClickSlot(6);
    EXPECT_TRUE(fullFan.shown);
    EXPECT_FALSE(fullFan.invalid_move_face);
    EXPECT_FALSE(fullFan.win_face);
    ASSERT_FALSE(sound.played.empty());
    EXPECT_EQ(sound.played.back(), kCluck);
    EXPECT_TRUE(Selected(3));

    const Notice wrongRank = ClickSlot(52);
    EXPECT_TRUE(wrongRank.shown);
    EXPECT_TRUE(wrongRank.invalid_move_face);
    EXPECT_FALSE(wrongRank.win_face);
    EXPECT_FALSE(game().move_error);
    EXPECT_TRUE(Selected(3));
    EXPECT_EQ(FaceOf(slot(53)), 0);
    ExpectBoardMirrorsModel();

    // The frame lies over the selected card: clicking there cancels.
    EXPECT_FALSE(ClickSlot(3).shown);
    EXPECT_FALSE(surface().border()->isVisibleTo(&surface()));
    EXPECT_FALSE(game().card_selected);

    // The ace of clubs goes up while the queen of hearts stays selected.
    ClickSlot(51);
    ASSERT_TRUE(Selected(51));
    EXPECT_FALSE(ClickSlot(27).shown);
    EXPECT_EQ(FaceOf(foundation(3)), 27);
    EXPECT_FALSE(slot(27)->isVisibleTo(&surface()));
    EXPECT_TRUE(slot(26)->isEnabled());
    EXPECT_TRUE(Selected(51));
    EXPECT_EQ(foundation(3)->accessibleName(), QStringLiteral("Clubs foundation, Ace of clubs"));

    // Foundations refuse silently: wrong suit, and one not yet started.
    EXPECT_FALSE(ClickFoundation(3).shown);
    EXPECT_FALSE(ClickFoundation(4).shown);
    EXPECT_TRUE(Selected(51));
    EXPECT_EQ(FaceOf(foundation(3)), 27);

    // Queen of hearts onto the king of hearts, and back again.
    EXPECT_FALSE(ClickSlot(52).shown);
    EXPECT_EQ(FaceOf(slot(53)), 51);
    EXPECT_FALSE(slot(51)->isVisibleTo(&surface()));
    ASSERT_TRUE(surface().undo()->isVisibleTo(&surface()));
    ExpectBoardMirrorsModel();

    UseUndo();
    EXPECT_FALSE(surface().undo()->isVisibleTo(&surface()));
    EXPECT_FALSE(slot(53)->isVisibleTo(&surface()));
    EXPECT_EQ(FaceOf(slot(51)), 51);
    EXPECT_TRUE(slot(51)->isEnabled());
    EXPECT_FALSE(slot(50)->isEnabled());
    EXPECT_TRUE(slot(52)->isEnabled());
    ExpectBoardMirrorsModel();

    // The rest of the game, all but the winning play.
    const auto* last = std::prev(std::end(kOrderedDealWin));
    for (const auto* step = std::begin(kOrderedDealWin) + 1; step != last; ++step) {
        ASSERT_TRUE(Play(*step)) << "step " << (step - std::begin(kOrderedDealWin));
        ExpectBoardMirrorsModel();
    }
    EXPECT_FALSE(game().game_won);

    // The last king: the notice shows the win over the finished board.
    ASSERT_EQ(last->card, 13);
    ClickSlot(TopSlotOfFan(last->from));
    int kingShownBehindNotice = 0;
    const Notice win = ClickFoundation(1, [&] { kingShownBehindNotice = FaceOf(foundation(1)); });
    EXPECT_TRUE(win.shown);
    EXPECT_TRUE(win.win_face);
    EXPECT_FALSE(win.invalid_move_face);
    EXPECT_EQ(kingShownBehindNotice, 13);
    EXPECT_EQ(sound.played.back(), kApplause);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(FaceOf(foundation(k)), CardCode(static_cast<Int16>(k), kKing)) << "foundation " << k;
    ExpectBoardMirrorsModel();

    // A won board takes no more clicks, until the next deal.
    EXPECT_FALSE(ClickFoundation(4).shown);
    EXPECT_EQ(FaceOf(foundation(4)), 52);
    Deal();
    EXPECT_FALSE(game().game_won);
    EXPECT_EQ(FaceOf(foundation(1)), 0);
    ClickSlot(3);
    EXPECT_TRUE(Selected(3));
    ExpectBoardMirrorsModel();
}

} // namespace
} // namespace quarrow::board_testing
