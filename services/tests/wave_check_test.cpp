#include <gtest/gtest.h>

#include <string>

#include "services/wave_check.h"

namespace quarrow {
namespace {

std::string Le32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8 & 0xff), static_cast<char>(v >> 16 & 0xff),
            static_cast<char>(v >> 24 & 0xff)};
}

std::string Chunk(const std::string& id, const std::string& body, std::uint32_t claimed)
{
    return id + Le32(claimed) + body;
}

std::string Wave(const std::string& chunks)
{
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(WaveChunksFit, AcceptsChunksThatFitIncludingOddPadding)
{
    const std::string fmt = Chunk("fmt ", std::string(16, '\1'), 16);
    EXPECT_TRUE(WaveChunksFit(Wave(fmt + Chunk("data", std::string(8, '\0'), 8))));
    // An odd-sized last chunk may leave out its pad byte.
    EXPECT_TRUE(WaveChunksFit(Wave(fmt + Chunk("data", std::string(3, '\0'), 3))));
    EXPECT_TRUE(WaveChunksFit(Wave(fmt + Chunk("LIST", std::string(3, 'x') + '\0', 3) + Chunk("data", "ab", 2))));
}

// A few bytes that claim gigabytes would have SDL allocate them before reading.
TEST(WaveChunksFit, RefusesChunksClaimingMoreThanTheImageHolds)
{
    const std::string fmt = Chunk("fmt ", std::string(16, '\1'), 16);
    EXPECT_FALSE(WaveChunksFit(Wave(fmt + Chunk("data", "abcd", 0x84216d3c))));
    EXPECT_FALSE(WaveChunksFit(Wave(fmt + Chunk("data", "abcd", 5))));
    EXPECT_FALSE(WaveChunksFit(Wave(Chunk("fmt ", std::string(16, '\1'), 0xffffffff))));
}

TEST(WaveChunksFit, RefusesWhatIsNoRiffWave)
{
    EXPECT_FALSE(WaveChunksFit(""));
    EXPECT_FALSE(WaveChunksFit("RIFF"));
    EXPECT_FALSE(WaveChunksFit("WAVEfmt \x10\0\0\0"));
    std::string avi = Wave("");
    avi.replace(8, 4, "AVI ");
    EXPECT_FALSE(WaveChunksFit(avi));
}

} // namespace
} // namespace quarrow
