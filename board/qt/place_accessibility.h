#pragma once

namespace quarrow {

// Makes the board's places speak to screen readers as what they are: buttons
// named by their card and where it lies ("Seven of hearts, top card of fan
// 3"), focusable while they take clicks, "selected" under the frame, and not
// showing when a sighted player cannot see them (the stock of faces off the
// board, hidden slots). Installs itself once per program; harmless to repeat.
void InstallPlaceAccessibility();

} // namespace quarrow
