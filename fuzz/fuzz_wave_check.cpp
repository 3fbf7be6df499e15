// Any bytes as a sound image: whatever the wave check lets through, a player
// that believes every header (as the Windows player does, handed a pointer
// and no length) must be able to play without reading past the image's end.
// The player below is written the way such a player walks a RIFF image:
// chunk by chunk, by the sizes the headers claim, with no bounds of its own.
// Only its reads are watched; the input buffer is exactly the image, so
// AddressSanitizer would also catch a read the watch missed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "services/wave_check.h"

namespace {

struct TrustingPlayer {
    const std::uint8_t* image;
    std::size_t size;

    const std::uint8_t* Read(std::uint64_t at, std::uint64_t count) const
    {
        if (at > size || count > size - at) {
            std::fprintf(stderr, "a player trusting the headers reads %llu bytes at %llu of a %zu-byte image\n",
                         static_cast<unsigned long long>(count), static_cast<unsigned long long>(at), size);
            std::abort();
        }
        return image + at;
    }
    std::uint32_t Word(std::uint64_t at) const
    {
        const std::uint8_t* p = Read(at, 2);
        return p[0] | p[1] << 8;
    }
    std::uint32_t DoubleWord(std::uint64_t at) const { return Word(at) | Word(at + 2) << 16; }

    // Plays the image: the format, then the samples after it. Whether it found both.
    bool Play() const
    {
        Read(0, 12);
        const std::uint64_t riffEnd = 8 + std::uint64_t {DoubleWord(4)};
        bool format = false;
        std::uint32_t blockSize = 0;
        std::uint32_t played = 0;
        bool data = false;
        for (std::uint64_t at = 12; at < riffEnd && !data;) {
            const std::uint8_t* id = Read(at, 4);
            const std::uint64_t size = DoubleWord(at + 4);
            if (!format && std::memcmp(id, "fmt ", 4) == 0) {
                Read(at + 8, 16);
                if (Word(at + 8) != 1) { // not PCM: the extended structure and its extra bytes
                    const std::uint32_t extra = Word(at + 8 + 16);
                    Read(at + 8 + 18, extra);
                }
                blockSize = Word(at + 8 + 12);
                format = true;
            } else if (format && std::memcmp(id, "data", 4) == 0) {
                const std::uint8_t* samples = Read(at + 8, size);
                const std::uint64_t frames = size / blockSize;
                for (std::uint64_t i = 0; i < frames * blockSize; ++i)
                    played += samples[i];
                data = true;
            }
            at += 8 + size + (size & 1);
        }
        // Keeps the samples' sum from being optimised away.
        if (played == 0xFFFFFFFFu)
            std::fputs("", stderr);
        return format && data;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string image(reinterpret_cast<const char*>(data), size);
    if (!quarrow::WaveChunksFit(image))
        return 0;
    if (!TrustingPlayer {data, size}.Play()) {
        std::fputs("the check let through an image without both a format and samples after it\n", stderr);
        std::abort();
    }
    return 0;
}
