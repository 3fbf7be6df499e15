#include "game_harness.h"

namespace quarrow::testing {
namespace {

class NewGame : public GameTest {};

TEST_F(NewGame, BeforeTheFirstDealEveryPlaceIsShownClickableAndEmpty)
{
    for (int i = 1; i <= 54; ++i) {
        EXPECT_EQ(Slot(i), (Place {kNoFace, true, true})) << "slot " << i;
        EXPECT_EQ(game.slot_rank[i], 0);
    }
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(Foundation(k).visible);
    EXPECT_FALSE(game.model().border_visible);
    EXPECT_FALSE(game.model().undo_visible);
    EXPECT_FALSE(Slot(0).visible);
}

TEST_F(NewGame, LeavesTheBoardReadyToPlay)
{
    game.InitNewGame();
    for (int i = 1; i <= 52; ++i) {
        EXPECT_TRUE(Slot(i).visible) << i;
        EXPECT_NE(Slot(i).face, kNoFace) << i;
        EXPECT_EQ(Slot(i).enabled, i % 3 == 0 || i == 52) << i;
    }
    for (int i : {53, 54})
        EXPECT_EQ(Slot(i), (Place {kNoFace, false, false}));
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(game.foundation_top[k], 0);
        EXPECT_EQ(Foundation(k).face, kNoFace);
        EXPECT_FALSE(Foundation(k).enabled);
    }
    EXPECT_EQ(game.deal_pos, 52);
    EXPECT_FALSE(game.card_selected);
    EXPECT_FALSE(game.move_error);
    EXPECT_FALSE(game.game_won);
    EXPECT_FALSE(game.model().border_visible);
    EXPECT_FALSE(game.model().undo_visible);
    // The deal computes ranks in sel_rank, so it ends with slot 52's rank.
    EXPECT_EQ(game.sel_rank, game.slot_rank[52]);
}

TEST_F(NewGame, TablesDescribeEveryDealtFace)
{
    game.InitNewGame();
    for (int i = 1; i <= 52; ++i) {
        EXPECT_EQ(game.slot_rank[i], CardRank(Slot(i).face)) << i;
        EXPECT_EQ(game.slot_suit[i], CardSuit(Slot(i).face)) << i;
    }
}

// In order, card i lands in slot i; then the kings of spades, diamonds and
// clubs meet their fans' cards differently.
TEST_F(NewGame, OrderedDeckDeal)
{
    game.InitNewGame();
    auto fan = [&](int f) {
        return std::array<Int16, 3> {Slot(3 * f - 2).face, Slot(3 * f - 1).face, Slot(3 * f).face};
    };
    EXPECT_EQ(fan(1), (std::array<Int16, 3> {1, 2, 3}));
    EXPECT_EQ(fan(5), (std::array<Int16, 3> {13, 14, 15})) << "king of spades at the bottom stays";
    EXPECT_EQ(fan(9), (std::array<Int16, 3> {26, 25, 27})) << "king over queen of diamonds goes under";
    EXPECT_EQ(fan(13), (std::array<Int16, 3> {39, 37, 38})) << "king of clubs on top sinks twice";
    EXPECT_EQ(Slot(52).face, 52) << "slot 52 never moves";
    EXPECT_EQ(game.slot_rank[25], 13);
    EXPECT_EQ(game.slot_rank[26], 12);
    EXPECT_EQ(game.slot_rank[37], 13);
    EXPECT_EQ(game.slot_rank[38], 11);
    EXPECT_EQ(game.slot_rank[39], 12);
}

struct KingCase {
    std::array<Int16, 3> dealt;
    std::array<Int16, 3> expected;
};

class KingLowering : public ::testing::TestWithParam<KingCase> {};

TEST_P(KingLowering, KingGoesUnderCardsOfItsOwnSuit)
{
    const KingCase c = GetParam();
    RecordingNotices notices;
    StackedDeck deck(OrderWith({{1, c.dealt[0]}, {2, c.dealt[1]}, {3, c.dealt[2]}}));
    Game game(deck, notices);
    notices.game = &game;
    game.InitNewGame();
    for (int s = 1; s <= 3; ++s) {
        const Int16 code = c.expected[static_cast<std::size_t>(s - 1)];
        EXPECT_EQ(game.model().slot_places[s].face, code) << "slot " << s;
        EXPECT_EQ(game.slot_rank[s], CardRank(code)) << "slot " << s;
        EXPECT_EQ(game.slot_suit[s], CardSuit(code)) << "slot " << s;
    }
}

constexpr Int16 k5S = 5, k7S = 7, kKS = 13, k3H = 42, k5H = 44;
INSTANTIATE_TEST_SUITE_P(FanOfThree, KingLowering,
    ::testing::Values(KingCase {{k5S, kKS, k3H}, {kKS, k5S, k3H}},  // middle over bottom
                      KingCase {{k5S, k3H, kKS}, {kKS, k3H, k5S}},  // top over bottom
                      KingCase {{k5S, k7S, kKS}, {kKS, k5S, k7S}},  // top over both
                      KingCase {{k5H, k7S, kKS}, {k5H, kKS, k7S}},  // stops at another suit
                      KingCase {{k3H, kKS, k5H}, {k3H, kKS, k5H}})); // over another suit: stays

TEST_F(NewGame, DiscardsASelectionInProgress)
{
    game.InitNewGame();
    game.img_crdbrd_Click(6);
    ASSERT_TRUE(game.card_selected);
    game.InitNewGame();
    EXPECT_FALSE(game.card_selected);
    EXPECT_FALSE(game.model().border_visible);
    EXPECT_EQ(game.sel_slot, 0);
}

TEST_F(NewGame, KeepsSoundsHelpTopicAndPlaySlot)
{
    game.snd_cluck = "RIFF";
    game.help_topic = 1;
    game.play_slot = 7;
    game.InitNewGame();
    EXPECT_EQ(game.snd_cluck, "RIFF");
    EXPECT_EQ(game.help_topic, 1);
    EXPECT_EQ(game.play_slot, 7);
}

} // namespace
} // namespace quarrow::testing
