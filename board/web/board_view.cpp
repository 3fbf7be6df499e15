#include "board/web/board_view.h"

#include "board/board_geometry.h"
#include "board/focus_mark_shape.h"
#include "board/place_names.h"

namespace quarrow {

namespace {

PlaceView SlotView(const BoardModel& model, int i)
{
    const Place& slot = model.slot_places[i];
    PlaceView view;
    view.place = SlotPlace(i);
    view.rect = PlaceRect(view.place);
    view.face = slot.face;
    view.shown = slot.visible;
    view.enabled = slot.enabled;
    view.selected = model.border_visible && model.border_slot == i;
    // A card that takes clicks says where it lies; a covered one is only part
    // of its fan's picture.
    view.name = slot.visible && slot.enabled ? LocatedName(model, SlotName(slot.face), i) : SlotName(slot.face);
    if (slot.visible && !slot.enabled)
        view.description = CoveredDescription(i);
    return view;
}

PlaceView FrameView(const BoardModel& model)
{
    const int under = model.border_slot;
    const bool placed = under >= 1 && under <= kSlotCount;
    PlaceView view;
    view.place = FramePlace(under);
    view.rect = placed ? PlaceRect(SlotPlace(under)) : Rect(kOffBoard, kCardSize);
    view.shown = model.border_visible;
    view.enabled = model.border_visible;
    view.selected = model.border_visible;
    const Int16 face = placed ? model.slot_places[under].face : kNoFace;
    view.name = placed && IsFocusable(model, view.place) ? LocatedName(model, SlotName(face), under)
                                                           : SelectionFrameName(face);
    return view;
}

} // namespace

std::vector<PlaceView> BoardView(const BoardModel& model)
{
    std::vector<PlaceView> views;
    views.reserve(kSlotCount + kFoundationCount + 2);
    for (int i = 1; i <= kSlotCount; ++i)
        views.push_back(SlotView(model, i));
    for (int k = 1; k <= kFoundationCount; ++k) {
        const Place& foundation = model.foundations[k];
        PlaceView& view = views.emplace_back();
        view.place = FoundationPlace(k);
        view.rect = PlaceRect(view.place);
        view.face = foundation.face;
        view.shown = foundation.visible;
        view.enabled = foundation.enabled;
        view.name = FoundationName(static_cast<Int16>(k), foundation.face);
    }
    views.push_back(FrameView(model));
    PlaceView& undo = views.emplace_back();
    undo.place = UndoPlace();
    undo.rect = PlaceRect(undo.place);
    undo.shown = model.undo_visible;
    undo.enabled = model.undo_visible;
    undo.name = UndoName();
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
    if (!keys.MarkVisible())
        return {};
    const FocusPlace place = keys.current();
    return FocusMarkOutline(PlaceRect(place), place.kind == FocusPlace::Kind::Undo);
}

} // namespace quarrow
