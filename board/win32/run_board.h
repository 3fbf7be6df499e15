#pragma once

namespace quarrow {

class RandomSource;

// Held while the game runs, so that its installer and uninstaller can tell
// before changing a file. Global: an administrator's installer may run in
// another session than the player's game.
inline constexpr wchar_t kRunningMarker[] = L"Global\\QuarrowSolitaireRunning";

// The whole program: the board window over the files beside the executable,
// until it is closed. Returns the process's exit status: 1 when start-up
// could not find what it needs (the player has been told why), else 0.
int RunBoard(RandomSource& random);

} // namespace quarrow
