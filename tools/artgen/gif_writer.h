#pragma once

#include "canvas.h"

#include <QString>

struct GifFormat {
    bool gif89 = false;       // GIF87a unless the picture needs an extension block
    int transparentIndex = -1; // only with gif89
};

// Writes a single-image, non-interlaced GIF whose global colour table is the
// picture's palette (a power of two, as giflib requires). Throws on failure.
void writeGif(const QString& path, const IndexedPicture& picture, GifFormat format = {});
