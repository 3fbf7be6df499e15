#pragma once

#include <QImage>
#include <QString>

// Windows icon with one 4-bit (16-colour) image. Fully transparent pixels go to
// the AND mask; every other pixel must be one of at most 16 opaque colours.
void writeIcon16(const QString& path, const QImage& image);

// Windows cursor with one monochrome image: black, white or transparent pixels only.
void writeMonoCursor(const QString& path, const QImage& image, int hotX, int hotY);
