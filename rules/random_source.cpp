#include "random_source.h"

#include <chrono>

namespace quarrow {

void ClockRandomSource::Reseed()
{
    // Nanosecond ticks: two deals within the same second get different seeds.
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq {static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    engine_.seed(seq);
}

float ClockRandomSource::Next()
{
    return DrawBelowOne(engine_());
}

} // namespace quarrow
