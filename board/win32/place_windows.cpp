#include "board/win32/place_windows.h"

#include <oleacc.h>

#include <utility>

#include "services/win32/accessible.h"
#include "services/win32/wide.h"

namespace quarrow {

namespace {

constexpr wchar_t kPlaceClass[] = L"QuarrowBoardPlace";

void RegisterPlaceClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW kind {};
        kind.cbSize = sizeof(kind);
        kind.lpfnWndProc = procedure;
        kind.hInstance = GetModuleHandleW(nullptr);
        kind.hCursor = nullptr; // the board sets the pointer
        kind.lpszClassName = kPlaceClass;
        return RegisterClassExW(&kind) != 0;
    }();
    (void)registered;
}

AccessibleFacts FactsOf(const PlaceView& view)
{
    AccessibleFacts facts;
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    facts.name = Widen(view.name);
    facts.description = Widen(view.description);
    if (view.covered)
        facts.state |= STATE_SYSTEM_UNAVAILABLE;
    if (view.selected)
        facts.state |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_CHECKED;
    if (view.pressable) {
        // A card can be selected; a foundation or the undo arrow cannot.
        if (view.place.kind == FocusPlace::Kind::Slot || view.place.kind == FocusPlace::Kind::Frame)
            facts.state |= STATE_SYSTEM_SELECTABLE;
        facts.defaultAction = Widen(std::string(kPressAction));
    }
    return facts;
}

} // namespace

LRESULT CALLBACK PlaceWindows::PlaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
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
    case WM_GETOBJECT: {
        auto* places = reinterpret_cast<const PlaceWindows*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!places)
            break;
        AccessibleSource source;
        // Asked of the board at each question: a reader may keep the object
        // after the place has changed, or after the window has gone.
        source.facts = [places, window]() -> std::optional<AccessibleFacts> {
            const Child* child = places->ChildOf(window);
            if (!child)
                return std::nullopt;
            return FactsOf(child->view);
        };
        source.press = [places, window] {
            const Child* child = places->ChildOf(window);
            return child && child->view.pressable && places->press_ && places->press_(child->view.place);
        };
        if (const LRESULT answer = AnswerGetObject(window, wParam, lParam, std::move(source)))
            return answer;
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PlaceWindows::Create(HWND board, PressFunction press)
{
    RegisterPlaceClass(&PlaceProc);
    board_ = board;
    press_ = std::move(press);
}

void PlaceWindows::Set(Child& child, const PlaceView& view, const BoardScale& scale)
{
    if (!board_)
        return;
    const Rect rect = scale.ToDevice(view.rect);
    const std::wstring wide = Widen(view.name);
    if (!child.window) {
        // Made with its name, place and visibility in one call: every call
        // to the window system counts when 58 of them are made at start-up.
        // Made in layer order, so their stacking follows the cards'.
        child.window = CreateWindowExW(0, kPlaceClass, wide.c_str(), WS_CHILD | (view.readable ? WS_VISIBLE : 0),
                                       rect.x(), rect.y(), rect.width(), rect.height(), board_, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(child.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        child.rect = rect;
        child.name = wide;
        child.view = view;
        return;
    }
    const PlaceView before = std::exchange(child.view, view);
    if (wide != child.name) {
        child.name = wide;
        SetWindowTextW(child.window, wide.c_str());
        if (view.readable && before.readable)
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, child.window, OBJID_CLIENT, CHILDID_SELF);
    }
    if (rect != child.rect) {
        child.rect = rect;
        SetWindowPos(child.window, nullptr, rect.x(), rect.y(), rect.width(), rect.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOREDRAW);
    }
    if (view.readable != before.readable) {
        // A hidden window that has the focus would keep the keys: give them back to the board.
        if (!view.readable && GetFocus() == child.window)
            SetFocus(board_);
        ShowWindow(child.window, view.readable ? SW_SHOWNA : SW_HIDE);
    }
    if (view.selected && !before.selected)
        NotifyWinEvent(EVENT_OBJECT_SELECTION, child.window, OBJID_CLIENT, CHILDID_SELF);
    if (view.selected != before.selected || view.covered != before.covered || view.pressable != before.pressable)
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, child.window, OBJID_CLIENT, CHILDID_SELF);
}

void PlaceWindows::Update(const BoardModel& model, const BoardScale& scale)
{
    for (const PlaceView& view : BoardView(model)) {
        const auto at = static_cast<std::size_t>(view.place.index);
        switch (view.place.kind) {
        case FocusPlace::Kind::Slot:
            Set(slots_[at], view, scale);
            break;
        case FocusPlace::Kind::Foundation:
            Set(foundations_[at], view, scale);
            break;
        case FocusPlace::Kind::Frame:
            Set(frame_, view, scale);
            break;
        case FocusPlace::Kind::Undo:
            Set(undo_, view, scale);
            break;
        case FocusPlace::Kind::None:
            break;
        }
    }
}

const PlaceWindows::Child* PlaceWindows::ChildOf(HWND window) const
{
    if (!window)
        return nullptr;
    for (const Child& child : slots_)
        if (child.window == window)
            return &child;
    for (const Child& child : foundations_)
        if (child.window == window)
            return &child;
    if (frame_.window == window)
        return &frame_;
    if (undo_.window == window)
        return &undo_;
    return nullptr;
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
