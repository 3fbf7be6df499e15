#include "windows/qt/message_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "rules/game.h"
#include "rules/testing/stacked_deck.h"
#include "services/sound.h"

namespace quarrow {
namespace {

const std::string kCluck = "cluck wave";
const std::string kApplause = "applause wave";

QWidget* OpenNotice()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("frm_message") && widget->isVisible())
            return widget;
    return nullptr;
}

// What the player could see at the moment a sound started.
struct Heard {
    std::string image;
    bool error_shown = false;
    bool win_shown = false;
};

class RecordingSound final : public SoundPlayer {
public:
    void Play(const std::string& image) override
    {
        Heard heard{image};
        if (QWidget* notice = OpenNotice()) {
            heard.error_shown = notice->findChild<QLabel*>("img_error")->isVisible();
            heard.win_shown = notice->findChild<QLabel*>("img_win")->isVisible();
        }
        played.push_back(heard);
    }

    std::vector<Heard> played;
};

// The window's parts as a test sees them while it is open.
struct Notice {
    QDialog* window = nullptr;
    QLabel* img_error = nullptr;
    QLabel* img_win = nullptr;
    QPushButton* btn_OK = nullptr;

    explicit Notice(QWidget* open)
        : window(qobject_cast<QDialog*>(open))
        , img_error(open->findChild<QLabel*>("img_error"))
        , img_win(open->findChild<QLabel*>("img_win"))
        , btn_OK(open->findChild<QPushButton*>("btn_OK"))
    {
    }

    // Clicks OK where the player would, through the window: the click only
    // lands if the button is really on top.
    void ClickOk() const
    {
        const QPoint centre = btn_OK->geometry().center();
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
        if (window->isVisible()) {
            ADD_FAILURE() << "OK did not close the notice";
            window->done(QDialog::Rejected);
        }
    }
};

class MessageWindowTest : public ::testing::Test {
protected:
    // Once the shown notice has become active (its first sound started), runs
    // `while_open` on it and then answers it with `answer` (OK by default).
    void WhenOpen(std::function<void(const Notice&)> while_open,
                  std::function<void(const Notice&)> answer = &Notice::ClickOk)
    {
        QTimer::singleShot(0, [this, while_open, answer] {
            const bool activated = QTest::qWaitFor([this] { return !sound_.played.empty(); });
            QWidget* open = OpenNotice();
            if (!activated || !open) {
                ADD_FAILURE() << "the notice never became active";
                if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                    modal->done(QDialog::Rejected);
                return;
            }
            const Notice notice(open);
            while_open(notice);
            answer(notice);
        });
    }

    void SetFlags(bool won, bool error)
    {
        game_.game_won = won;
        game_.move_error = error;
    }

    RecordingSound sound_;
    testing::ScriptedRandom random_;
    ResultNotices notices_{nullptr, sound_};
    Game game_{random_, notices_};

    void SetUp() override
    {
        game_.snd_cluck = kCluck;
        game_.snd_applause = kApplause;
    }
};

TEST_F(MessageWindowTest, IsABorderlessNoticeOfThePicturesSize)
{
    MessageWindow window(game_, sound_, nullptr);
    EXPECT_EQ(window.objectName(), "frm_message");
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(), QSize(407, 207));

    auto* ok = window.findChild<QPushButton*>("btn_OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), QRect(243, 160, 121, 25));
    EXPECT_FALSE(window.findChild<QLabel*>("img_error")->isVisibleTo(&window));
    EXPECT_FALSE(window.findChild<QLabel*>("img_win")->isVisibleTo(&window));
}

TEST_F(MessageWindowTest, ShowsTheProgramsPicturesAtTheirSizes)
{
    MessageWindow window(game_, sound_, nullptr);
    const QPixmap error = window.findChild<QLabel*>("img_error")->pixmap();
    const QPixmap win = window.findChild<QLabel*>("img_win")->pixmap();
    EXPECT_EQ(error.deviceIndependentSize(), QSizeF(400, 200));
    EXPECT_EQ(win.deviceIndependentSize(), QSizeF(407, 207));
    EXPECT_EQ(window.findChild<QLabel*>("img_error")->size(), QSize(400, 200));
    EXPECT_EQ(window.findChild<QLabel*>("img_win")->size(), QSize(407, 207));
}

