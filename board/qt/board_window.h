#pragma once

#include <memory>

#include <QMainWindow>
#include <QString>

#include "board/keyboard_focus.h"
#include "board/mirrored_notices.h"
#include "rules/game.h"
#include "windows/qt/message_window.h"

class QAction;

namespace quarrow {

class BoardSurface;
class FocusMark;
class KeyboardPlay;
class PointingHand;
class RandomSource;
class SoundPlayer;

// frm_brd: the board window. It passes every click and menu command to the
// game and then shows the game's board model.
class BoardWindow final : public QMainWindow {
    Q_OBJECT

public:
    // programDir is the folder the program's files sit in (SOUND/, rules.txt).
    explicit BoardWindow(const QString& programDir, QWidget* parent = nullptr);
    // For tests: a chosen shuffle and sound player.
    BoardWindow(const QString& programDir, RandomSource& random, SoundPlayer& sound, QWidget* parent = nullptr);
    ~BoardWindow() override;

    // Start-up: size and centre the window, lay out the places, set the icon
    // and load the sounds. Returns an empty string, or the message for the
    // player when the icon file cannot be loaded; the program cannot go on then.
    QString Form_Load();

    QString IconPath() const;

    Game& game() { return game_; }
    BoardSurface& surface() const { return *surface_; }
    KeyboardPlay& keyboard() const { return *keyboard_; }

    static inline const QString kTitle = QStringLiteral("Quarrow Solitaire");

private:
    BoardWindow(const QString& programDir, std::unique_ptr<RandomSource> owned, RandomSource* chosen,
                SoundPlayer& sound, QWidget* parent);

    void BuildMenus();
    void SizeAndCentre();
    // Shows what the game's model says; runs after every event. After a deal
    // the keyboard starts afresh instead of following the old board.
    void Mirror(bool dealt = false);
    // Space or Enter on a place: the event a click there raises.
    void ActivatePlace(FocusPlace place);

    void img_crdbrd_Click(int index);
    void img_border_Click();
    void img_ace_Click(int index);
    void img_undo_DragDrop();
    void mnu_deal_Click();
    void mnu_exit_Click();
    void mnu_rules_Click();
    void mnu_example_Click();
    void mnu_about_Click();

    QString program_dir_;
    std::unique_ptr<RandomSource> owned_random_;
    BoardSurface* surface_ = nullptr;
    ResultNotices result_notices_;
    MirroredNotices notices_;
    Game game_;
    PointingHand* undo_hand_ = nullptr;
    FocusMark* focus_mark_ = nullptr;
    KeyboardPlay* keyboard_ = nullptr;
};

} // namespace quarrow
