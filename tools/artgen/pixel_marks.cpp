#include "pixel_marks.h"

#include <algorithm>

namespace {
// Pips: the spade comes to one point at the top, the club has three round
// lobes with notches between them, and both stand on a stem; the heart's two
// lobes and the diamond's corners leave nothing to confuse with a stem.
const PixelMark kSpade = {
    ".....#.....",
    "....###....",
    "...#####...",
    "..#######..",
    ".#########.",
    "###########",
    "###########",
    "###########",
    ".###.#.###.",
    ".....#.....",
    "...#####...",
};
const PixelMark kClub = {
    "....###....",
    "...#####...",
    "...#####...",
    "...#####...",
    "....###....",
    ".##..#..##.",
    "####.#.####",
    "###########",
    "####.#.####",
    ".##.###.##.",
    "...#####...",
};
const PixelMark kHeart = {
    ".###...###.",
    "#####.#####",
    "###########",
    "###########",
    "###########",
    ".#########.",
    "..#######..",
    "...#####...",
    "....###....",
    ".....#.....",
};
const PixelMark kDiamond = {
    "....#....",
    "...###...",
    "...###...",
    "..#####..",
    ".#######.",
    "#########",
    ".#######.",
    "..#####..",
    "...###...",
    "...###...",
    "....#....",
};

// Ranks: ten pixels high (the Q's tail hangs one lower) with two-pixel stems. The 6 and the 9 keep open
// hooks, the 8 a pinched waist (a B or a 0 has none), and the 10 is narrowed
// to fit the strip a covering card leaves.
const PixelMark kRanks[13] = {
    {
        "..###..",
        "..###..",
        ".##.##.",
        ".##.##.",
        ".##.##.",
        "##...##",
        "##...##",
        "#######",
        "##...##",
        "##...##",
    },
    {
        ".#####.",
        "##...##",
        ".....##",
        ".....##",
        "....##.",
        "...##..",
        "..##...",
        ".##....",
        "#######",
        "#######",
    },
    {
        ".#####.",
        "##...##",
        ".....##",
        ".....##",
        "..####.",
        ".....##",
        ".....##",
        ".....##",
        "##...##",
        ".#####.",
    },
    {
        "....##.",
        "...###.",
        "..####.",
        ".##.##.",
        "##..##.",
        "##..##.",
        "#######",
        "#######",
        "....##.",
        "....##.",
    },
    {
        "######.",
        "##.....",
        "##.....",
        "######.",
        ".....##",
        ".....##",
        ".....##",
        ".....##",
        "##...##",
        ".#####.",
    },
    {
        "..####.",
        ".##....",
        "##.....",
        "##.....",
        "######.",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        ".#####.",
    },
    {
        "#######",
        "#######",
        ".....##",
        "....##.",
        "....##.",
        "...##..",
        "...##..",
        "..##...",
        "..##...",
        "..##...",
    },
    {
        ".#####.",
        "##...##",
        "##...##",
        ".##.##.",
        "..###..",
        ".##.##.",
        "##...##",
        "##...##",
        "##...##",
        ".#####.",
    },
    {
        ".#####.",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        ".######",
        ".....##",
        ".....##",
        "....##.",
        ".####..",
    },
    {
        "..##..####.",
        ".###.##..##",
        "####.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##.##..##",
        "..##..####.",
    },
    {
        "..#####",
        ".....##",
        ".....##",
        ".....##",
        ".....##",
        ".....##",
        ".....##",
        "##...##",
        "##...##",
        ".#####.",
    },
    {
        ".#####.",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "##...##",
        "##.####",
        "##..##.",
        ".######",
        "......#",
    },
    {
        "##...##",
        "##..##.",
        "##.##..",
        "####...",
        "###....",
        "###....",
        "####...",
        "##.##..",
        "##..##.",
        "##...##",
    },
};
} // namespace

const PixelMark& pipMark(Suit suit)
{
    switch (suit) {
    case Suit::Spades: return kSpade;
    case Suit::Diamonds: return kDiamond;
    case Suit::Clubs: return kClub;
    case Suit::Hearts: return kHeart;
    }
    return kSpade;
}

const PixelMark& rankMark(int rank) { return kRanks[std::clamp(rank, 1, 13) - 1]; }

int markWidth(const PixelMark& mark)
{
    size_t width = 0;
    for (std::string_view row : mark)
        width = std::max(width, row.size());
    return int(width);
}

void stampMark(QImage& image, QPoint at, const PixelMark& mark, QColor ink)
{
    for (int y = 0; y < int(mark.size()); ++y)
        for (int x = 0; x < int(mark[size_t(y)].size()); ++x)
            if (mark[size_t(y)][size_t(x)] == '#')
                image.setPixelColor(at.x() + x, at.y() + y, ink);
}
