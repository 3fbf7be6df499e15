// Sound played through SDL's disk driver, which writes what the device plays,
// in real time and in the device's format, to a file the test reads back. The
// device takes the format of the first sound, here 16-bit mono, so the file
// holds exactly the samples that were heard. Silence is zero; the test sounds
// never contain a zero sample, so the non-zero samples are what was played.
#include "services/qt/sdl_sound_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace quarrow {
namespace {

namespace fs = std::filesystem;
using Samples = std::vector<std::int16_t>;

constexpr int kRate = 22050;

void PutLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A PCM wave image: RIFF header, "fmt " chunk, "data" chunk.
std::string Wave(const std::string& data, int channels, int bits, int format_tag = 1)
{
    const int block = channels * bits / 8;
    std::string out = "RIFF";
    PutLe(out, static_cast<std::uint32_t>(36 + data.size()), 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);
    PutLe(out, static_cast<std::uint32_t>(format_tag), 2);
    PutLe(out, static_cast<std::uint32_t>(channels), 2);
    PutLe(out, kRate, 4);
    PutLe(out, static_cast<std::uint32_t>(kRate * block), 4);
    PutLe(out, static_cast<std::uint32_t>(block), 2);
    PutLe(out, static_cast<std::uint32_t>(bits), 2);
    out += "data";
    PutLe(out, static_cast<std::uint32_t>(data.size()), 4);
    return out + data;
}

std::string MonoWave(const Samples& samples)
{
    std::string data;
    for (const std::int16_t sample : samples)
        PutLe(data, static_cast<std::uint16_t>(sample), 2);
    return Wave(data, 1, 16);
}

// Sounds with disjoint, never-zero sample values, so each played sample tells
// which sound it came from.
Samples Positive(int count)
{
    Samples samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(1000 + (i * 37) % 9000);
    return samples;
}

Samples Negative(int count)
{
    Samples samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(-1000 - (i * 53) % 9000);
    return samples;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quarrow-sound-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        output_ = dir_ / "played.raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output_.c_str(), 1);
    }

    void TearDown() override { fs::remove_all(dir_); }

    // The non-silent samples written so far.
    Samples Played() const
    {
        std::ifstream in(output_, std::ios::binary);
        Samples played;
        unsigned char pair[2];
        while (in.read(reinterpret_cast<char*>(pair), 2)) {
            const auto sample = static_cast<std::int16_t>(pair[0] | (pair[1] << 8));
            if (sample != 0)
                played.push_back(sample);
        }
        return played;
    }

