#include "rules/game.h"

#include "windows/qt/help_window.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QStyleOption>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace quarrow {
namespace {

struct FixedRandom final : RandomSource {
    void Reseed() override {}
    float Next() override { return 0.0f; }
};

struct SilentNotices final : Notices {
    void ShowResult() override {}
};

// Receives the addresses the desktop is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// Presses OK on the next message box that opens, remembering what it said.
class MessageBoxAnswerer : public QObject {
public:
    MessageBoxAnswerer()
    {
        timer_.setInterval(0);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer_.stop();
            text = box->text();
            title = box->windowTitle();
            box->accept();
        });
        timer_.start();
    }

    QString text;
    QString title;

private:
    QTimer timer_;
};

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class HelpWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        WriteFile(dir_.filePath("rules.txt"), "How to play.\r\nDeal, then move.\r\n");
        WriteFile(dir_.filePath("tvk.txt"), "Made by Quarrow Games.\r\n");
    }

    // Shows the window as the menu does, but without blocking, and waits until
    // it is the active window (which is when it picks its view).
    std::unique_ptr<HelpWindow> Open(Int16 topic)
    {
        game_.help_topic = topic;
        auto window = std::make_unique<HelpWindow>(game_, dir_.path());
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        return window;
    }

    // Another window takes the focus, then the help window gets it back.
    static void Reactivate(HelpWindow& window)
    {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A click where the player would click, so hidden controls do not get it.
    static void ClickAt(HelpWindow& window, QWidget* control)
    {
        const QPoint centre = control->mapTo(&window, control->rect().center());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    }

    template <typename T>
    static T* Child(const HelpWindow& window, const char* name)
    {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    static QString Text(const HelpWindow& window)
    {
        return Child<QPlainTextEdit>(window, "txt_help")->toPlainText();
    }

    static void ExpectRulesView(const HelpWindow& window)
    {
        EXPECT_EQ(Text(window), QStringLiteral("How to play.\nDeal, then move.\n"));
        EXPECT_TRUE(Child<QLabel>(window, "img_help2")->isVisible());
        EXPECT_FALSE(Child<QLabel>(window, "img_logo")->isVisible());
        EXPECT_FALSE(Child<QLabel>(window, "lbl_url")->isVisible());
    }

    static void ExpectAboutView(const HelpWindow& window)
    {
        EXPECT_EQ(Text(window), QStringLiteral("Made by Quarrow Games.\n"));
        EXPECT_FALSE(Child<QLabel>(window, "img_help2")->isVisible());
        EXPECT_TRUE(Child<QLabel>(window, "img_logo")->isVisible());
        EXPECT_TRUE(Child<QLabel>(window, "lbl_url")->isVisible());
    }

    QTemporaryDir dir_;
    FixedRandom random_;
    SilentNotices notices_;
    Game game_{random_, notices_};
};

TEST_F(HelpWindowTest, LayoutMatchesTheDesign)
{
    auto window = Open(0);
    EXPECT_EQ(window->objectName(), QStringLiteral("frm_help"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quarrow Solitaire - Help"));
    EXPECT_EQ(window->size(), QSize(441, 305));
    EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "the frame is not resizable";
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));

    EXPECT_EQ(Child<QPlainTextEdit>(*window, "txt_help")->geometry(), QRect(5, 8, 281, 292));
    EXPECT_EQ(Child<QPushButton>(*window, "btn_help_0")->geometry(), QRect(300, 214, 127, 23));
    EXPECT_EQ(Child<QPushButton>(*window, "btn_help_5")->geometry(), QRect(300, 243, 127, 23));
    EXPECT_EQ(Child<QPushButton>(*window, "btn_help_4")->geometry(), QRect(300, 270, 127, 23));
    EXPECT_EQ(Child<QPushButton>(*window, "btn_help_0")->text(), QStringLiteral("Rules"));
    EXPECT_EQ(Child<QPushButton>(*window, "btn_help_5")->text(), QStringLiteral("About"));
    EXPECT_EQ(Child<QPushButton>(*window, "btn_help_4")->text(), QStringLiteral("OK"));
    EXPECT_EQ(Child<QLabel>(*window, "img_help2")->geometry(), QRect(308, 25, 109, 138));
    EXPECT_EQ(Child<QLabel>(*window, "img_logo")->geometry(), QRect(295, 58, 140, 102));

    for (const char* picture : {"img_help2", "img_logo"}) {
        const QLabel* label = Child<QLabel>(*window, picture);
        EXPECT_EQ(label->frameShape(), QFrame::Panel) << picture;
        EXPECT_EQ(label->frameShadow(), QFrame::Sunken) << picture;
        EXPECT_EQ(label->lineWidth(), 1) << picture;
    }
    // The program's own pictures, at their own size.
    EXPECT_EQ(Child<QLabel>(*window, "img_help2")->pixmap().deviceIndependentSize(), QSizeF(104, 134));
    EXPECT_EQ(Child<QLabel>(*window, "img_logo")->pixmap().deviceIndependentSize(), QSizeF(136, 98));
}

TEST_F(HelpWindowTest, TabOrderRunsTextOkAboutRules)
{
    auto window = Open(0);
    QWidget* const text = Child<QPlainTextEdit>(*window, "txt_help");
    text->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), text);
    for (const char* next : {"btn_help_4", "btn_help_5", "btn_help_0", "txt_help"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }
}

