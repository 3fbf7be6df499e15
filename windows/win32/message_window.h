#pragma once

#include <windows.h>

#include "rules/notices.h"

namespace quarrow {

class Game;
class SoundPlayer;

// The game's way to the result notice (frm_message): a borderless window over
// the board, shown modally each time, with its face and its sound chosen from
// the game's flags each time it becomes active. Every way of closing it runs
// the OK steps, so move_error is never left set behind a closed notice.
class ResultNotices final : public Notices {
public:
    ResultNotices(HWND owner, SoundPlayer& sound);

    // The game is made after its notices, so it is introduced afterwards.
    void Attach(Game& game) { game_ = &game; }

    // Returns once the notice has been closed.
    void ShowResult() override;

private:
    HWND owner_;
    SoundPlayer& sound_;
    Game* game_ = nullptr;
};

// The notice's window class name, for tests and accessibility tools that look for it.
inline constexpr wchar_t kNoticeWindowClass[] = L"frm_message";

} // namespace quarrow
