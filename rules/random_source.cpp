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
    // 24 random bits scaled by 2^-24 fill a float's mantissa exactly and can
    // never round up to 1.0 (std::generate_canonical<float> can).
    return static_cast<float>(engine_() >> 8) * 0x1p-24f;
}

} // namespace quarrow
