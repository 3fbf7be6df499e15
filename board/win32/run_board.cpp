#include "board/win32/run_board.h"

#include <cstdio>

#include "board/win32/board_window.h"
#include "services/sound.h"
#include "services/win32/message_box.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"

namespace quarrow {

int RunBoard(RandomSource& random)
{
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
