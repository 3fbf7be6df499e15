#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "board/focus_keeper.h"
#include "board/mirrored_notices.h"
#include "board/win32/board_canvas.h"
#include "board/win32/keyboard_play.h"
#include "rules/game.h"
#include "windows/win32/message_window.h"

namespace quarrow {

class RandomSource;
class SoundPlayer;

// frm_brd: the board window. It passes every click, key and menu command to
// the game and then shows the game's board model, drawing every place itself.
class BoardWindow {
public:
    // Creates the window, not yet shown. programDir is the folder the
    // program's files sit in (SOUND\, rules.txt), without a trailing separator.
    static std::unique_ptr<BoardWindow> Create(const std::string& programDir, RandomSource& random,
                                               SoundPlayer& sound);
    ~BoardWindow();
    BoardWindow(const BoardWindow&) = delete;
    BoardWindow& operator=(const BoardWindow&) = delete;

    // Start-up: size and centre the window, place the places, set the icon and
    // load the sounds. Returns an empty string, or the message for the player
    // when the icon file cannot be loaded; the program cannot go on then.
    std::string Form_Load();

    HWND hwnd() const { return window_; }
    Game& game() { return game_; }
    std::string IconPath() const;

    static constexpr wchar_t kClassName[] = L"frm_brd";

private:
    BoardWindow(HWND window, const std::string& programDir, RandomSource& random, SoundPlayer& sound);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Paint();
    void ScaleTo(UINT dpi);
    // Shows what the game's model says; runs after every event. After a deal
    // the keyboard starts afresh instead of following the old board.
    void Mirror(bool dealt = false);
    void Invalidate(const Rect& design);

    // The keyboard focus: carries out what the keeper asked for.
    void Apply(const FocusOutcome& outcome);
    void UpdateMark();

    // The mouse.
    Point DesignPoint(LPARAM lParam) const;
    void ButtonDown(Point at);
    void ButtonUp(Point at);
    bool OverUndoArrow() const;

    // Every event goes to the game through here, then the board is mirrored.
    template <typename Handler>
    void Run(Handler&& handler, bool dealt = false);
    // Whether a window the board opened modally is up: it runs its own
    // message loop inside the handler that opened it, and the board takes
    // no command, key or click until it has closed.
    bool ModalUp() const;
    // Counts a modal window up for as long as it lives.
    class ModalScope;
    void Click(FocusPlace place);

    void Command(int id);
    void mnu_deal_Click();
    void mnu_exit_Click();
    void mnu_rules_Click();
    void mnu_example_Click();
    void mnu_about_Click();

    HWND window_;
    std::string program_dir_;
    ResultNotices result_notices_;
    MirroredNotices notices_;
    Game game_;
    KeyboardPlay keys_;
    BoardCanvas canvas_;
    BoardModel painted_;          // the model the screen shows
    Rect painted_mark_;           // where the focus mark is drawn, design pixels; empty for none
    FocusPlace pressed_;          // the place the left button went down on
    HICON icons_[2] {};
    bool place_windows_asked_ = false;
    int modal_depth_ = 0;
};

} // namespace quarrow
