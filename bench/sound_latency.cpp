// Time from asking for a sound to its samples reaching the audio device.
//
// Usage: sound_latency <wave file> [trials]
//
// The player works on its own thread and keeps everything SDL to itself, so
// this watches the one thing it can see from outside: SDL's queue of the
// device the player opened. Two moments per sound, from the Play() call:
//   queued  - the converted samples are in SDL's queue (the player's part);
//   taken   - the device's own thread has pulled the first period of them
//             from the queue to play it (the first sample handed over).
// The queue is looked at every 50 microseconds, so both are known to about
// 0.1 ms. "taken" also holds the wait for the device's next period, which is
// the device's buffer length (1024 frames, 46 ms at 22.05 kHz) at most.
//
// The first sound of a player starts SDL's audio and opens the device; each
// such trial uses a new player. Later sounds reuse the open device and start
// once the previous one has been played out, as a player's clicks do. A sound
// after a quiet spell (1.5 s) finds the device closed by the player and
// reopens it; SDL's audio stays started.
#include "services/qt/sdl_sound_player.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// SDL numbers devices from 2 (1 is the legacy SDL_OpenAudio device), and the
// player is the only one to open one.
constexpr SDL_AudioDeviceID kPlayerDevice = 2;

struct Trial {
    double queued_ms = 0;
    double taken_ms = 0;
};

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The length of the samples as they sit in the queue: the device is opened in
// the format of the first sound, and every sound here has that format.
Uint32 DecodedBytes(const std::string& image)
{
    SDL_AudioSpec audio_format {};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(image.data(), static_cast<int>(image.size())), 1, &audio_format, &buffer,
                        &length))
        return 0;
    SDL_FreeWAV(buffer);
    const Uint32 frame = SDL_AUDIO_BITSIZE(audio_format.format) / 8 * audio_format.channels;
    return frame ? length / frame * frame : 0;
}

bool Measure(quarrow::SdlSoundPlayer& player, const std::string& image, Uint32 full, Trial& trial)
{
    const auto give_up = Clock::now() + std::chrono::seconds(10);
    const auto start = Clock::now();
    player.Play(image);
    bool queued = false;
    while (Clock::now() < give_up) {
        const Uint32 size = SDL_GetQueuedAudioSize(kPlayerDevice);
        const auto now = Clock::now();
        if (!queued && size > 0) {
            queued = true;
            trial.queued_ms = Ms(now - start);
        }
        if (queued && size < full) {
            trial.taken_ms = Ms(now - start);
            return true;
        }
        if (size == 0 && queued) {
            // Pulled whole between two looks.
            trial.taken_ms = Ms(now - start);
            return true;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    return false;
}

void WaitForDrain()
{
    const auto give_up = Clock::now() + std::chrono::seconds(10);
    while (SDL_GetQueuedAudioSize(kPlayerDevice) > 0 && Clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

struct Stats {
    double median, min, max;
};

Stats Of(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

void Print(const char* what, const std::vector<Trial>& trials)
{
    std::vector<double> queued, taken;
    for (const Trial& t : trials) {
        queued.push_back(t.queued_ms);
        taken.push_back(t.taken_ms);
    }
    const Stats q = Of(queued);
    const Stats t = Of(taken);
    std::printf("%-12s n=%2zu  queued: median %.2f ms (min %.2f, max %.2f)  taken by device: median %.2f ms "
                "(min %.2f, max %.2f)\n",
                what, trials.size(), q.median, q.min, q.max, t.median, t.min, t.max);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <wave file> [trials]\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int trials = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    // The disk driver plays in real time into a file, with no sound card.
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);

    const Uint32 full = DecodedBytes(image);
    if (full == 0) {
        std::fprintf(stderr, "%s is no playable wave\n", argv[1]);
        return 1;
    }

    std::vector<Trial> first, later, quiet;
    for (int i = 0; i < trials; ++i) {
        quarrow::SdlSoundPlayer player;
        Trial trial;
        if (!Measure(player, image, full, trial)) {
            std::fprintf(stderr, "the first sound never reached the device (driver %s)\n",
                         std::getenv("SDL_AUDIODRIVER"));
            return 1;
        }
        first.push_back(trial);
        WaitForDrain();
        if (i == 0) {
            // Once the device is open, the later sounds.
            for (int j = 0; j < trials; ++j) {
                // Out of step with the device's period, as clicks are.
                std::this_thread::sleep_for(std::chrono::milliseconds(20 + (j * 17) % 50));
                Trial again;
                if (!Measure(player, image, full, again)) {
                    std::fprintf(stderr, "a later sound never reached the device\n");
                    return 1;
                }
                later.push_back(again);
                WaitForDrain();
            }
            // After a quiet spell the player has closed the device again.
            for (int j = 0; j < std::min(trials, 5); ++j) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1500));
                Trial again;
                if (SDL_GetAudioDeviceStatus(kPlayerDevice) != SDL_AUDIO_STOPPED
                    || !Measure(player, image, full, again)) {
                    std::fprintf(stderr, "the device was still open after a quiet spell, or did not reopen\n");
                    return 1;
                }
                quiet.push_back(again);
                WaitForDrain();
            }
        }
    }
    std::printf("driver %s, %u bytes of samples per sound\n", std::getenv("SDL_AUDIODRIVER"), full);
    Print("first sound", first);
    Print("later sound", later);
    Print("after quiet", quiet);
    return 0;
}
