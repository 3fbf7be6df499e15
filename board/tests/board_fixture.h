#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "board/qt/board_surface.h"
#include "board/qt/board_window.h"
#include "rules/game.h"
#include "rules/random_source.h"
#include "services/qt/picture_place.h"
#include "services/sound.h"

namespace quarrow::board_testing {

// Always 0: the shuffle then leaves the deck as 1..52, so card i is dealt to slot i.
class OrderedDeck final : public RandomSource {
public:
    void Reseed() override {}
    float Next() override { return 0.0f; }
};

class RecordingSound final : public SoundPlayer {
public:
    void Play(const std::string& image) override { played.push_back(image); }
    std::vector<std::string> played;
};

inline const std::string kApplause = "RIFF applause bytes";
inline const std::string kCluck = std::string("RIFF cluck\0bytes", 16);

// A program folder with the files start-up reads.
inline void WriteProgramFolder(const QString& dir, bool withIcon = true)
{
    QDir().mkpath(dir + QStringLiteral("/SOUND"));
    auto write = [&](const QString& name, const std::string& bytes) {
        QFile file(dir + QStringLiteral("/SOUND/") + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    };
    write(QStringLiteral("APPLAUS.WAV"), kApplause);
    write(QStringLiteral("CLUCK.WAV"), kCluck);
    if (withIcon) {
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(QColor(40, 160, 60));
        ASSERT_TRUE(icon.save(dir + QStringLiteral("/SOUND/qrrow_icon.ico"), "ICO"));
    }
}

// What the message window showed when a click brought it up.
struct Notice {
    bool shown = false;
    bool invalid_move_face = false;
    bool win_face = false;
};

// Clicks at a point of the window, as the player would: whatever place is
// on top there gets it. If the click brings up the message window, it is
// looked at once it is active and answered with OK; waiting for activation
// ends after `activationWaitMs`, so a notice that never activates fails the
// test instead of hanging it.
inline Notice ClickAnsweringNotice(QWidget* window, QPoint pos, const std::function<void()>& whileShown = {},
                                   int activationWaitMs = 3000)
{
    Notice seen;
    QTimer poll;
    poll.setInterval(5);
    QElapsedTimer waiting;
    waiting.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || seen.shown)
            return;
        if (QApplication::activeWindow() != modal && waiting.elapsed() < activationWaitMs)
            return;
        seen.shown = true;
        const auto* error = modal->findChild<QWidget*>(QStringLiteral("img_error"));
        const auto* win = modal->findChild<QWidget*>(QStringLiteral("img_win"));
        seen.invalid_move_face = error && error->isVisible();
        seen.win_face = win && win->isVisible();
        if (whileShown)
            whileShown();
        auto* ok = modal->findChild<QPushButton*>(QStringLiteral("btn_OK"));
        EXPECT_NE(ok, nullptr);
        if (ok)
            QTest::mouseClick(ok, Qt::LeftButton);
        else
            modal->close();
    });
    poll.start();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, pos);
    poll.stop();
    return seen;
}

class BoardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        WriteProgramFolder(folder.path());
        window = std::make_unique<BoardWindow>(folder.path(), deck, sound);
        ASSERT_EQ(window->Form_Load(), QString());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    BoardSurface& surface() { return window->surface(); }
    Game& game() { return window->game(); }
    PicturePlace* slot(int i) { return surface().slot(i); }
    PicturePlace* foundation(int k) { return surface().foundation(k); }

    // Where a place's point lies in the window, menu bar included.
    QPoint InWindow(const QWidget* place, QPoint local)
    {
        return place->mapTo(window.get(), local);
    }

    // Clicks at a point of the window, as the player would: whatever place is
    // on top there gets it. If the click brings up the message window, it is
    // looked at once it is active and answered with OK.
    Notice ClickAt(QPoint pos, const std::function<void()>& whileShown = {})
    {
        return ClickAnsweringNotice(window.get(), pos, whileShown);
    }

    // A board slot is clicked near its left edge, in the strip that stays in
    // view even when the card is covered.
    Notice ClickSlot(int i, const std::function<void()>& whileShown = {})
    {
        return ClickAt(InWindow(slot(i), QPoint(5, 50)), whileShown);
    }

    Notice ClickFoundation(int k, const std::function<void()>& whileShown = {})
    {
        return ClickAt(InWindow(foundation(k), QPoint(35, 50)), whileShown);
    }

    // Every place of the board a player can meet: frame, undo arrow, slots, foundations.
    std::vector<QWidget*> Places()
    {
        std::vector<QWidget*> places {surface().border(), surface().undo()};
        for (int i = 1; i <= 54; ++i)
            places.push_back(slot(i));
        for (int k = 1; k <= 4; ++k)
            places.push_back(foundation(k));
        return places;
    }

    // The undo arrow works by the pointing-hand gesture: the pointer comes
    // over it, then clicks.
    void UseUndo()
    {
        const QPoint centre = InWindow(surface().undo(), QPoint(17, 14));
        QTest::mouseMove(window->windowHandle(), centre);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
    }

    void Deal() { window->findChild<QAction*>(QStringLiteral("mnu_deal"))->trigger(); }

    // The card face a place shows, as a card code; 0 for none, -1 for a picture
    // that is no card of the stock.
    int FaceOf(const PicturePlace* place)
    {
        if (place->picture().isNull())
            return 0;
        for (int c = 1; c <= 52; ++c) {
            if (surface().card(c)->picture().cacheKey() == place->picture().cacheKey())
                return c;
        }
        return -1;
    }

    // Every place shows what the game's model says.
    void ExpectBoardMirrorsModel()
    {
        const BoardModel& model = game().model();
        for (int i = 0; i <= 54; ++i) {
            const PicturePlace* place = slot(i);
            EXPECT_EQ(FaceOf(place), model.slot_places[i].face) << "slot " << i;
            EXPECT_EQ(place->isVisibleTo(&surface()), model.slot_places[i].visible) << "slot " << i;
            EXPECT_EQ(place->isEnabled(), model.slot_places[i].enabled) << "slot " << i;
        }
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(FaceOf(foundation(k)), model.foundations[k].face) << "foundation " << k;
            EXPECT_EQ(foundation(k)->isEnabled(), model.foundations[k].enabled) << "foundation " << k;
        }
        EXPECT_EQ(FaceOf(surface().buffer()), model.held_face);
        EXPECT_EQ(surface().border()->isVisibleTo(&surface()), model.border_visible);
        if (model.border_visible) {
            EXPECT_EQ(surface().border()->pos(), slot(model.border_slot)->pos());
        }
        EXPECT_EQ(surface().undo()->isVisibleTo(&surface()), model.undo_visible);
    }

    QTemporaryDir folder;
    OrderedDeck deck;
    RecordingSound sound;
    std::unique_ptr<BoardWindow> window;
};

} // namespace quarrow::board_testing
