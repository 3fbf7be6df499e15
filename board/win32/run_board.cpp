#include "board/win32/run_board.h"

#include <windows.h>

#include <cstdio>

#include "board/win32/board_window.h"
#include "services/sound.h"
#include "services/win32/message_box.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"

namespace quarrow {

namespace {

// The user-interface thread is a single-threaded COM apartment: the shell
// may hand a link to a browser that is a COM server, and that needs one.
class ComApartment {
public:
    ComApartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment()
    {
        if (ok_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ok_;
};

// Owned for the whole run; the system lets it go with the process however
// that ends. Not owning it (a second game, no rights) changes nothing.
class RunningMarker {
public:
    RunningMarker() : mutex_(CreateMutexW(nullptr, FALSE, kRunningMarker)) {}
    ~RunningMarker()
    {
        if (mutex_)
            CloseHandle(mutex_);
    }
    RunningMarker(const RunningMarker&) = delete;
    RunningMarker& operator=(const RunningMarker&) = delete;

private:
    HANDLE mutex_;
};

} // namespace

int RunBoard(RandomSource& random)
{
    const RunningMarker running;
    const ComApartment com;
    // Every picture the board holds must be gone before GDI+ is shut down.
    GdiplusSession gdiplus;
    const std::unique_ptr<BoardWindow> board = BoardWindow::Create(ProgramDir(), random, DefaultSoundPlayer());
    if (!board) {
        ShowMessageBox(nullptr, "Quarrow Solitaire cannot start: the board window could not be made.");
        return 1;
    }
    const std::string error = board->Form_Load();
    if (!error.empty()) {
        // The program cannot run without its files; say which one and stop.
        std::fprintf(stderr, "%s\n", error.c_str());
        ShowMessageBox(nullptr, error);
        return 1;
    }
    ShowWindow(board->hwnd(), SW_SHOWNORMAL);
    UpdateWindow(board->hwnd());

    MSG message {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace quarrow
