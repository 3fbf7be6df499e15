#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "rules/game.h"
#include "rules/testing/stacked_deck.h"

namespace quarrow::testing {

enum class Face { FullFan, InvalidMove, Win };

// Does what the real message window does: reads the flags to pick the face,
// and clears move_error on OK.
class RecordingNotices final : public Notices {
public:
    void ShowResult() override
    {
        if (game->game_won)
            faces.push_back(Face::Win);
        else
            faces.push_back(game->move_error ? Face::InvalidMove : Face::FullFan);
        model_at_show.push_back(game->model());
        game->move_error = false;
    }

    Game* game = nullptr;
    std::vector<Face> faces;
    std::vector<BoardModel> model_at_show;
};

// A game over a chosen deal, with the notices recorded.
class GameTest : public ::testing::Test {
protected:
    explicit GameTest(const std::array<Int16, 52>& order = InOrder())
        : random_(order)
        , game(random_, notices)
    {
        notices.game = &game;
    }

    static std::array<Int16, 52> InOrder()
    {
        std::array<Int16, 52> order {};
        for (int i = 0; i < 52; ++i)
            order[static_cast<std::size_t>(i)] = static_cast<Int16>(i + 1);
        return order;
    }

    const Place& Slot(int i) const { return game.model().slot_places[i]; }
    const Place& Foundation(int k) const { return game.model().foundations[k]; }
    bool Clickable(int i) const { return Slot(i).visible && Slot(i).enabled; }

    StackedDeck random_;

public:
    RecordingNotices notices;
    Game game;
};

} // namespace quarrow::testing

namespace quarrow::testing {

// The ordered deck with the given cards moved to the given slots (slot, code).
inline std::array<Int16, 52> OrderWith(std::initializer_list<std::pair<int, Int16>> placed)
{
    std::array<Int16, 52> order {};
    std::iota(order.begin(), order.end(), Int16 {1});
    for (const auto& [slot, code] : placed) {
        auto at = std::find(order.begin(), order.end(), code);
        std::swap(*at, order[static_cast<std::size_t>(slot - 1)]);
    }
    return order;
}

} // namespace quarrow::testing
