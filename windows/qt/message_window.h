#pragma once

#include <QPixmap>

#include "rules/notices.h"
#include "services/qt/activating_dialog.h"

class QLabel;
class QPushButton;

namespace quarrow {

class Game;
class SoundPlayer;

// frm_message: the borderless notice shown over the board for a refused move
// or a win. Its face follows the game's flags each time it becomes active:
// the full-fan background alone, the invalid-move picture, or the win picture.
class MessageWindow final : public ActivatingDialog {
    Q_OBJECT

public:
    MessageWindow(Game& game, SoundPlayer& sound, QWidget* parent = nullptr);

    // Every way of closing the window (Esc, the window manager) runs the OK
    // steps, so move_error is never left set behind a closed notice.
    void reject() override;

protected:
    void Form_Activate() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
    void Say(const QString& words);
    void btn_OK_Click();

    Game& game_;
    SoundPlayer& sound_;
    QPixmap background_;
    QLabel* img_error_ = nullptr;
    QLabel* img_win_ = nullptr;
    QPushButton* btn_OK_ = nullptr;
};

// The game's way to the notice: one MessageWindow per showing, loaded when
// shown and gone again once OK has been pressed.
class ResultNotices final : public Notices {
public:
    ResultNotices(QWidget* parent, SoundPlayer& sound);

    // The game is made after its notices, so it is introduced afterwards.
    void Attach(Game& game) { game_ = &game; }

    void ShowResult() override;

private:
    QWidget* parent_;
    SoundPlayer& sound_;
    Game* game_ = nullptr;
};

} // namespace quarrow
