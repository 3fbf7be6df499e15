#pragma once

#include "services/plane.h"

namespace quarrow {

// Window sizing as every front end does it.

// Client size for a design rectangle (0, 0)-(right, bottom): both edges are
// inclusive, so the window ends up one pixel wider and taller than right/bottom.
Size ClientSizeForRect(int right, int bottom);

// Top-left corner that centres a window on a screen, (screen - window) / 2.
Point CenteredTopLeft(Size screen, Size window);

// Window sizes are kept in twips, 1440 to the inch: pixels + 1 of a screen
// with pixelsPerInch, and back. The round trip gives the pixels back at 96,
// 120, 144 and 192 pixels per inch.
int PixelsToTwips(int pixels, int pixelsPerInch);
int TwipsToPixels(int twips, int pixelsPerInch);

} // namespace quarrow
