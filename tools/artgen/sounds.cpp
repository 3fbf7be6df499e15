#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {
class Noise final {
public:
    explicit Noise(std::uint64_t seed) : m_state(seed) {}
    // splitmix64, mapped to [-1, 1).
    double next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        z ^= z >> 31;
        return double(z >> 11) / double(1ull << 52) - 1.0;
    }
    double uniform() { return (next() + 1.0) / 2.0; }

private:
    std::uint64_t m_state;
};

// Brings the loudest sample to `peak`, well inside full scale.
void normalise(std::vector<double>& s, double peak)
{
    double max = 0;
    for (double v : s)
        max = std::max(max, std::abs(v));
    if (max > 0)
        for (double& v : s)
            v *= peak / max;
}

// A two-pole resonator: a clap is noise pushed through a hollow of the hands.
struct Resonator {
    double a1, a2, gain;
    double y1 = 0, y2 = 0;
    Resonator(double freq, double bandwidth)
    {
        const double r = std::exp(-std::numbers::pi * bandwidth / kSampleRate);
        a1 = 2 * r * std::cos(2 * std::numbers::pi * freq / kSampleRate);
        a2 = -r * r;
        gain = 1 - r;
    }
    double step(double x)
    {
        const double y = gain * x + a1 * y1 + a2 * y2;
        y2 = y1;
        y1 = y;
        return y;
    }
};
} // namespace

std::vector<double> synthApplause()
{
    const double seconds = 2.8;
    const int n = int(seconds * kSampleRate);
    std::vector<double> out(size_t(n), 0.0);
    Noise noise(0x51a7c0ffeeull);

    // A small crowd: each clapper has their own pace and hand hollow.
    constexpr int kClappers = 14;
    for (int c = 0; c < kClappers; ++c) {
        const double period = 0.16 + 0.12 * noise.uniform();
        const double freq = 900 + 1400 * noise.uniform();
        const double loud = 0.5 + 0.5 * noise.uniform();
        double t = 0.25 * noise.uniform();
        while (t < seconds - 0.05) {
            Resonator hollow(freq * (0.9 + 0.2 * noise.uniform()), 600 + 600 * noise.uniform());
            const int start = int(t * kSampleRate);
            const int length = int(0.035 * kSampleRate);
            for (int i = 0; i < length && start + i < n; ++i) {
                const double env = std::exp(-double(i) / (0.006 * kSampleRate));
                const double x = noise.next() * env;
                out[size_t(start + i)] += loud * (0.6 * hollow.step(x) * 6 + 0.4 * x);
            }
            t += period * (0.85 + 0.3 * noise.uniform());
        }
    }
    // Swell in quickly, die away over the last second.
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        const double in = std::min(1.0, t / 0.25);
        const double fade = t < seconds - 1.2 ? 1.0 : std::max(0.0, (seconds - t) / 1.2);
        out[size_t(i)] *= in * fade * fade;
    }
    normalise(out, 0.7);
    return out;
}

std::vector<double> synthCluck()
{
    // A tongue click: a sharp knock with a hollow, quickly damped pitch under it.
    const double seconds = 0.12;
    const int n = int(seconds * kSampleRate);
    std::vector<double> out(size_t(n), 0.0);
    Noise noise(0xc1c4ull);
    Resonator body(650, 180);
    Resonator snap(2300, 900);
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / kSampleRate;
        const double knock = i < 40 ? noise.next() * (1 - i / 40.0) : 0.0;
        const double pitch = std::sin(2 * std::numbers::pi * (520 * t - 900 * t * t)) * std::exp(-t / 0.022);
        out[size_t(i)] = 4 * body.step(knock) + 2 * snap.step(knock) + 0.5 * pitch;
    }
    // End on silence, not on a cut.
    const int tail = int(0.02 * kSampleRate);
    for (int i = 0; i < tail; ++i)
        out[size_t(n - tail + i)] *= 1.0 - double(i + 1) / tail;
    normalise(out, 0.75);
    return out;
}
