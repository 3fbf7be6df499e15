#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "services/plane.h"

namespace quarrow::win32_parts {

// What the secondary windows build themselves from, in design pixels scaled
// to the window's DPI.

// Registers a window class once per process.
void RegisterClassOnce(const wchar_t* name, WNDPROC procedure, UINT style = 0);

// The window's per-window state, kept in GWLP_USERDATA from WM_NCCREATE on
// (CreateWindowExW's last argument).
template <typename State>
State* StateOf(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* state = static_cast<State*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        return state;
    }
    return reinterpret_cast<State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

Rect Scaled(Rect design, UINT dpi);
RECT ToRect(Rect rect);

// The system's message font at dpi, optionally bold and underlined. The
// caller deletes it.
HFONT CreateMessageFont(UINT dpi, bool bold = false, bool underline = false);

// A push button at the design rectangle, in font.
HWND CreateButton(HWND parent, int id, std::wstring_view caption, Rect design, UINT dpi, HFONT font, bool isDefault);

// Whether the windows draw their @2x pictures at this many dots per inch.
inline bool DoubleSize(UINT dpi) { return dpi >= 144; }

// Follows the window to a screen of other dots per inch (WM_DPICHANGED): it
// takes the place the system suggests (its size scaled alike), and every
// child moves and grows in proportion; dpi becomes newDpi. The caller then
// makes its fonts for it, and its pictures when the result says the @2x
// choice changed.
bool FollowDpi(HWND window, UINT& dpi, UINT newDpi, const RECT& suggested);

// Gives every child of window the font.
void SetChildrenFont(HWND window, HFONT font);

// Paints through an off-screen bitmap, so nothing flickers while the
// pictures are laid over one another. paint draws into the DC it is given.
void PaintBuffered(HWND window, HDC target, const std::function<void(HDC)>& paint);

// The painting messages every window here answers alike: WM_PAINT (through an
// off-screen bitmap when buffered, which then also leaves the background
// unerased) and WM_PRINTCLIENT, which a capture of the window asks for.
// True, with result set, when message was one of them.
bool AnswerPaint(HWND window, UINT message, WPARAM wParam, bool buffered, const std::function<void(HDC)>& paint,
                 LRESULT& result);

} // namespace quarrow::win32_parts
