#include "board/qt/place_accessibility.h"

#include <QAccessibleWidget>

#include "board/qt/board_surface.h"
#include "board/qt/keyboard_play.h"
#include "board/place_names.h"
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
        if (t == QAccessible::Name) {
            // A place that takes clicks says where it lies; a covered card is
            // only part of the fan's picture.
            if (place.kind == FocusPlace::Kind::Frame && IsFocusable(Model(), place))
                return LocatedName(QString::fromStdString(SlotName(Model().slot_places[place.index].face)), place.index);
            if (place.kind == FocusPlace::Kind::Slot && Model().slot_places[place.index].visible
                && Model().slot_places[place.index].enabled)
                return LocatedName(widget()->accessibleName(), place.index);
        }
        if (t == QAccessible::Description && place.kind == FocusPlace::Kind::Slot
            && Model().slot_places[place.index].visible && !Model().slot_places[place.index].enabled)
            return QString::fromStdString(CoveredDescription(place.index));
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
        const KeyboardPlay* keys = Keys();
        const BoardModel& model = Model();
        s.focusable = IsFocusable(model, place);
        s.focused = keys && keys->HasFocus(place);
        if (place.kind == FocusPlace::Kind::Slot || place.kind == FocusPlace::Kind::Frame) {
            const bool under_frame = model.border_visible && model.border_slot == place.index;
            s.selectable = s.focusable || under_frame;
            s.selected = under_frame;
            s.checkable = s.selectable;
            s.checked = under_frame;
        }
        return s;
    }

    QStringList actionNames() const override
    {
        return IsFocusable(Model(), Place()) ? QStringList {pressAction()} : QStringList {};
    }

    void doAction(const QString& name) override
    {
        if (name != pressAction())
            return;
        // After the reply: a refused move opens a modal notice, and the
        // screen reader's call must not wait for the player to close it.
        if (KeyboardPlay* keys = Keys()) {
            const FocusPlace place = Place();
            QMetaObject::invokeMethod(keys, [keys, place] { keys->Activate(place); }, Qt::QueuedConnection);
        }
    }

private:
    QString LocatedName(const QString& card, int slot) const
    {
        return QString::fromStdString(quarrow::LocatedName(Model(), card.toStdString(), slot));
    }

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
        return keys ? keys->PlaceOf(widget()) : NoPlace();
    }
};

QAccessibleInterface* PlaceFactory(const QString& className, QObject* object)
{
    auto* place = qobject_cast<PicturePlace*>(object);
    if (className != QLatin1String(PicturePlace::staticMetaObject.className()) || !place
        || !qobject_cast<BoardSurface*>(place->parentWidget()))
        return nullptr;
    return new PlaceAccessible(place);
}

} // namespace

void InstallPlaceAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(PlaceFactory);
        return true;
    }();
    (void)installed;
}

} // namespace quarrow
