#pragma once

// What must hold between any two events of a game, whatever was clicked: for
// the soaks over the core and over the board window (header-only, test code).

#include <array>
#include <cstddef>
#include <sstream>
#include <string>

#include "rules/card.h"
#include "rules/game.h"

namespace quarrow::testing {

class BoardInvariants {
public:
    // Call at every deal: foundations start again from nothing.
    void NewGame() { foundation_watermark_ = {}; }

    // The first broken rule, described for a failure message, or "" when the
    // board is whole. Foundations are remembered between calls: they only grow.
    std::string FirstBroken(const Game& game)
    {
        const BoardModel& m = game.model();
        std::ostringstream why;

        std::array<int, kCardCount + 1> seen {};
        for (Int16 i = 1; i <= kSlotCount; ++i) {
            const Place& p = m.slot_places[i];
            if (!p.visible)
                continue;
            if (p.face < 1 || p.face > kCardCount)
                return Say(why << "slot " << i << " is shown with face " << p.face);
            ++seen[static_cast<std::size_t>(p.face)];
            if (game.slot_rank[i] != CardRank(p.face) || game.slot_suit[i] != CardSuit(p.face))
                return Say(why << "slot " << i << " shows card " << p.face << " but records rank "
                               << game.slot_rank[i] << " suit " << game.slot_suit[i]);
        }
        for (Int16 k = 1; k <= kFoundationCount; ++k) {
            const Int16 top = game.foundation_top[k];
            if (top < foundation_watermark_[static_cast<std::size_t>(k)])
                return Say(why << "foundation " << k << " shrank to " << top);
            if (top < 0 || top > 13)
                return Say(why << "foundation " << k << " top " << top);
            foundation_watermark_[static_cast<std::size_t>(k)] = top;
            for (Int16 r = 1; r <= top; ++r)
                ++seen[static_cast<std::size_t>(CardCode(k, r))];
            if (top > 0 && m.foundations[k].face != CardCode(k, top))
                return Say(why << "foundation " << k << " shows " << m.foundations[k].face << ", its top is "
                               << CardCode(k, top));
        }
        for (int code = 1; code <= kCardCount; ++code) {
            if (seen[static_cast<std::size_t>(code)] != 1)
                return Say(why << "card " << code << " is on the board " << seen[static_cast<std::size_t>(code)]
                               << " times");
        }

        for (Int16 f = 1; f <= kFanCount; ++f) {
            const Int16 b = BottomSlotOfFan(f);
            int cards = 0;
            while (cards < 3 && m.slot_places[b + cards].visible)
                ++cards;
            for (int s = cards; s < 3; ++s) {
                if (m.slot_places[b + s].visible)
                    return Say(why << "gap in fan " << f);
            }
            for (int s = 0; s < cards; ++s) {
                if (m.slot_places[b + s].enabled != (s == cards - 1))
                    return Say(why << "fan " << f << ": slot " << b + s << " clickable is "
                                   << m.slot_places[b + s].enabled << ", only the top card may be");
            }
        }

        if (game.card_selected != m.border_visible)
            return Say(why << "card_selected " << game.card_selected << " but frame shown " << m.border_visible);
        if (game.card_selected) {
            if (m.border_slot != game.sel_slot)
                return Say(why << "frame over slot " << m.border_slot << ", selection is slot " << game.sel_slot);
            if (m.undo_visible)
                return Say(why << "undo arrow shown while a card is selected");
            if (!m.slot_places[game.sel_slot].visible || m.held_face != m.slot_places[game.sel_slot].face)
                return Say(why << "held face " << m.held_face << " is not the selected slot's card");
        }
        if (m.undo_visible) {
            // A valid record: the moved card sits one above its target, its
            // source is empty and the held picture is its face.
            if (!m.slot_places[game.undo_slot].visible || m.slot_places[game.undo_slot].face != m.held_face)
                return Say(why << "undo record: slot " << game.undo_slot << " does not hold the moved card");
            if (m.slot_places[game.sel_slot].visible)
                return Say(why << "undo record: source slot " << game.sel_slot << " is not empty");
            if (game.slot_rank[game.sel_slot] != CardRank(m.held_face))
                return Say(why << "undo record: source slot " << game.sel_slot << " lost the moved card's rank");
        }
        if (game.move_error)
            return Say(why << "move_error left set after the notice was answered");
        return {};
    }

private:
    static std::string Say(std::ostream& why) { return static_cast<std::ostringstream&>(why).str(); }

    std::array<Int16, kFoundationCount + 1> foundation_watermark_ {};
};

} // namespace quarrow::testing
