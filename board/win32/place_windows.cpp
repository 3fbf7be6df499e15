#include "board/win32/place_windows.h"

#include "board/place_layers.h"
#include "board/place_names.h"
#include "services/win32/wide.h"

namespace quarrow {

namespace {

constexpr wchar_t kPlaceClass[] = L"QuarrowBoardPlace";

LRESULT CALLBACK PlaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCHITTEST:
        // The board window takes every click and decides which place it hit.
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
        return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterPlaceClass()
{
    static const bool registered = [] {
        WNDCLASSEXW kind {};
        kind.cbSize = sizeof(kind);
        kind.lpfnWndProc = PlaceProc;
        kind.hInstance = GetModuleHandleW(nullptr);
        kind.hCursor = nullptr; // the board sets the pointer
        kind.lpszClassName = kPlaceClass;
        return RegisterClassExW(&kind) != 0;
    }();
    (void)registered;
}

} // namespace

void PlaceWindows::Create(HWND board)
{
    RegisterPlaceClass();
    board_ = board;
    const auto make = [board](Child& child) {
        child.window = CreateWindowExW(0, kPlaceClass, L"", WS_CHILD, 0, 0, 0, 0, board, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    };
    for (std::size_t i = 1; i < slots_.size(); ++i)
        make(slots_[i]);
    for (std::size_t k = 1; k < foundations_.size(); ++k)
        make(foundations_[k]);
    make(frame_);
    make(undo_);
}

void PlaceWindows::Set(Child& child, bool shown, const Rect& rect, const std::string& name)
{
    if (!child.window)
        return;
    const std::wstring wide = Widen(name);
    if (wide != child.name) {
        child.name = wide;
        SetWindowTextW(child.window, wide.c_str());
    }
    if (rect != child.rect) {
        child.rect = rect;
        SetWindowPos(child.window, nullptr, rect.x(), rect.y(), rect.width(), rect.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW);
    }
    if (shown != child.shown) {
        child.shown = shown;
        // A hidden window that has the focus would keep the keys: give them back to the board.
        if (!shown && GetFocus() == child.window)
            SetFocus(board_);
        ShowWindow(child.window, shown ? SW_SHOWNA : SW_HIDE);
    }
}

void PlaceWindows::Update(const BoardModel& model, const BoardScale& scale)
{
    for (const Layer& layer : BoardLayers(model)) {
        const Rect rect = scale.ToDevice(layer.rect);
        const int index = layer.place.index;
        const auto at = static_cast<std::size_t>(index);
        switch (layer.place.kind) {
        case FocusPlace::Kind::Slot: {
            // A card the player can act on says where it lies; a covered one is
            // only part of its fan's picture.
            const Int16 face = model.slot_places[index].face;
            Set(slots_[at], layer.shown, rect,
                layer.enabled ? LocatedName(model, SlotName(face), index) : SlotName(face));
            break;
        }
        case FocusPlace::Kind::Foundation:
            Set(foundations_[at], layer.shown, rect, PlaceName(model, layer.place));
            break;
        case FocusPlace::Kind::Frame:
            Set(frame_, layer.shown, rect, layer.shown ? PlaceName(model, layer.place) : SelectionFrameName(kNoFace));
            break;
        case FocusPlace::Kind::Undo:
            Set(undo_, layer.shown, rect, UndoName());
            break;
        case FocusPlace::Kind::None:
            break;
        }
    }
}

HWND PlaceWindows::WindowOf(FocusPlace place) const
{
    switch (place.kind) {
    case FocusPlace::Kind::Slot:
        return place.index >= 1 && place.index <= kSlotCount ? slots_[static_cast<std::size_t>(place.index)].window : nullptr;
    case FocusPlace::Kind::Foundation:
        return place.index >= 1 && place.index <= kFoundationCount ? foundations_[static_cast<std::size_t>(place.index)].window : nullptr;
    case FocusPlace::Kind::Frame:
        return frame_.window;
    case FocusPlace::Kind::Undo:
        return undo_.window;
    case FocusPlace::Kind::None:
        break;
    }
    return nullptr;
}

bool PlaceWindows::Owns(HWND window) const
{
    // The board has no other children.
    return window && board_ && GetParent(window) == board_;
}

} // namespace quarrow
