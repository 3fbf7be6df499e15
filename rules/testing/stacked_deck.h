#pragma once

// Random sources that make the shuffle produce a chosen deal, for tests and
// benchmarks of this program (header-only, no production code uses it).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <random>
#include <stdexcept>
#include <vector>

#include "rules/card.h"
#include "rules/random_source.h"

namespace quarrow::testing {

// Draws as the clock source does, but every reseed takes the next seed from
// one fixed seed, so a run of many deals can be replayed exactly.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : seeds_(seed) {}
    void Reseed() override { engine_.seed(seeds_()); }
    float Next() override { return DrawBelowOne(engine_()); }

private:
    std::mt19937 seeds_;
    std::mt19937 engine_;
};

// Hands out the given values in order, then `fallback` for ever.
class ScriptedRandom final : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<float> values = {}, float fallback = 0.0f)
        : values_(std::move(values))
        , fallback_(fallback)
    {
    }
    void Reseed() override
    {
        ++reseeds;
        next_ = 0;
    }
    float Next() override
    {
        ++draws;
        return next_ < values_.size() ? values_[next_++] : fallback_;
    }

    int reseeds = 0;
    int draws = 0;

private:
    std::vector<float> values_;
    float fallback_;
    std::size_t next_ = 0;
};

// Draws that make the two-pass swap walk leave `order` in the deck: the first
// pass brings each wanted card to position j, the second pass draws 0 and so
// swaps nothing.
inline std::vector<float> DrawsForDeck(const std::array<Int16, 52>& order)
{
    std::array<Int16, 52> deck {};
    std::iota(deck.begin(), deck.end(), Int16 {1});
    std::vector<float> draws;
    for (int j = 1; j <= 51; ++j) {
        const auto at = std::find(deck.begin() + (j - 1), deck.end(), order[static_cast<std::size_t>(j - 1)]);
        if (at == deck.end())
            throw std::invalid_argument("order is not a permutation of 1..52");
        const int idx = static_cast<int>(at - deck.begin()) + 1;
        // Aim at the middle of idx's rounding interval, inside [0, 1).
        float r = static_cast<float>(idx - j) / static_cast<float>(52 - j);
        if (idx == 52)
            r = std::nextafter(1.0f, 0.0f);
        draws.push_back(r);
        std::swap(deck[static_cast<std::size_t>(j - 1)], deck[static_cast<std::size_t>(idx - 1)]);
    }
    draws.resize(102, 0.0f);
    return draws;
}

// Deals `order` (deck position 1..52 -> card code) at every new game.
class StackedDeck final : public RandomSource {
public:
    explicit StackedDeck(const std::array<Int16, 52>& order) : draws_(DrawsForDeck(order)) {}
    void Reseed() override { next_ = 0; }
    float Next() override { return next_ < draws_.size() ? draws_[next_++] : 0.0f; }

private:
    std::vector<float> draws_;
    std::size_t next_ = 0;
};

// A deal that wins by clicking cards in code order: each fan holds three
// consecutive codes with the lowest on top, so every card reaches the top of
// its fan just as its foundation is ready for it. No king sits over a card of
// its own suit, so the deal's king lowering leaves it alone.
inline std::array<Int16, 52> StairsDeck()
{
    std::array<Int16, 52> order {};
    for (int fan = 0; fan < 17; ++fan)
        for (int k = 0; k < 3; ++k)
            order[static_cast<std::size_t>(3 * fan + k)] = static_cast<Int16>(3 * fan + 3 - k);
    order[51] = 52;
    return order;
}

} // namespace quarrow::testing
