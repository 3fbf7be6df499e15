#include "board/place_names.h"

#include "rules/game.h"

namespace quarrow {

QString CardName(Int16 code)
{
    return QStringLiteral("%1 of %2")
        .arg(QString::fromLatin1(RankName(CardRank(code))), QString::fromLatin1(SuitName(CardSuit(code))));
}

QString SlotName(Int16 face)
{
    return face == kNoFace ? QStringLiteral("Empty place") : CardName(face);
}

QString FoundationName(Int16 foundation, Int16 face)
{
    QString suit = QString::fromLatin1(SuitName(foundation));
    if (!suit.isEmpty())
        suit[0] = suit[0].toUpper();
    return QStringLiteral("%1 foundation, %2").arg(suit, face == kNoFace ? QStringLiteral("empty") : CardName(face));
}

QString UndoName()
{
    return QStringLiteral("Undo last move");
}

QString SelectionFrameName(Int16 face)
{
    return face == kNoFace ? QStringLiteral("Selected: empty place") : QStringLiteral("Selected: %1").arg(CardName(face));
}

} // namespace quarrow
