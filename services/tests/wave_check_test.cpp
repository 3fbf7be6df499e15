#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/wave_check.h"

namespace quarrow {
namespace {

std::string Le16(std::uint16_t v)
{
    return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8 & 0xff)};
}

std::string Le32(std::uint32_t v)
{
    return Le16(static_cast<std::uint16_t>(v & 0xffff)) + Le16(static_cast<std::uint16_t>(v >> 16));
}

std::string Chunk(const std::string& id, const std::string& body, std::uint32_t claimed)
{
    return id + Le32(claimed) + body;
}

std::string Chunk(const std::string& id, const std::string& body)
{
    return Chunk(id, body, static_cast<std::uint32_t>(body.size()));
}

std::string Wave(const std::string& chunks)
{
    return "RIFF" + Le32(static_cast<std::uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

// Tag, channels, rate, bytes per second, block size, bits per sample.
std::string Format(std::uint16_t tag = 1, std::uint16_t channels = 1, std::uint32_t rate = 22050,
                   std::uint16_t blockSize = 2)
{
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * blockSize) + Le16(blockSize) + Le16(16);
}

const std::string kPcmFormat = Chunk("fmt ", Format());

// What the game's own recorder writes: the format, then the samples.
std::string Cluck()
{
    std::string samples;
    for (int i = 0; i < 400; ++i)
        samples += Le16(static_cast<std::uint16_t>(i * 97));
    return Wave(kPcmFormat + Chunk("data", samples));
}

std::string WithRiffSize(std::string image, std::uint32_t size)
{
    image.replace(4, 4, Le32(size));
    return image;
}

TEST(WaveChunksFit, AcceptsImagesAPlayerCanReadWhole)
{
    const std::string odd = Chunk("data", "abc");
    const std::vector<std::pair<const char*, std::string>> images {
        {"the game's cluck", Cluck()},
        {"a list chunk before the samples", Wave(kPcmFormat + Chunk("LIST", "xyz") + '\0' + Chunk("data", "ab"))},
        {"an odd last chunk with its pad", Wave(kPcmFormat + odd + '\0')},
        // The RIFF size counts the pad, the file leaves it out.
        {"an odd last chunk without its pad", WithRiffSize(Wave(kPcmFormat + odd), 4 + 24 + 11 + 1)},
        {"bytes after the RIFF", Cluck() + "trailing"},
        {"a float format with its extra bytes", Wave(Chunk("fmt ", Format(3, 2, 44100, 8) + Le16(2) + "xy") + Chunk("data", "12345678"))},
        {"no samples", Wave(kPcmFormat + Chunk("data", ""))},
    };
    for (const auto& [name, image] : images)
        EXPECT_TRUE(WaveChunksFit(image)) << name;
}

// Each of these would have a player that trusts its headers read past the
// end: the Windows player crashed on the first four.
TEST(WaveChunksFit, RefusesImagesWhoseHeadersClaimMoreThanTheyHold)
{
    const std::string cluck = Cluck();
    const std::string format = Chunk("fmt ", Format());
    const std::vector<std::pair<const char*, std::string>> images {
        {"the cluck cut after its format chunk", cluck.substr(0, 36)},
        {"a RIFF header claiming a megabyte, no chunks", WithRiffSize(Wave(std::string(12, '\0')), 1 << 20)},
        {"a format chunk and no data chunk", Wave(format)},
        {"the cluck cut inside its samples", cluck.substr(0, 300)},
        {"a data chunk claiming more than there is", Wave(format + Chunk("data", "abcd", 5))},
        {"a data chunk claiming gigabytes", Wave(format + Chunk("data", "abcd", 0x84216d3c))},
        {"a format chunk claiming 4 GiB", Wave(Chunk("fmt ", Format(), 0xffffffff))},
        {"a RIFF size one short of the data", WithRiffSize(cluck, static_cast<std::uint32_t>(cluck.size() - 9))},
        {"a short format chunk", Wave(Chunk("fmt ", Format().substr(0, 14)) + Chunk("data", "ab"))},
        {"extra format bytes beyond the chunk", Wave(Chunk("fmt ", Format(3) + Le16(40)) + Chunk("data", "ab"))},
        {"a float format without its count of extra bytes", Wave(Chunk("fmt ", Format(3)) + Chunk("data", "ab"))},
        {"no channels", Wave(Chunk("fmt ", Format(1, 0)) + Chunk("data", "ab"))},
        {"a sample rate of zero", Wave(Chunk("fmt ", Format(1, 1, 0)) + Chunk("data", "ab"))},
        {"a block size of zero", Wave(Chunk("fmt ", Format(1, 1, 8000, 0)) + Chunk("data", "ab"))},
        {"samples before the format", Wave(Chunk("data", "ab") + format)},
        {"a chunk header cut short", Wave(format + Chunk("data", "ab") + "LIS")},
    };
    for (const auto& [name, image] : images)
        EXPECT_FALSE(WaveChunksFit(image)) << name;
}

TEST(WaveChunksFit, RefusesWhatIsNoRiffWave)
{
    std::string avi = Cluck();
    avi.replace(8, 4, "AVI ");
    for (const std::string& image : {std::string(), std::string("RIFF"), std::string("WAVEfmt \x10\0\0\0", 12), avi,
                                     WithRiffSize(Cluck(), 3)})
        EXPECT_FALSE(WaveChunksFit(image)) << image.size() << " bytes";
}

} // namespace
} // namespace quarrow