TEST_F(HelpWindowTest, LinkLooksLikeALinkAndShowsTheHostOnly)
{
    auto window = Open(1);
    const QLabel* link = Child<QLabel>(*window, "lbl_url");
    EXPECT_EQ(link->text(), QStringLiteral("www.quarrow-games.example"));
    EXPECT_EQ(link->alignment(), Qt::AlignCenter);
    EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(link->font().bold());
    EXPECT_TRUE(link->font().underline());
}

TEST_F(HelpWindowTest, LinkSitsUnderTheLogoAndShowsTheWholeAddress)
{
    auto window = Open(1);
    const QLabel* link = Child<QLabel>(*window, "lbl_url");
    const QRect box = link->geometry();
    EXPECT_EQ(box.top(), 162);
    EXPECT_EQ(box.height(), 18);
    // At least the classic link's room, inside the picture column.
    EXPECT_LE(box.left(), 315);
    EXPECT_GE(box.right(), 315 + 93 - 1);
    EXPECT_GT(box.left(), Child<QPlainTextEdit>(*window, "txt_help")->geometry().right());
    EXPECT_LE(box.right(), window->width() - 1);
    EXPECT_LE(link->fontMetrics().horizontalAdvance(link->text()), link->contentsRect().width());
    EXPECT_LE(link->fontMetrics().height(), link->contentsRect().height());
}

TEST_F(HelpWindowTest, TopicChoosesTheViewOnActivation)
{
    auto rules = Open(0);
    ExpectRulesView(*rules);
    rules.reset();

    auto about = Open(1);
    ExpectAboutView(*about);
}

