#pragma once

#include <windows.h>

namespace quarrow {

// Modal windows over the board, dialog-style keys included.
//
// RunModal disables owner, shows window and runs messages until window is
// destroyed; Tab, Enter and Escape go through IsDialogMessageW. The window
// must end itself through EndModal, which gives the owner back its input and
// activation before destroying the window: destroyed first, the system would
// activate some other top-level window and the board would lose the keyboard.
// A WM_QUIT met on the way ends the loop and is posted again for the caller's loop.
void RunModal(HWND owner, HWND window);
void EndModal(HWND window);

} // namespace quarrow
