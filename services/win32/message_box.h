#pragma once

#include <windows.h>

#include <string_view>

namespace quarrow {

inline constexpr wchar_t kProgramTitle[] = L"Quarrow Solitaire";

// A modal message box over owner titled with the program's name, OK only.
// Returns once it has been closed.
void ShowMessageBox(HWND owner, std::string_view utf8Text);

} // namespace quarrow
