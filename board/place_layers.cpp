#include "board/place_layers.h"

#include "board/board_geometry.h"

namespace quarrow {

bool Layer::Draws() const
{
    if (!shown)
        return false;
    switch (place.kind) {
    case FocusPlace::Kind::Slot:
    case FocusPlace::Kind::Foundation:
        return face != kNoFace;
    case FocusPlace::Kind::Frame:
    case FocusPlace::Kind::Undo:
        return true;
    case FocusPlace::Kind::None:
        break;
    }
    return false;
}

std::vector<Layer> BoardLayers(const BoardModel& model)
{
    std::vector<Layer> layers;
    layers.reserve(kSlotCount + kFoundationCount + 2);
    for (int i = 1; i <= kSlotCount; ++i) {
        const Place& slot = model.slot_places[i];
        layers.push_back({SlotPlace(i), Rect(SlotTopLeft(i), kCardSize), slot.visible, slot.enabled, slot.face});
    }
    for (int k = 1; k <= kFoundationCount; ++k) {
        const Place& foundation = model.foundations[k];
        layers.push_back({FoundationPlace(k), Rect(FoundationTopLeft(k), kCardSize), foundation.visible,
                          foundation.enabled, foundation.face});
    }
    // The frame stays where it was last put while hidden; before it was ever
    // put anywhere it is hidden at the top-left corner.
    const bool placed = model.border_slot >= 1 && model.border_slot <= kSlotCount;
    layers.push_back({FramePlace(placed ? model.border_slot : 0),
                      Rect(placed ? SlotTopLeft(model.border_slot) : Point(0, 0), kCardSize),
                      model.border_visible && placed, true, kNoFace});
    layers.push_back({UndoPlace(), kUndoRect, model.undo_visible, true, kNoFace});
    return layers;
}

std::vector<Rect> ChangedAreas(const BoardModel& before, const BoardModel& after)
{
    const std::vector<Layer> was = BoardLayers(before);
    const std::vector<Layer> now = BoardLayers(after);
    std::vector<Rect> areas;
    for (std::size_t n = 0; n < was.size(); ++n) {
        const Layer& a = was[n];
        const Layer& b = now[n];
        if (a.Draws() == b.Draws() && (!a.Draws() || (a.face == b.face && a.rect == b.rect)))
            continue;
        if (a.Draws())
            areas.push_back(a.rect);
        if (b.Draws() && !(a.Draws() && a.rect == b.rect))
            areas.push_back(b.rect);
    }
    return areas;
}

} // namespace quarrow