TEST_F(HelpWindowTest, ButtonsSwitchViewsAndLeaveTheTopicAlone)
{
    auto window = Open(0);
    ClickAt(*window, Child<QPushButton>(*window, "btn_help_5"));
    ExpectAboutView(*window);
    EXPECT_EQ(game_.help_topic, 0);

    ClickAt(*window, Child<QPushButton>(*window, "btn_help_0"));
    ExpectRulesView(*window);
    EXPECT_EQ(game_.help_topic, 0);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(HelpWindowTest, ButtonArrayReportsItsIndexes)
{
    auto window = Open(0);
    window->btn_help_Click(HelpWindow::kAbout);
    ExpectAboutView(*window);
    window->btn_help_Click(HelpWindow::kRules);
    ExpectRulesView(*window);
    // There are no elements 1 to 3: nothing happens.
    for (int missing : {1, 2, 3})
        window->btn_help_Click(missing);
    ExpectRulesView(*window);
    EXPECT_TRUE(window->isVisible());
    window->btn_help_Click(HelpWindow::kOk);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(HelpWindowTest, OkClosesTheWindow)
{
    auto window = Open(1);
    ClickAt(*window, Child<QPushButton>(*window, "btn_help_4"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(game_.help_topic, 1);
}

TEST_F(HelpWindowTest, EveryActivationFocusesOkSoEnterCloses)
{
    auto window = Open(0);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>(*window, "btn_help_4"));

    // The player moves the focus away; coming back puts it on OK again.
    ClickAt(*window, Child<QPushButton>(*window, "btn_help_5"));
    Child<QPlainTextEdit>(*window, "txt_help")->setFocus();
    Reactivate(*window);
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>(*window, "btn_help_4"));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(HelpWindowTest, ReactivationShowsTheTopicAgainAndRereadsTheFile)
{
    auto window = Open(0);
    ClickAt(*window, Child<QPushButton>(*window, "btn_help_5"));
    ExpectAboutView(*window);

    WriteFile(dir_.filePath("rules.txt"), "Changed rules.");
    Reactivate(*window);
    EXPECT_EQ(Text(*window), QStringLiteral("Changed rules."));
    EXPECT_TRUE(Child<QLabel>(*window, "img_help2")->isVisible());
    EXPECT_FALSE(Child<QLabel>(*window, "lbl_url")->isVisible());
}

TEST_F(HelpWindowTest, TextBoxTakesNoTypingButScrollsAndSelects)
{
    QByteArray longText;
    for (int line = 1; line <= 200; ++line)
        longText += "Line " + QByteArray::number(line) + "\r\n";
    WriteFile(dir_.filePath("rules.txt"), longText);

    auto window = Open(0);
    auto* text = Child<QPlainTextEdit>(*window, "txt_help");
    const QString before = text->toPlainText();
    text->setFocus();
    QTest::keyClicks(text, "typed");
    QTest::keyClick(text, Qt::Key_Backspace);
    QTest::keyClick(text, Qt::Key_Delete);
    EXPECT_EQ(text->toPlainText(), before);

    QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text->textCursor().selectedText().size(), before.size());

    QScrollBar* bar = text->verticalScrollBar();
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());

    // A new text starts from its first line.
    ClickAt(*window, Child<QPushButton>(*window, "btn_help_5"));
    ClickAt(*window, Child<QPushButton>(*window, "btn_help_0"));
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(HelpWindowTest, BytesAboveAsciiShowAsWindows1252)
{
    QByteArray bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.append(static_cast<char>(b));
    WriteFile(dir_.filePath("tvk.txt"), "\xA9 2024 Quarrow\r\n" + bytes);

    auto window = Open(1);
    const QString text = Text(*window);
    ASSERT_EQ(text.size(), 15 + 128);
    EXPECT_EQ(text.left(15), QStringLiteral("\u00A9 2024 Quarrow\n"));
    EXPECT_EQ(text.at(15).unicode(), 0x20AC);      // 0x80, euro sign
    EXPECT_EQ(text.at(15 + 0x01).unicode(), 0x81); // unassigned, passed through
    EXPECT_EQ(text.at(15 + 0x19).unicode(), 0x2122); // 0x99, trade mark
    EXPECT_EQ(text.at(15 + 0x29).unicode(), 0xA9);   // 0xA9, copyright
    EXPECT_EQ(text.at(15 + 0x7F).unicode(), 0xFF);   // 0xFF, y with diaeresis
}

TEST_F(HelpWindowTest, MissingTextFileShowsNothingAndCreatesNothing)
{
    ASSERT_TRUE(QFile::remove(dir_.filePath("rules.txt")));
    auto window = Open(0);
    EXPECT_EQ(Text(*window), QString());
    EXPECT_TRUE(Child<QLabel>(*window, "img_help2")->isVisible());
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("tvk.txt")});
}

TEST_F(HelpWindowTest, ProgramFolderEndingInASeparatorStillFindsTheFile)
{
    game_.help_topic = 1;
    HelpWindow window(game_, dir_.path() + QLatin1Char('/'));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(Text(window), QStringLiteral("Made by Quarrow Games.\n"));
}

#ifdef QUARROW_TEST_PROGRAM_DIR
// The texts the program ships: the about text names the host the link shows.
TEST_F(HelpWindowTest, ShippedTextsLoadAndTheAboutTextNamesTheLinkHost)
{
    HelpWindow window(game_, QStringLiteral(QUARROW_TEST_PROGRAM_DIR));
    game_.help_topic = 1;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(Text(window).contains(HelpWindow::kWebHost));
    EXPECT_FALSE(Text(window).contains(QChar(QChar::ReplacementCharacter)));
    window.btn_help_Click(HelpWindow::kRules);
    EXPECT_FALSE(Text(window).isEmpty());
}
#endif

class HelpWindowLinkTest : public HelpWindowTest {
protected:
    void SetUp() override
    {
        HelpWindowTest::SetUp();
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder_, "open");
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

    UrlRecorder recorder_;
};

TEST_F(HelpWindowLinkTest, ClickOnTheLinkOpensTheMakersAddress)
{
    auto window = Open(1);
    ClickAt(*window, Child<QLabel>(*window, "lbl_url"));
    ASSERT_EQ(recorder_.opened.size(), 1);
    EXPECT_EQ(recorder_.opened.front(), QUrl(QStringLiteral("http://www.quarrow-games.example")));
    EXPECT_TRUE(window->isVisible());
    ExpectAboutView(*window);
}

