#include "windows/win32/tests/window_driver.h"

namespace quarrow::testing {

namespace {

struct Drive {
    const wchar_t* window_class;
    std::vector<std::function<void(HWND)>> steps;
    std::size_t next = 0;
    bool acted = false;
    int ticks = 0;
    UINT_PTR timer = 0;
};
Drive* current = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!current)
        return;
    const HWND window = FindWindowW(current->window_class, nullptr);
    ++current->ticks;
    if (window && IsWindowVisible(window) && current->next < current->steps.size() && current->ticks >= 3) {
        const std::size_t step = current->next++;
        current->acted = current->next == current->steps.size();
        current->steps[step](window);
    } else if (window && current->ticks > 200) {
        DestroyWindow(window);
    }
}

} // namespace

bool RunWhileOpen(const wchar_t* windowClass, const std::function<void()>& open,
                  const std::function<void(HWND)>& act)
{
    return RunWhileOpen(windowClass, open, std::vector<std::function<void(HWND)>> {act});
}

bool RunWhileOpen(const wchar_t* windowClass, const std::function<void()>& open,
                  const std::vector<std::function<void(HWND)>>& steps)
{
    Drive drive {windowClass, steps};
    current = &drive;
    drive.timer = SetTimer(nullptr, 0, 50, &Tick);
    open();
    KillTimer(nullptr, drive.timer);
    current = nullptr;
    return drive.acted;
}

OwnerWindow::OwnerWindow()
{
    WNDCLASSW ownerClass {};
    ownerClass.lpfnWndProc = DefWindowProcW;
    ownerClass.hInstance = GetModuleHandleW(nullptr);
    ownerClass.lpszClassName = L"QuarrowTestOwner";
    RegisterClassW(&ownerClass);
    window_ = CreateWindowExW(0, L"QuarrowTestOwner", L"Board", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
}

OwnerWindow::~OwnerWindow()
{
    DestroyWindow(window_);
}

ClientPicture::ClientPicture(HWND window, bool asShown)
{
    RECT client {};
    GetClientRect(window, &client);
    size_ = Size(client.right, client.bottom);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size_.width();
    info.bmiHeader.biHeight = -size_.height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::uint32_t* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    if (asShown) {
        const HDC shown = GetDC(window);
        BitBlt(dc, 0, 0, size_.width(), size_.height(), shown, 0, 0, SRCCOPY);
        ReleaseDC(window, shown);
    } else {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    GdiFlush();
    pixels_.assign(bits, static_cast<std::size_t>(size_.width() * size_.height()));
    for (std::uint32_t& pixel : pixels_)
        pixel &= 0xffffffu;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void PressKey(HWND window, WPARAM key)
{
    const HWND target = GetFocus() ? GetFocus() : window;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

std::wstring TextOf(HWND window)
{
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1);
    GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

DpiLook LookAt(HWND window, HWND child)
{
    DpiLook look;
    RECT client {};
    GetClientRect(window, &client);
    look.client = Size(client.right, client.bottom);
    GetWindowRect(child, &look.child);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&look.child), 2);
    if (const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0))) {
        LOGFONTW description {};
        GetObjectW(font, sizeof description, &description);
        look.font_height = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
    }
    return look;
}

void MoveToDpi(HWND window, UINT fromDpi, UINT dpi)
{
    RECT place {};
    GetWindowRect(window, &place);
    // At the screen's top left, where even twice the size stays on it and
    // so is drawn.
    place = {0, 0, MulDiv(place.right - place.left, static_cast<int>(dpi), static_cast<int>(fromDpi)),
             MulDiv(place.bottom - place.top, static_cast<int>(dpi), static_cast<int>(fromDpi))};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
}

bool ScaledBy(const DpiLook& before, const DpiLook& after, int factor)
{
    const auto within = [factor](long was, long is) { return is - was * factor <= 2 && was * factor - is <= 2; };
    return within(before.child.left, after.child.left) && within(before.child.top, after.child.top)
        && within(before.child.right, after.child.right) && within(before.child.bottom, after.child.bottom)
        && within(before.font_height, after.font_height);
}

} // namespace quarrow::testing
