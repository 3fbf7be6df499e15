#pragma once

#include "card.h"
#include "indexed_array.h"

namespace quarrow {

inline constexpr Int16 kNoFace = 0;

// What one picture place shows: a card face (1..52) or none, and whether it is
// shown and takes clicks.
struct Place {
    Int16 face = kNoFace;
    bool visible = true;
    bool enabled = true;

    bool operator==(const Place&) const = default;
};

// Everything the board window shows, so the rules can run and be tested
// without a window. The initial value is the window's design state: every
// slot and foundation shown, clickable and empty; frame, held picture and
// undo arrow hidden.
struct BoardModel {
    IndexedArray<Place, 0, kSlotCount> slot_places;           // img_crdbrd; element 0 exists and stays unused
    IndexedArray<Place, 1, kFoundationCount> foundations; // img_ace
    Int16 held_face = kNoFace;                          // img_buffer, never shown
    bool border_visible = false;                        // img_border
    Int16 border_slot = 0;                              // the slot whose position the frame took; 0 = never placed
    bool undo_visible = false;                          // img_undo

    BoardModel()
    {
        slot_places[0].visible = false;
    }

    bool operator==(const BoardModel&) const = default;
};

} // namespace quarrow