TEST_F(HelpWindowLinkTest, TabReachesTheLinkAfterTheButtonsAndEnterOrSpaceOpensIt)
{
    auto window = Open(1);
    for (const char* next : {"btn_help_5", "btn_help_0", "lbl_url"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_EQ(recorder_.opened.size(), 2);
    EXPECT_EQ(recorder_.opened.front(), QUrl(QStringLiteral("http://www.quarrow-games.example")));
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String("txt_help"));
}

TEST_F(HelpWindowLinkTest, HiddenLinkInTheRulesViewOpensNothing)
{
    auto window = Open(0);
    ClickAt(*window, Child<QLabel>(*window, "lbl_url"));
    EXPECT_TRUE(recorder_.opened.isEmpty());
}

TEST_F(HelpWindowLinkTest, ClickBesideTheLinkOpensNothing)
{
    auto window = Open(1);
    QLabel* link = Child<QLabel>(*window, "lbl_url");
    const QPoint below = link->geometry().bottomLeft() + QPoint(4, 6);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, below);
    EXPECT_TRUE(recorder_.opened.isEmpty());
}

TEST_F(HelpWindowLinkTest, HandShowsOnlyWhileThePointerIsOnTheLink)
{
    auto window = Open(1);
    QLabel* link = Child<QLabel>(*window, "lbl_url");
    QTest::mouseMove(window->windowHandle(), link->geometry().center());
    EXPECT_TRUE(link->testAttribute(Qt::WA_SetCursor));
    EXPECT_NE(link->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseMove(window->windowHandle(), QPoint(150, 150));
    EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor));
}

// What a screen reader is told the link is, and its press: the same click,
// raised after the call returns, and only where a click could reach it.
TEST_F(HelpWindowLinkTest, AScreenReaderMeetsALinkWhosePressOpensIt)
{
    auto window = Open(1);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(Child<QLabel>(*window, "lbl_url"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), HelpWindow::kWebHost);
    EXPECT_TRUE(link->state().linked && link->state().focusable);
    QAccessibleActionInterface* actions = link->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));

    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(recorder_.opened.isEmpty()) << "opened inside the screen reader's call";
    QTRY_COMPARE(recorder_.opened.size(), 1);
    EXPECT_EQ(recorder_.opened.front(), QUrl(QStringLiteral("http://www.quarrow-games.example")));

    window->btn_help_Click(HelpWindow::kRules);
    actions->doAction(QAccessibleActionInterface::pressAction());
    QTest::qWait(50);
    EXPECT_EQ(recorder_.opened.size(), 1) << "the hidden link opened";
}

// Records the focus frames the style is asked to draw.
class FocusFrames final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_FrameFocusRect)
            drawn.append(option->rect);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable QList<QRect> drawn;
};

TEST_F(HelpWindowTest, TheFocusedLinkIsFramedByTheStyleAroundItsWords)
{
    auto window = Open(1);
    QLabel* link = Child<QLabel>(*window, "lbl_url");
    FocusFrames style;
    link->setStyle(&style);
    link->grab();
    EXPECT_TRUE(style.drawn.isEmpty()) << "a frame without the focus";

    link->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(link->hasFocus());
    link->grab();
    ASSERT_EQ(style.drawn.size(), 1);
    const QRect words = link->fontMetrics().boundingRect(link->contentsRect(), static_cast<int>(link->alignment()),
                                                         link->text());
    EXPECT_TRUE(style.drawn.front().contains(words.intersected(link->rect())));
    EXPECT_TRUE(link->rect().contains(style.drawn.front()));
    link->setStyle(nullptr);
}

// Offscreen the desktop can open nothing, so this is the failure path.
TEST_F(HelpWindowTest, LinkThatCannotBeOpenedSaysSoAndTheWindowStays)
{
    auto window = Open(1);
    MessageBoxAnswerer answerer;
    ClickAt(*window, Child<QLabel>(*window, "lbl_url"));

    EXPECT_EQ(answerer.text, QStringLiteral("oops, unable to link you there"));
    EXPECT_EQ(answerer.title, QApplication::applicationDisplayName());
    EXPECT_TRUE(window->isVisible());
    ExpectAboutView(*window);
}

} // namespace
} // namespace quarrow

#include "help_window_test.moc"
