#pragma once

#include <cstdint>
#include <random>

namespace quarrow {

// The shuffle's source of numbers in [0, 1). Reseed() is called at the start of
// every shuffle.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Reseed() = 0;
    virtual float Next() = 0;
};

// 24 of the 32 bits scaled by 2^-24: they fill a float's mantissa exactly, so
// the result is never rounded up to 1.0 (std::generate_canonical<float> can be).
inline float DrawBelowOne(std::uint32_t bits)
{
    return static_cast<float>(bits >> 8) * 0x1p-24f;
}

// Seeded from the high-resolution clock at every shuffle, so two deals in the
// same second still differ.
class ClockRandomSource final : public RandomSource {
public:
    void Reseed() override;
    float Next() override;

private:
    std::mt19937 engine_;
};

} // namespace quarrow
