#include "board/board_view.h"

#include "board/place_names.h"

namespace quarrow {

namespace {

PlaceView ViewOf(const BoardModel& model, const Layer& layer)
{
    PlaceView view;
    static_cast<Layer&>(view) = layer;
    view.readable = layer.shown;
    view.pressable = IsFocusable(model, layer.place);
    switch (layer.place.kind) {
    case FocusPlace::Kind::Slot: {
        const int i = layer.place.index;
        // The frame over it speaks for the selected card, under the same
        // name: two nodes would read as two selected cards.
        if (model.border_visible && model.border_slot == i)
            view.readable = false;
        view.covered = layer.shown && !layer.enabled;
        // A card that takes clicks says where it lies; a covered one is
        // only part of its fan's picture.
        view.name = layer.shown && layer.enabled ? LocatedName(model, SlotName(layer.face), i) : SlotName(layer.face);
        if (view.covered)
            view.description = CoveredDescription(i);
        break;
    }
    case FocusPlace::Kind::Foundation:
        view.name = FoundationName(static_cast<Int16>(layer.place.index), layer.face);
        break;
    case FocusPlace::Kind::Frame: {
        const int under = layer.place.index;
        const Int16 face = under >= 1 ? model.slot_places[under].face : kNoFace;
        view.selected = layer.shown;
        view.name = view.pressable ? LocatedName(model, SlotName(face), under) : SelectionFrameName(face);
        break;
    }
    case FocusPlace::Kind::Undo:
        view.name = UndoName();
        break;
    case FocusPlace::Kind::None:
        break;
    }
    return view;
}

} // namespace

std::vector<PlaceView> BoardView(const BoardModel& model)
{
    std::vector<PlaceView> views;
    for (const Layer& layer : BoardLayers(model))
        views.push_back(ViewOf(model, layer));
    return views;
}

PlaceView ViewOfPlace(const BoardModel& model, FocusPlace place)
{
    for (const Layer& layer : BoardLayers(model))
        if (layer.place.kind == place.kind && (place.kind == FocusPlace::Kind::Frame || layer.place == place))
            return ViewOf(model, layer);
    return {};
}

} // namespace quarrow
