#pragma once

#include <windows.h>

#include <string>

namespace quarrow {

class Game;

// frm_help, shown modally over owner: the rules or the about text as
// game.help_topic says each time the window becomes active, with the maker's
// link in the about view. Returns once it has been closed.
void ShowHelpWindow(HWND owner, Game& game, const std::string& programDir);

inline constexpr wchar_t kHelpWindowClass[] = L"frm_help";

} // namespace quarrow
