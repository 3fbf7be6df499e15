#include "windows/win32/help_window.h"

#include <oleacc.h>

#include <commctrl.h>

#include <utility>

#include "rules/game.h"
#include "services/win32/accessible.h"
#include "services/win32/links.h"
#include "services/win32/message_box.h"
#include "services/win32/modal.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "windows/help_content.h"
#include "windows/win32/window_parts.h"

namespace quarrow {

namespace {

using namespace win32_parts;

constexpr int kTextId = 100;
constexpr int kRulesId = 101;
constexpr int kAboutId = 102;
constexpr int kLinkId = 103;
constexpr wchar_t kLinkClass[] = L"QuarrowLink";
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr int kSmallestLinkPixels = 7;

struct Help {
    Help(Game& g, std::string dir) : game(g), program_dir(std::move(dir)) {}
    Game& game;
    std::string program_dir;
    UINT dpi = 96;
    HelpView view = HelpView::None;
    Picture leaves;
    Picture logo;
    HFONT font = nullptr;
    HFONT link_font = nullptr;
    HWND text = nullptr;
    HWND link = nullptr;
    // Set while the window's own message box is up: the activation coming
    // back from it is no new activation, so view and scroll position stay.
    bool lent_to_own_window = false;
};

// The link: the maker's host in bold, underlined blue, opened by a click
// (press and release on it), Enter or Space.
struct Link {
    HWND help = nullptr;
    HFONT* font = nullptr;
    UINT dpi = 96;
    bool pressed = false;
};

void OpenLink(HWND helpWindow, Help& help)
{
    if (OpenWebAddress(helpWindow, WebAddress()))
        return;
    help.lent_to_own_window = true;
    ShowMessageBox(helpWindow, kLinkFailed);
    help.lent_to_own_window = false;
}

LRESULT CALLBACK LinkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Link* link = StateOf<Link>(window, message, lParam);
    if (!link)
        return DefWindowProcW(window, message, wParam, lParam);
    const auto activate = [&] { SendMessageW(link->help, WM_COMMAND, MAKEWPARAM(kLinkId, BN_CLICKED), reinterpret_cast<LPARAM>(window)); };
    switch (message) {
    case WM_GETDLGCODE:
        // Enter opens the link rather than pressing the default button.
        if (lParam && reinterpret_cast<MSG*>(lParam)->message == WM_KEYDOWN
            && reinterpret_cast<MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        return DLGC_BUTTON;
    case WM_KEYDOWN:
        if ((wParam == VK_RETURN || wParam == VK_SPACE) && GetKeyState(VK_MENU) >= 0 && GetKeyState(VK_CONTROL) >= 0) {
            activate();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(*link->font);
    case WM_GETOBJECT: {
        // A reader finds a link, named by its host, whose default action opens it.
        AccessibleSource source;
        source.facts = [] {
            return std::optional<AccessibleFacts>(
                AccessibleFacts {ROLE_SYSTEM_LINK, Widen(kWebHost), {}, STATE_SYSTEM_LINKED, L"Jump"});
        };
        source.press = [window, help = link->help] {
            // After the reader's call: the oops box would otherwise keep it waiting.
            return PostMessageW(help, WM_COMMAND, MAKEWPARAM(kLinkId, BN_CLICKED), reinterpret_cast<LPARAM>(window)) != 0;
        };
        if (const LRESULT answer = AnswerGetObject(window, wParam, lParam, std::move(source)))
            return answer;
        break;
    }
    case WM_SETCURSOR:
        SetCursor(PointingHandCursor(DoubleSize(link->dpi)));
        return TRUE;
    case WM_LBUTTONDOWN:
        link->pressed = true;
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP: {
        // The second press of a double-click comes as WM_LBUTTONDBLCLK, no
        // new press, so a double-click opens the link once.
        const bool wasPressed = link->pressed;
        link->pressed = false;
        ReleaseCapture();
        RECT inside {};
        GetClientRect(window, &inside);
        const POINT at {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && PtInRect(&inside, at))
            activate();
        return 0;
    }
    case WM_CAPTURECHANGED:
        link->pressed = false;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT inside {};
        GetClientRect(window, &inside);
        FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
        const HGDIOBJ old = SelectObject(dc, *link->font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kLinkBlue);
        const std::wstring text = Widen(kWebHost);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (GetFocus() == window) {
            // Around the words only.
            RECT words = inside;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &words, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
            const int shift = ((inside.right - inside.left) - (words.right - words.left)) / 2;
            const int drop = ((inside.bottom - inside.top) - (words.bottom - words.top)) / 2;
            OffsetRect(&words, shift, drop);
            InflateRect(&words, 2, 1);
            IntersectRect(&words, &words, &inside);
            SetTextColor(dc, kLinkBlue);
            DrawFocusRect(dc, &words);
        }
        SelectObject(dc, old);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_NCDESTROY:
        delete link;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A multi-line edit box asks for every key, Tab, Enter and Escape included.
// Read-only, it has no use for them: Tab moves on, Enter presses OK and
// Escape closes, as everywhere else in the window.
LRESULT CALLBACK ReadOnlyTextProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_GETDLGCODE)
        return DefSubclassProc(window, message, wParam, lParam) & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, &ReadOnlyTextProcedure, 0);
    return DefSubclassProc(window, message, wParam, lParam);
}

// The bold underlined font, stepped down only if even the picture column is
// too narrow for the host: a cut-off address is no use.
HFONT LinkFont(HWND link, UINT dpi, int width)
{
    HFONT font = CreateMessageFont(dpi, true, true);
    LOGFONTW description {};
    GetObjectW(font, sizeof description, &description);
    const std::wstring text = Widen(kWebHost);
    const HDC dc = GetDC(link);
    for (;;) {
        const HGDIOBJ old = SelectObject(dc, font);
        SIZE extent {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, old);
        const int pixels = description.lfHeight < 0 ? -description.lfHeight : description.lfHeight;
        if (extent.cx <= width || pixels <= ScaleForDpi(kSmallestLinkPixels, dpi))
            break;
        DeleteObject(font);
        description.lfHeight = description.lfHeight < 0 ? description.lfHeight + 1 : description.lfHeight - 1;
        font = CreateFontIndirectW(&description);
    }
    ReleaseDC(link, dc);
    return font;
}

void ShowView(HWND window, Help& help, HelpView view)
{
    help.view = view;
    const std::wstring text = FromUtf16(HelpText(help.program_dir, view, u"\r\n"));
    SetWindowTextW(help.text, text.c_str());
    ShowWindow(help.link, view == HelpView::About ? SW_SHOW : SW_HIDE);
    // The whole client area is painted again, background and all (buffered,
    // below): the two pictures differ in place and size, so drawing one over
    // the other would leave the edges of the first on screen.
    InvalidateRect(window, nullptr, FALSE);
}

void FormActivate(HWND window, Help& help)
{
    SetFocus(GetDlgItem(window, IDOK));
    const HelpView view = ViewForTopic(help.game.help_topic);
    if (view != HelpView::None)
        ShowView(window, help, view);
}

// A picture in a thin sunken border, drawn at its own size from the top left.
void PaintPicture(HDC dc, const Picture& picture, Rect design, UINT dpi)
{
    RECT frame = ToRect(Scaled(design, dpi));
    DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
    const Rect inside = Scaled(design.adjusted(1, 1, -1, -1), dpi);
    const bool doubled = DoubleSize(dpi);
    // A @2x picture is drawn at half its pixels, design size, scaled to the DPI.
    const int designWidth = doubled ? picture.width() / 2 : picture.width();
    const int designHeight = doubled ? picture.height() / 2 : picture.height();
    const Rect target(inside.x(), inside.y(), ScaleForDpi(designWidth, dpi), ScaleForDpi(designHeight, dpi));
    const HRGN clip = CreateRectRgn(inside.x(), inside.y(), inside.x() + inside.width(), inside.y() + inside.height());
    SelectClipRgn(dc, clip);
    DrawPicture(dc, picture, target);
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
}

void Paint(HDC dc, const Help& help)
{
    if (help.view == HelpView::Rules)
        PaintPicture(dc, help.leaves, kHelpLeavesPicture, help.dpi);
    else if (help.view == HelpView::About)
        PaintPicture(dc, help.logo, kHelpLogoPicture, help.dpi);
}

void LoadPictures(Help& help)
{
    const bool doubleSize = DoubleSize(help.dpi);
    help.leaves = LoadArtwork(L"help_leaves.gif", doubleSize);
    help.logo = LoadArtwork(L"logo.gif", doubleSize);
}

// The fonts, for the window's DPI; the link's only once the link has its place.
void MakeFonts(Help& help)
{
    if (help.font)
        DeleteObject(help.font);
    if (help.link_font)
        DeleteObject(help.link_font);
    help.font = CreateMessageFont(help.dpi);
    SendMessageW(help.text, WM_SETFONT, reinterpret_cast<WPARAM>(help.font), FALSE);
    for (const int id : {IDOK, kAboutId, kRulesId})
        SendMessageW(GetDlgItem(GetParent(help.text), id), WM_SETFONT, reinterpret_cast<WPARAM>(help.font), FALSE);
    RECT place {};
    GetClientRect(help.link, &place);
    help.link_font = LinkFont(help.link, help.dpi, place.right);
    if (auto* link = reinterpret_cast<Link*>(GetWindowLongPtrW(help.link, GWLP_USERDATA)))
        link->dpi = help.dpi;
}

// Moved to a screen of other dots per inch.
void FollowDpi(HWND window, Help& help, UINT dpi, const RECT& suggested)
{
    if (win32_parts::FollowDpi(window, help.dpi, dpi, suggested))
        LoadPictures(help);
    MakeFonts(help);
}

LRESULT CALLBACK HelpProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Help* help = StateOf<Help>(window, message, lParam);
    if (!help)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !help->lent_to_own_window)
            FormActivate(window, *help);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kRulesId:
            ShowView(window, *help, HelpView::Rules);
            return 0;
        case kAboutId:
            ShowView(window, *help, HelpView::About);
            return 0;
        case kLinkId:
            OpenLink(window, *help);
            return 0;
        case IDOK:
        case IDCANCEL:
            EndModal(window);
            return 0;
        default:
            break;
        }
        break;
    case WM_CLOSE:
        EndModal(window);
        return 0;
    case WM_CTLCOLORSTATIC:
        // Read-only, the text box would be grey; it is a page to read.
        if (reinterpret_cast<HWND>(lParam) == help->text) {
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    case WM_DPICHANGED:
        FollowDpi(window, *help, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    if (LRESULT result; AnswerPaint(window, message, wParam, true, [&](HDC dc) { Paint(dc, *help); }, result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

void ShowHelpWindow(HWND owner, Game& game, const std::string& programDir)
{
    RegisterClassOnce(kHelpWindowClass, &HelpProcedure);
    RegisterClassOnce(kLinkClass, &LinkProcedure, CS_DBLCLKS);
    Help help {game, programDir};
    const std::wstring title = Widen(kHelpTitle);
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kHelpWindowClass, title.c_str(),
                                        WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0, 1, 1, owner,
                                        nullptr, GetModuleHandleW(nullptr), &help);
    if (!window)
        return;
    help.dpi = WindowDpi(window);
    LoadPictures(help);

    // Made in the order Tab visits them. A reader names the text box by
    // the label just before it, which takes no room.
    const Rect textPlace = Scaled(kHelpTextRect, help.dpi);
    CreateWindowExW(0, L"STATIC", Widen(kHelpTextName).c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX, textPlace.x(),
                    textPlace.y(), 0, 0, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    help.text = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
                                textPlace.x(), textPlace.y(), textPlace.width(), textPlace.height(), window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), GetModuleHandleW(nullptr), nullptr);
    // Read-only still lets the player select and copy.
    SendMessageW(help.text, EM_SETREADONLY, TRUE, 0);
    SetWindowSubclass(help.text, &ReadOnlyTextProcedure, 0, 0);
    CreateButton(window, IDOK, L"OK", kHelpOkButton, help.dpi, help.font, true);
    CreateButton(window, kAboutId, L"About", kHelpAboutButton, help.dpi, help.font, false);
    CreateButton(window, kRulesId, L"Rules", kHelpRulesButton, help.dpi, help.font, false);

    const Rect linkPlace = Scaled(kHelpLinkRect, help.dpi);
    auto* link = new Link {window, &help.link_font, help.dpi};
    help.link = CreateWindowExW(0, kLinkClass, Widen(kWebHost).c_str(), WS_CHILD | WS_TABSTOP, linkPlace.x(),
                                linkPlace.y(), linkPlace.width(), linkPlace.height(), window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLinkId)), GetModuleHandleW(nullptr), link);
    if (!help.link)
        delete link;
    MakeFonts(help);

    SizeAndCentre(window, kHelpClientSize);
    RunModal(owner, window);
    DeleteObject(help.font);
    DeleteObject(help.link_font);
}

} // namespace quarrow
