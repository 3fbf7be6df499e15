#pragma once

#include "shapes.h"

#include <QImage>
#include <QPoint>

#include <string_view>
#include <vector>

// The corner marks of the 1x faces, drawn pixel by pixel. At that size a pip is
// eleven pixels across: a scaled outline leaves a club as a spade with two
// pixels widened, and the hinted index font gives lumpy digits (an 8 without a
// waist). Each row is one line of pixels, '#' ink and anything else paper.
using PixelMark = std::vector<std::string_view>;

const PixelMark& pipMark(Suit suit);
const PixelMark& rankMark(int rank); // 1 ace .. 13 king; the 10 is one mark

int markWidth(const PixelMark& mark);

// Sets the ink pixels of `mark` with its top-left corner at `at`.
void stampMark(QImage& image, QPoint at, const PixelMark& mark, QColor ink);
