#include "board/keyboard_play.h"

#include <QAccessible>
#include <QKeyEvent>

#include "board/board_surface.h"
#include "board/focus_mark.h"
#include "services/picture_place.h"

namespace quarrow {

KeyboardPlay::KeyboardPlay(BoardSurface& surface, FocusMark& mark, std::function<void(FocusPlace)> activate)
    : QObject(&surface)
    , surface_(surface)
    , mark_(mark)
    , activate_(std::move(activate))
    , shown_(surface.applied())
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
        return FramePlace(shown_.border_slot);
    if (place == surface_.undo())
        return UndoPlace();
    return NoPlace();
}

bool KeyboardPlay::HasFocus(FocusPlace place) const
{
    return place.kind != FocusPlace::Kind::None && place == current_ && surface_.hasFocus();
}

void KeyboardPlay::Follow(const BoardModel& model)
{
    const FocusPlace next = Refocus(shown_, model, current_);
    shown_ = model;
    if (next != current_) {
        current_ = next;
        Announce();
    }
    UpdateMark();
}

void KeyboardPlay::Dealt(const BoardModel& model)
{
    shown_ = model;
    MoveTo(FanPlace(model, 1));
}

void KeyboardPlay::Activate(FocusPlace place)
{
    if (!IsFocusable(shown_, place))
        return;
    // The handler mirrors the board, and Follow moves the focus if the place went.
    current_ = place;
    activate_(place);
}

void KeyboardPlay::MoveTo(FocusPlace place)
{
    if (place != current_) {
        current_ = place;
        Announce();
    }
    UpdateMark();
}

void KeyboardPlay::ShowMark(bool shown)
{
    if (mark_shown_ == shown)
        return;
    mark_shown_ = shown;
    UpdateMark();
}

void KeyboardPlay::UpdateMark()
{
    QWidget* widget = WidgetOf(current_);
    if (!mark_shown_ || !widget || !IsFocusable(shown_, current_)) {
        mark_.hide();
        return;
    }
    const QRect rect = PlaceRect(current_);
    QWidget* over = mark_.parentWidget();
    mark_.ShowAround(QRect(surface_.mapTo(over, rect.topLeft()), rect.size()),
                     current_.kind == FocusPlace::Kind::Undo);
}

void KeyboardPlay::Announce()
{
    QWidget* widget = WidgetOf(current_);
    if (!widget || !surface_.hasFocus())
        return;
    QAccessibleEvent event(widget, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

bool KeyboardPlay::KeyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    // Keys with Alt or Ctrl stay with the menus.
    if (modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))
        return false;
    FocusMove move;
    switch (key) {
    case Qt::Key_Left:
        move = FocusMove::Left;
        break;
    case Qt::Key_Right:
        move = FocusMove::Right;
        break;
    case Qt::Key_Up:
        move = FocusMove::Up;
        break;
    case Qt::Key_Down:
        move = FocusMove::Down;
        break;
    case Qt::Key_Tab:
        move = modifiers & Qt::ShiftModifier ? FocusMove::Previous : FocusMove::Next;
        break;
    case Qt::Key_Backtab:
        move = FocusMove::Previous;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Until the mark shows, the player cannot see what a key would act
        // on: the first key only shows where the focus is.
        if (mark_shown_ && IsFocusable(shown_, current_)) {
            Activate(current_);
            return true;
        }
        if (!IsFocusable(shown_, current_))
            MoveTo(MoveFocus(shown_, NoPlace(), FocusMove::Next));
        ShowMark(true);
        Announce();
        return true;
    default:
        return false;
    }
    if (!mark_shown_ && IsFocusable(shown_, current_)) {
        ShowMark(true);
        Announce();
        return true;
    }
    ShowMark(true);
    MoveTo(MoveFocus(shown_, IsFocusable(shown_, current_) ? current_ : NoPlace(), move));
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
        // place's comes after it, once the focus change is complete.
        if (watched == &surface_)
            QMetaObject::invokeMethod(this, &KeyboardPlay::Announce, Qt::QueuedConnection);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        ShowMark(false);
        const FocusPlace place = PlaceOf(qobject_cast<QWidget*>(watched));
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && IsFocusable(shown_, place))
            MoveTo(place);
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace quarrow
