#include "services/window_metrics.h"

namespace quarrow {

Size ClientSizeForRect(int right, int bottom)
{
    return {right + 1, bottom + 1};
}

Point CenteredTopLeft(Size screen, Size window)
{
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

int PixelsToTwips(int pixels, int pixelsPerInch)
{
    return pixelsPerInch > 0 ? 1440 / pixelsPerInch * (pixels + 1) : 0;
}

int TwipsToPixels(int twips, int pixelsPerInch)
{
    const int twipsPerPixel = pixelsPerInch > 0 ? 1440 / pixelsPerInch : 0;
    return twipsPerPixel > 0 ? twips / twipsPerPixel - 1 : 0;
}

} // namespace quarrow
