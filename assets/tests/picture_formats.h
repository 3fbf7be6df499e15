#pragma once

#include <QByteArray>

#include <optional>

// Just enough of each file format to check what the program relies on, read
// straight from the bytes so that a forgiving image loader cannot hide a fault.

struct GifFacts {
    QByteArray signature; // "GIF87a" or "GIF89a"
    int width = 0;
    int height = 0;
    int globalTableSize = 0; // 0 when there is no global table
    int transparentIndex = -1;
    int images = 0;
    bool interlaced = false;
    bool localTable = false;
};
std::optional<GifFacts> readGifFacts(const QByteArray& bytes);

struct IconFacts {
    int type = 0;  // 1 icon, 2 cursor
    int count = 0;
    int width = 0;
    int height = 0;
    int hotX = -1; // cursors only
    int hotY = -1;
    int bitsPerPixel = 0; // from the bitmap header
    int paletteSize = 0;
};
std::optional<IconFacts> readIconFacts(const QByteArray& bytes);

struct WaveFacts {
    int format = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 dataBytes = 0;
    double seconds = 0;
    int peak = 0; // largest absolute sample, in the sample's own scale
    int fullScale = 0;
};
std::optional<WaveFacts> readWaveFacts(const QByteArray& bytes);
