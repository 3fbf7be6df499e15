#include "art.h"
#include "canvas.h"
#include "shapes.h"

// The result window puts its OK button at 243..364 x 160..185: no text goes there.
namespace {
constexpr double kCardScale = 0.8; // notice cards are 56 x 79
const QColor kFrameGrey{150, 150, 150};
const QColor kTextGrey{110, 110, 110};

Canvas& framed(Canvas& c, double w, double h)
{
    QPainter& p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(kFrameGrey);
    p.drawRect(QRectF(0, 0, w, 1));
    p.drawRect(QRectF(0, h - 1, w, 1));
    p.drawRect(QRectF(0, 0, 1, h));
    p.drawRect(QRectF(w - 1, 0, 1, h));
    return c;
}

QImage card(int code, int scale)
{
    return renderFace(code, kCardScale * scale);
}
} // namespace

QImage renderFullFanNotice(int scale)
{
    Canvas c(407, 207, scale, Qt::white);
    framed(c, 407, 207);
    QPainter& p = c.painter();
    // A full fan of three (9, 8, 7), and a 6 that has nowhere to go.
    const int fan[] = {codeOf(Suit::Spades, 9), codeOf(Suit::Hearts, 8), codeOf(Suit::Clubs, 7)};
    for (int i = 0; i < 3; ++i)
        c.image(QPointF(16 + 18 * i, 14), card(fan[i], scale));
    c.image(QPointF(132, 112), card(codeOf(Suit::Diamonds, 6), scale));
    drawCurvedArrow(p, QPointF(96, 56), QPointF(160, 40), QPointF(162, 104), 5, colours::noticeGrey);
    drawCross(p, QRectF(124, 108, 72, 88), 8, colours::noticeGrey);

    const QFont big = fitted(font(FontFace::CondensedBold, 34), QStringLiteral("ONLY 3 CARDS"), 186);
    c.text(QRectF(200, 44, 200, 40), Qt::AlignCenter, QStringLiteral("ONLY 3 CARDS"), big, kTextGrey);
    c.text(QRectF(200, 86, 200, 40), Qt::AlignCenter, QStringLiteral("PER PILE"), big, kTextGrey);
    return c.finish();
}

QImage renderInvalidMoveNotice(int scale)
{
    Canvas c(400, 200, scale, Qt::white);
    QPainter& p = c.painter();
    c.image(QPointF(14, 14), card(codeOf(Suit::Hearts, 4), scale));
    // The card being moved: a 4 on a 4, tilted inside a grey disc.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QPointF(92, 86), 44, 44);
    c.rotatedImage(QPointF(92, 86), -25, renderFace(codeOf(Suit::Spades, 4), 0.6 * scale));
    c.image(QPointF(150, 108), card(codeOf(Suit::Clubs, 7), scale));
    drawCurvedArrow(p, QPointF(130, 60), QPointF(180, 40), QPointF(178, 104), 5, colours::noticeGrey);
    drawCross(p, QRectF(144, 104, 68, 88), 8, colours::noticeGrey);

    c.text(QRectF(222, 30, 172, 40), Qt::AlignCenter, QStringLiteral("INVALID MOVE"),
           fitted(font(FontFace::CondensedBold, 32), QStringLiteral("INVALID MOVE"), 164), kTextGrey);
    const QFont small = font(FontFace::Sans, 13);
    c.text(QRectF(222, 80, 172, 20), Qt::AlignCenter, QStringLiteral("card must be one above"), small, kTextGrey);
    c.text(QRectF(222, 100, 172, 20), Qt::AlignCenter, QStringLiteral("or below in value"), small, kTextGrey);
    return c.finish();
}

QImage renderWinNotice(int scale)
{
    Canvas c(407, 207, scale, Qt::white);
    framed(c, 407, 207);
    QPainter& p = c.painter();
    const LeafStyle line{Qt::white, Qt::black, Qt::black, QColor(), 2.5};
    p.save();
    p.translate(90, 102);
    p.rotate(-12);
    drawLeaf(p, QRectF(-55, -88, 110, 176), line);
    p.restore();
    c.text(QRectF(180, 50, 220, 60), Qt::AlignCenter, QStringLiteral("WELL DONE!"),
           fitted(font(FontFace::CondensedBold, 44), QStringLiteral("WELL DONE!"), 206), kTextGrey);
    return c.finish();
}
