#include "art.h"
#include "canvas.h"
#include "pixel_marks.h"
#include "shapes.h"

namespace {
QString indexText(int rank)
{
    switch (rank) {
    case 1: return QStringLiteral("A");
    case 11: return QStringLiteral("J");
    case 12: return QStringLiteral("Q");
    case 13: return QStringLiteral("K");
    default: return QString::number(rank);
    }
}

// Draws the index and pip of the top-left corner on a transparent layer; the
// bottom-right corner is this layer turned through 180 degrees pixel for pixel,
// so both corners are exactly alike. Everything sits in the 22-pixel strip a
// covering card leaves visible, centred on its column 10.
QImage cornerLayer(int code, double scale, int width, int height)
{
    QImage layer(width, height, QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    const QColor ink = colours::ink(suitOf(code));
    if (scale == 1) {
        const PixelMark& index = rankMark(rankOf(code));
        const PixelMark& pip = pipMark(suitOf(code));
        stampMark(layer, QPoint(10 - markWidth(index) / 2, 4), index, ink);
        stampMark(layer, QPoint(10 - markWidth(pip) / 2, 17), pip, ink);
        return layer;
    }
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QFont f = font(FontFace::CondensedBold, 13 * scale);
    p.setFont(f);
    p.setPen(ink);
    p.drawText(QRectF(1 * scale, 2 * scale, 19 * scale, 14 * scale), Qt::AlignHCenter | Qt::AlignTop,
               indexText(rankOf(code)));
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(pipPath(suitOf(code), QRectF(5.5, 17, 10, 11)));
    return layer;
}
} // namespace

QImage renderFace(int code, double scale)
{
    const int w = qRound(70 * scale);
    const int h = qRound(99 * scale);
    QImage face(w, h, QImage::Format_ARGB32);
    face.fill(colours::peach);
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(double(w) / 70, double(h) / 99);
    const QColor ink = colours::ink(suitOf(code));
    p.setPen(Qt::NoPen);
    // Outline as two filled shapes, so it keeps its weight at any scale;
    // the right edge is one pixel heavier, a card's shadow side.
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(0, 0, 70, 99), 5, 5);
    p.setBrush(colours::peach);
    p.drawRoundedRect(QRectF(1, 1, 67, 97), 4, 4);
    if (rankOf(code) == 1) {
        p.setBrush(ink);
        p.drawPath(pipPath(suitOf(code), QRectF(19.5, 32, 30, 34)));
    }
    const QImage corner = cornerLayer(code, scale, w, h);
    p.resetTransform();
    p.drawImage(0, 0, corner);
    p.drawImage(0, 0, mirroredBoth(corner));
    return face;
}

QImage renderSlotOutline(int scale)
{
    Canvas c(70, 99, scale, colours::peach);
    QPainter& p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(colours::slotOutline);
    p.drawRoundedRect(QRectF(0, 0, 70, 99), 5, 5);
    p.setBrush(colours::peach);
    p.drawRoundedRect(QRectF(1, 1, 68, 97), 4, 4);
    QImage out = c.finish();

    QImage letter(out.size(), QImage::Format_ARGB32);
    letter.fill(Qt::transparent);
    {
        QPainter lp(&letter);
        lp.setRenderHint(QPainter::TextAntialiasing, false);
        lp.setFont(font(FontFace::SansBold, 13 * scale));
        lp.setPen(colours::slotOutline);
        lp.drawText(QRectF(4 * scale, 3 * scale, 14 * scale, 16 * scale), Qt::AlignHCenter | Qt::AlignTop,
                    QStringLiteral("A"));
    }
    QPainter op(&out);
    op.drawImage(0, 0, letter);
    op.drawImage(0, 0, mirroredBoth(letter));
    return out;
}
