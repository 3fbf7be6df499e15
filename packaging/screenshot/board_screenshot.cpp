// The board in mid-game, for the README and the AppStream screenshot: the real
// board window, a fixed deal, a few plays made with clicks through the window
// and one card selected, grabbed from the screen with the window manager's
// frame. scripts/screenshot.sh runs it in Xvfb under openbox.
#include <array>
#include <cstdio>
#include <cstdlib>

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "board/qt/board_surface.h"
#include "board/qt/board_window.h"
#include "rules/card.h"
#include "rules/testing/stacked_deck.h"
#include "services/qt/picture_place.h"
#include "services/sound.h"

namespace {

using quarrow::Int16;

// Deck position 1..52 -> card code (1-13 spades, 14-26 diamonds, 27-39 clubs, 40-52 hearts).
constexpr std::array<Int16, 52> kDeal = {
    48, 19, 6,  9,  10, 4,  32, 40, 43, 15, 29, 25, 2,  35, 50, 37, 52, 36,
    12, 13, 1,  33, 51, 14, 46, 16, 17, 42, 34, 44, 8,  26, 31, 20, 22, 18,
    21, 23, 38, 11, 39, 3,  45, 30, 24, 5,  7,  47, 49, 28, 27, 41,
};

// Lay the top card of fan `from` on fan `to`, or (to == 0) send it to its
// foundation; `card` is the card that must be on top of `from` then.
struct Play {
    int from;
    int to;
    Int16 card;
};

// Three foundations begun, an emptied fan and a fan grown back to three.
constexpr Play kPlays[] = {
    {7, 0, 1},    // ace of spades
    {8, 0, 14},   // ace of diamonds
    {17, 0, 27},  // ace of clubs
    {17, 0, 28},  // two of clubs
    {5, 7, 50},   // jack of hearts onto the queen of spades
    {5, 17, 35},  // nine of clubs onto the ten of hearts
    {5, 0, 2},    // two of spades
    {14, 0, 3},   // three of spades
    {2, 0, 4},    // four of spades
    {2, 17, 10},  // ten of spades onto the nine of clubs
};
constexpr int kSelectedFan = 4; // its top card, the queen of diamonds, ends up selected
constexpr Int16 kSelectedCard = 25;

class Silence final : public quarrow::SoundPlayer {
public:
    void Play(const std::string&) override {}
};

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "board_screenshot: %s\n", what);
    std::exit(1);
}

class Player {
public:
    explicit Player(quarrow::BoardWindow& window) : window_(window) {}

    int TopSlotOfFan(int fan) const
    {
        const quarrow::BoardModel& model = window_.game().model();
        for (int s = 3 * fan; s >= 3 * fan - 2; --s) {
            if (model.slot_places[s].visible)
                return s;
        }
        return 0;
    }

    Int16 TopCardOfFan(int fan) const
    {
        const int s = TopSlotOfFan(fan);
        return s == 0 ? Int16 {0} : window_.game().model().slot_places[s].face;
    }

    void Click(QWidget* place, QPoint local)
    {
        QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {}, place->mapTo(&window_, local));
    }

    // Near a slot's left edge, the strip that stays in view when it is covered.
    void ClickTopOfFan(int fan) { Click(window_.surface().slot(TopSlotOfFan(fan)), QPoint(5, 50)); }

    void Make(const Play& play)
    {
        if (TopCardOfFan(play.from) != play.card) {
            std::fprintf(stderr, "fan %d shows card %d on top, not %d\n", play.from, TopCardOfFan(play.from), play.card);
            Fail("the deal no longer puts the expected card on top of a fan");
        }
        const Int16 suit = quarrow::CardSuit(play.card);
        ClickTopOfFan(play.from);
        if (play.to == 0) {
            if (quarrow::CardRank(play.card) != quarrow::kAce)
                Click(window_.surface().foundation(suit), QPoint(35, 50));
            if (window_.game().model().foundations[suit].face != play.card)
                Fail("a card did not reach its foundation");
        } else {
            ClickTopOfFan(play.to);
            if (TopCardOfFan(play.to) != play.card)
                Fail("a move between fans was refused");
        }
    }

private:
    quarrow::BoardWindow& window_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(quarrow::BoardWindow::kTitle);
    if (argc != 2)
        Fail("usage: board_screenshot OUTPUT.png");
    // A refused play would open a modal notice and wait for OK for ever.
    QTimer::singleShot(60000, [] { Fail("timed out"); });

    quarrow::testing::StackedDeck deck(kDeal);
    Silence silence;
    quarrow::BoardWindow window(QCoreApplication::applicationDirPath(), deck, silence);
    if (const QString error = window.Form_Load(); !error.isEmpty())
        Fail(qPrintable(error));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        Fail("the window never showed");

    window.findChild<QAction*>(QStringLiteral("mnu_deal"))->trigger();
    Player player(window);
    for (const Play& play : kPlays)
        player.Make(play);
    if (player.TopCardOfFan(kSelectedFan) != kSelectedCard)
        Fail("the card to select is not on top of its fan");
    player.ClickTopOfFan(kSelectedFan);
    if (!window.game().card_selected)
        Fail("no card is selected");

    // The window manager frames the window a moment after it maps; without
    // one the frame stays the bare window.
    for (int waited = 0; waited < 2000 && window.frameGeometry() == window.geometry(); waited += 50)
        QTest::qWait(50);
    QTest::qWait(300);
    const QRect frame = window.frameGeometry();
    const QPixmap shot = window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG"))
        Fail("could not grab or write the picture");
    return 0;
}
