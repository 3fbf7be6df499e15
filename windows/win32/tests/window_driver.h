#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "services/plane.h"

namespace quarrow::testing {

// Drives a modal window from inside its own message loop: open() shows it
// and returns once it has closed; meanwhile, once a window of windowClass is
// up, act(window) runs from a timer on the test's thread and must close it. A
// window still open ten seconds later is destroyed, so a broken close fails
// the test instead of hanging it. Returns whether act ran.
bool RunWhileOpen(const wchar_t* windowClass, const std::function<void()>& open,
                  const std::function<void(HWND)>& act);

// The same with one step per timer tick, so that keys posted by one step
// have been handled by the window's loop before the next.
bool RunWhileOpen(const wchar_t* windowClass, const std::function<void()>& open,
                  const std::vector<std::function<void(HWND)>>& steps);

// A visible top-level window standing in for the board.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// The window's client area as its WM_PRINTCLIENT paints it, pixel by pixel
// (0xRRGGBB), whatever covers it on the screen; or, asShown, as its painting
// has left it, its children's included.
class ClientPicture {
public:
    ClientPicture() = default;
    explicit ClientPicture(HWND window, bool asShown = false);
    std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * size_.width() + x)]; }
    Size size() const { return size_; }

private:
    Size size_;
    std::basic_string<std::uint32_t> pixels_;
};

// A key as the player presses it: down and up, to the window with the focus,
// through the message queue (so the modal loop's dialog keys see it).
void PressKey(HWND window, WPARAM key);

std::wstring TextOf(HWND window);

// What a move to a screen of other dots per inch changes in a window: its
// client area, a child's place in it, and the height of the child's font
// (0 without one).
struct DpiLook {
    Size client;
    RECT child {};
    int font_height = 0;
};
DpiLook LookAt(HWND window, HWND child);

// Tells the window it is now on a screen of dpi dots per inch, with the
// place the system would suggest: its own size scaled from fromDpi, at the
// screen's top left.
void MoveToDpi(HWND window, UINT fromDpi, UINT dpi);

// Whether after shows every length of before scaled by factor, give or take
// a pixel each.
bool ScaledBy(const DpiLook& before, const DpiLook& after, int factor);

} // namespace quarrow::testing
