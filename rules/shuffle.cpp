#include <cmath>

#include "game.h"

namespace quarrow {
namespace {

// Round to the nearest integer, a value exactly halfway going to the even
// neighbour, whatever the floating-point environment's rounding mode.
Int16 RoundHalfEven(double x)
{
    const double floor = std::floor(x);
    const double fraction = x - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return static_cast<Int16>(result);
}

} // namespace

void Game::ShuffleDeck()
{
    random_.Reseed();

    for (Int16 i = 1; i <= kCardCount; ++i) {
        deck.Resize(i);
        deck[i] = i;
    }

    for (int pass = 0; pass < 2; ++pass) {
        for (Int16 j = 1; j <= kCardCount - 1; ++j) {
            const float r = random_.Next();
            // Single-precision factors, double-precision arithmetic: r * (52 - j)
            // and the sum are exact in a double, so no rounding happens before
            // RoundHalfEven.
            const double x = static_cast<double>(r) * static_cast<double>(static_cast<float>(kCardCount - j))
                + static_cast<double>(static_cast<float>(j));
            const Int16 idx = RoundHalfEven(x);
            std::swap(deck[j], deck[idx]);
        }
    }
}

} // namespace quarrow
