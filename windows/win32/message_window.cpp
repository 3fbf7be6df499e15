#include "windows/win32/message_window.h"

#include "rules/game.h"
#include "services/sound.h"
#include "services/win32/message_box.h"
#include "services/win32/modal.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "windows/notice.h"
#include "windows/win32/window_parts.h"

namespace quarrow {

namespace {

using namespace win32_parts;

constexpr Size kErrorSize {400, 200};
constexpr Size kWinSize {407, 207};

struct Notice {
    Notice(Game& g, SoundPlayer& s) : game(g), sound(s) {}
    Game& game;
    SoundPlayer& sound;
    UINT dpi = 96;
    Picture background;
    Picture error;
    Picture win;
    HFONT font = nullptr;
    // Once shown, a picture stays until OK, as the face can only go on from
    // a refusal to the win while the notice is up.
    bool error_shown = false;
    bool win_shown = false;
};

void Say(HWND window, NoticeFace face)
{
    // The window's text is what a screen reader names it by.
    SetWindowTextW(window, Widen(NoticeWords(face)).c_str());
}

void FormActivate(HWND window, Notice& notice)
{
    // A refusal clucks as it appears; the win shows itself, then applauds.
    const NoticeFace face = FaceFor(notice.game);
    if (face != NoticeFace::Win)
        notice.sound.Play(NoticeSound(notice.game, face));
    if (face == NoticeFace::InvalidMove)
        notice.error_shown = true;
    else if (face == NoticeFace::Win)
        notice.win_shown = true;
    if (face != NoticeFace::FullFan)
        Say(window, face);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    // A screen reader reads an alert out as it comes, by the window's words.
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, CHILDID_SELF);
    if (face == NoticeFace::Win)
        notice.sound.Play(NoticeSound(notice.game, face));
}

void Paint(HDC dc, const Notice& notice)
{
    const Size full = ClientSizeForRect(kNoticeRight, kNoticeBottom);
    DrawPicture(dc, notice.background, Scaled(Rect(Point(0, 0), full), notice.dpi));
    if (notice.error_shown)
        DrawPicture(dc, notice.error, Scaled(Rect(kNoticeErrorTopLeft, kErrorSize), notice.dpi));
    if (notice.win_shown)
        DrawPicture(dc, notice.win, Scaled(Rect(kNoticeWinTopLeft, kWinSize), notice.dpi));
}

void PressOk(HWND window, Notice& notice)
{
    notice.error_shown = false;
    notice.win_shown = false;
    notice.game.move_error = false;
    EndModal(window);
}

void LoadPictures(Notice& notice)
{
    const bool doubleSize = DoubleSize(notice.dpi);
    notice.background = LoadArtwork(L"notice_full.gif", doubleSize);
    notice.error = LoadArtwork(L"notice_invalid.gif", doubleSize);
    notice.win = LoadArtwork(L"notice_win.gif", doubleSize);
}

// Moved to a screen of other dots per inch.
void FollowDpi(HWND window, Notice& notice, UINT dpi, const RECT& suggested)
{
    if (win32_parts::FollowDpi(window, notice.dpi, dpi, suggested))
        LoadPictures(notice);
    DeleteObject(notice.font);
    notice.font = CreateMessageFont(dpi);
    SetChildrenFont(window, notice.font);
}

LRESULT CALLBACK NoticeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Notice* notice = StateOf<Notice>(window, message, lParam);
    if (!notice)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            SetFocus(GetDlgItem(window, IDOK));
            FormActivate(window, *notice);
        }
        return 0;
    case WM_COMMAND:
        // OK, Enter and Escape alike.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            PressOk(window, *notice);
        return 0;
    case WM_CLOSE:
        PressOk(window, *notice);
        return 0;
    case WM_DPICHANGED:
        FollowDpi(window, *notice, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    if (LRESULT result; AnswerPaint(window, message, wParam, true, [&](HDC dc) { Paint(dc, *notice); }, result))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

ResultNotices::ResultNotices(HWND owner, SoundPlayer& sound)
    : owner_(owner)
    , sound_(sound)
{
}

void ResultNotices::ShowResult()
{
    if (!game_)
        return;
    RegisterClassOnce(kNoticeWindowClass, &NoticeProcedure);
    Notice notice {*game_, sound_};
    const HWND window = CreateWindowExW(0, kNoticeWindowClass, kProgramTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 1, 1,
                                        owner_, nullptr, GetModuleHandleW(nullptr), &notice);
    if (!window)
        return;
    notice.dpi = WindowDpi(window);
    LoadPictures(notice);
    notice.font = CreateMessageFont(notice.dpi);
    CreateButton(window, IDOK, L"OK", kNoticeOkRect, notice.dpi, notice.font, true);
    Say(window, NoticeFace::FullFan);
    SizeAndCentre(window, ClientSizeForRect(kNoticeRight, kNoticeBottom));
    RunModal(owner_, window);
    DeleteObject(notice.font);
}

} // namespace quarrow
