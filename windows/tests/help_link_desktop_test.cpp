// The link as the player's desktop opens it: through xdg-open found on PATH.
// Needs a real window system (run under Xvfb with QT_QPA_PLATFORM=xcb);
// offscreen the desktop opens nothing at all.

#include "rules/game.h"

#include "windows/qt/help_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

class HelpLinkDesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the xcb platform, e.g. under xvfb-run with QT_QPA_PLATFORM=xcb";
        ASSERT_TRUE(programDir_.isValid());
        ASSERT_TRUE(binDir_.isValid());
        // The desktop would fall back on these before giving up.
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
        originalPath_ = qgetenv("PATH");
    }

    void TearDown() override
    {
        if (!originalPath_.isNull())
            qputenv("PATH", originalPath_);
    }

    // Opens the about view and clicks the link where the player would.
    std::unique_ptr<HelpWindow> OpenAboutAndClickTheLink()
    {
        game_.help_topic = 1;
        auto window = std::make_unique<HelpWindow>(game_, programDir_.path());
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        auto* link = window->findChild<QLabel*>(QStringLiteral("lbl_url"));
        EXPECT_NE(link, nullptr);
        if (link && link->isVisible()) {
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              link->mapTo(window.get(), link->rect().center()));
        }
        return window;
    }

    QTemporaryDir programDir_;
    QTemporaryDir binDir_;
    QByteArray originalPath_;
    FixedRandom random_;
    SilentNotices notices_;
    Game game_{random_, notices_};
};

TEST_F(HelpLinkDesktopTest, LinkRunsXdgOpenWithTheMakersAddress)
{
    const QString record = binDir_.filePath(QStringLiteral("opened.txt"));
    const QString script = binDir_.filePath(QStringLiteral("xdg-open"));
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // Written aside and renamed, so the test never reads half a line.
        file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part' && /bin/mv '%1.part' '%1'\n")
                       .arg(record)
                       .toLocal8Bit());
        file.close();
        ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    qputenv("PATH", QFile::encodeName(binDir_.path()) + ':' + originalPath_);

    bool messageShown = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messageShown = true;
            box->accept();
        }
    });
    watch.start(0);

    auto window = OpenAboutAndClickTheLink();
    // The stand-in runs as a program of its own; wait for its record.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 20000)) << "xdg-open never ran";
    QFile file(record);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("http://www.quarrow-games.example\n"));
    EXPECT_FALSE(messageShown);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(HelpLinkDesktopTest, WithoutXdgOpenTheMessageShowsAndTheWindowStays)
{
    // An empty folder as the whole PATH: no xdg-open, no browser to fall back on.
    qputenv("PATH", QFile::encodeName(binDir_.path()));

    QString message;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            watch.stop();
            message = box->text();
            box->accept();
        }
    });
    watch.start(0);

    auto window = OpenAboutAndClickTheLink();
    EXPECT_EQ(message, QStringLiteral("oops, unable to link you there"));
    EXPECT_TRUE(window->isVisible());
    auto* link = window->findChild<QLabel*>(QStringLiteral("lbl_url"));
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->isVisible());
}

} // namespace
} // namespace quarrow
