#pragma once

#include <vector>

constexpr int kSampleRate = 22050;

// Both are deterministic: the noise comes from a fixed-seed generator of our own,
// not from the standard library's distributions, whose output may vary by vendor.
std::vector<double> synthApplause();
std::vector<double> synthCluck();
