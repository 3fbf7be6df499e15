// Random play over many games, with the board's invariants checked after
// every event. Clicks go only where a player could click.
#include <random>
#include <string>

#include "game_harness.h"

namespace quarrow::testing {
namespace {

class Soak {
public:
    explicit Soak(RandomSource& deal) : game_(deal, notices_) { notices_.game = &game_; }

    void PlayGame(std::mt19937& pick, int max_events)
    {
        game_.InitNewGame();
        before_ = {};
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
        const BoardModel& m = game_.model();
        SCOPED_TRACE("after " + after);

        std::array<int, 53> seen {};
        for (Int16 i = 1; i <= kSlotCount; ++i) {
            const Place& p = m.slot_places[i];
            if (!p.visible)
                continue;
            ASSERT_GE(p.face, 1) << "slot " << i;
            ASSERT_LE(p.face, 52) << "slot " << i;
            ++seen[static_cast<std::size_t>(p.face)];
            ASSERT_EQ(game_.slot_rank[i], CardRank(p.face)) << "slot " << i;
            ASSERT_EQ(game_.slot_suit[i], CardSuit(p.face)) << "slot " << i;
        }
        for (Int16 k = 1; k <= kFoundationCount; ++k) {
            const Int16 top = game_.foundation_top[k];
            ASSERT_GE(top, before_[k]) << "foundation " << k << " shrank";
            before_[k] = top;
            for (Int16 r = 1; r <= top; ++r)
                ++seen[static_cast<std::size_t>(CardCode(k, r))];
            if (top > 0) {
                ASSERT_EQ(m.foundations[k].face, CardCode(k, top));
            }
        }
        for (int code = 1; code <= 52; ++code)
            ASSERT_EQ(seen[static_cast<std::size_t>(code)], 1) << "card " << code;

        for (Int16 f = 1; f <= kFanCount; ++f) {
            const Int16 b = BottomSlotOfFan(f);
            int cards = 0;
            while (cards < 3 && m.slot_places[b + cards].visible)
                ++cards;
            for (int s = cards; s < 3; ++s)
                ASSERT_FALSE(m.slot_places[b + s].visible) << "gap in fan " << f;
            for (int s = 0; s < cards; ++s)
                ASSERT_EQ(m.slot_places[b + s].enabled, s == cards - 1) << "fan " << f << " slot " << b + s;
        }

        ASSERT_EQ(game_.card_selected, m.border_visible);
        if (game_.card_selected) {
            ASSERT_EQ(m.border_slot, game_.sel_slot);
            ASSERT_FALSE(m.undo_visible);
            ASSERT_TRUE(m.slot_places[game_.sel_slot].visible);
            ASSERT_EQ(m.held_face, m.slot_places[game_.sel_slot].face);
        }
        if (m.undo_visible) {
            // A valid record: the moved card sits one above its target, its
            // source is empty and the held picture is its face.
            ASSERT_TRUE(m.slot_places[game_.undo_slot].visible);
            ASSERT_EQ(m.slot_places[game_.undo_slot].face, m.held_face);
            ASSERT_FALSE(m.slot_places[game_.sel_slot].visible);
            ASSERT_EQ(game_.slot_rank[game_.sel_slot], CardRank(m.held_face));
        }
        ASSERT_FALSE(game_.move_error);
    }

    RecordingNotices notices_;
    Game game_;
    IndexedArray<Int16, 1, 4> before_ {};
};

TEST(Soak, TenThousandRandomGamesKeepTheBoardWhole)
{
    ClockRandomSource clock;
    Soak soak(clock);
    std::mt19937 pick(20261207);
    for (int game = 0; game < 10000 && !HasFatalFailure(); ++game)
        soak.PlayGame(pick, 120);
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
