#include "services/win32/sound.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace quarrow {
namespace {

// What reached the system's sound call, read there and then as the system
// would: the RIFF header's own length tells how many bytes the image has.
struct Call {
    const void* address = nullptr;
    std::string image;
    UINT flags = 0;
};
std::vector<Call> calls;

BOOL WINAPI RecordingPlay(LPCWSTR sound, UINT flags)
{
    Call call;
    call.address = sound;
    call.flags = flags;
    if (sound) {
        const auto* bytes = reinterpret_cast<const char*>(sound);
        std::uint32_t riffSize = 0;
        std::memcpy(&riffSize, bytes + 4, 4);
        call.image.assign(bytes, riffSize + 8);
    }
    calls.push_back(call);
    return TRUE;
}

// A RIFF WAVE image whose chunks fit: a format chunk and samples.
std::string Wave(char fill, std::size_t samples)
{
    auto dword = [](std::uint32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); };
    auto word = [](std::uint16_t value) { return std::string(reinterpret_cast<const char*>(&value), 2); };
    std::string format = word(1) + word(1) + dword(8000) + dword(8000) + word(1) + word(8);
    std::string body = "WAVE" + std::string("fmt ") + dword(16) + format + "data"
        + dword(static_cast<std::uint32_t>(samples)) + std::string(samples, fill);
    return "RIFF" + dword(static_cast<std::uint32_t>(body.size())) + body;
}

class SystemSoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { calls.clear(); }
};

TEST_F(SystemSoundPlayerTest, HandsTheWholeImageToTheSystemAndKeepsItWhilePlaying)
{
    SystemSoundPlayer player(&RecordingPlay);
    std::string image = Wave('\x80', 3000);
    player.Play(image);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].image, image);
    EXPECT_EQ(calls[0].flags, static_cast<UINT>(SND_MEMORY | SND_ASYNC | SND_NODEFAULT));
    EXPECT_NE(calls[0].address, static_cast<const void*>(image.data()));

    // The caller's image may change or go; the system goes on reading the copy.
    const std::string played = image;
    image.assign(image.size(), 'x');
    EXPECT_EQ(std::memcmp(calls[0].address, played.data(), played.size()), 0);
}

TEST_F(SystemSoundPlayerTest, ANewSoundReplacesTheOneBefore)
{
    SystemSoundPlayer player(&RecordingPlay);
    const std::string cluck = Wave('\x10', 500);
    const std::string applause = Wave('\x70', 9000);
    player.Play(cluck);
    player.Play(applause);
    player.Play(cluck);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].image, cluck);
    EXPECT_EQ(calls[1].image, applause);
    EXPECT_EQ(calls[2].image, cluck);
    EXPECT_EQ(std::memcmp(calls[2].address, cluck.data(), cluck.size()), 0);
}

// The system's player walks an image by its headers alone: each of these
// crashed the program under Wine when it was handed one.
std::vector<std::string> BrokenImages()
{
    const std::string whole = Wave('\x80', 100);
    std::string noChunks = whole.substr(0, 24);
    noChunks.replace(4, 4, "\xf0\xff\xff\x7f");
    std::string formatOnly = whole.substr(0, 36);
    formatOnly.replace(4, 4, std::string("\x1c\0\0\0", 4));
    return {std::string(), std::string("RIFF"), std::string(64, '\0'),
            whole.substr(0, whole.size() - 10), // the samples cut short
            whole.substr(0, 36), // cut after the format chunk
            noChunks, formatOnly};
}

TEST_F(SystemSoundPlayerTest, EmptyOrBrokenImagesNeverReachTheSystem)
{
    SystemSoundPlayer player(&RecordingPlay);
    for (const std::string& image : BrokenImages())
        player.Play(image);
    EXPECT_TRUE(calls.empty());
}

// The same through the system's own player: the process lives on.
TEST(SystemSoundPlayer, TheSystemPlayerSurvivesBrokenImages)
{
    SystemSoundPlayer player;
    for (const std::string& image : BrokenImages()) {
        player.Play(image);
        Sleep(50);
    }
    player.Play(Wave('\x80', 100));
    Sleep(50);
    SUCCEED() << "no broken image took the process down";
}

TEST_F(SystemSoundPlayerTest, StopsItsSoundBeforeLettingGoOfTheImage)
{
    {
        SystemSoundPlayer quiet(&RecordingPlay);
    }
    EXPECT_TRUE(calls.empty()) << "nothing was playing, nothing to stop";
    {
        SystemSoundPlayer player(&RecordingPlay);
        player.Play(Wave('\x80', 100));
    }
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].address, nullptr);
}

TEST(DefaultSoundPlayer, IsOneSystemPlayerForTheRun)
{
    SoundPlayer& player = DefaultSoundPlayer();
    EXPECT_EQ(&player, &DefaultSoundPlayer());
    EXPECT_NE(dynamic_cast<SystemSoundPlayer*>(&player), nullptr);
}

} // namespace
} // namespace quarrow
