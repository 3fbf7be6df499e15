#include "board/web/board_view.h"

#include "board/focus_outline.h"
#include "board/place_names.h"

namespace quarrow {

std::vector<PlaceView> BoardView(const BoardModel& model)
{
    std::vector<PlaceView> views;
    for (const Layer& layer : BoardLayers(model)) {
        PlaceView& view = views.emplace_back();
        static_cast<Layer&>(view) = layer;
        switch (layer.place.kind) {
        case FocusPlace::Kind::Slot: {
            const int i = layer.place.index;
            view.selected = model.border_visible && model.border_slot == i;
            // A card that takes clicks says where it lies; a covered one is
            // only part of its fan's picture.
            view.name = layer.shown && layer.enabled ? LocatedName(model, SlotName(layer.face), i) : SlotName(layer.face);
            if (layer.shown && !layer.enabled)
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
            view.name = under >= 1 && IsFocusable(model, layer.place) ? LocatedName(model, SlotName(face), under)
                                                                       : SelectionFrameName(face);
            break;
        }
        case FocusPlace::Kind::Undo:
            view.name = UndoName();
            break;
        case FocusPlace::Kind::None:
            break;
        }
    }
    return views;
}

std::string PlaceKey(FocusPlace place)
{
    switch (place.kind) {
    case FocusPlace::Kind::Slot:
        return "s" + std::to_string(place.index);
    case FocusPlace::Kind::Foundation:
        return "f" + std::to_string(place.index);
    case FocusPlace::Kind::Frame:
        return "frame";
    case FocusPlace::Kind::Undo:
        return "undo";
    case FocusPlace::Kind::None:
        break;
    }
    return {};
}

Rect FocusMarkRect(const FocusKeeper& keys)
{
    return keys.MarkVisible() ? FocusOutline(keys.current()) : Rect();
}

std::string FocusMarkSvg(const Rect& outline)
{
    if (outline.isEmpty())
        return {};
    std::string path;
    for (const Rect& dash : FocusDashes(outline)) {
        path += 'M' + std::to_string(dash.x() - outline.x()) + ' ' + std::to_string(dash.y() - outline.y()) + 'h'
            + std::to_string(dash.width()) + 'v' + std::to_string(dash.height()) + 'h'
            + std::to_string(-dash.width()) + 'z';
    }
    const std::string ink = "rgb(" + std::to_string(kFocusInk.red) + ',' + std::to_string(kFocusInk.green) + ','
        + std::to_string(kFocusInk.blue) + ')';
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(outline.width()) + "\" height=\""
        + std::to_string(outline.height()) + "\" shape-rendering=\"crispEdges\"><path fill=\"" + ink + "\" d=\""
        + path + "\"/></svg>";
}

} // namespace quarrow
