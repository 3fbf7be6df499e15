#include "shapes.h"

#include <QTransform>

#include <cmath>

namespace {
QPainterPath ellipse(double cx, double cy, double r)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    return p;
}
QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(points)));
    p.closeSubpath();
    return p;
}

QPainterPath unitPip(Suit suit)
{
    switch (suit) {
    case Suit::Diamonds:
        return polygon({{0.5, 0.0}, {0.92, 0.5}, {0.5, 1.0}, {0.08, 0.5}});
    case Suit::Hearts:
        return ellipse(0.27, 0.29, 0.26).united(ellipse(0.73, 0.29, 0.26))
            .united(polygon({{0.03, 0.36}, {0.97, 0.36}, {0.5, 1.0}}));
    case Suit::Spades:
        // The kite reaches down between the lobes so no sliver of paper is left
        // where they meet.
        return ellipse(0.27, 0.58, 0.24).united(ellipse(0.73, 0.58, 0.24))
            .united(polygon({{0.5, 0.0}, {0.95, 0.5}, {0.5, 0.78}, {0.05, 0.5}}))
            .united(polygon({{0.44, 0.62}, {0.56, 0.62}, {0.72, 1.0}, {0.28, 1.0}}));
    case Suit::Clubs:
        // Three lobes held apart far enough that the notches between them stay
        // open at small sizes; the hub joins the side lobes to the stem without
        // slivers of paper.
        return ellipse(0.5, 0.22, 0.22).united(ellipse(0.21, 0.64, 0.21)).united(ellipse(0.79, 0.64, 0.21))
            .united(ellipse(0.5, 0.6, 0.17))
            .united(polygon({{0.46, 0.4}, {0.54, 0.4}, {0.7, 1.0}, {0.3, 1.0}}));
    }
    return {};
}
} // namespace

QPainterPath pipPath(Suit suit, const QRectF& box)
{
    QTransform t;
    t.translate(box.x(), box.y());
    t.scale(box.width(), box.height());
    return t.map(unitPip(suit));
}

LeafStyle emblemStyle()
{
    return {colours::leafMid, colours::leafDark, colours::leafDark, colours::leafLight, 1};
}

void drawLeaf(QPainter& p, const QRectF& box, const LeafStyle& style)
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width(), box.height());
    // Blade in unit coordinates: tip at the top, base at (0.5, 0.8).
    QPainterPath blade;
    blade.moveTo(0.5, 0.0);
    blade.cubicTo(0.1, 0.18, -0.04, 0.55, 0.5, 0.8);
    blade.cubicTo(1.04, 0.55, 0.9, 0.18, 0.5, 0.0);
    blade.closeSubpath();

    const double unit = 1.0 / box.width();
    QPen stemPen(style.outline, 3.2 * style.outlineWidth * unit, Qt::SolidLine, Qt::FlatCap);
    p.setPen(stemPen);
    p.setBrush(Qt::NoBrush);
    QPainterPath stem;
    stem.moveTo(0.5, 0.76);
    stem.quadTo(0.52, 0.9, 0.42, 1.0);
    p.drawPath(stem);

    p.setPen(Qt::NoPen);
    p.setBrush(style.fill);
    p.drawPath(blade);
    if (style.highlight.isValid()) {
        // Light falls on the left half of the blade.
        QPainterPath half;
        half.moveTo(0.5, 0.06);
        half.cubicTo(0.16, 0.22, 0.06, 0.52, 0.47, 0.74);
        half.lineTo(0.47, 0.06);
        half.closeSubpath();
        p.setBrush(style.highlight);
        p.drawPath(half.intersected(blade));
    }
    // Midrib and three pairs of veins, curving up to the edges.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(style.veins, 1.0 * style.outlineWidth * unit, Qt::SolidLine, Qt::FlatCap));
    QPainterPath veins;
    veins.moveTo(0.5, 0.8);
    veins.lineTo(0.5, 0.12);
    for (double y : {0.62, 0.45, 0.29}) {
        const double reach = 0.3 - (0.62 - y) * 0.35;
        veins.moveTo(0.5, y);
        veins.quadTo(0.5 - reach * 0.5, y - 0.04, 0.5 - reach, y - 0.12);
        veins.moveTo(0.5, y);
        veins.quadTo(0.5 + reach * 0.5, y - 0.04, 0.5 + reach, y - 0.12);
    }
    p.drawPath(veins);
    p.setPen(QPen(style.outline, style.outlineWidth * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(blade);
    p.restore();
}

void drawCurvedArrow(QPainter& p, QPointF from, QPointF control, QPointF to, double width, QColor colour)
{
    // The shaft stops short of the tip so the head keeps its point.
    const QPointF dir = to - control;
    const double len = std::hypot(dir.x(), dir.y());
    const QPointF unit = dir / len;
    const QPointF normal(-unit.y(), unit.x());
    const double headLength = width * 2.6;
    const QPointF base = to - unit * headLength;

    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    QPainterPath shaft;
    shaft.moveTo(from);
    shaft.quadTo(control, base + unit * 1.0);
    p.drawPath(shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to, base + normal * width * 1.4, base - normal * width * 1.4}));
    p.restore();
}

void drawCross(QPainter& p, const QRectF& box, double width, QColor colour)
{
    p.save();
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
    p.restore();
}
