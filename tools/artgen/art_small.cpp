#include "art.h"
#include "canvas.h"
#include "shapes.h"

#include <QBitmap>

QImage renderSelectionFrame(int scale, QRgb transparentKey)
{
    Canvas c(70, 99, scale, QColor(transparentKey));
    QPainter& p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(colours::frameGreen);
    p.drawRect(QRectF(0, 0, 70, 3));
    p.drawRect(QRectF(0, 96, 70, 3));
    p.drawRect(QRectF(0, 0, 3, 99));
    p.drawRect(QRectF(67, 0, 3, 99));
    return c.finish();
}

QImage renderUndoArrow(int scale)
{
    Canvas c(35, 29, scale, colours::peach);
    QPainter& p = c.painter();
    // From the top centre, clockwise round the right-hand side, back along the
    // bottom to a head that points left.
    QPainterPath shaft;
    shaft.moveTo(15.5, 4);
    shaft.lineTo(19, 4);
    shaft.arcTo(QRectF(10, 4, 18, 16), 90, -180);
    shaft.lineTo(11, 20);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colours::undoGreen, 5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawPath(shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(colours::undoGreen);
    p.drawPolygon(QPolygonF({{2, 20}, {12, 12.5}, {12, 27.5}}));
    return c.finish();
}

namespace {
// Grows a filled shape's outline inwards by `width` device pixels: pixels of the
// shape that touch the outside within that distance become outline.
QImage outlined(const QImage& mask, int width, QRgb outline, QRgb fill)
{
    QImage out(mask.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < mask.width() && y < mask.height() && qAlpha(mask.pixel(x, y)) != 0;
    };
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            if (!inside(x, y))
                continue;
            bool edge = false;
            for (int d = 1; d <= width && !edge; ++d)
                edge = !inside(x - d, y) || !inside(x + d, y) || !inside(x, y - d) || !inside(x, y + d);
            out.setPixel(x, y, edge ? outline : fill);
        }
    return out;
}
} // namespace

QImage renderHand(int scale)
{
    // The silhouette first; the black outline is grown from it afterwards.
    QImage mask(32 * scale, 32 * scale, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.scale(scale, scale);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(10, 9, 5, 14), 2.5, 2.5); // index finger, tip at (12, 9)
        p.drawRoundedRect(QRectF(14, 14, 5, 9), 2, 2);     // curled fingers
        p.drawRoundedRect(QRectF(18, 15, 5, 9), 2, 2);
        p.drawRoundedRect(QRectF(22, 16, 5, 9), 2, 2);
        p.drawPolygon(QPolygonF({{4, 19}, {6, 17}, {11, 21}, {11, 26}}));       // thumb
        p.drawRoundedRect(QRectF(9, 19, 18, 9), 2, 2);     // palm
        p.drawRect(QRectF(10, 26, 16, 6));                 // wrist under the cuff
    }
    QImage hand = outlined(mask, scale, qRgb(0, 0, 0), qRgb(255, 255, 255));
    QPainter p(&hand);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(10, 28, 16, 4));                   // cuff
    p.drawRect(QRectF(18, 18, 1, 4));                    // creases between the curled fingers
    p.drawRect(QRectF(22, 19, 1, 4));
    return hand;
}

QImage renderEmblemIcon(int scale)
{
    QImage icon(32 * scale, 32 * scale, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.scale(scale, scale);
    drawLeaf(p, QRectF(3, 0.5, 26, 31), emblemStyle());
    return icon;
}

QImage renderHelpLeaves(int scale)
{
    Canvas c(104, 134, scale, QColor(255, 248, 222));
    QPainter& p = c.painter();
    struct Placed {
        QPointF centre;
        double angle;
        QSizeF size;
        LeafStyle style;
    };
    const LeafStyle deep{QColor(46, 118, 48), colours::leafDark, colours::leafDark, QColor(90, 160, 70), 1};
    const LeafStyle fresh{QColor(110, 180, 72), QColor(52, 110, 40), QColor(52, 110, 40), QColor(170, 214, 120), 1};
    const LeafStyle emblem = emblemStyle();
    const Placed leaves[] = {
        {{30, 36}, -35, {36, 52}, fresh},
        {{76, 40}, 30, {34, 50}, deep},
        {{52, 70}, 0, {44, 66}, emblem},
        {{26, 104}, -60, {32, 46}, deep},
        {{80, 104}, 55, {32, 46}, fresh},
    };
    for (const Placed& leaf : leaves) {
        p.save();
        p.translate(leaf.centre);
        p.rotate(leaf.angle);
        drawLeaf(p, QRectF(QPointF(-leaf.size.width() / 2, -leaf.size.height() / 2), leaf.size), leaf.style);
        p.restore();
    }
    return c.finish();
}

QImage renderLogo(int scale)
{
    Canvas c(136, 98, scale, Qt::white);
    QPainter& p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(colours::leafDark);
    p.drawRoundedRect(QRectF(2, 2, 132, 94), 8, 8);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 4, 128, 90), 7, 7);
    p.setBrush(QColor(226, 242, 214));
    p.drawEllipse(QPointF(68, 30), 24, 24);
    drawLeaf(p, QRectF(55, 9, 26, 44), emblemStyle());
    c.text(QRectF(4, 56, 128, 20), Qt::AlignCenter, QStringLiteral("QUARROW"), font(FontFace::SansBold, 18),
           colours::leafDark);
    c.text(QRectF(4, 75, 128, 16), Qt::AlignCenter, QStringLiteral("G A M E S"), font(FontFace::SansBold, 11),
           colours::leafMid);
    return c.finish();
}
