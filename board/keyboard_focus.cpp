#include "board/keyboard_focus.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "board/board_geometry.h"

namespace quarrow {

namespace {

bool FrameOver(const BoardModel& model, int slot)
{
    return model.border_visible && model.border_slot == slot;
}

bool SlotShown(const BoardModel& model, int slot)
{
    return slot >= 1 && slot <= kSlotCount && model.slot_places[slot].visible;
}

// How far a place lies off the line of a move: a place the focus's row (or
// column) runs through is "in line"; for the others the gap counts three
// times the distance along, so a row is finished before the next is entered.
struct Candidate {
    bool in_line;
    int along;
    int across;
};

bool Better(const Candidate& a, const Candidate& b)
{
    if (a.in_line != b.in_line)
        return a.in_line;
    if (a.in_line)
        return a.along != b.along ? a.along < b.along : a.across < b.across;
    constexpr int kAcrossWeight = 3;
    return a.along + kAcrossWeight * a.across < b.along + kAcrossWeight * b.across;
}

bool Overlap(int a0, int a1, int b0, int b1)
{
    return a0 < b1 && b0 < a1;
}

FocusPlace Nearest(const std::vector<FocusPlace>& places, Point to)
{
    FocusPlace best;
    int bestDistance = std::numeric_limits<int>::max();
    for (const FocusPlace& place : places) {
        const Point d = PlaceRect(place).center() - to;
        const int distance = d.x() * d.x() + d.y() * d.y();
        if (distance < bestDistance) {
            bestDistance = distance;
            best = place;
        }
    }
    return best;
}

// The focusable place that stands for slot i: the slot, or the frame over it.
FocusPlace AtSlot(const BoardModel& model, int slot)
{
    if (slot < 1 || slot > kSlotCount)
        return NoPlace();
    if (IsFocusable(model, FramePlace(slot)))
        return FramePlace(slot);
    if (IsFocusable(model, SlotPlace(slot)))
        return SlotPlace(slot);
    return NoPlace();
}

} // namespace

bool IsFocusable(const BoardModel& model, FocusPlace place)
{
    switch (place.kind) {
    case FocusPlace::Kind::Foundation:
        return place.index >= 1 && place.index <= kFoundationCount
            && model.foundations[place.index].face != kNoFace && model.foundations[place.index].visible
            && model.foundations[place.index].enabled;
    case FocusPlace::Kind::Slot:
        return place.index >= 1 && place.index <= kSlotCount && model.slot_places[place.index].visible
            && model.slot_places[place.index].enabled && !FrameOver(model, place.index);
    case FocusPlace::Kind::Frame:
        return place.index >= 1 && place.index <= kSlotCount && FrameOver(model, place.index);
    case FocusPlace::Kind::Undo:
        return model.undo_visible;
    case FocusPlace::Kind::None:
        break;
    }
    return false;
}

std::vector<FocusPlace> FocusablePlaces(const BoardModel& model)
{
    std::vector<FocusPlace> places;
    for (int k = 1; k <= kFoundationCount; ++k) {
        if (IsFocusable(model, FoundationPlace(k)))
            places.push_back(FoundationPlace(k));
    }
    for (int i = 1; i <= kSlotCount; ++i) {
        const FocusPlace place = AtSlot(model, i);
        if (place.kind != FocusPlace::Kind::None)
            places.push_back(place);
    }
    if (IsFocusable(model, UndoPlace()))
        places.push_back(UndoPlace());
    return places;
}

Rect PlaceRect(FocusPlace place)
{
    switch (place.kind) {
    case FocusPlace::Kind::Foundation:
        return {FoundationTopLeft(place.index), kCardSize};
    case FocusPlace::Kind::Slot:
    case FocusPlace::Kind::Frame:
        return {SlotTopLeft(place.index), kCardSize};
    case FocusPlace::Kind::Undo:
        return kUndoRect;
    case FocusPlace::Kind::None:
        break;
    }
    return {};
}

FocusPlace MoveFocus(const BoardModel& model, FocusPlace from, FocusMove move)
{
    const std::vector<FocusPlace> places = FocusablePlaces(model);
    if (places.empty())
        return NoPlace();
    const auto here = std::find(places.begin(), places.end(), from);
    if (here == places.end())
        return places.front();

    if (move == FocusMove::Next)
        return std::next(here) == places.end() ? places.front() : *std::next(here);
    if (move == FocusMove::Previous)
        return here == places.begin() ? places.back() : *std::prev(here);

    const Rect origin = PlaceRect(from);
    const bool horizontal = move == FocusMove::Left || move == FocusMove::Right;
    const int sign = move == FocusMove::Right || move == FocusMove::Down ? 1 : -1;
    FocusPlace best = from;
    Candidate bestScore {};
    bool found = false;
    for (const FocusPlace& place : places) {
        const Rect rect = PlaceRect(place);
        const Point d = rect.center() - origin.center();
        const int along = sign * (horizontal ? d.x() : d.y());
        if (along <= 0)
            continue;
        const Candidate score {
            horizontal ? Overlap(rect.top(), rect.bottom() + 1, origin.top(), origin.bottom() + 1)
                       : Overlap(rect.left(), rect.right() + 1, origin.left(), origin.right() + 1),
            along, std::abs(horizontal ? d.y() : d.x())};
        if (!found || Better(score, bestScore)) {
            best = place;
            bestScore = score;
            found = true;
        }
    }
    return best;
}

FocusPlace FanPlace(const BoardModel& model, int fan)
{
    for (int i = 3 * fan; i >= 3 * fan - 2; --i) {
        const FocusPlace place = AtSlot(model, i);
        if (place.kind != FocusPlace::Kind::None)
            return place;
    }
    return NoPlace();
}

FocusPlace Refocus(const BoardModel& before, const BoardModel& after, FocusPlace was)
{
    if (IsFocusable(after, was))
        return was;
    const std::vector<FocusPlace> places = FocusablePlaces(after);
    if (places.empty())
        return NoPlace();

    if (was.kind == FocusPlace::Kind::Undo) {
        // The undone card is the one that came back into view.
        for (int i = 1; i <= kSlotCount; ++i) {
            if (!SlotShown(before, i) && SlotShown(after, i) && AtSlot(after, i).kind != FocusPlace::Kind::None)
                return AtSlot(after, i);
        }
    }
    if (was.kind == FocusPlace::Kind::Slot || was.kind == FocusPlace::Kind::Frame) {
        const int slot = was.index;
        // Selected (the frame), cancelled (the card), laid on (the card above),
        // taken away (the card below).
        std::vector<int> tries {slot};
        if (!IsTopSlot(static_cast<Int16>(slot)))
            tries.push_back(slot + 1);
        if (!IsBottomSlot(static_cast<Int16>(slot)))
            tries.push_back(slot - 1);
        for (int i : tries) {
            const FocusPlace place = AtSlot(after, i);
            if (place.kind != FocusPlace::Kind::None)
                return place;
        }
        const FocusPlace fan = FanPlace(after, FanOfSlot(static_cast<Int16>(slot)));
        if (fan.kind != FocusPlace::Kind::None)
            return fan;
    }
    return Nearest(places, PlaceRect(was).center());
}

} // namespace quarrow
