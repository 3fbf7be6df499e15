#include "windows/win32/example_viewer.h"

#include <algorithm>
#include <cstdlib>

#include "services/file_loading.h"
#include "services/file_trouble.h"
#include "services/win32/message_box.h"
#include "services/win32/modal.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "windows/example_view.h"
#include "windows/win32/window_parts.h"

namespace quarrow {

namespace {

using namespace win32_parts;

constexpr int kBarId = 100;

struct Viewer {
    Picture picture;
    UINT dpi = 96;
    ExampleLayout layout;
    Int16 value = 0; // the picture's top, 0 down to range.max
    HWND bar = nullptr;
    int wheel = 0; // turned but less than a notch, from a fine-grained wheel
};

void SetBar(Viewer& viewer)
{
    SCROLLINFO info {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    // A native bar's highest position is nMax - nPage + 1, so the page is
    // added to the span for positions 0..Span() with a thumb a page long.
    const int page = std::abs(int {viewer.layout.range.large_change});
    info.nMin = 0;
    info.nPage = static_cast<UINT>(page);
    info.nMax = viewer.layout.range.Span() + std::max(page, 1) - 1;
    info.nPos = viewer.layout.range.ToBar(viewer.value);
    SetScrollInfo(viewer.bar, SB_CTL, &info, TRUE);
}

void ScrollTo(HWND window, Viewer& viewer, int barValue)
{
    barValue = std::clamp(barValue, 0, viewer.layout.range.Span());
    const Int16 value = viewer.layout.range.FromBar(barValue);
    if (value == viewer.value)
        return;
    viewer.value = value;
    SetScrollPos(viewer.bar, SB_CTL, barValue, TRUE);
    const RECT frame = ToRect(Scaled(viewer.layout.frame, viewer.dpi));
    InvalidateRect(window, &frame, FALSE);
}

void Step(HWND window, Viewer& viewer, ScrollStep step)
{
    const ScrollRange& range = viewer.layout.range;
    ScrollTo(window, viewer, range.ToBar(ScrollBy(range, viewer.value, step)));
}

// The bar's own arrows and track, and the keys, all step as the viewer says.
void Scroll(HWND window, Viewer& viewer, int action)
{
    if (!viewer.layout.bar_shown)
        return;
    switch (action) {
    case SB_LINEDOWN: Step(window, viewer, ScrollStep::LineDown); break;
    case SB_LINEUP: Step(window, viewer, ScrollStep::LineUp); break;
    case SB_PAGEDOWN: Step(window, viewer, ScrollStep::PageDown); break;
    case SB_PAGEUP: Step(window, viewer, ScrollStep::PageUp); break;
    case SB_TOP: Step(window, viewer, ScrollStep::Top); break;
    case SB_BOTTOM: Step(window, viewer, ScrollStep::Bottom); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(viewer.bar, SB_CTL, &info);
        ScrollTo(window, viewer, info.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void Paint(HDC dc, const Viewer& viewer)
{
    const Rect frame = Scaled(viewer.layout.frame, viewer.dpi);
    RECT edge = ToRect(frame);
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    // The picture slides inside the border, never over it.
    const Rect inside = Scaled(viewer.layout.inside, viewer.dpi);
    const HRGN clip = CreateRectRgn(inside.x(), inside.y(), inside.x() + inside.width(), inside.y() + inside.height());
    SelectClipRgn(dc, clip);
    const Rect target = Scaled(Rect(viewer.layout.inside.x(), viewer.layout.inside.y() + viewer.value,
                                    viewer.picture.width(), viewer.picture.height()),
                               viewer.dpi);
    DrawPicture(dc, viewer.picture, target);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
}

LRESULT CALLBACK ViewerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Viewer* viewer = StateOf<Viewer>(window, message, lParam);
    if (!viewer)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            SetFocus(window);
        return 0;
    case WM_GETDLGCODE:
        // The arrows scroll the picture instead of moving between controls.
        return DLGC_WANTARROWS;
    case WM_KEYDOWN: {
        if (GetKeyState(VK_MENU) < 0 || GetKeyState(VK_CONTROL) < 0)
            break;
        int action = -1;
        switch (wParam) {
        case VK_DOWN: action = SB_LINEDOWN; break;
        case VK_UP: action = SB_LINEUP; break;
        case VK_NEXT: action = SB_PAGEDOWN; break;
        case VK_PRIOR: action = SB_PAGEUP; break;
        case VK_HOME: action = SB_TOP; break;
        case VK_END: action = SB_BOTTOM; break;
        default: break;
        }
        if (action >= 0) {
            Scroll(window, *viewer, action);
            return 0;
        }
        break;
    }
    case WM_VSCROLL:
        Scroll(window, *viewer, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL: {
        // Over the picture as over the bar: each notch scrolls the lines
        // the system is set to, or a page.
        viewer->wheel += GET_WHEEL_DELTA_WPARAM(wParam);
        const int notches = viewer->wheel / WHEEL_DELTA;
        viewer->wheel -= notches * WHEEL_DELTA;
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        for (int n = 0; n < std::abs(notches) && lines != 0; ++n) {
            if (lines == WHEEL_PAGESCROLL)
                Scroll(window, *viewer, notches > 0 ? SB_PAGEUP : SB_PAGEDOWN);
            else
                for (UINT line = 0; line < lines; ++line)
                    Scroll(window, *viewer, notches > 0 ? SB_LINEUP : SB_LINEDOWN);
        }
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
            EndModal(window);
            return 0;
        }
        break;
    case WM_CLOSE:
        EndModal(window);
        return 0;
    case WM_DPICHANGED:
        // Moved to a screen of other dots per inch; the picture is drawn
        // at the window's scale, whatever it is.
        FollowDpi(window, viewer->dpi, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    if (LRESULT result; AnswerPaint(window, message, wParam, true, [&](HDC dc) { Paint(dc, *viewer); }, result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string WhyPictureUnreadable(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
            return std::string(WhyUnreadable(FileTrouble::Missing));
        return std::string(WhyUnreadable(FileTrouble::NoPermission));
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return std::string(WhyUnreadable(FileTrouble::Folder));
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return std::string(WhyUnreadable(FileTrouble::NotRegular));
    const HANDLE probe = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) {
        return std::string(WhyUnreadable(GetLastError() == ERROR_SHARING_VIOLATION ? FileTrouble::InUse
                                                                                     : FileTrouble::NoPermission));
    }
    const bool onDisk = GetFileType(probe) == FILE_TYPE_DISK;
    CloseHandle(probe);
    return std::string(WhyUnreadable(onDisk ? FileTrouble::NoPermission : FileTrouble::NotRegular));
}

} // namespace

bool ShowExampleViewer(HWND owner, const std::string& programDir)
{
    std::string path = programDir + "\\" + std::string(kExamplePicture);
    std::replace(path.begin(), path.end(), '/', '\\');
    Viewer viewer;
    std::string bytes;
    if (!LoadWholeFile(path, bytes)) {
        ShowMessageBox(owner, ExampleUnavailable(path, WhyPictureUnreadable(Widen(path))));
        return false;
    }
    viewer.picture = DecodePicture(bytes);
    if (!viewer.picture.valid()) {
        ShowMessageBox(owner, ExampleUnavailable(path, NotAPicture("not a picture the system can decode")));
        return false;
    }

    RegisterClassOnce(kExampleWindowClass, &ViewerProcedure);
    const std::wstring title = Widen(kExampleTitle);
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kExampleWindowClass, title.c_str(),
                                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 1, 1, owner,
                                        nullptr, GetModuleHandleW(nullptr), &viewer);
    if (!window)
        return false;
    viewer.dpi = WindowDpi(window);
    viewer.layout = LayOutExample(viewer.picture.height());
    const Rect barPlace = Scaled(viewer.layout.bar, viewer.dpi);
    viewer.bar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT | (viewer.layout.bar_shown ? WS_VISIBLE : 0),
                                 barPlace.x(), barPlace.y(), barPlace.width(), barPlace.height(), window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId)), GetModuleHandleW(nullptr),
                                 nullptr);
    SetBar(viewer);
    SizeAndCentre(window, Size(kExampleClientWidth, kExampleClientHeight));
    RunModal(owner, window);
    return true;
}

} // namespace quarrow
