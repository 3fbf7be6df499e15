#include "board/qt/keyboard_play.h"

#include <QAccessible>
#include <QKeyEvent>

#include "board/qt/board_surface.h"
#include "board/qt/focus_mark.h"
#include "services/qt/picture_place.h"

namespace quarrow {

KeyboardPlay::KeyboardPlay(BoardSurface& surface, FocusMark& mark, std::function<void(FocusPlace)> activate)
    : QObject(&surface)
    , surface_(surface)
    , mark_(mark)
    , activate_(std::move(activate))
    , keeper_(surface.applied())
{
    setObjectName(QStringLiteral("keyboard_play"));
    surface_.setFocusPolicy(Qt::StrongFocus);
    surface_.installEventFilter(this);
    // Presses reach a place first; a disabled one passes them on to the board.
    for (int i = 1; i <= kSlotCount; ++i)
        surface_.slot(i)->installEventFilter(this);
    for (int k = 1; k <= kFoundationCount; ++k)
        surface_.foundation(k)->installEventFilter(this);
    surface_.border()->installEventFilter(this);
    surface_.undo()->installEventFilter(this);
}

QWidget* KeyboardPlay::WidgetOf(FocusPlace place) const
{
    switch (place.kind) {
    case FocusPlace::Kind::Foundation:
        return surface_.foundation(place.index);
    case FocusPlace::Kind::Slot:
        return surface_.slot(place.index);
    case FocusPlace::Kind::Frame:
        return surface_.border();
    case FocusPlace::Kind::Undo:
        return surface_.undo();
    case FocusPlace::Kind::None:
        break;
    }
    return nullptr;
}

FocusPlace KeyboardPlay::PlaceOf(const QWidget* widget) const
{
    const auto* place = qobject_cast<const PicturePlace*>(widget);
    if (!place || place->parentWidget() != &surface_)
        return NoPlace();
    const int index = place->index();
    if (index >= 1 && index <= kSlotCount && place == surface_.slot(index))
        return SlotPlace(index);
    if (index >= 1 && index <= kFoundationCount && place == surface_.foundation(index))
        return FoundationPlace(index);
    if (place == surface_.border())
        return FramePlace(keeper_.shown().border_slot);
    if (place == surface_.undo())
        return UndoPlace();
    return NoPlace();
}

bool KeyboardPlay::HasFocus(FocusPlace place) const
{
    return place.kind != FocusPlace::Kind::None && place == keeper_.current() && surface_.hasFocus();
}

void KeyboardPlay::Follow(const BoardModel& model)
{
    Apply(keeper_.Follow(model));
}

void KeyboardPlay::Dealt(const BoardModel& model)
{
    Apply(keeper_.Dealt(model));
}

void KeyboardPlay::Activate(FocusPlace place)
{
    Apply(keeper_.Activate(place));
}

void KeyboardPlay::Apply(const FocusOutcome& outcome)
{
    if (outcome.announce)
        Announce();
    UpdateMark();
    if (outcome.activate.kind != FocusPlace::Kind::None)
        activate_(outcome.activate);
}

void KeyboardPlay::UpdateMark()
{
    const FocusPlace current = keeper_.current();
    QWidget* widget = WidgetOf(current);
    if (!keeper_.MarkVisible() || !widget) {
        mark_.hide();
        return;
    }
    const Rect rect = PlaceRect(current);
    QWidget* over = mark_.parentWidget();
    mark_.ShowAround(QRect(surface_.mapTo(over, QPoint(rect.x(), rect.y())), QSize(rect.width(), rect.height())),
                     current.kind == FocusPlace::Kind::Undo);
}

void KeyboardPlay::Announce()
{
    QWidget* widget = WidgetOf(keeper_.current());
    if (!widget || !surface_.hasFocus())
        return;
    ++announced_;
    QAccessibleEvent event(widget, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

bool KeyboardPlay::KeyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    // Keys with Alt or Ctrl stay with the menus.
    if (modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
        return false;
    BoardKey boardKey;
    switch (key) {
    case Qt::Key_Left:
        boardKey = BoardKey::Left;
        break;
    case Qt::Key_Right:
        boardKey = BoardKey::Right;
        break;
    case Qt::Key_Up:
        boardKey = BoardKey::Up;
        break;
    case Qt::Key_Down:
        boardKey = BoardKey::Down;
        break;
    case Qt::Key_Tab:
        boardKey = modifiers & Qt::ShiftModifier ? BoardKey::Previous : BoardKey::Next;
        break;
    case Qt::Key_Backtab:
        boardKey = BoardKey::Previous;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        boardKey = BoardKey::Activate;
        break;
    default:
        return false;
    }
    Apply(keeper_.Key(boardKey));
    return true;
}

bool KeyboardPlay::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == &surface_) {
            const auto* key = static_cast<QKeyEvent*>(event);
            return KeyPressed(key->key(), key->modifiers());
        }
        break;
    case QEvent::FocusIn:
        // The window's own focus announcement is for the whole board; the
        // place's comes after it, once the focus change is complete, unless
        // the event that gave the board the keyboard back (a menu command,
        // a deal) has announced the place already.
        if (watched == &surface_) {
            const int seen = announced_;
            QMetaObject::invokeMethod(this, [this, seen] {
                if (announced_ == seen)
                    Announce();
            }, Qt::QueuedConnection);
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const bool left = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        Apply(keeper_.Clicked(left ? PlaceOf(qobject_cast<QWidget*>(watched)) : NoPlace()));
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace quarrow
