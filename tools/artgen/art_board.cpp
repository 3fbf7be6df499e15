#include "art.h"
#include "canvas.h"
#include "shapes.h"

namespace {
const QColor kMauve{158, 92, 166};
const QColor kMauveShadow{104, 56, 112};
const QColor kTunic{60, 140, 52};
const QColor kTunicDark{30, 84, 30};
const QColor kSkin{242, 196, 158};
const QColor kHair{120, 74, 40};
const QColor kBoot{86, 60, 40};

// A small figure in a green tunic and pointed hood, standing with its feet at
// `feet`, holding a leaf emblem up on one side. `leafSide` is -1 (left) or 1.
void drawFigure(QPainter& p, QPointF feet, int leafSide)
{
    p.save();
    p.translate(feet);
    p.setPen(Qt::NoPen);
    // Legs and boots.
    p.setBrush(kTunicDark);
    p.drawRect(QRectF(-6, -16, 4, 12));
    p.drawRect(QRectF(2, -16, 4, 12));
    p.setBrush(kBoot);
    p.drawRect(QRectF(-8, -5, 7, 5));
    p.drawRect(QRectF(1, -5, 7, 5));
    // Tunic, flared at the hem, with a belt.
    p.setBrush(kTunicDark);
    p.drawPolygon(QPolygonF({{-7, -44}, {7, -44}, {12, -14}, {-12, -14}}));
    p.setBrush(kTunic);
    p.drawPolygon(QPolygonF({{-6, -43}, {6, -43}, {11, -15}, {-11, -15}}));
    p.setBrush(kBoot);
    p.drawRect(QRectF(-9, -29, 18, 3));
    // The arm that does not hold the leaf hangs down.
    p.setBrush(kTunic);
    p.drawRect(QRectF(-leafSide * 9 - 2, -42, 4, 16));
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(-leafSide * 9, -24), 2.5, 2.5);
    // The other arm reaches up to the stem.
    p.setBrush(kTunicDark);
    p.drawPolygon(QPolygonF({{leafSide * 5.0, -44}, {leafSide * 9.0, -42}, {leafSide * 15.0, -54},
                             {leafSide * 11.0, -57}}));
    // Head and pointed hood.
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(0, -52), 7, 7);
    p.setBrush(kHair);
    p.drawRect(QRectF(-7, -54, 3, 5));
    p.drawRect(QRectF(4, -54, 3, 5));
    p.setBrush(kTunicDark);
    p.drawPolygon(QPolygonF({{-8, -54}, {8, -54}, {6, -60}, {-leafSide * 10.0, -72}, {-6, -60}}));
    p.setBrush(kTunic);
    p.drawPolygon(QPolygonF({{-7, -55}, {7, -55}, {5, -60}, {-leafSide * 8.0, -69}, {-5, -60}}));
    // Eyes and a smile.
    p.setBrush(colours::darkGrey);
    p.drawRect(QRectF(-4, -52, 2, 2));
    p.drawRect(QRectF(2, -52, 2, 2));
    p.setBrush(QColor(196, 96, 90));
    p.drawRect(QRectF(-2, -48, 4, 1));
    // The leaf emblem, as big as the figure's upper body, held above the hand.
    const QRectF leafBox(leafSide * 13.0 - 15, -102, 30, 50);
    drawLeaf(p, leafBox, emblemStyle());
    p.setBrush(kSkin);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(leafSide * 13.0, -56), 2.5, 2.5);
    p.restore();
}
} // namespace

QImage renderBoard(int scale)
{
    Canvas c(704, 454, scale, colours::peach);
    QPainter& p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(colours::darkGrey);
    p.drawRect(QRectF(0, 0, 704, 2));
    p.drawRect(QRectF(0, 452, 704, 2));
    p.drawRect(QRectF(0, 0, 2, 454));
    p.drawRect(QRectF(702, 0, 2, 454));

    const QImage slot = renderSlotOutline(scale);
    for (int top : {7, 111, 215, 319})
        c.image(QPointF(7, top), slot);

    // Title artwork: right of the fourth row's last card (x 448) and below the
    // third row (y 314), leaving the undo place (598..633 x 417..446) bare.
    drawFigure(p, QPointF(476, 447), 1);
    drawFigure(p, QPointF(670, 447), -1);
    const QRectF line1(500, 326, 150, 46);
    const QRectF line2(500, 366, 150, 44);
    const QFont big = font(FontFace::Script, 38);
    const QFont small = font(FontFace::Script, 32);
    c.text(line1.translated(1, 1), Qt::AlignCenter, QStringLiteral("Quarrow"), big, kMauveShadow);
    c.text(line1, Qt::AlignCenter, QStringLiteral("Quarrow"), big, kMauve);
    c.text(line2.translated(1, 1), Qt::AlignCenter, QStringLiteral("Solitaire"), small, kMauveShadow);
    c.text(line2, Qt::AlignCenter, QStringLiteral("Solitaire"), small, kMauve);
    return c.finish();
}
