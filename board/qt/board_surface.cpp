#include "board/qt/board_surface.h"

#include <QLabel>
#include <QPainter>

#include "board/board_geometry.h"
#include "services/qt/qt_plane.h"
#include "board/place_names.h"
#include "services/qt/picture_place.h"
#include "services/qt/pictures.h"

namespace quarrow {

namespace {

QString FacePath(int code)
{
    return QStringLiteral(":/assets/cards/%1.gif").arg(code, 2, 10, QLatin1Char('0'));
}

void SetState(QWidget* place, bool visible, bool enabled)
{
    if (place->isEnabled() != enabled)
        place->setEnabled(enabled);
    if (place->isVisibleTo(place->parentWidget()) != visible)
        place->setVisible(visible);
}

// Qt raises NameChanged on every call, changed or not, and a screen reader
// would read the place out again for nothing.
void SetName(QWidget* place, const QString& name)
{
    if (place->accessibleName() != name)
        place->setAccessibleName(name);
}

} // namespace

BoardSurface::BoardSurface(QWidget* parent)
    : QWidget(parent)
    , background_(LoadPicture(QStringLiteral(":/assets/board.gif")))
{
    setObjectName(QStringLiteral("board"));
    // Children created later are drawn over earlier ones, so creating the
    // places from back to front fixes the layering once and for all.
    for (int c = 1; c <= kCardCount; ++c) {
        auto* card = new PicturePlace(ControlArrayName(QStringLiteral("img_card"), c), c, this);
        card->setGeometry(QRect(ToQPoint(kOffBoard), ToQSize(kCardSize)));
        card->setEnabled(false);
        card->setAccessibleName(QString::fromStdString(CardName(static_cast<Int16>(c))));
        cards_[c] = card;
    }
    for (int i = 0; i <= kSlotCount; ++i) {
        slots_[i] = new PicturePlace(ControlArrayName(QStringLiteral("img_crdbrd"), i), i, this);
        slots_[i]->resize(ToQSize(kCardSize));
    }
    for (int k = 1; k <= kFoundationCount; ++k) {
        foundations_[k] = new PicturePlace(ControlArrayName(QStringLiteral("img_ace"), k), k, this);
        foundations_[k]->resize(ToQSize(kCardSize));
    }
    buffer_ = new PicturePlace(QStringLiteral("img_buffer"), 0, this);
    buffer_->setGeometry(QRect(ToQPoint(kOffBoard), ToQSize(kCardSize)));
    buffer_->setAccessibleName(QStringLiteral("Held card"));

    border_ = new PicturePlace(QStringLiteral("img_border"), 0, this);
    border_->resize(ToQSize(kCardSize));
    border_->setPicture(LoadPicture(QStringLiteral(":/assets/border.gif")));

    splash_ = new QLabel(this);
    splash_->setObjectName(QStringLiteral("lbl_splash"));
    splash_->setGeometry(kOffBoard.x(), kOffBoard.y() + kCardSize.height() + 8, 11, 26);
    splash_->hide();

    undo_ = new PicturePlace(QStringLiteral("img_undo"), 0, this);
    undo_->resize(ToQSize(kUndoRect.size()));
    undo_->setPicture(LoadPicture(QStringLiteral(":/assets/undo.gif")));
    undo_->setAccessibleName(QString::fromStdString(UndoName()));

    // The design state is the model's initial state; show it in full once.
    const BoardModel design;
    for (int i = 0; i <= kSlotCount; ++i)
        ShowSlot(i, design.slot_places[i]);
    for (int k = 1; k <= kFoundationCount; ++k)
        ShowFoundation(k, design.foundations[k]);
    buffer_->hide();
    ShowBorder(design);
    border_->setVisible(design.border_visible);
    undo_->setVisible(design.undo_visible);
    applied_ = design;
}

void BoardSurface::PlacePlaces()
{
    for (int i = 1; i <= kSlotCount; ++i)
        slots_[i]->setGeometry(QRect(ToQPoint(SlotTopLeft(i)), ToQSize(kCardSize)));
    slots_[0]->setGeometry(QRect(ToQPoint(kOffBoard), ToQSize(kCardSize)));
    for (int k = 1; k <= kFoundationCount; ++k)
        foundations_[k]->setGeometry(QRect(ToQPoint(FoundationTopLeft(k)), ToQSize(kCardSize)));
    undo_->setGeometry(ToQRect(kUndoRect));
}

PicturePlace* BoardSurface::card(int code) const
{
    // The board starts empty, so no face is needed for the first frame, and
    // decoding all 52 GIFs was the largest part of start-up. Each face is
    // decoded the first time anything asks for it, and kept from then on.
    PicturePlace* place = cards_[code];
    if (place->picture().isNull())
        place->setPicture(LoadPicture(FacePath(code)));
    return place;
}

QPixmap BoardSurface::Face(Int16 code) const
{
    // A place shows a card by taking the picture of the stock's face.
    return code == kNoFace ? QPixmap() : card(code)->picture();
}

void BoardSurface::ShowSlot(int index, const Place& place)
{
    PicturePlace* widget = slots_[index];
    widget->setPicture(Face(place.face));
    SetName(widget, QString::fromStdString(SlotName(place.face)));
    SetState(widget, place.visible, place.enabled);
}

void BoardSurface::ShowFoundation(int index, const Place& place)
{
    PicturePlace* widget = foundations_[index];
    widget->setPicture(Face(place.face));
    SetName(widget, QString::fromStdString(FoundationName(static_cast<Int16>(index), place.face)));
    SetState(widget, place.visible, place.enabled);
}

void BoardSurface::ShowBorder(const BoardModel& model)
{
    if (model.border_slot >= 1 && model.border_slot <= kSlotCount)
        border_->move(slots_[model.border_slot]->pos());
    const Int16 under = model.border_slot >= 1 && model.border_slot <= kSlotCount
        ? model.slot_places[model.border_slot].face
        : kNoFace;
    SetName(border_, QString::fromStdString(SelectionFrameName(under)));
}

void BoardSurface::Apply(const BoardModel& model)
{
    // The new board is what the places' accessible names are built from, and
    // a name set below is read out at once: the model has to be in place first.
    const BoardModel was = applied_;
    applied_ = model;
    for (int i = 0; i <= kSlotCount; ++i) {
        if (model.slot_places[i] != was.slot_places[i])
            ShowSlot(i, model.slot_places[i]);
    }
    for (int k = 1; k <= kFoundationCount; ++k) {
        if (model.foundations[k] != was.foundations[k])
            ShowFoundation(k, model.foundations[k]);
    }
    if (model.held_face != was.held_face)
        buffer_->setPicture(Face(model.held_face));
    if (model.border_slot != was.border_slot || model.border_visible != was.border_visible)
        ShowBorder(model);
    if (model.border_visible != was.border_visible)
        border_->setVisible(model.border_visible);
    if (model.undo_visible != was.undo_visible)
        undo_->setVisible(model.undo_visible);
}

void BoardSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawPixmap(QPoint(0, 0), background_);
}

} // namespace quarrow
