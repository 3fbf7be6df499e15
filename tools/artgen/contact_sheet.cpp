#include "contact_sheet.h"

#include "canvas.h"

#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

bool writeContactSheet(const QString& path, const QStringList& files)
{
    // Pictures flow left to right in rows, each on a checkerboard (so that
    // transparency shows) with its file name under it.
    constexpr int kWidth = 1800;
    constexpr int kGap = 10;
    constexpr int kLabel = 14;
    struct Item {
        QString name;
        QImage image;
        QPoint at;
    };
    std::vector<Item> items;
    int x = kGap, y = kGap, rowHeight = 0;
    for (const QString& file : files) {
        QImageReader reader(file);
        QImage image = reader.read();
        if (image.isNull()) {
            qWarning("contact sheet: cannot read %s", qPrintable(file));
            return false;
        }
        // Qt marks name@2x files as ratio 2; show their real pixels here.
        image.setDevicePixelRatio(1);
        const int w = std::max(image.width(), 60);
        if (x + w > kWidth - kGap) {
            x = kGap;
            y += rowHeight + kLabel + kGap;
            rowHeight = 0;
        }
        items.push_back({QFileInfo(file).fileName(), image, QPoint(x, y)});
        x += w + kGap;
        rowHeight = std::max(rowHeight, image.height());
    }
    QImage sheet(kWidth, y + rowHeight + kLabel + kGap, QImage::Format_RGB32);
    sheet.fill(QColor(90, 90, 96));
    QPainter p(&sheet);
    p.setFont(font(FontFace::Sans, 10));
    for (const Item& item : items) {
        const QRect r(item.at, item.image.size());
        for (int cy = r.top(); cy <= r.bottom(); cy += 8)
            for (int cx = r.left(); cx <= r.right(); cx += 8)
                p.fillRect(QRect(cx, cy, 8, 8).intersected(r),
                           ((cx - r.left()) / 8 + (cy - r.top()) / 8) % 2 ? QColor(200, 200, 200) : Qt::white);
        p.drawImage(item.at, item.image);
        p.setPen(Qt::white);
        p.drawText(QRect(item.at.x(), r.bottom() + 1, std::max(item.image.width(), 60) + kGap, kLabel),
                   Qt::AlignLeft | Qt::AlignVCenter, item.name);
    }
    p.end();
    return sheet.save(path, "PNG");
}

bool writeFaceSheet(const QString& path, const QStringList& faces, int perRow, int zoom)
{
    constexpr int kGap = 8;
    std::vector<QImage> images;
    for (const QString& file : faces) {
        QImage image = QImageReader(file).read();
        if (image.isNull()) {
            qWarning("face sheet: cannot read %s", qPrintable(file));
            return false;
        }
        images.push_back(image.convertToFormat(QImage::Format_RGB32));
    }
    if (images.empty() || perRow < 1 || zoom < 1)
        return false;
    const QSize card = images.front().size();
    const int rows = (int(images.size()) + perRow - 1) / perRow;
    auto blockHeight = [&](int z) { return rows * (card.height() * z + kGap) + kGap; };
    QImage sheet(perRow * (card.width() * zoom + kGap) + kGap, blockHeight(1) + blockHeight(zoom),
                 QImage::Format_RGB32);
    sheet.fill(QColor(90, 90, 96));
    QPainter p(&sheet);
    int top = 0;
    for (int z : {1, zoom}) {
        for (size_t i = 0; i < images.size(); ++i) {
            const int column = int(i) % perRow, row = int(i) / perRow;
            const QPoint at(kGap + column * (card.width() * z + kGap), top + kGap + row * (card.height() * z + kGap));
            // Nearest neighbour: every picture pixel becomes a z x z block.
            p.drawImage(at, images[i].scaled(images[i].size() * z, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
        top += blockHeight(z);
    }
    p.end();
    return sheet.save(path, "PNG");
}
