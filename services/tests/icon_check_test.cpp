#include "services/icon_check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quarrow {
namespace {

std::string Le32(std::uint32_t v)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>(v >> (8 * i) & 0xff));
    return bytes;
}

std::string Le16(std::uint16_t v)
{
    return {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
}

// A bitmap drawing as an icon file holds it: header, colour table, colour
// rows and mask rows, with the header's height counting both sets of rows.
std::string Drawing(int width, int height, std::uint16_t bits, std::uint32_t coloursUsed = 0)
{
    const std::size_t colours = bits <= 8 && coloursUsed == 0 ? 1u << bits : coloursUsed;
    const std::size_t colourRow = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t maskRow = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    std::string header = Le32(40) + Le32(static_cast<std::uint32_t>(width)) + Le32(static_cast<std::uint32_t>(2 * height))
        + Le16(1) + Le16(bits) + Le32(0) + Le32(0) + Le32(0) + Le32(0) + Le32(coloursUsed) + Le32(0);
    return header + std::string(colours * 4 + (colourRow + maskRow) * static_cast<std::size_t>(height), '\x5a');
}

std::string WithField(std::string drawing, std::size_t at, const std::string& value)
{
    drawing.replace(at, value.size(), value);
    return drawing;
}

TEST(IconDrawingFits, TakesDrawingsThatHoldWhatTheirHeadersClaim)
{
    // The game's emblem (32 pixels, 16 colours) and pointing hand (2 colours).
    EXPECT_TRUE(IconDrawingFits(Drawing(32, 32, 4)));
    EXPECT_TRUE(IconDrawingFits(Drawing(32, 32, 1, 2)));
    EXPECT_TRUE(IconDrawingFits(Drawing(64, 64, 32)));
    EXPECT_TRUE(IconDrawingFits(Drawing(17, 5, 24))); // rows padded to whole words
    EXPECT_TRUE(IconDrawingFits(Drawing(256, 256, 8)));
    EXPECT_TRUE(IconDrawingFits(std::string("\x89PNG\r\n\x1a\n", 8) + "the PNG decoder is told the length"));
}

TEST(IconDrawingFits, RefusesHeadersThatClaimMoreThanTheDrawingHolds)
{
    const std::string emblem = Drawing(32, 32, 4);
    const std::vector<std::pair<const char*, std::string>> drawings {
        {"cut short by one byte", emblem.substr(0, emblem.size() - 1)},
        {"cut inside its header", emblem.substr(0, 30)},
        {"nothing", std::string()},
        {"wider than it holds", WithField(emblem, 4, Le32(33))},
        {"taller than it holds", WithField(emblem, 8, Le32(66))},
        {"deeper than it holds", WithField(emblem, 14, Le16(8))},
        {"a colour table larger than it holds", WithField(Drawing(32, 32, 32), 32, Le32(1000))},
        {"more colours than its depth allows", WithField(emblem, 32, Le32(17))},
        {"a header claiming to be larger", WithField(emblem, 0, Le32(0x7fffffff))},
        {"a header claiming to be smaller than its fields", WithField(emblem, 0, Le32(12))},
        {"a negative width", WithField(emblem, 4, Le32(0xffffffe0))},
        {"a height of gigapixels", WithField(emblem, 8, Le32(0x7ffffffe))},
        {"wider than an icon is", Drawing(257, 1, 1)},
        {"compressed", WithField(emblem, 16, Le32(1))},
        {"two planes", WithField(emblem, 12, Le16(2))},
        {"a depth of 3 bits", WithField(emblem, 14, Le16(3))},
    };
    for (const auto& [name, drawing] : drawings)
        EXPECT_FALSE(IconDrawingFits(drawing)) << name;
}

} // namespace
} // namespace quarrow
