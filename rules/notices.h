#pragma once

namespace quarrow {

// The modal result message window as the rules see it. The game sets
// move_error / game_won first; ShowResult() returns once the player has
// pressed OK, and by then the window has cleared move_error.
class Notices {
public:
    virtual ~Notices() = default;
    virtual void ShowResult() = 0;
};

} // namespace quarrow
