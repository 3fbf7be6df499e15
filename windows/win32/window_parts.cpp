#include "windows/win32/window_parts.h"

#include <utility>

#include "services/win32/window_geometry.h"

namespace quarrow::win32_parts {

void RegisterClassOnce(const wchar_t* name, WNDPROC procedure, UINT style)
{
    WNDCLASSEXW existing {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing))
        return;
    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

Rect Scaled(Rect design, UINT dpi)
{
    const int left = ScaleForDpi(design.x(), dpi);
    const int top = ScaleForDpi(design.y(), dpi);
    // Edges scaled, not sizes, so that neighbouring parts still meet.
    return {left, top, ScaleForDpi(design.x() + design.width(), dpi) - left,
            ScaleForDpi(design.y() + design.height(), dpi) - top};
}

RECT ToRect(Rect rect)
{
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

HFONT CreateMessageFont(UINT dpi, bool bold, bool underline)
{
    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        font = metrics.lfMessageFont;
        // The system gives it at the system DPI; the window may be on another screen.
        const HDC screen = GetDC(nullptr);
        const int systemDpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ReleaseDC(nullptr, screen);
        font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), systemDpi > 0 ? systemDpi : 96);
    } else {
        font.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
        lstrcpynW(font.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    }
    if (bold)
        font.lfWeight = FW_BOLD;
    font.lfUnderline = underline ? TRUE : FALSE;
    return CreateFontIndirectW(&font);
}

HWND CreateButton(HWND parent, int id, std::wstring_view caption, Rect design, UINT dpi, HFONT font, bool isDefault)
{
    const Rect place = Scaled(design, dpi);
    const std::wstring text(caption);
    const HWND button = CreateWindowExW(
        0, L"BUTTON", text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | static_cast<DWORD>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
        place.x(), place.y(), place.width(), place.height(), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return button;
}

bool FollowDpi(HWND window, UINT& dpi, UINT newDpi, const RECT& suggested)
{
    const UINT oldDpi = std::exchange(dpi, newDpi);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const auto scale = [&](LONG v) { return MulDiv(v, static_cast<int>(newDpi), static_cast<int>(oldDpi)); };
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place {};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        // Edges, not sizes, so that neighbours still meet.
        const int left = scale(place.left);
        const int top = scale(place.top);
        MoveWindow(child, left, top, scale(place.right) - left, scale(place.bottom) - top, FALSE);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return DoubleSize(oldDpi) != DoubleSize(newDpi);
}

void SetChildrenFont(HWND window, HFONT font)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void PaintBuffered(HWND window, HDC target, const std::function<void(HDC)>& paint)
{
    RECT client {};
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const HDC buffer = CreateCompatibleDC(target);
    const HBITMAP bitmap = CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1);
    const HGDIOBJ old = SelectObject(buffer, bitmap);
    FillRect(buffer, &client, GetSysColorBrush(COLOR_BTNFACE));
    paint(buffer);
    BitBlt(target, 0, 0, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

bool AnswerPaint(HWND window, UINT message, WPARAM wParam, bool buffered, const std::function<void(HDC)>& paint,
                 LRESULT& result)
{
    result = 0;
    switch (message) {
    case WM_ERASEBKGND:
        if (!buffered)
            return false;
        result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT painting;
        const HDC dc = BeginPaint(window, &painting);
        if (buffered)
            PaintBuffered(window, dc, paint);
        else
            paint(dc);
        EndPaint(window, &painting);
        return true;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return true;
    default:
        return false;
    }
}

} // namespace quarrow::win32_parts
