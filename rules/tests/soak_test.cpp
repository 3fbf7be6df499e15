// Random play over many games, with the board's invariants checked after
// every event. Clicks go only where a player could click.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "game_harness.h"
#include "rules/testing/board_invariants.h"

namespace quarrow::testing {
namespace {

class Soak {
public:
    explicit Soak(RandomSource& deal) : game_(deal, notices_) { notices_.game = &game_; }

    void PlayGame(std::mt19937& pick, int max_events)
    {
        game_.InitNewGame();
        invariants_.NewGame();
        Check("deal");
        for (int n = 0; n < max_events && !game_.game_won && !::testing::Test::HasFatalFailure(); ++n) {
            const std::string what = Event(pick);
            Check(what);
        }
        if (game_.game_won)
            ++wins;
    }

    int wins = 0;

private:
    // Prefers moves that the rules accept, so games go somewhere, but still
    // tries refused moves, cancels and undos.
    std::string Event(std::mt19937& pick)
    {
        const BoardModel& m = game_.model();
        const unsigned roll = pick() % 100;
        if (m.undo_visible && roll < 5) {
            game_.img_undo_DragDrop(true);
            return "undo";
        }
        if (m.border_visible && roll < 12) {
            game_.img_border_Click();
            return "cancel";
        }
        if (game_.card_selected && roll < 45) {
            const Int16 k = game_.sel_suit;
            game_.img_ace_Click(k >= 1 && k <= 4 ? k : 1);
            return "foundation " + std::to_string(k);
        }
        std::vector<Int16> clickable;
        for (Int16 i = 1; i <= kSlotCount; ++i) {
            const Place& p = m.slot_places[i];
            // The shown frame lies over the selected card and takes its clicks.
            if (p.visible && p.enabled && !(m.border_visible && m.border_slot == i))
                clickable.push_back(i);
        }
        if (clickable.empty()) {
            game_.img_ace_Click(static_cast<Int16>(1 + pick() % 4));
            return "foundation (board empty)";
        }
        const Int16 slot = clickable[pick() % clickable.size()];
        game_.img_crdbrd_Click(slot);
        return "slot " + std::to_string(slot);
    }

    void Check(const std::string& after)
    {
        ASSERT_EQ(invariants_.FirstBroken(game_), "") << "after " << after;
    }

    RecordingNotices notices_;
    Game game_;
    BoardInvariants invariants_;
};

// The checker both soaks rely on must see a broken board, or a clean soak
// would prove nothing.
TEST(BoardInvariants, ReportTheBrokenRule)
{
    StackedDeck ordered(OrderWith({}));
    RecordingNotices notices;
    Game game(ordered, notices);
    notices.game = &game;
    game.InitNewGame();
    BoardInvariants invariants;
    ASSERT_EQ(invariants.FirstBroken(game), "");

    game.slot_rank[5] = static_cast<Int16>(game.slot_rank[5] % 13 + 1);
    EXPECT_NE(invariants.FirstBroken(game).find("slot 5"), std::string::npos);
    game.slot_rank[5] = CardRank(game.model().slot_places[5].face);

    game.card_selected = true;
    EXPECT_NE(invariants.FirstBroken(game).find("card_selected"), std::string::npos);
    game.card_selected = false;

    game.move_error = true;
    EXPECT_NE(invariants.FirstBroken(game).find("move_error"), std::string::npos);
    game.move_error = false;
    EXPECT_EQ(invariants.FirstBroken(game), "");
}

// A foundation never gives a card back, so one that shrinks between two
// checks is a fault even when the board is whole at each of them.
TEST(BoardInvariants, RememberTheFoundationsBetweenChecks)
{
    StackedDeck stairs(StairsDeck());
    RecordingNotices notices;
    Game game(stairs, notices);
    notices.game = &game;
    game.InitNewGame();
    game.img_crdbrd_Click(3); // the ace of spades, straight to its foundation
    ASSERT_EQ(game.foundation_top[1], 1);
    BoardInvariants invariants;
    ASSERT_EQ(invariants.FirstBroken(game), "");
    game.foundation_top[1] = 0;
    EXPECT_NE(invariants.FirstBroken(game).find("foundation 1"), std::string::npos);
}

// A fresh seed each run, so that runs between them cover ever more games;
// a failure names its seed, and QUARROW_SOAK_SEED=<seed> plays the same
// games again.
std::uint32_t SoakSeed()
{
    if (const char* chosen = std::getenv("QUARROW_SOAK_SEED"); chosen && *chosen)
        return static_cast<std::uint32_t>(std::strtoul(chosen, nullptr, 10));
    return std::random_device{}();
}

TEST(Soak, TenThousandRandomGamesKeepTheBoardWhole)
{
    const std::uint32_t seed = SoakSeed();
    std::printf("core soak: seed %u (replay with QUARROW_SOAK_SEED=%u)\n", seed, seed);
    SeededRandom deals(seed);
    Soak soak(deals);
    std::mt19937 pick(seed);
    for (int game = 0; game < 10000 && !HasFatalFailure(); ++game) {
        SCOPED_TRACE("game " + std::to_string(game + 1) + " of seed " + std::to_string(seed)
                     + "; replay with QUARROW_SOAK_SEED=" + std::to_string(seed));
        soak.PlayGame(pick, 120);
    }
}

// The stairs deal reaches the win often under random play; the win and the
// frozen board after it stay consistent too.
TEST(Soak, WinnableDealsStayWholeThroughTheWin)
{
    StackedDeck stairs(StairsDeck());
    Soak soak(stairs);
    std::mt19937 pick(7);
    for (int game = 0; game < 100 && !HasFatalFailure(); ++game)
        soak.PlayGame(pick, 3000);
    EXPECT_GT(soak.wins, 0);
    RecordProperty("wins", soak.wins);
}

} // namespace
} // namespace quarrow::testing
