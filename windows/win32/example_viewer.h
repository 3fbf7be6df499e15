#pragma once

#include <windows.h>

#include <string>

namespace quarrow {

// The example game's picture (SOUND/example.gif beside the program) in a
// scrolling window, shown modally over owner. When the picture cannot be
// loaded, a message box says which file and why, and the result is false;
// otherwise true once the viewer has been closed.
bool ShowExampleViewer(HWND owner, const std::string& programDir);

inline constexpr wchar_t kExampleWindowClass[] = L"ScrollerForm";

} // namespace quarrow
