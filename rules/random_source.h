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
