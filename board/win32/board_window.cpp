#include "board/win32/board_window.h"

#include <windowsx.h>

#include <cstdio>

#include "board/board_geometry.h"
#include "board/hit_test.h"
#include "board/place_events.h"
#include "board/place_layers.h"
#include "services/file_loading.h"
#include "services/win32/message_box.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "services/window_metrics.h"
#include "windows/win32/example_viewer.h"
#include "windows/win32/help_window.h"

namespace quarrow {

namespace {

enum MenuCommand : int { kDeal = 101, kExit, kRules, kExample, kAbout };

// Posted by the first paint: now make the windows a screen reader reads.
constexpr UINT kMakePlaceWindows = WM_APP + 1;
// A screen reader's press on a place (wParam its kind, lParam its index),
// taken after the reader's call has returned: a refused move opens a modal
// notice, and the reader must not wait for the player to close it.
constexpr UINT kPressPlace = WM_APP + 2;

// The board's own window: a title bar with the system menu, minimise and
// close, a single-line border, no maximise and no resizing.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

HMENU BuildMenus()
{
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kDeal, L"&Deal");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kExit, L"E&xit");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kRules, L"&Rules");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, kExample, L"&Example");
    AppendMenuW(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(help, MF_STRING, kAbout, L"&About");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

bool RegisterBoardClass(WNDPROC procedure)
{
    WNDCLASSEXW kind {};
    kind.cbSize = sizeof(kind);
    // A double-click arrives as its own message, which the board ignores:
    // without the flag its second half would be a second click.
    kind.style = CS_DBLCLKS;
    kind.lpfnWndProc = procedure;
    kind.hInstance = GetModuleHandleW(nullptr);
    kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    kind.lpszClassName = BoardWindow::kClassName;
    return RegisterClassExW(&kind) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Why a file could not be used, in the words the Linux program uses.
std::string WhyUnusable(const std::string& path, bool read)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "is missing";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "is a folder, not a picture";
    return read ? "cannot be loaded as a picture" : "cannot be read";
}

void SetIcons(HWND window, HICON big, HICON small)
{
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

} // namespace

std::unique_ptr<BoardWindow> BoardWindow::Create(const std::string& programDir, RandomSource& random,
                                                 SoundPlayer& sound)
{
    if (!RegisterBoardClass(&BoardWindow::WindowProc))
        return nullptr;
    // For the screen's dots per inch, which the window most likely gets; if
    // not, the first paint decodes the picture again.
    BoardCanvas::Ahead picture = BoardCanvas::DecodeBoardAhead(BoardScale(WindowDpi(nullptr)).doubleSize());
    const HWND window = CreateWindowExW(0, kClassName, kProgramTitle, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, BuildMenus(),
                                        GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return nullptr;
    std::unique_ptr<BoardWindow> board(new BoardWindow(window, programDir, random, sound));
    board->canvas_.TakeBoardAhead(std::move(picture));
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(board.get()));
    return board;
}

BoardWindow::BoardWindow(HWND window, const std::string& programDir, RandomSource& random, SoundPlayer& sound)
    : window_(window)
    , program_dir_(programDir)
    , result_notices_(window, sound)
    , notices_([this] { Mirror(); }, result_notices_)
    , game_(random, notices_)
    , keys_(window, game_.model())
    , painted_(game_.model())
{
    result_notices_.Attach(game_);
    ScaleTo(WindowDpi(window_));
}

BoardWindow::~BoardWindow()
{
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    for (HICON icon : icons_)
        if (icon)
            DestroyIcon(icon);
}

std::string BoardWindow::IconPath() const
{
    return program_dir_ + "\\SOUND\\qrrow_icon.ico";
}

std::string BoardWindow::Form_Load()
{
    SizeAndCentre(window_, ClientSizeForRect(kBoardRight, kBoardBottom));
    ScaleTo(WindowDpi(window_));

    const std::string path = IconPath();
    std::string bytes;
    const bool read = LoadWholeFile(path, bytes);
    if (read) {
        icons_[0] = IconFromFile(bytes, GetSystemMetrics(SM_CXICON));
        icons_[1] = IconFromFile(bytes, GetSystemMetrics(SM_CXSMICON));
    }
    if (!icons_[0] || !icons_[1])
        return "Quarrow Solitaire cannot start: the window icon " + path + " " + WhyUnusable(path, read) + ".";
    SetIcons(window_, icons_[0], icons_[1]);

    game_.snd_path = program_dir_ + "\\SOUND\\";
    LoadWholeFile(game_.snd_path + "APPLAUS.WAV", game_.snd_applause);
    LoadWholeFile(game_.snd_path + "CLUCK.WAV", game_.snd_cluck);
    return {};
}

LRESULT CALLBACK BoardWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* board = reinterpret_cast<BoardWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!board)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        board->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return board->Handle(message, wParam, lParam);
}

