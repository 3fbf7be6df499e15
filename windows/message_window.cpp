#include "windows/message_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "rules/game.h"
#include "services/pictures.h"
#include "services/sound.h"
#include "services/window_geometry.h"

namespace quarrow {

namespace {

QLabel* Picture(const QString& name, const QString& resource, const QString& words, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(LoadPicture(resource));
    label->setAccessibleName(words);
    label->setAccessibleDescription(words);
    label->hide();
    return label;
}

const QString kFullFanWords = QStringLiteral("Only 3 cards per pile");
const QString kInvalidWords = QStringLiteral("Invalid move: the card must be one above or below in value");
const QString kWinWords = QStringLiteral("Well done!");

} // namespace

MessageWindow::MessageWindow(Game& game, SoundPlayer& sound, QWidget* parent)
    : ActivatingDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , game_(game)
    , sound_(sound)
{
    setObjectName(QStringLiteral("frm_message"));
    setWindowTitle(QGuiApplication::applicationDisplayName());
    setModal(true);

    background_ = LoadPicture(QStringLiteral(":/assets/notice_full.gif"));
    img_error_ = Picture(QStringLiteral("img_error"), QStringLiteral(":/assets/notice_invalid.gif"),
                         kInvalidWords, this);
    img_error_->setGeometry(1, 1, 400, 200);
    img_win_ = Picture(QStringLiteral("img_win"), QStringLiteral(":/assets/notice_win.gif"), kWinWords, this);
    img_win_->setGeometry(0, 0, 407, 207);

    // Made last, so it sits above both pictures.
    btn_OK_ = new QPushButton(QStringLiteral("OK"), this);
    btn_OK_->setObjectName(QStringLiteral("btn_OK"));
    btn_OK_->setDefault(true);
    connect(btn_OK_, &QPushButton::clicked, this, &MessageWindow::btn_OK_Click);

    Form_Load();
}

void MessageWindow::Say(const QString& words)
{
    // The full-fan notice is the window's own background picture, so the
    // window says what its face says.
    setAccessibleName(words);
    setAccessibleDescription(words);
}

void MessageWindow::Form_Load()
{
    SizeAndCentre(this, ClientSizeForRect(406, 206));
    btn_OK_->setGeometry(243, 160, 121, 25);
    btn_OK_->raise();
    btn_OK_->setFocus();
    Say(kFullFanWords);
}

void MessageWindow::Form_Activate()
{
    if (!game_.game_won) {
        sound_.Play(game_.snd_cluck);
        if (game_.move_error) {
            img_error_->move(1, 1);
            img_error_->show();
            Say(kInvalidWords);
        }
    } else {
        img_win_->move(0, 0);
        img_win_->show();
        Say(kWinWords);
        sound_.Play(game_.snd_applause);
    }
}

void MessageWindow::btn_OK_Click()
{
    accept();
    img_win_->hide();
    img_error_->hide();
    game_.move_error = false;
}

void MessageWindow::reject()
{
    // Closing any other way is a press of OK. A sound still playing goes on,
    // as it does after OK.
    btn_OK_Click();
}

void MessageWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

ResultNotices::ResultNotices(QWidget* parent, SoundPlayer& sound)
    : parent_(parent)
    , sound_(sound)
{
}

void ResultNotices::ShowResult()
{
    if (!game_)
        return;
    MessageWindow window(*game_, sound_, parent_);
    window.exec();
}

} // namespace quarrow
