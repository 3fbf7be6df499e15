#include "windows/qt/message_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "rules/game.h"
#include "services/qt/pictures.h"
#include "services/qt/modal_window.h"
#include "services/sound.h"
#include "services/qt/window_geometry.h"
#include "windows/notice.h"

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

QString Words(NoticeFace face)
{
    const std::string_view words = NoticeWords(face);
    return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

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
                         Words(NoticeFace::InvalidMove), this);
    img_error_->setGeometry(1, 1, 400, 200);
    img_win_ = Picture(QStringLiteral("img_win"), QStringLiteral(":/assets/notice_win.gif"), Words(NoticeFace::Win), this);
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
    SizeAndCentre(this, ToQSize(ClientSizeForRect(kNoticeRight, kNoticeBottom)));
    btn_OK_->setGeometry(kNoticeOkRect.x(), kNoticeOkRect.y(), kNoticeOkRect.width(), kNoticeOkRect.height());
    btn_OK_->raise();
    btn_OK_->setFocus();
    Say(Words(NoticeFace::FullFan));
}

void MessageWindow::Form_Activate()
{
    // A refusal clucks as it appears; the win shows itself, then applauds.
    const NoticeFace face = FaceFor(game_);
    if (face != NoticeFace::Win)
        sound_.Play(NoticeSound(game_, face));
    if (face == NoticeFace::InvalidMove) {
        img_error_->move(kNoticeErrorTopLeft.x(), kNoticeErrorTopLeft.y());
        img_error_->show();
        Say(Words(face));
    } else if (face == NoticeFace::Win) {
        img_win_->move(kNoticeWinTopLeft.x(), kNoticeWinTopLeft.y());
        img_win_->show();
        Say(Words(face));
        sound_.Play(NoticeSound(game_, face));
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
    ShowModal(window);
}

} // namespace quarrow
