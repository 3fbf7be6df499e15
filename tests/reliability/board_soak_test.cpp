// Random play over the real board window, offscreen: every click goes through
// the window at the place a player would aim for, notices are answered with
// their OK button, and after every event the game must be whole, the widgets
// must show the game's model, and the game must be where a bare core game fed
// the same events stands. A click that lands on the wrong place, a notice
// that is lost or answered twice, a widget left behind by the mirroring: each
// shows up as a difference.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>

#include "board/tests/board_fixture.h"
#include "rules/testing/board_invariants.h"
#include "rules/testing/stacked_deck.h"
#include "rules/tests/game_harness.h"

#ifndef QUARROW_SOAK_GAMES
#define QUARROW_SOAK_GAMES 200
#endif

namespace quarrow {
namespace {

using board_testing::BoardTest;
using testing::BoardInvariants;
using testing::Face;
using testing::RecordingNotices;

int EnvOr(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

enum class Shown { None, FullFan, InvalidMove, Win };

class BoardSoak : public BoardTest {
protected:
    // Both games deal from their own copy of the same source.
    void Start(RandomSource& windowDeals, RandomSource& coreDeals)
    {
        ASSERT_TRUE(folder.isValid());
        board_testing::WriteProgramFolder(folder.path());
        window = std::make_unique<BoardWindow>(folder.path(), windowDeals, sound);
        ASSERT_EQ(window->Form_Load(), QString());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        core_ = std::make_unique<Game>(coreDeals, core_notices_);
        core_notices_.game = core_.get();
        core_->snd_applause = board_testing::kApplause;
        core_->snd_cluck = board_testing::kCluck;
    }

    // Clicks a point of the window; a notice it brings up is read once it is
    // active and answered with OK.
    Shown Click(QPoint pos)
    {
        const board_testing::Notice seen = board_testing::ClickAnsweringNotice(window.get(), pos, {}, 10000);
        if (!seen.shown)
            return Shown::None;
        return seen.win_face ? Shown::Win : seen.invalid_move_face ? Shown::InvalidMove : Shown::FullFan;
    }

    // One player event, chosen with the same leanings as the core's soak:
    // mostly moves the rules accept, but refused ones, cancels, undos, clicks
    // on covered cards and fresh deals too. The core game gets the event the
    // click is meant to be.
    std::string PlayEvent(std::mt19937& pick)
    {
        const BoardModel& m = game().model();
        const unsigned roll = pick() % 100;
        if (roll == 0) {
            Deal();
            core_->InitNewGame();
            invariants_.NewGame();
            return "deal";
        }
        if (m.undo_visible && roll < 6) {
            UseUndo();
            core_->img_undo_DragDrop(true);
            return "undo";
        }
        if (m.border_visible && roll < 13) {
            last_shown_ = Click(InWindow(surface().border(), QPoint(35, 50)));
            core_->img_border_Click();
            return "cancel on the frame";
        }
        if (game().card_selected && roll < 45) {
            const Int16 suit = game().sel_suit;
            const Int16 k = roll < 40 && suit >= 1 && suit <= 4 ? suit : static_cast<Int16>(1 + pick() % 4);
            last_shown_ = Click(InWindow(foundation(k), QPoint(35, 50)));
            core_->img_ace_Click(k);
            return "foundation " + std::to_string(k);
        }
        std::vector<int> tops;
        std::vector<int> covered;
        for (int i = 1; i <= kSlotCount; ++i) {
            const Place& p = m.slot_places[i];
            if (!p.visible || (m.border_visible && m.border_slot == i))
                continue;
            (p.enabled ? tops : covered).push_back(i);
        }
        if (roll < 50 && !covered.empty()) {
            // A covered card shows a strip but takes no clicks.
            const int i = covered[pick() % covered.size()];
            last_shown_ = ClickStrip(i);
            return "covered slot " + std::to_string(i);
        }
        if (tops.empty()) {
            const auto k = static_cast<Int16>(1 + pick() % 4);
            last_shown_ = Click(InWindow(foundation(k), QPoint(35, 50)));
            core_->img_ace_Click(k);
            return "foundation " + std::to_string(k) + " (no card to click)";
        }
        const int i = tops[pick() % tops.size()];
        last_shown_ = ClickStrip(i);
        core_->img_crdbrd_Click(static_cast<Int16>(i));
        return "slot " + std::to_string(i);
    }

    // The left strip of a card stays in view even when the next card of its
    // fan lies over the rest.
    Shown ClickStrip(int i) { return Click(InWindow(slot(i), QPoint(5, 50))); }

    // Everything that must hold after an event; a failure names the event.
    void Verify(const std::string& what)
    {
        SCOPED_TRACE("after " + what);
        ASSERT_EQ(invariants_.FirstBroken(game()), "");
        ASSERT_TRUE(game().model() == core_->model()) << "the window's game went another way than the core's";
        ASSERT_EQ(game().card_selected, core_->card_selected);
        ASSERT_EQ(game().sel_slot, core_->sel_slot);
        ASSERT_EQ(game().undo_slot, core_->undo_slot);
        ASSERT_EQ(game().game_won, core_->game_won);
        for (int k = 1; k <= 4; ++k)
            ASSERT_EQ(game().foundation_top[k], core_->foundation_top[k]) << "foundation " << k;

        // One notice per notice the core gave, with its face and its sound.
        const std::size_t given = core_notices_.faces.size() - notices_seen_;
        ASSERT_LE(given, 1u);
        if (given == 1) {
            const Face face = core_notices_.faces.back();
            const Shown expected = face == Face::Win ? Shown::Win
                : face == Face::InvalidMove          ? Shown::InvalidMove
                                                     : Shown::FullFan;
            ASSERT_EQ(last_shown_, expected);
            ASSERT_EQ(sound.played.size(), sounds_heard_ + 1);
            ASSERT_EQ(sound.played.back(), face == Face::Win ? board_testing::kApplause : board_testing::kCluck);
            ++sounds_heard_;
            ++notices_total;
        } else {
            ASSERT_EQ(last_shown_, Shown::None);
            ASSERT_EQ(sound.played.size(), sounds_heard_);
        }
        notices_seen_ = core_notices_.faces.size();
        last_shown_ = Shown::None;

        ExpectBoardMirrorsModel();
        ++events_total;
    }

    // Deals, plays up to max_events and a few clicks more once the game is
    // won, which must change nothing.
    void PlayGame(std::mt19937& pick, int max_events)
    {
        Deal();
        core_->InitNewGame();
        invariants_.NewGame();
        Verify("deal");
        for (int n = 0; n < max_events && !game().game_won && !HasFailure(); ++n)
            Verify(PlayEvent(pick));
        if (!game().game_won || HasFailure())
            return;
        ++wins;
        const BoardModel won = game().model();
        for (int n = 0; n < 3 && !HasFailure(); ++n) {
            last_shown_ = n == 0 ? ClickStrip(52) : Click(InWindow(foundation(n), QPoint(35, 50)));
            Verify("a click after the win");
            ASSERT_TRUE(game().model() == won);
        }
    }

    std::unique_ptr<Game> core_;
    RecordingNotices core_notices_;
    BoardInvariants invariants_;
    Shown last_shown_ = Shown::None;
    std::size_t notices_seen_ = 0;
    std::size_t sounds_heard_ = 0;

    int wins = 0;
    long events_total = 0;
    long notices_total = 0;
};

TEST_F(BoardSoak, RandomGamesKeepTheWindowAndTheGameWhole)
{
    const int games = EnvOr("QUARROW_SOAK_GAMES", QUARROW_SOAK_GAMES);
    const auto seed = static_cast<unsigned>(EnvOr("QUARROW_SOAK_SEED", 20261207));
    testing::SeededRandom windowDeals(static_cast<std::uint32_t>(seed));
    testing::SeededRandom coreDeals(static_cast<std::uint32_t>(seed));
    Start(windowDeals, coreDeals);
    std::mt19937 pick(seed);
    QElapsedTimer clock;
    clock.start();
    for (int g = 0; g < games && !HasFailure(); ++g) {
        SCOPED_TRACE("game " + std::to_string(g + 1) + " of seed " + std::to_string(seed));
        PlayGame(pick, 120);
    }
    std::printf("board soak: %d games, %ld events, %ld notices, %d wins in %lld ms (seed %u)\n", games,
                events_total, notices_total, wins, static_cast<long long>(clock.elapsed()), seed);
    RecordProperty("games", games);
    RecordProperty("events", static_cast<int>(events_total));
}

// Random play rarely wins, so these games lean towards the next card the
// stairs deal wants on its foundation, with random clicks in between: the
// win notice, its applause and the board frozen after it are soaked too.
TEST_F(BoardSoak, LeaningTowardsTheWinOnTheStairsDeal)
{
    testing::StackedDeck windowDeals(testing::StairsDeck());
    testing::StackedDeck coreDeals(testing::StairsDeck());
    Start(windowDeals, coreDeals);
    std::mt19937 pick(11);
    const int games = std::max(1, EnvOr("QUARROW_SOAK_GAMES", QUARROW_SOAK_GAMES) / 10);
    for (int g = 0; g < games && !HasFailure(); ++g) {
        SCOPED_TRACE("stairs game " + std::to_string(g + 1));
        Deal();
        core_->InitNewGame();
        invariants_.NewGame();
        Verify("deal");
        for (int n = 0; n < 600 && !game().game_won && !HasFailure(); ++n) {
            if (pick() % 100 < 25) {
                Verify(PlayEvent(pick));
                continue;
            }
            // The lowest card not yet home: select it if it is on top, then
            // send it home.
            int wanted = 0;
            for (int k = 1; k <= 4 && !wanted; ++k)
                wanted = game().foundation_top[k] < 13 ? CardCode(static_cast<Int16>(k),
                                                                          static_cast<Int16>(game().foundation_top[k] + 1))
                                                        : 0;
            if (game().card_selected && game().model().held_face == wanted) {
                const Int16 k = CardSuit(static_cast<Int16>(wanted));
                last_shown_ = Click(InWindow(foundation(k), QPoint(35, 50)));
                core_->img_ace_Click(k);
                Verify("home to foundation " + std::to_string(k));
                continue;
            }
            if (game().card_selected) {
                last_shown_ = Click(InWindow(surface().border(), QPoint(35, 50)));
                core_->img_border_Click();
                Verify("cancel to reach card " + std::to_string(wanted));
                continue;
            }
            int at = 0;
            for (int i = 1; i <= kSlotCount && !at; ++i) {
                const Place& p = game().model().slot_places[i];
                at = p.visible && p.enabled && p.face == wanted ? i : 0;
            }
            if (!at) {
                if (game().model().undo_visible) {
                    UseUndo();
                    core_->img_undo_DragDrop(true);
                    Verify("undo to free card " + std::to_string(wanted));
                } else {
                    Verify(PlayEvent(pick));
                }
                continue;
            }
            last_shown_ = ClickStrip(at);
            core_->img_crdbrd_Click(static_cast<Int16>(at));
            Verify("slot " + std::to_string(at) + " holding card " + std::to_string(wanted));
        }
        if (game().game_won && !HasFailure()) {
            ++wins;
            const BoardModel won = game().model();
            last_shown_ = Click(InWindow(foundation(1), QPoint(35, 50)));
            Verify("a click after the win");
            ASSERT_TRUE(game().model() == won);
        }
    }
    std::printf("stairs soak: %d games, %d wins, %ld events, %ld notices\n", games, wins, events_total,
                notices_total);
    EXPECT_GT(wins, 0);
}

} // namespace
} // namespace quarrow