TEST_F(MessageWindowTest, FullFanNoticeCluckOverTheBackgroundAlone)
{
    SetFlags(false, false);
    bool error_shown = true, win_shown = true;
    WhenOpen([&](const Notice& notice) {
        error_shown = notice.img_error->isVisible();
        win_shown = notice.img_win->isVisible();
    });
    MessageWindow(game_, sound_, nullptr).exec();

    ASSERT_EQ(sound_.played.size(), 1u);
    EXPECT_EQ(sound_.played[0].image, kCluck);
    EXPECT_FALSE(error_shown);
    EXPECT_FALSE(win_shown);
}

TEST_F(MessageWindowTest, InvalidMoveNoticeStartsTheCluckThenShowsItsPicture)
{
    SetFlags(false, true);
    bool error_shown = false, win_shown = true;
    QPoint error_at;
    WhenOpen([&](const Notice& notice) {
        error_shown = notice.img_error->isVisible();
        error_at = notice.img_error->pos();
        win_shown = notice.img_win->isVisible();
    });
    MessageWindow(game_, sound_, nullptr).exec();

    ASSERT_EQ(sound_.played.size(), 1u);
    EXPECT_EQ(sound_.played[0].image, kCluck);
    EXPECT_FALSE(sound_.played[0].error_shown); // the sound came first
    EXPECT_TRUE(error_shown);
    EXPECT_EQ(error_at, QPoint(1, 1));
    EXPECT_FALSE(win_shown);
}

TEST_F(MessageWindowTest, WinNoticeShowsItsPictureThenStartsTheApplause)
{
    for (const bool move_error : {false, true}) {
        SCOPED_TRACE(move_error);
        sound_.played.clear();
        SetFlags(true, move_error);
        bool win_shown = false, error_shown = true;
        QPoint win_at;
        QWidget* at_ok_spot = nullptr;
        QPushButton* ok = nullptr;
        WhenOpen([&](const Notice& notice) {
            win_shown = notice.img_win->isVisible();
            win_at = notice.img_win->pos();
            error_shown = notice.img_error->isVisible();
            at_ok_spot = notice.window->childAt(notice.btn_OK->geometry().center());
            ok = notice.btn_OK;
        });
        MessageWindow(game_, sound_, nullptr).exec();

        ASSERT_EQ(sound_.played.size(), 1u);
        EXPECT_EQ(sound_.played[0].image, kApplause);
        EXPECT_TRUE(sound_.played[0].win_shown); // the picture came first
        EXPECT_FALSE(sound_.played[0].error_shown);
        EXPECT_TRUE(win_shown);
        EXPECT_EQ(win_at, QPoint(0, 0));
        EXPECT_FALSE(error_shown); // whatever move_error holds
        EXPECT_EQ(at_ok_spot, ok);  // the button stays above the picture
        EXPECT_TRUE(game_.game_won);
    }
}

TEST_F(MessageWindowTest, EachFaceSaysItsWordsToAScreenReader)
{
    struct Face {
        bool won, error;
        QString words;
    };
    const Face faces[] = {
        {false, false, QStringLiteral("Only 3 cards per pile")},
        {false, true, QStringLiteral("Invalid move: the card must be one above or below in value")},
        {true, true, QStringLiteral("Well done!")},
    };
    for (const Face& face : faces) {
        sound_.played.clear();
        SetFlags(face.won, face.error);
        QString window_says;
        QStringList pictures_say;
        WhenOpen([&](const Notice& notice) {
            window_says = notice.window->accessibleDescription();
            for (const QLabel* picture : {notice.img_error, notice.img_win}) {
                if (picture->isVisible())
                    pictures_say << picture->accessibleDescription();
            }
        });
        MessageWindow(game_, sound_, nullptr).exec();
        EXPECT_EQ(window_says, face.words);
        // The full-fan notice is the window's own picture; the others lie over it.
        EXPECT_EQ(pictures_say, face.error || face.won ? QStringList {face.words} : QStringList {});
    }
}

