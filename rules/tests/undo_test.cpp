#include "game_harness.h"

namespace quarrow::testing {
namespace {

class Undo : public GameTest {
protected:
    Undo() : GameTest(StairsDeck()) { game.InitNewGame(); }
};

TEST_F(Undo, PutsTheCardBackOntoAFanOfTwo)
{
    game.img_crdbrd_Click(3);  // ace home; fan 1 holds two cards
    game.img_crdbrd_Click(18); // three of diamonds
    game.img_crdbrd_Click(2);  // onto the two of spades
    game.img_undo_DragDrop(true);

    EXPECT_EQ(Slot(18), (Place {16, true, true}));
    EXPECT_FALSE(Slot(17).enabled) << "covered again";
    EXPECT_FALSE(Slot(3).visible);
    EXPECT_FALSE(Slot(3).enabled);
    EXPECT_TRUE(Clickable(2)) << "the target is the top of its two-card fan again";
    EXPECT_FALSE(Slot(1).enabled);
    EXPECT_FALSE(game.card_selected);
    EXPECT_FALSE(game.model().undo_visible);
}

TEST_F(Undo, PutsTheCardBackOntoAFanOfOne)
{
    game.img_crdbrd_Click(27); // queen of diamonds onto the king of hearts
    game.img_crdbrd_Click(52);
    game.img_undo_DragDrop(true);
    EXPECT_TRUE(Clickable(52));
    EXPECT_FALSE(Slot(53).visible);
    EXPECT_EQ(Slot(27), (Place {25, true, true}));
    EXPECT_FALSE(Slot(26).enabled);
}

TEST_F(Undo, OnlyOneLevelDeep)
{
    game.img_crdbrd_Click(27);
    game.img_crdbrd_Click(52);
    game.img_undo_DragDrop(true);
    const BoardModel after = game.model();
    game.img_undo_DragDrop(true);
    EXPECT_EQ(game.model(), after);
}

TEST_F(Undo, GoneAfterSelectingEvenIfTheSelectionIsCancelled)
{
    game.img_crdbrd_Click(27);
    game.img_crdbrd_Click(52);
    game.img_crdbrd_Click(6);
    game.img_border_Click();
    const BoardModel idle = game.model();
    game.img_undo_DragDrop(true);
    EXPECT_EQ(game.model(), idle);
    EXPECT_FALSE(Slot(27).visible);
}

TEST_F(Undo, OnlyTheArrowItselfCanBeDropped)
{
    game.img_crdbrd_Click(27);
    game.img_crdbrd_Click(52);
    const BoardModel moved = game.model();
    game.img_undo_DragDrop(false);
    EXPECT_EQ(game.model(), moved);
}

TEST_F(Undo, NothingToUndoBeforeAnyMove)
{
    const BoardModel dealt = game.model();
    game.img_undo_DragDrop(true);
    EXPECT_EQ(game.model(), dealt);
}

// Fan 1 holds three of spades, queen of spades, ace of spades; slot 52 the king of hearts.
class UndoOnlyCard : public GameTest {
protected:
    UndoOnlyCard() : GameTest(OrderWith({{2, 12}, {3, 1}})) { game.InitNewGame(); }
};

TEST_F(UndoOnlyCard, GivesAnEmptiedFanItsCardBack)
{
    game.img_crdbrd_Click(3);
    game.img_crdbrd_Click(52);
    game.img_crdbrd_Click(2);
    game.img_undo_DragDrop(true);
    EXPECT_EQ(Slot(52), (Place {52, true, true}));
    EXPECT_TRUE(Clickable(2));
    EXPECT_FALSE(Slot(3).visible);
}

TEST_F(Undo, NewGameDropsTheRecord)
{
    game.img_crdbrd_Click(27);
    game.img_crdbrd_Click(52);
    game.InitNewGame();
    EXPECT_FALSE(game.model().undo_visible);
    const BoardModel dealt = game.model();
    game.img_undo_DragDrop(true);
    EXPECT_EQ(game.model(), dealt);
}

} // namespace
} // namespace quarrow::testing
