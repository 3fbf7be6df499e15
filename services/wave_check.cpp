#include "services/wave_check.h"

#include <algorithm>
#include <cstdint>

namespace quarrow {

namespace {

std::uint16_t LittleEndian16(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at])
                                      | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at)
{
    return std::uint32_t {LittleEndian16(bytes, at)} | std::uint32_t {LittleEndian16(bytes, at + 2)} << 16;
}

constexpr std::uint16_t kPcm = 1;
constexpr std::uint64_t kFormatFields = 16; // tag, channels, rate, bytes per second, block size, bits
constexpr std::uint64_t kExtendedFormat = 18; // ... and the count of extra bytes that follow

bool FormatIsReadable(const std::string& image, std::size_t body, std::uint64_t size)
{
    if (size < kFormatFields)
        return false;
    if (LittleEndian16(image, body) != kPcm) {
        // Any other format is read as the extended structure, extra bytes and all.
        if (size < kExtendedFormat || kExtendedFormat + LittleEndian16(image, body + 16) > size)
            return false;
    }
    const bool channels = LittleEndian16(image, body + 2) != 0;
    const bool rate = LittleEndian32(image, body + 4) != 0;
    const bool blockSize = LittleEndian16(image, body + 12) != 0; // players divide by it
    return channels && rate && blockSize;
}

} // namespace

bool WaveChunksFit(const std::string& image)
{
    if (image.size() < 12 || image.compare(0, 4, "RIFF") != 0 || image.compare(8, 4, "WAVE") != 0)
        return false;
    // The player walks up to the end the RIFF header claims. One byte more
    // than the image is the pad of an odd-sized last chunk, which is never read.
    const std::uint64_t riffEnd = 8 + std::uint64_t {LittleEndian32(image, 4)};
    if (riffEnd < 12 || riffEnd > image.size() + 1)
        return false;
    const std::uint64_t end = std::min<std::uint64_t>(riffEnd, image.size());
    bool format = false;
    bool data = false;
    // Even a few bytes left over would be read as the next chunk's header.
    for (std::uint64_t at = 12; at < riffEnd;) {
        if (at + 8 > end)
            return false;
        const auto header = static_cast<std::size_t>(at);
        const std::uint64_t size = LittleEndian32(image, header + 4);
        if (at + 8 + size > end)
            return false;
        if (!format && image.compare(header, 4, "fmt ") == 0) {
            if (!FormatIsReadable(image, header + 8, size))
                return false;
            format = true;
        } else if (format && image.compare(header, 4, "data") == 0) {
            data = true;
        }
        at += 8 + size + (size & 1); // chunks are padded to even sizes
    }
    return format && data;
}

} // namespace quarrow