class BoardWindow::ModalScope {
public:
    explicit ModalScope(BoardWindow& board) : board_(board) { ++board_.modal_depth_; }
    ~ModalScope() { --board_.modal_depth_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    BoardWindow& board_;
};

bool BoardWindow::ModalUp() const
{
    // Disabled: a window of the system's (a message box) is modal over it.
    return modal_depth_ > 0 || !IsWindowEnabled(window_);
}

namespace {

// Being disabled keeps the player's own input away while a modal window is
// up, but not what is posted or sent to the board: a re-deal or a move then
// would change the game under the handler that is waiting for the window.
bool IsBoardInput(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_COMMAND:
    case kPressPlace:
        return true;
    default:
        return false;
    }
}

} // namespace

LRESULT BoardWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsBoardInput(message) && ModalUp())
        return 0;
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_LBUTTONDOWN:
        ButtonDown(DesignPoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        ButtonUp(DesignPoint(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        // The second half of a double-click is no new press, so the release
        // after it clicks nothing: a double-click is one click.
        pressed_ = NoPlace();
        Apply(keys_.Clicked(PlaceAt(painted_, DesignPoint(lParam))));
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        Apply(keys_.Clicked(NoPlace()));
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = NoPlace();
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && OverUndoArrow()) {
            SetCursor(PointingHandCursor(canvas_.scale().doubleSize()));
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
        if (const std::optional<FocusOutcome> outcome = keys_.KeyDown(wParam)) {
            Apply(*outcome);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        keys_.FocusPlaceWindow();
        return 0;
    case kPressPlace: // refused above when a modal window opened since the press was taken
        Apply(keys_.Activate({static_cast<FocusPlace::Kind>(wParam), static_cast<int>(lParam)}));
        return 0;
    case kMakePlaceWindows:
        keys_.MakePlaceWindows(painted_, canvas_.scale(), [this](FocusPlace place) {
            // While a modal window is up nothing on the board acts.
            return !ModalUp()
                && PostMessageW(window_, kPressPlace, static_cast<WPARAM>(place.kind), place.index) != 0;
        });
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) {
            Command(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const UINT dpi = HIWORD(wParam);
        ScaleTo(dpi);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        RECT frame {0, 0, canvas_.scale().ToDevice(kBoardRight + 1), canvas_.scale().ToDevice(kBoardBottom + 1)};
        static const auto adjust = reinterpret_cast<AdjustForDpiFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
        if (!adjust || !adjust(&frame, kStyle, TRUE, 0, dpi))
            frame = *suggested;
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, frame.right - frame.left,
                     frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void BoardWindow::Paint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    if (dc && !IsRectEmpty(&paint.rcPaint))
        canvas_.Paint(dc, paint.rcPaint, painted_, painted_mark_);
    EndPaint(window_, &paint);
    // Making 58 windows costs more than the whole paint under Wine; the
    // board is worth seeing first, and nobody can reach a place before that.
    if (!place_windows_asked_) {
        place_windows_asked_ = true;
        PostMessageW(window_, kMakePlaceWindows, 0, 0);
    }
}

void BoardWindow::ScaleTo(UINT dpi)
{
    canvas_.SetScale(BoardScale(dpi));
    keys_.Rescale(painted_, canvas_.scale());
    InvalidateRect(window_, nullptr, FALSE);
}

void BoardWindow::Invalidate(const Rect& design)
{
    if (design.isEmpty())
        return;
    const RECT area = ToRECT(canvas_.scale().ToDevice(design));
    InvalidateRect(window_, &area, FALSE);
}

void BoardWindow::Mirror(bool dealt)
{
    const BoardModel& model = game_.model();
    for (const Rect& area : ChangedAreas(painted_, model))
        Invalidate(area);
    painted_ = model;
    Apply(keys_.Shown(model, canvas_.scale(), dealt));
}

template <typename Handler>
void BoardWindow::Run(Handler&& handler, bool dealt)
{
    // The rules throw only for a bug of the program (an index out of range);
    // unwinding through the system's message dispatch is undefined, so stop
    // here with the reason.
    try {
        // A refusal or the win shows the notice from inside the handler.
        const ModalScope modal(*this);
        handler();
    } catch (const InternalError& error) {
        const std::string text = std::string("Quarrow Solitaire internal error: ") + error.what();
        std::fprintf(stderr, "%s\n", text.c_str());
        FatalAppExitW(0, Widen(text).c_str());
    }
    Mirror(dealt);
}

void BoardWindow::Click(FocusPlace place)
{
    Run([&] { RaiseClick(game_, place); });
}

// --- keyboard ---

void BoardWindow::Apply(const FocusOutcome& outcome)
{
    if (outcome.announce)
        keys_.Announce();
    UpdateMark();
    if (outcome.activate.kind != FocusPlace::Kind::None)
        Click(outcome.activate);
}

void BoardWindow::UpdateMark()
{
    const Rect now = keys_.Mark();
    if (now == painted_mark_)
        return;
    Invalidate(painted_mark_);
    Invalidate(now);
    painted_mark_ = now;
}

// --- mouse ---

Point BoardWindow::DesignPoint(LPARAM lParam) const
{
    return canvas_.scale().ToDesign(Point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
}

void BoardWindow::ButtonDown(Point at)
{
    // Like a button, a place is clicked by a press and a release both over it.
    pressed_ = PlaceAt(painted_, at);
    if (pressed_.kind != FocusPlace::Kind::None)
        SetCapture(window_);
    Apply(keys_.Clicked(pressed_));
}

void BoardWindow::ButtonUp(Point at)
{
    const FocusPlace place = pressed_;
    pressed_ = NoPlace();
    if (GetCapture() == window_)
        ReleaseCapture();
    if (place.kind == FocusPlace::Kind::None)
        return;
    // Let go elsewhere, or over a place that went in the meantime: no click.
    for (const Layer& layer : BoardLayers(painted_)) {
        if (layer.place == place && layer.shown && layer.enabled && layer.rect.contains(at)) {
            Click(place);
            return;
        }
    }
}

bool BoardWindow::OverUndoArrow() const
{
    POINT cursor;
    if (!GetCursorPos(&cursor) || !ScreenToClient(window_, &cursor))
        return false;
    return PlaceAt(painted_, canvas_.scale().ToDesign(Point(cursor.x, cursor.y))) == UndoPlace();
}

// --- menus ---

void BoardWindow::Command(int id)
{
    switch (id) {
    case kDeal:
        mnu_deal_Click();
        break;
    case kExit:
        mnu_exit_Click();
        break;
    case kRules:
        mnu_rules_Click();
        break;
    case kExample:
        mnu_example_Click();
        break;
    case kAbout:
        mnu_about_Click();
        break;
    default:
        break;
    }
}

void BoardWindow::mnu_deal_Click()
{
    Run([&] { game_.InitNewGame(); }, true);
}

void BoardWindow::mnu_exit_Click()
{
    DestroyWindow(window_);
}

void BoardWindow::mnu_rules_Click()
{
    game_.help_topic = 0;
    const ModalScope modal(*this);
    ShowHelpWindow(window_, game_, program_dir_);
}

void BoardWindow::mnu_example_Click()
{
    const ModalScope modal(*this);
    ShowExampleViewer(window_, program_dir_);
}

void BoardWindow::mnu_about_Click()
{
    game_.help_topic = 1;
    const ModalScope modal(*this);
    ShowHelpWindow(window_, game_, program_dir_);
}

} // namespace quarrow
