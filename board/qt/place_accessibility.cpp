#include "board/qt/place_accessibility.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QPointer>

#include "board/qt/board_surface.h"
#include "board/qt/keyboard_play.h"
#include "board/board_view.h"
#include "services/qt/picture_place.h"

namespace quarrow {

namespace {

class PlaceAccessible final : public QAccessibleWidget {
public:
    explicit PlaceAccessible(PicturePlace* place)
        : QAccessibleWidget(place, QAccessible::Button)
    {
    }

    QAccessible::Role role() const override
    {
        return Place().kind == FocusPlace::Kind::None ? QAccessible::Graphic : QAccessible::Button;
    }

    QString text(QAccessible::Text t) const override
    {
        const FocusPlace place = Place();
        if (place.kind != FocusPlace::Kind::None) {
            if (t == QAccessible::Name)
                return QString::fromStdString(View(place).name);
            if (t == QAccessible::Description)
                return QString::fromStdString(View(place).description);
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const FocusPlace place = Place();
        // The stock of faces and the held picture lie beside the board,
        // where no one sees them.
        if (!widget()->parentWidget()->rect().intersects(widget()->geometry())) {
            s.invisible = true;
            s.offscreen = true;
        }
        if (place.kind == FocusPlace::Kind::None)
            return s;
        const PlaceView view = View(place);
        if (!view.readable) {
            s.invisible = true;
            return s;
        }
        const KeyboardPlay* keys = Keys();
        s.focusable = view.pressable;
        s.focused = keys && keys->HasFocus(place);
        if (place.kind == FocusPlace::Kind::Slot || place.kind == FocusPlace::Kind::Frame) {
            s.selectable = view.pressable;
            s.selected = view.selected;
            s.checkable = s.selectable;
            s.checked = s.selected;
        }
        return s;
    }

    QStringList actionNames() const override
    {
        return View(Place()).pressable ? QStringList {pressAction()} : QStringList {};
    }

    void doAction(const QString& name) override
    {
        KeyboardPlay* keys = Keys();
        if (name != pressAction() || !keys || BoardIsBlocked())
            return;
        // After the reply: a refused move opens a modal notice, and the
        // screen reader's call must not wait for the player to close it. A
        // modal window may have opened meanwhile, so it is asked again.
        const FocusPlace place = Place();
        QPointer<KeyboardPlay> guard = keys;
        QMetaObject::invokeMethod(keys, [guard, place] {
            if (guard && !BoardIsBlocked())
                guard->Activate(place);
        }, Qt::QueuedConnection);
    }

private:
    PlaceView View(FocusPlace place) const { return ViewOfPlace(Model(), place); }

    BoardSurface* Surface() const { return qobject_cast<BoardSurface*>(widget()->parentWidget()); }

    KeyboardPlay* Keys() const
    {
        BoardSurface* surface = Surface();
        return surface ? surface->findChild<KeyboardPlay*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    }

    const BoardModel& Model() const { return Surface()->applied(); }

    FocusPlace Place() const
    {
        const KeyboardPlay* keys = Keys();
        if (!keys)
            return NoPlace();
        // The frame stands for the card under it on the board now shown,
        // also while the keyboard has yet to follow the change.
        if (widget() == Surface()->border())
            return FramePlace(Model().border_slot);
        return keys->PlaceOf(widget());
    }
};

// The board as a whole: a named group of the place buttons, whose focus child
// is the focused place, so a screen reader that lands on the board lands on
// the place. While a place holds the focus the board does not claim it too.
class BoardAccessible final : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardSurface* surface)
        : QAccessibleWidget(surface, QAccessible::Grouping)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? QStringLiteral("Board") : QAccessibleWidget::text(t);
    }

    QAccessibleInterface* focusChild() const override
    {
        QWidget* place = FocusedPlace();
        return place ? QAccessible::queryAccessibleInterface(place) : nullptr;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (FocusedPlace())
            s.focused = false;
        return s;
    }

    void doAction(const QString& name) override
    {
        if (!BoardIsBlocked())
            QAccessibleWidget::doAction(name);
    }

private:
    QWidget* FocusedPlace() const
    {
        const auto* keys = widget()->findChild<KeyboardPlay*>(QString(), Qt::FindDirectChildrenOnly);
        return keys && keys->HasFocus(keys->current()) ? keys->WidgetOf(keys->current()) : nullptr;
    }
};

QAccessibleInterface* PlaceFactory(const QString& className, QObject* object)
{
    if (auto* surface = qobject_cast<BoardSurface*>(object);
        surface && className == QLatin1String(BoardSurface::staticMetaObject.className()))
        return new BoardAccessible(surface);

    auto* place = qobject_cast<PicturePlace*>(object);
    if (className != QLatin1String(PicturePlace::staticMetaObject.className()) || !place
        || !qobject_cast<BoardSurface*>(place->parentWidget()))
        return nullptr;
    return new PlaceAccessible(place);
}

bool Shown(QWidget* place)
{
    return place->isVisibleTo(place->parentWidget()) && !QAccessible::queryAccessibleInterface(place)->state().invisible;
}

} // namespace

bool BoardIsBlocked()
{
    return QApplication::activeModalWidget() || QGuiApplication::modalWindow();
}

PlaceNames TakePlaceNames(const BoardSurface& surface)
{
    PlaceNames names;
    if (!QAccessible::isActive())
        return names;
    for (int i = 1; i <= kSlotCount; ++i)
        names.places.push_back(surface.slot(i));
    for (int k = 1; k <= kFoundationCount; ++k)
        names.places.push_back(surface.foundation(k));
    names.places.push_back(surface.border());
    names.places.push_back(surface.undo());
    for (QWidget* place : names.places) {
        names.spoken.push_back(QAccessible::queryAccessibleInterface(place)->text(QAccessible::Name));
        names.own.push_back(place->accessibleName());
        names.shown.push_back(Shown(place));
    }
    return names;
}

void AnnounceRenamedPlaces(const PlaceNames& before)
{
    for (std::size_t n = 0; n < before.places.size(); ++n) {
        QWidget* place = before.places[n];
        QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(place);
        if (!before.shown[n] || !Shown(place) || place->accessibleName() != before.own[n]
            || a11y->text(QAccessible::Name) == before.spoken[n])
            continue;
        QAccessibleEvent event(place, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void InstallPlaceAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(PlaceFactory);
        return true;
    }();
    (void)installed;
}

} // namespace quarrow
