#include "services/icon_check.h"

#include <cstdint>

namespace quarrow {

namespace {

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t {static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    return value;
}

std::uint16_t LittleEndian16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at])
                                      | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

constexpr std::string_view kPngSignature("\x89PNG\r\n\x1a\n", 8);
constexpr std::uint32_t kInfoHeader = 40;
constexpr std::int64_t kLargestSide = 256;

// Bytes in one row of a bitmap, padded to whole 32-bit words.
std::uint64_t RowBytes(std::int64_t width, std::uint32_t bits)
{
    return (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
}

} // namespace

bool IconDrawingFits(std::string_view drawing)
{
    if (drawing.substr(0, kPngSignature.size()) == kPngSignature)
        return true;
    if (drawing.size() < kInfoHeader)
        return false;
    const std::uint32_t headerSize = LittleEndian32(drawing, 0);
    const auto width = static_cast<std::int32_t>(LittleEndian32(drawing, 4));
    // The colour rows and the mask rows, one above the other.
    const auto doubleHeight = static_cast<std::int32_t>(LittleEndian32(drawing, 8));
    const std::uint16_t planes = LittleEndian16(drawing, 12);
    const std::uint16_t bits = LittleEndian16(drawing, 14);
    const std::uint32_t compression = LittleEndian32(drawing, 16);
    const std::uint32_t coloursUsed = LittleEndian32(drawing, 32);
    if (headerSize < kInfoHeader || planes != 1 || compression != 0)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    const std::int64_t height = doubleHeight / 2;
    if (width <= 0 || width > kLargestSide || height <= 0 || height > kLargestSide || doubleHeight % 2 != 0)
        return false;
    // Up to 8 bits a pixel the table has 2^bits colours unless the header
    // names fewer; deeper drawings may carry a table all the same.
    if (bits <= 8 && coloursUsed > (1u << bits))
        return false;
    const std::uint64_t colours = bits <= 8 && coloursUsed == 0 ? (1u << bits) : coloursUsed;
    const std::uint64_t needed = std::uint64_t {headerSize} + colours * 4
        + RowBytes(width, bits) * static_cast<std::uint64_t>(height) + RowBytes(width, 1) * static_cast<std::uint64_t>(height);
    return needed <= drawing.size();
}

} // namespace quarrow
