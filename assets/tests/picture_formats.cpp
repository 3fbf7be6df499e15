#include "picture_formats.h"

#include <algorithm>
#include <cstdlib>

namespace {
int u8(const QByteArray& b, qsizetype at) { return static_cast<unsigned char>(b.at(at)); }
int le16(const QByteArray& b, qsizetype at) { return u8(b, at) | (u8(b, at + 1) << 8); }
qint64 le32(const QByteArray& b, qsizetype at) { return qint64(le16(b, at)) | (qint64(le16(b, at + 2)) << 16); }
} // namespace

std::optional<GifFacts> readGifFacts(const QByteArray& b)
{
    if (b.size() < 13)
        return std::nullopt;
    GifFacts f;
    f.signature = b.left(6);
    if (f.signature != "GIF87a" && f.signature != "GIF89a")
        return std::nullopt;
    f.width = le16(b, 6);
    f.height = le16(b, 8);
    const int packed = u8(b, 10);
    qsizetype at = 13;
    if (packed & 0x80) {
        f.globalTableSize = 1 << ((packed & 7) + 1);
        at += 3 * f.globalTableSize;
    }
    auto skipSubBlocks = [&]() {
        while (at < b.size()) {
            const int n = u8(b, at++);
            if (n == 0)
                return true;
            at += n;
        }
        return false;
    };
    while (at < b.size()) {
        const int kind = u8(b, at++);
        if (kind == 0x3b)
            return f;
        if (kind == 0x21) {
            if (at + 1 >= b.size())
                return std::nullopt;
            const int label = u8(b, at++);
            if (label == 0xf9 && at + 4 < b.size() && u8(b, at) == 4 && (u8(b, at + 1) & 1))
                f.transparentIndex = u8(b, at + 4);
            if (!skipSubBlocks())
                return std::nullopt;
        } else if (kind == 0x2c) {
            if (at + 9 > b.size())
                return std::nullopt;
            const int imagePacked = u8(b, at + 8);
            at += 9;
            ++f.images;
            f.interlaced = f.interlaced || (imagePacked & 0x40);
            if (imagePacked & 0x80) {
                f.localTable = true;
                at += 3 * (1 << ((imagePacked & 7) + 1));
            }
            ++at; // LZW minimum code size
            if (!skipSubBlocks())
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt; // no trailer
}

std::optional<IconFacts> readIconFacts(const QByteArray& b)
{
    if (b.size() < 22 + 40 || le16(b, 0) != 0)
        return std::nullopt;
    IconFacts f;
    f.type = le16(b, 2);
    f.count = le16(b, 4);
    f.width = u8(b, 6) == 0 ? 256 : u8(b, 6);
    f.height = u8(b, 7) == 0 ? 256 : u8(b, 7);
    if (f.type == 2) {
        f.hotX = le16(b, 10);
        f.hotY = le16(b, 12);
    }
    const qint64 size = le32(b, 14);
    const qint64 offset = le32(b, 18);
    if (offset + size > b.size() || le32(b, offset) != 40)
        return std::nullopt;
    if (le32(b, offset + 4) != f.width || le32(b, offset + 8) != 2 * f.height)
        return std::nullopt;
    f.bitsPerPixel = le16(b, offset + 14);
    f.paletteSize = int(le32(b, offset + 32));
    if (f.paletteSize == 0 && f.bitsPerPixel <= 8)
        f.paletteSize = 1 << f.bitsPerPixel;
    return f;
}

std::optional<WaveFacts> readWaveFacts(const QByteArray& b)
{
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE" || le32(b, 4) != b.size() - 8)
        return std::nullopt;
    WaveFacts f;
    qsizetype at = 12;
    qsizetype data = -1;
    bool haveFormat = false;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const qint64 size = le32(b, at + 4);
        const qsizetype body = at + 8;
        if (body + size > b.size())
            return std::nullopt;
        if (id == "fmt ") {
            f.format = le16(b, body);
            f.channels = le16(b, body + 2);
            f.sampleRate = int(le32(b, body + 4));
            const qint64 byteRate = le32(b, body + 8);
            const int blockAlign = le16(b, body + 12);
            f.bitsPerSample = le16(b, body + 14);
            if (blockAlign != f.channels * f.bitsPerSample / 8 || byteRate != qint64(f.sampleRate) * blockAlign)
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            data = body;
            f.dataBytes = size;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || data < 0 || f.sampleRate <= 0 || (f.bitsPerSample != 8 && f.bitsPerSample != 16))
        return std::nullopt;
    const int bytes = f.bitsPerSample / 8;
    f.seconds = double(f.dataBytes) / (double(f.sampleRate) * f.channels * bytes);
    f.fullScale = bytes == 2 ? 32767 : 127;
    for (qsizetype i = data; i + bytes <= data + f.dataBytes; i += bytes) {
        const int s = bytes == 2 ? int(qint16(le16(b, i))) : u8(b, i) - 128;
        f.peak = std::max(f.peak, std::abs(s));
    }
    return f;
}
