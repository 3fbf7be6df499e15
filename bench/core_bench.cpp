// Cost of the game core alone: a new game, and random clicks over many games.
#include <benchmark/benchmark.h>

#include <random>

#include "rules/game.h"

namespace {

using quarrow::Game;
using quarrow::Int16;

class SilentNotices final : public quarrow::Notices {
public:
    explicit SilentNotices(Game*& game) : game_(game) {}
    void ShowResult() override { game_->move_error = false; }

private:
    Game*& game_;
};

void BM_NewGame(benchmark::State& state)
{
    quarrow::ClockRandomSource random;
    Game* self = nullptr;
    SilentNotices notices(self);
    Game game(random, notices);
    self = &game;
    for (auto _ : state) {
        game.InitNewGame();
        benchmark::DoNotOptimize(game.model());
    }
}
BENCHMARK(BM_NewGame);

// Clicks land only where a player could click: shown, enabled places.
void BM_RandomClicks(benchmark::State& state)
{
    quarrow::ClockRandomSource random;
    Game* self = nullptr;
    SilentNotices notices(self);
    Game game(random, notices);
    self = &game;
    std::mt19937 pick(12345);
    game.InitNewGame();
    std::int64_t clicks = 0;
    for (auto _ : state) {
        const auto& m = game.model();
        const unsigned roll = pick() % 100;
        if (roll < 2 || game.game_won) {
            game.InitNewGame();
        } else if (roll < 8) {
            if (m.undo_visible)
                game.img_undo_DragDrop(true);
        } else if (roll < 20) {
            game.img_ace_Click(static_cast<Int16>(1 + pick() % 4));
        } else if (m.border_visible && roll < 28) {
            game.img_border_Click();
        } else {
            game.img_crdbrd_Click(static_cast<Int16>(1 + pick() % 54));
        }
        ++clicks;
    }
    state.SetItemsProcessed(clicks);
}
BENCHMARK(BM_RandomClicks);

} // namespace

BENCHMARK_MAIN();
