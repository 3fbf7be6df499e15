#pragma once

#include <windows.h>

#include "services/plane.h"
#include "services/window_metrics.h"

namespace quarrow {

// pixels designed for 96 dots per inch, at dpi (rounded to nearest).
int ScaleForDpi(int pixels, UINT dpi);

// The window's dots per inch: its monitor's where the system tells
// (per-monitor awareness), else the screen's; 96 at the least.
UINT WindowDpi(HWND window);

// Gives the window a client area of client design pixels (scaled to the
// window's DPI), its frame, title bar and menu added as its styles make them,
// and centres the whole window on the screen, (screen - window) / 2. The size
// goes through twips as the game stores window sizes.
void SizeAndCentre(HWND window, Size client);

} // namespace quarrow
