#include "icon_writer.h"

#include "canvas.h"
#include "little_endian.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

// Both formats are a small directory followed by a bottom-up BMP whose header
// gives twice the height: the colour (XOR) rows, then a 1-bit AND mask.
namespace {

int rowBytes(int width, int bitsPerPixel)
{
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

QByteArray bitmap(const QImage& image, int bitsPerPixel, const std::vector<QRgb>& palette,
                  const std::vector<unsigned char>& indexes)
{
    const int w = image.width();
    const int h = image.height();
    QByteArray b;
    put32(b, 40);
    put32(b, quint32(w));
    put32(b, quint32(2 * h));
    put16(b, 1);
    put16(b, bitsPerPixel);
    put32(b, 0); // BI_RGB
    put32(b, quint32((rowBytes(w, bitsPerPixel) + rowBytes(w, 1)) * h));
    put32(b, 0);
    put32(b, 0);
    put32(b, quint32(palette.size()));
    put32(b, 0);
    for (QRgb c : palette) {
        b.append(char(qBlue(c)));
        b.append(char(qGreen(c)));
        b.append(char(qRed(c)));
        b.append(char(0));
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes(w, bitsPerPixel), '\0');
        for (int x = 0; x < w; ++x) {
            const int v = indexes[size_t(y * w + x)];
            const int bit = x * bitsPerPixel;
            row[bit / 8] = char(row[bit / 8] | (v << (8 - bitsPerPixel - bit % 8)));
        }
        b.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(rowBytes(w, 1), '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        b.append(row);
    }
    return b;
}

void save(const QString& path, int type, const QImage& image, int colourCount, int planesOrHotX,
          int bitsOrHotY, const QByteArray& body)
{
    QByteArray file;
    put16(file, 0);
    put16(file, type);
    put16(file, 1);
    file.append(char(image.width() & 0xff));
    file.append(char(image.height() & 0xff));
    file.append(char(colourCount & 0xff));
    file.append(char(0));
    put16(file, planesOrHotX);
    put16(file, bitsOrHotY);
    put32(file, quint32(body.size()));
    put32(file, 22);
    file.append(body);

    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}
} // namespace

void writeIcon16(const QString& path, const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    // Transparent pixels take index 0 (black) under the mask.
    QImage opaque(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            opaque.setPixel(x, y, qAlpha(c) == 0 ? qRgb(0, 0, 0) : c);
        }
    const IndexedPicture indexed = toIndexed(opaque, 16, {qRgb(0, 0, 0)});
    save(path, 1, image, 16, 1, 4, bitmap(image, 4, indexed.palette, indexed.pixels));
}

void writeMonoCursor(const QString& path, const QImage& source, int hotX, int hotY)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    std::vector<unsigned char> indexes;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) != 0 && c != qRgb(0, 0, 0) && c != qRgb(255, 255, 255))
                throw std::runtime_error("cursor pixel neither black, white nor transparent");
            indexes.push_back(qAlpha(c) != 0 && qRed(c) == 255 ? 1 : 0);
        }
    save(path, 2, image, 2, hotX, hotY, bitmap(image, 1, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, indexes));
}
