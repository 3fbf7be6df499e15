#include "services/win32/window_geometry.h"

namespace quarrow {

namespace {

constexpr UINT kDesignDpi = 96;

// Per-monitor DPI calls exist from Windows 10 1607 on; looked up at run time
// so that the program still starts where they are missing.
template <typename Function>
Function User32Function(const char* name)
{
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

int ScreenPixelsPerInch(HWND window, int axis)
{
    const HDC dc = GetDC(window);
    const int perInch = dc ? GetDeviceCaps(dc, axis) : 0;
    if (dc)
        ReleaseDC(window, dc);
    return perInch > 0 ? perInch : static_cast<int>(kDesignDpi);
}

} // namespace

int ScaleForDpi(int pixels, UINT dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

UINT WindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    if (dpi == 0)
        dpi = static_cast<UINT>(ScreenPixelsPerInch(window, LOGPIXELSX));
    return dpi < kDesignDpi ? kDesignDpi : dpi;
}

void SizeAndCentre(HWND window, Size client)
{
    const UINT dpi = WindowDpi(window);
    // The size is kept in twips, as the game keeps window sizes, and turned
    // back into the screen's pixels.
    const int perInchX = ScreenPixelsPerInch(window, LOGPIXELSX);
    const int perInchY = ScreenPixelsPerInch(window, LOGPIXELSY);
    const int width = TwipsToPixels(PixelsToTwips(ScaleForDpi(client.width(), dpi), perInchX), perInchX);
    const int height = TwipsToPixels(PixelsToTwips(ScaleForDpi(client.height(), dpi), perInchY), perInchY);

    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    const BOOL hasMenu = GetMenu(window) != nullptr && (style & WS_CHILD) == 0;
    RECT frame {0, 0, width, height};
    static const auto adjustForDpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&frame, style, hasMenu, exStyle, dpi))
        AdjustWindowRectEx(&frame, style, hasMenu, exStyle);
    Size outer(frame.right - frame.left, frame.bottom - frame.top);

    const Size screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    Point topLeft = CenteredTopLeft(screen, outer);
    SetWindowPos(window, nullptr, topLeft.x(), topLeft.y(), outer.width(), outer.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);

    // A menu bar too long for the width wraps onto a second line, which the
    // frame arithmetic does not know: the client area comes out short by it.
    RECT inside {};
    if (GetClientRect(window, &inside) && inside.bottom - inside.top != height && hasMenu) {
        outer = Size(outer.width(), outer.height() + height - (inside.bottom - inside.top));
        topLeft = CenteredTopLeft(screen, outer);
        SetWindowPos(window, nullptr, topLeft.x(), topLeft.y(), outer.width(), outer.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace quarrow
