#pragma once

namespace quarrow {

class RandomSource;

// The whole program: the board window over the files beside the executable,
// until it is closed. Returns the process's exit status: 1 when start-up
// could not find what it needs (the player has been told why), else 0.
int RunBoard(RandomSource& random);

} // namespace quarrow
