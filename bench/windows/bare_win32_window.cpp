// The yardstick for the Windows start-up benchmark: a plain Win32 window of the
// board's shape (the same menus, the board picture decoded by GDI+ from the
// program's resources, a 704 x 454 client area plus one pixel each way,
// centred) with no game behind it.
#include <windows.h>
#include <cstring>
#include <gdiplus.h>

namespace {

constexpr int kClientWidth = 704 + 1;
constexpr int kClientHeight = 454 + 1;
constexpr UINT kExit = 2;
constexpr int kBoardPicture = 1;

HBITMAP board = nullptr;

HBITMAP LoadBoardPicture(HINSTANCE instance)
{
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(kBoardPicture), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found)
        return nullptr;
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(instance, found)));
    const DWORD size = SizeofResource(instance, found);
    // Decoded from memory the way the game decodes its pictures.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    std::memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
        GlobalFree(memory);
        return nullptr;
    }
    HBITMAP bitmap = nullptr;
    if (Gdiplus::Bitmap* picture = Gdiplus::Bitmap::FromStream(stream)) {
        picture->GetHBITMAP(Gdiplus::Color(0, 0, 0), &bitmap);
        delete picture;
    }
    stream->Release();
    return bitmap;
}

HMENU MakeMenus()
{
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 1, L"&Deal");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kExit, L"E&xit");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, 3, L"&Rules");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, 4, L"&Example");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, 5, L"&About");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (board) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, board);
            BitBlt(dc, 0, 0, kClientWidth - 1, kClientHeight - 1, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wparam) == kExit)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    board = LoadBoardPicture(instance);

    WNDCLASSW type{};
    type.lpfnWndProc = WindowProc;
    type.hInstance = instance;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1)); // the program's icon, from its resources
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    type.lpszClassName = L"BareWin32Window";
    RegisterClassW(&type);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, style, TRUE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    HWND window = CreateWindowW(type.lpszClassName, L"Bare Win32 window", style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                                MakeMenus(), instance, nullptr);
    ShowWindow(window, show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (board)
        DeleteObject(board);
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
