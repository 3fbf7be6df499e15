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
}

void PlaceWindows::Set(Child& child, const Layer& layer, const BoardScale& scale, const std::string& name)
{
    if (!board_)
        return;
    const Rect rect = scale.ToDevice(layer.rect);
    const std::wstring wide = Widen(name);
    if (!child.window) {
        // Made with its name, place and visibility in one call: every call
        // to the window system counts when 58 of them are made at start-up.
        // Made in layer order, so their stacking follows the cards'.
        child.window = CreateWindowExW(0, kPlaceClass, wide.c_str(), WS_CHILD | (layer.shown ? WS_VISIBLE : 0),
                                       rect.x(), rect.y(), rect.width(), rect.height(), board_, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
        child = {child.window, layer.shown, rect, wide};
        return;
    }
    if (wide != child.name) {
        child.name = wide;
        SetWindowTextW(child.window, wide.c_str());
    }
    if (rect != child.rect) {
        child.rect = rect;
        SetWindowPos(child.window, nullptr, rect.x(), rect.y(), rect.width(), rect.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW);
    }
    if (layer.shown != child.shown) {
        child.shown = layer.shown;
        // A hidden window that has the focus would keep the keys: give them back to the board.
        if (!layer.shown && GetFocus() == child.window)
            SetFocus(board_);
        ShowWindow(child.window, layer.shown ? SW_SHOWNA : SW_HIDE);
    }
}

void PlaceWindows::Update(const BoardModel& model, const BoardScale& scale)
{
    for (const Layer& layer : BoardLayers(model)) {
        const int index = layer.place.index;
        const auto at = static_cast<std::size_t>(index);
        switch (layer.place.kind) {
        case FocusPlace::Kind::Slot: {
            // A card the player can act on says where it lies; a covered one is
            // only part of its fan's picture.
            const Int16 face = model.slot_places[index].face;
            Set(slots_[at], layer, scale, layer.enabled ? LocatedName(model, SlotName(face), index) : SlotName(face));
            break;
        }
        case FocusPlace::Kind::Foundation:
            Set(foundations_[at], layer, scale, PlaceName(model, layer.place));
            break;
        case FocusPlace::Kind::Frame:
            Set(frame_, layer, scale, layer.shown ? PlaceName(model, layer.place) : SelectionFrameName(kNoFace));
            break;
        case FocusPlace::Kind::Undo:
            Set(undo_, layer, scale, UndoName());
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
