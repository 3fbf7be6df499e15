#pragma once

#include "services/plane.h"

namespace quarrow {

// Where everything sits on the board, in pixels of the client area.

inline constexpr Size kBoardPictureSize {704, 454};
// The design rectangle of the client area, (0, 0)-(704, 454), edges inclusive.
inline constexpr int kBoardRight = 704;
inline constexpr int kBoardBottom = 454;
inline constexpr Size kCardSize {70, 99};
inline constexpr int kSlotsPerRow = 15;

// Rows of fifteen slots; each fan takes three consecutive columns.
constexpr int SlotRow(int slot) { return (slot - 1) / kSlotsPerRow + 1; }
constexpr int SlotColumn(int slot) { return (slot - 1) % kSlotsPerRow + 1; }

constexpr int RowTop(int row) { return 7 + 104 * (row - 1); }

// 22 pixels from card to card inside a fan, so each covered card shows a
// strip; 80 from a fan's top card to the next fan's bottom card.
constexpr int ColumnLeft(int column)
{
    return 86 + 124 * ((column - 1) / 3) + 22 * ((column - 1) % 3);
}

constexpr Point SlotTopLeft(int slot) { return {ColumnLeft(SlotColumn(slot)), RowTop(SlotRow(slot))}; }

// Foundations stand on the faint ace outlines down the left edge, level with the rows.
constexpr Point FoundationTopLeft(int foundation) { return {7, RowTop(foundation)}; }

inline constexpr Rect kUndoRect {598, 417, 35, 29};

// The stock of faces, the unused slot 0 and the cursor holder live to the right
// of the board picture, where the client area never shows them.
inline constexpr Point kOffBoard {kBoardPictureSize.width() + 40, 7};

} // namespace quarrow
