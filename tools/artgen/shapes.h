#pragma once

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

// Suit order follows the card codes: 1..13 spades, 14..26 diamonds, 27..39 clubs, 40..52 hearts.
enum class Suit { Spades = 1, Diamonds, Clubs, Hearts };

inline Suit suitOf(int code) { return Suit((code - 1) / 13 + 1); }
inline int rankOf(int code) { return (code - 1) % 13 + 1; }
inline int codeOf(Suit suit, int rank) { return (int(suit) - 1) * 13 + rank; }

namespace colours {
inline const QColor peach{254, 230, 206};
inline const QColor darkGrey{64, 64, 64};
inline const QColor red{255, 64, 64};
inline const QColor slotOutline{188, 172, 156};
inline const QColor frameGreen{73, 161, 61};
inline const QColor undoGreen{88, 155, 69};
inline const QColor leafDark{34, 92, 38};
inline const QColor leafMid{70, 150, 60};
inline const QColor leafLight{140, 200, 100};
inline const QColor noticeGrey{120, 120, 120};
inline QColor ink(Suit s) { return s == Suit::Spades || s == Suit::Clubs ? darkGrey : red; }
} // namespace colours

QPainterPath pipPath(Suit suit, const QRectF& box);

struct LeafStyle {
    QColor fill;
    QColor outline;
    QColor veins;
    QColor highlight; // invalid: none
    double outlineWidth = 1;
};
// A broad leaf on a short stem, tip up, filling `box` (stem included).
void drawLeaf(QPainter& p, const QRectF& box, const LeafStyle& style);
LeafStyle emblemStyle();

// A thick curved arrow along a quadratic curve, head at `to`.
void drawCurvedArrow(QPainter& p, QPointF from, QPointF control, QPointF to, double width, QColor colour);
// A bold X across `box`.
void drawCross(QPainter& p, const QRectF& box, double width, QColor colour);
