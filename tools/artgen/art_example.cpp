#include "art.h"
#include "canvas.h"
#include "shapes.h"

#include <vector>

// The help menu's example: a few moments of play, drawn from the real faces
// and frame at their 1x size, on the board's own colours.
namespace {
const QColor kCaption = colours::darkGrey;
const QRgb kNoKey = qRgb(1, 2, 3); // the frame's see-through colour, never used elsewhere here

void fanAt(Canvas& c, QPointF at, const std::vector<int>& codes)
{
    for (size_t i = 0; i < codes.size(); ++i)
        c.image(at + QPointF(22.0 * double(i), 0), renderFace(codes[i], 1));
}

// The selection frame over a card: its see-through pixels are left out.
void frameAt(Canvas& c, QPointF at)
{
    QImage frame = renderSelectionFrame(1, kNoKey);
    frame = frame.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if ((frame.pixel(x, y) & 0xffffff) == (kNoKey & 0xffffff))
                frame.setPixel(x, y, qRgba(0, 0, 0, 0));
    c.image(at, frame);
}

void caption(Canvas& c, double top, const QString& text)
{
    c.text(QRectF(10, top, 307, 30), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text,
           font(FontFace::Sans, 11), kCaption);
}
} // namespace

QImage renderExample()
{
    Canvas c(327, 729, 1, colours::peach);
    QPainter& p = c.painter();
    p.setPen(Qt::NoPen);
    p.setBrush(colours::darkGrey);
    p.drawRect(QRectF(0, 0, 327, 2));
    p.drawRect(QRectF(0, 727, 327, 2));
    p.drawRect(QRectF(0, 0, 2, 729));
    p.drawRect(QRectF(325, 0, 2, 729));
    c.text(QRectF(0, 8, 327, 24), Qt::AlignCenter, QStringLiteral("How to play"), font(FontFace::SansBold, 17),
           kCaption);

    const int nine = codeOf(Suit::Clubs, 9), four = codeOf(Suit::Diamonds, 4), seven = codeOf(Suit::Hearts, 7);
    const int queen = codeOf(Suit::Diamonds, 12), eight = codeOf(Suit::Spades, 8);

    caption(c, 38, QStringLiteral("1. Click the top card of a fan to select it. A green frame shows your choice."));
    fanAt(c, {20, 70}, {nine, four, seven});
    frameAt(c, {64, 70});
    fanAt(c, {190, 70}, {queen, eight});

    caption(c, 180, QStringLiteral("2. Click the top card of a fan with room. Ranks one apart, any suit: "
                                   "the 7 goes on the 8."));
    fanAt(c, {20, 212}, {nine, four});
    fanAt(c, {190, 212}, {queen, eight, seven});
    drawCurvedArrow(p, QPointF(120, 236), QPointF(160, 208), QPointF(226, 220), 4, colours::noticeGrey);

    caption(c, 322, QStringLiteral("3. Click an ace: it goes to its foundation. Then select "
                                   "the 2 and click the foundation, and so on."));
    fanAt(c, {20, 354}, {codeOf(Suit::Hearts, 5), codeOf(Suit::Clubs, 10), codeOf(Suit::Spades, 1)});
    c.image(QPointF(238, 354), renderSlotOutline(1));
    c.image(QPointF(238, 354), renderFace(codeOf(Suit::Spades, 1), 1));
    drawCurvedArrow(p, QPointF(134, 380), QPointF(186, 350), QPointF(234, 378), 4, colours::noticeGrey);

    caption(c, 464, QStringLiteral("4. Refused: a 5 on an 8 (not one apart), or any card on a fan "
                                   "that already holds three."));
    fanAt(c, {20, 496}, {codeOf(Suit::Spades, 3), codeOf(Suit::Clubs, 5)});
    frameAt(c, {42, 496});
    fanAt(c, {190, 496}, {codeOf(Suit::Hearts, 2), codeOf(Suit::Diamonds, 8)});
    drawCurvedArrow(p, QPointF(100, 520), QPointF(170, 492), QPointF(214, 510), 4, colours::noticeGrey);
    drawCross(p, QRectF(214, 506, 48, 70), 6, colours::noticeGrey);

    caption(c, 606, QStringLiteral("5. Changed your mind? Click the green arrow to take back the last move."));
    c.image(QPointF(146, 640), renderUndoArrow(1));
    caption(c, 680, QStringLiteral("Build all four foundations up to their kings to win. Deal starts afresh."));
    return c.finish();
}
