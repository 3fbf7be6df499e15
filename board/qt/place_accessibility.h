#pragma once

#include <vector>

#include <QString>

class QWidget;

namespace quarrow {

class BoardSurface;

// Makes the board's places speak to screen readers as what they are: buttons
// named by their card and where it lies ("Seven of hearts, top card of fan
// 3"), focusable while they take clicks, "selected" under the frame, and not
// showing when a sighted player cannot see them (the stock of faces off the
// board, hidden slots). Installs itself once per program; harmless to repeat.
void InstallPlaceAccessibility();

// While a modal window of the program is open, nothing may act on the board:
// neither a screen reader's action on it nor a menu command.
bool BoardIsBlocked();

// A place's name is built from where it lies, so it can change while the
// place itself does not ("top card of fan 3" once a card is laid on it). The
// names are taken before the board changes, and afterwards every place shown
// throughout whose name changed raises NameChanged once: those whose own name
// the board set anew have had theirs raised already, and a place that comes
// into view is read afresh anyway.
struct PlaceNames {
    std::vector<QWidget*> places;
    std::vector<QString> spoken;
    std::vector<QString> own;
    std::vector<bool> shown;
};
// Empty while no screen reader listens.
PlaceNames TakePlaceNames(const BoardSurface& surface);
void AnnounceRenamedPlaces(const PlaceNames& before);

} // namespace quarrow
