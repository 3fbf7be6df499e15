// The board's Help menu opens the help window and the example viewer modally,
// and the game in progress is as it was when they close.

#include "board/tests/board_fixture.h"

#include <QAction>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "windows/qt/help_window.h"
#include "windows/qt/scroller_form.h"

namespace quarrow {
namespace {

using board_testing::BoardTest;

// What a modal window showed, looked at once it was active.
struct Seen {
    bool shown = false;
    QString className;
    QString title;
    QString text;          // the help text, or the message
    bool rulesPicture = false;
    bool link = false;
};

class HelpMenuTest : public BoardTest {
protected:
    void SetUp() override
    {
        BoardTest::SetUp();
        WriteFile(QStringLiteral("rules.txt"), "The rules.\r\n");
        WriteFile(QStringLiteral("tvk.txt"), "About us.\r\n");
    }

    void WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Triggers a Help menu item and lets `answer` close the modal window it
    // opens, after recording what that window showed.
    Seen Choose(const char* item, const std::function<void(QWidget*)>& answer)
    {
        Seen seen;
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || seen.shown || QApplication::activeWindow() != modal)
                return;
            seen.shown = true;
            seen.className = QString::fromLatin1(modal->metaObject()->className());
            seen.title = modal->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                seen.text = box->text();
            if (auto* text = modal->findChild<QPlainTextEdit*>(QStringLiteral("txt_help")))
                seen.text = text->toPlainText();
            if (auto* picture = modal->findChild<QLabel*>(QStringLiteral("img_help2")))
                seen.rulesPicture = picture->isVisible();
            if (auto* url = modal->findChild<QLabel*>(QStringLiteral("lbl_url")))
                seen.link = url->isVisible();
            answer(modal);
        });
        poll.start();
        auto* action = window->findChild<QAction*>(QLatin1String(item));
        EXPECT_NE(action, nullptr) << item;
        if (action)
            action->trigger();
        poll.stop();
        return seen;
    }

    static void PressEnter(QWidget*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }
    static void Close(QWidget* modal) { modal->close(); }

    // A game in progress with a card selected.
    void StartGameWithSelection()
    {
        Deal();
        ClickSlot(3);
        ASSERT_TRUE(game().card_selected);
        before_ = game().model();
    }

    void ExpectGameAsBefore()
    {
        EXPECT_EQ(game().model(), before_);
        EXPECT_TRUE(game().card_selected);
        EXPECT_EQ(game().sel_slot, 3);
        EXPECT_TRUE(window->isVisible());
        ExpectBoardMirrorsModel();
    }

    BoardModel before_;
};

TEST_F(HelpMenuTest, RulesOpensTheHelpWindowOnTheRulesAndEnterClosesIt)
{
    StartGameWithSelection();
    const Seen seen = Choose("mnu_rules", PressEnter);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.className, QStringLiteral("quarrow::HelpWindow"));
    EXPECT_EQ(seen.title, QStringLiteral("Quarrow Solitaire - Help"));
    EXPECT_EQ(seen.text, QStringLiteral("The rules.\n"));
    EXPECT_TRUE(seen.rulesPicture);
    EXPECT_FALSE(seen.link);
    EXPECT_EQ(game().help_topic, 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ExpectGameAsBefore();
}

TEST_F(HelpMenuTest, AboutOpensTheSameWindowOnTheAboutText)
{
    StartGameWithSelection();
    const Seen seen = Choose("mnu_about", PressEnter);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.className, QStringLiteral("quarrow::HelpWindow"));
    EXPECT_EQ(seen.text, QStringLiteral("About us.\n"));
    EXPECT_FALSE(seen.rulesPicture);
    EXPECT_TRUE(seen.link);
    EXPECT_EQ(game().help_topic, 1);
    ExpectGameAsBefore();
}

TEST_F(HelpMenuTest, MenuChoiceWinsOverTheViewLastChosenInTheWindow)
{
    // About, then the window's own Rules button, then closed.
    Choose("mnu_about", [](QWidget* modal) {
        static_cast<HelpWindow*>(modal)->btn_help_Click(HelpWindow::kRules);
        static_cast<HelpWindow*>(modal)->btn_help_Click(HelpWindow::kOk);
    });
    EXPECT_EQ(game().help_topic, 1);
    EXPECT_EQ(Choose("mnu_about", PressEnter).text, QStringLiteral("About us.\n"));

    // Rules, then About in the window: the menu's Rules shows the rules again.
    Choose("mnu_rules", [](QWidget* modal) {
        static_cast<HelpWindow*>(modal)->btn_help_Click(HelpWindow::kAbout);
        modal->close();
    });
    EXPECT_EQ(Choose("mnu_rules", PressEnter).text, QStringLiteral("The rules.\n"));
}

TEST_F(HelpMenuTest, ExampleOpensTheViewer)
{
    StartGameWithSelection();
    QImage picture(327, 729, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(folder.filePath(QStringLiteral("SOUND/example.gif")), "PNG"));

    const Seen seen = Choose("mnu_example", Close);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.className, QStringLiteral("quarrow::ScrollerForm"));
    EXPECT_EQ(seen.title, QStringLiteral("Example - Ternwick Solitaire"));
    ExpectGameAsBefore();
}

// A missing example picture used to end the program and lose the game.
TEST_F(HelpMenuTest, MissingExamplePictureIsReportedAndTheGameGoesOn)
{
    StartGameWithSelection();
    ASSERT_FALSE(QFile::exists(folder.filePath(QStringLiteral("SOUND/example.gif"))));

    const Seen seen = Choose("mnu_example", Close);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.className, QStringLiteral("QMessageBox"));
    EXPECT_TRUE(seen.text.contains(QStringLiteral("example.gif"))) << seen.text.toStdString();
    ExpectGameAsBefore();

    // And the game can be played on: the selected card goes back on a click.
    ClickSlot(3);
    EXPECT_FALSE(game().card_selected);
}

} // namespace
} // namespace quarrow