    // Waits for the driver to have written what the condition asks for. The
    // limit only keeps a broken build from hanging; nothing is timed.
    bool WaitFor(const std::function<bool(const Samples&)>& done) const
    {
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < give_up) {
            if (done(Played()))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    static bool EndsWith(const Samples& played, const Samples& tail)
    {
        return played.size() >= tail.size() && std::equal(tail.rbegin(), tail.rend(), played.rbegin());
    }

    fs::path dir_;
    fs::path output_;
};

TEST_F(SoundTest, PlaysACluckExactly)
{
    const Samples cluck = Positive(kRate / 10);
    {
        SdlSoundPlayer player;
        player.Play(MonoWave(cluck));
        player.WaitUntilIdle();
        ASSERT_TRUE(player.DeviceOpen());
        ASSERT_TRUE(WaitFor([&](const Samples& s) { return s.size() >= cluck.size(); }));
    }
    EXPECT_EQ(Played(), cluck);
}

TEST_F(SoundTest, ANewSoundCutsOffTheOneStillPlaying)
{
    const Samples long_sound = Positive(kRate * 10);
    const Samples second = Negative(kRate / 5);
    {
        SdlSoundPlayer player;
        player.Play(MonoWave(long_sound));
        ASSERT_TRUE(WaitFor([](const Samples& s) { return !s.empty(); }));
        player.Play(MonoWave(second));
        ASSERT_TRUE(WaitFor([&](const Samples& s) { return EndsWith(s, second); }));
    }

    // What was heard: the start of the long sound, then the whole second one,
    // and nothing of the long sound after that.
    const Samples played = Played();
    ASSERT_GT(played.size(), second.size());
    const std::size_t heard_of_first = played.size() - second.size();
    EXPECT_LT(heard_of_first, long_sound.size());
    EXPECT_TRUE(std::equal(played.begin(), played.begin() + static_cast<std::ptrdiff_t>(heard_of_first),
                           long_sound.begin()));
    EXPECT_TRUE(EndsWith(played, second));
}

TEST_F(SoundTest, AnEmptyImagePlaysNothingAndInterruptsNothing)
{
    const Samples cluck = Positive(kRate / 5);
    {
        SdlSoundPlayer player;
        player.Play("");
        player.WaitUntilIdle();
        EXPECT_FALSE(player.DeviceOpen()); // nothing to play, so the audio is not even opened
        EXPECT_FALSE(fs::exists(output_));

        player.Play(MonoWave(cluck));
        player.Play("");
        ASSERT_TRUE(WaitFor([&](const Samples& s) { return s.size() >= cluck.size(); }));
    }
    EXPECT_EQ(Played(), cluck);
}

TEST_F(SoundTest, ImagesThatAreNoWaveStaySilentAndInterruptNothing)
{
    std::string noise(4000, '\0');
    std::mt19937 random(7);
    for (char& byte : noise)
        byte = static_cast<char>(random());
    const std::string valid = MonoWave(Positive(100));
    std::string no_chunks = "RIFF";
    PutLe(no_chunks, 4, 4);
    no_chunks += "WAVE";
    const std::vector<std::string> garbage = {
        noise,
        "RIFF",
        no_chunks,
        valid.substr(0, 30),                        // cut inside the format chunk
        Wave(std::string(), 1, 16),                 // no samples at all
        Wave(std::string(400, '\x11'), 1, 16, 0x1234), // unknown encoding
        Wave(std::string(400, '\x11'), 0, 16),      // no channels
    };

    const Samples cluck = Positive(kRate / 5);
    {
        SdlSoundPlayer player;
        for (const std::string& image : garbage)
            player.Play(image);
        player.WaitUntilIdle();
        EXPECT_FALSE(player.DeviceOpen());

        player.Play(MonoWave(cluck));
        player.WaitUntilIdle();
        for (const std::string& image : garbage) {
            player.Play(image);
            player.WaitUntilIdle();
        }
        ASSERT_TRUE(WaitFor([&](const Samples& s) { return s.size() >= cluck.size(); }));
    }
    EXPECT_EQ(Played(), cluck);
}

TEST_F(SoundTest, ASoundInAnotherFormatIsConvertedToTheDevice)
{
    const Samples first = Negative(kRate / 10);
    // 8-bit stereo, both channels at 192: half of full scale.
    const int frames = kRate / 10;
    std::string data;
    for (int i = 0; i < frames * 2; ++i)
        data.push_back(static_cast<char>(192));
    {
        SdlSoundPlayer player;
        player.Play(MonoWave(first));
        ASSERT_TRUE(WaitFor([&](const Samples& s) { return s.size() >= first.size(); }));
        player.Play(Wave(data, 2, 8));
        ASSERT_TRUE(WaitFor([&](const Samples& s) { return s.size() >= first.size() + frames; }));
    }

    const Samples played = Played();
    ASSERT_EQ(played.size(), first.size() + static_cast<std::size_t>(frames));
    EXPECT_TRUE(std::equal(first.begin(), first.end(), played.begin()));
    for (std::size_t i = first.size(); i < played.size(); ++i)
        ASSERT_NEAR(played[i], 16384, 2) << "sample " << i;
}

TEST(SoundWithoutAudio, NoDriverMeansSilenceAndNoHang)
{
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    SdlSoundPlayer player;
    const std::string cluck = MonoWave(Positive(kRate / 10));
    for (int i = 0; i < 3; ++i)
        player.Play(cluck);
    player.WaitUntilIdle();
    EXPECT_FALSE(player.DeviceOpen());
    player.Play(cluck); // still fine after a failed start
    player.WaitUntilIdle();
    EXPECT_FALSE(player.DeviceOpen());
}

} // namespace
} // namespace quarrow