TEST_F(MessageWindowTest, OkHasTheFocusAndClosesClearingTheErrorAndBothPictures)
{
    SetFlags(false, true);
    MessageWindow window(game_, sound_, nullptr);
    QWidget* focused = nullptr;
    WhenOpen([&](const Notice&) { focused = QApplication::focusWidget(); });
    const int result = window.exec();

    EXPECT_EQ(focused, window.findChild<QPushButton*>("btn_OK"));
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(game_.move_error);
    EXPECT_FALSE(window.findChild<QLabel*>("img_error")->isVisibleTo(&window));
    EXPECT_FALSE(window.findChild<QLabel*>("img_win")->isVisibleTo(&window));
}

TEST_F(MessageWindowTest, ReactivationReplaysTheSoundAndKeepsTheFace)
{
    SetFlags(false, true);
    QWidget elsewhere;
    bool error_still_shown = false;
    WhenOpen([&](const Notice& notice) {
        // The player switches to another window and back.
        elsewhere.show();
        elsewhere.activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !notice.window->isActiveWindow(); }));
        notice.window->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return sound_.played.size() >= 2; }));
        error_still_shown = notice.img_error->isVisible();
    });
    MessageWindow(game_, sound_, nullptr).exec();

    ASSERT_EQ(sound_.played.size(), 2u);
    EXPECT_EQ(sound_.played[1].image, kCluck);
    EXPECT_TRUE(sound_.played[1].error_shown); // the face from the first activation stays
    EXPECT_TRUE(error_still_shown);
}

TEST_F(MessageWindowTest, EveryOtherWayOfClosingRunsTheOkSteps)
{
    const std::vector<std::pair<const char*, std::function<void(const Notice&)>>> ways = {
        {"Escape", [](const Notice& n) { QTest::keyClick(n.window, Qt::Key_Escape); }},
        {"Return", [](const Notice& n) { QTest::keyClick(n.window, Qt::Key_Return); }},
        {"close", [](const Notice& n) { n.window->close(); }},
    };
    for (const auto& [name, way] : ways) {
        SCOPED_TRACE(name);
        sound_.played.clear();
        SetFlags(true, true);
        MessageWindow window(game_, sound_, nullptr);
        WhenOpen([](const Notice&) {}, way);
        EXPECT_EQ(window.exec(), QDialog::Accepted);
        EXPECT_FALSE(game_.move_error);
        EXPECT_FALSE(window.findChild<QLabel*>("img_win")->isVisibleTo(&window));
        EXPECT_FALSE(window.findChild<QLabel*>("img_error")->isVisibleTo(&window));
    }
}

TEST_F(MessageWindowTest, ResultNoticesShowsOneModalNoticeOverTheBoardAndUnloadsIt)
{
    QWidget board;
    board.show();
    ResultNotices notices(&board, sound_);
    notices.Attach(game_);
    SetFlags(false, true);

    bool modal = false;
    QWidget* owner = nullptr;
    WhenOpen([&](const Notice& notice) {
        modal = QApplication::activeModalWidget() == notice.window;
        owner = notice.window->parentWidget();
    });
    notices.ShowResult();

    EXPECT_TRUE(modal);
    EXPECT_EQ(owner, &board);
    EXPECT_FALSE(game_.move_error);
    ASSERT_EQ(sound_.played.size(), 1u);
    EXPECT_EQ(board.findChildren<MessageWindow*>().size(), 0); // unloaded again

    // The next showing starts from a fresh window: the full-fan face.
    bool error_shown = true;
    WhenOpen([&](const Notice& notice) { error_shown = notice.img_error->isVisible(); });
    notices.ShowResult();
    EXPECT_FALSE(error_shown);
    EXPECT_EQ(sound_.played.size(), 2u);
}

} // namespace
} // namespace quarrow
