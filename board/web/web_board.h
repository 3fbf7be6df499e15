#pragma once

#include <memory>
#include <string>

#include "board/focus_keeper.h"
#include "rules/game.h"
#include "windows/notice.h"

namespace quarrow {

// The browser's board window apart from the page: the game, the key state
// machine and the notice, driven by the page's events and read back by it
// after each one. Nothing here touches the page, so it runs under Node too.
class WebBoard final {
public:
    // programDir is where the page has put the files it fetched.
    WebBoard(RandomSource& random, std::string programDir);

    // Form_Load: the two sounds, read whole from the program's folder.
    void Load();

    void Deal();
    // A page cannot close its tab: Exit ends the game and leaves the board
    // as it was at start, undealt.
    void Exit();
    // A pointer press anywhere on the board (NoPlace() off the places).
    void Pressed(FocusPlace place);
    // A click, press and release, on a place the page shows.
    void Clicked(FocusPlace place);
    void Key(BoardKey key);
    // A screen reader's press on a place.
    void Activate(FocusPlace place);
    // OK on the notice.
    void CloseNotice();

    const Game& game() const { return *game_; }
    Game& game() { return *game_; }
    const BoardModel& model() const { return game_->model(); }
    const FocusKeeper& keys() const { return keeper_; }
    // The focus moved in a way a screen reader should hear.
    bool announce() const { return announce_; }

    bool noticeOpen() const { return notice_open_; }
    NoticeFace noticeFace() const { return FaceFor(*game_); }
    // The sound the notice plays as it opens; empty for silence.
    const std::string& noticeSound() const { return NoticeSound(*game_, noticeFace()); }
    // Only images whose every chunk lies inside them are handed to the player.
    bool Playable(const std::string& image) const;

    std::u16string HelpText(Int16 helpTopic) const;
    const std::string& programDir() const { return program_dir_; }

private:
    // The rules' notice opens the page's dialog and returns at once. The page
    // can only wait by returning to its event loop, so this relies on every
    // rule showing the notice as the last thing its handler does; the dialog
    // is modal, so nothing on the board acts until OK.
    class PageNotices final : public Notices {
    public:
        explicit PageNotices(WebBoard& board) : board_(board) {}
        void ShowResult() override { board_.notice_open_ = true; }

    private:
        WebBoard& board_;
    };

    void Follow(const FocusOutcome& outcome);
    void Run(FocusPlace place);

    RandomSource& random_;
    std::string program_dir_;
    PageNotices notices_;
    std::unique_ptr<Game> game_;
    FocusKeeper keeper_;
    bool announce_ = false;
    bool notice_open_ = false;
};

} // namespace quarrow
