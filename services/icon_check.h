#pragma once

#include <string_view>

namespace quarrow {

// Whether one drawing of an .ico or .cur file (the bytes its directory entry
// points at) can be read whole from what it holds. A PNG drawing goes to a
// decoder that is told its length. A bitmap drawing is read by the sizes its
// header claims: its header, its colour table, then its colour and mask rows,
// so a header that claims more rows, wider rows or more colours than the
// drawing holds is refused before the system reads it. Bitmaps of more than
// 256 pixels a side, compressed ones and odd bit depths are refused too.
bool IconDrawingFits(std::string_view drawing);

} // namespace quarrow
