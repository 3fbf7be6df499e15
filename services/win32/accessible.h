#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace quarrow {

// What a screen reader is told of a window that draws a control of its own
// (a place of the board, the help window's link): its MSAA role (a
// ROLE_SYSTEM_ value), name, description, STATE_SYSTEM_ flags and the name
// of its default action (empty: none). Asked afresh at every question, so a
// reader that keeps the object hears what the window shows now.
struct AccessibleFacts {
    long role = 0;
    std::wstring name;
    std::wstring description;
    long state = 0;
    std::wstring defaultAction;
};

struct AccessibleSource {
    // The facts now; nothing once the window no longer stands for anything.
    std::function<std::optional<AccessibleFacts>()> facts;
    // The default action, as a click does it. Whether it was taken (false
    // while a modal window is open, or when the window has no action).
    std::function<bool()> press;
};

// The answer to WM_GETOBJECT for the window's client object; 0 (let the
// system answer) for any other object, or when the system's accessibility
// library cannot be loaded. oleacc is loaded on the first question only, so
// a player without a screen reader never loads it.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleSource source);

} // namespace quarrow
