#include "services/wave_check.h"

#include <cstdint>

namespace quarrow {

namespace {

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at]))
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16
        | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

} // namespace

bool WaveChunksFit(const std::string& image)
{
    if (image.size() < 12 || image.compare(0, 4, "RIFF") != 0 || image.compare(8, 4, "WAVE") != 0)
        return false;
    for (std::size_t at = 12; at + 8 <= image.size();) {
        const std::uint64_t size = LittleEndian32(image, at + 4);
        const std::uint64_t end = at + 8 + size + (size & 1); // chunks are padded to even sizes
        if (end > image.size() + (size & 1))
            return false;
        at = static_cast<std::size_t>(end);
    }
    return true;
}

} // namespace quarrow
