// Cost of one player action through the real board window, offscreen: the
// click delivered through the window as the platform would deliver it, the
// game's handling, the board brought up to date, and the repaint of what
// changed. Each iteration checks the action had its effect and counts the
// paint events it caused, so a benchmark that stopped painting (or stopped
// doing anything) shows up in its counters rather than as a faster figure.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmapCache>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <numeric>

#include "board/qt/board_surface.h"
#include "board/qt/board_window.h"
#include "rules/testing/stacked_deck.h"
#include "services/qt/picture_place.h"
#include "services/sound.h"

namespace {

using quarrow::BoardWindow;
using quarrow::Int16;
using quarrow::PicturePlace;

class CountingSound final : public quarrow::SoundPlayer {
public:
    void Play(const std::string&) override { ++played; }
    int played = 0;
};

// Counts paint events of the board window's widgets.
class PaintCounter final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType())
            ++paints;
        return false;
    }
    long paints = 0;
};

// Card i dealt to slot i (with the deal's own king lowering afterwards).
std::array<Int16, 52> InOrder()
{
    std::array<Int16, 52> order {};
    std::iota(order.begin(), order.end(), Int16 {1});
    return order;
}

// Card i dealt to position 53 - i.
std::array<Int16, 52> Reversed()
{
    std::array<Int16, 52> order = InOrder();
    std::reverse(order.begin(), order.end());
    return order;
}

// Deals in order, then reversed, then in order again...: every deal changes
// every fan, as a real new game does, and yet each deal is known.
class AlternatingDeck final : public quarrow::RandomSource {
public:
    void Reseed() override
    {
        reversed = !reversed;
        current().Reseed();
    }
    float Next() override { return current().Next(); }
    bool reversed = true; // the first deal is in order

private:
    quarrow::RandomSource& current() { return reversed ? backward_ : forward_; }
    quarrow::testing::StackedDeck forward_ {InOrder()};
    quarrow::testing::StackedDeck backward_ {Reversed()};
};

class Board {
public:
    Board()
    {
        QDir().mkpath(folder.path() + QStringLiteral("/SOUND"));
        // Start-up wants the window icon; the sounds may be missing.
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::darkGreen);
        icon.save(folder.path() + QStringLiteral("/SOUND/qrrow_icon.ico"), "ICO");
        window = std::make_unique<BoardWindow>(folder.path(), deck, sound);
        ok = window->Form_Load().isEmpty();
        window->game().snd_cluck = "cluck";
        window->show();
        ok = ok && QTest::qWaitForWindowExposed(window.get());
        qApp->installEventFilter(&counter);
        Settle();
    }

    ~Board() { qApp->removeEventFilter(&counter); }

    // Runs whatever the action left queued, the repaint above all.
    static void Settle() { QCoreApplication::processEvents(); }

    quarrow::BoardSurface& surface() { return window->surface(); }
    PicturePlace* slot(int i) { return surface().slot(i); }

    void Click(QWidget* place, QPoint local)
    {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, place->mapTo(window.get(), local));
        Settle();
    }
    void ClickSlot(int i) { Click(slot(i), QPoint(5, 50)); }

    void Undo()
    {
        QWidget* undo = surface().undo();
        const QPoint centre = undo->mapTo(window.get(), QPoint(17, 14));
        QTest::mouseMove(window->windowHandle(), centre);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
        Settle();
    }

    void Deal()
    {
        window->findChild<QAction*>(QStringLiteral("mnu_deal"))->trigger();
        Settle();
    }

    bool Showing(int i, int card) { return slot(i)->isVisibleTo(&surface()) && Face(slot(i)) == card; }

    int Face(const PicturePlace* place)
    {
        for (int c = 1; c <= 52; ++c) {
            if (!place->picture().isNull() && surface().card(c)->picture().cacheKey() == place->picture().cacheKey())
                return c;
        }
        return 0;
    }

    QTemporaryDir folder;
    AlternatingDeck deck;
    CountingSound sound;
    PaintCounter counter;
    std::unique_ptr<BoardWindow> window;
    bool ok = false;
};

void Report(benchmark::State& state, const Board& board, long paintsBefore)
{
    state.counters["paints"] = benchmark::Counter(static_cast<double>(board.counter.paints - paintsBefore),
                                                  benchmark::Counter::kAvgIterations);
}

// A deal on a board that shows another deal: all 52 cards change place.
void BM_Deal(benchmark::State& state)
{
    Board board;
    if (!board.ok)
        return state.SkipWithError("board window did not start");
    board.Deal();
    const long before = board.counter.paints;
    for (auto _ : state) {
        board.Deal();
        state.PauseTiming();
        // In order, the queen of hearts (51) lies on top of fan 17.
        const bool inOrder = !board.window->game().card_selected && board.Showing(51, 51);
        if (inOrder == board.deck.reversed) {
            state.ResumeTiming();
            return state.SkipWithError("the deal did not lay out the stacked deck");
        }
        state.ResumeTiming();
    }
    Report(state, board, before);
}
BENCHMARK(BM_Deal)->Unit(benchmark::kMicrosecond);

// The first deal of a fresh window, which also decodes the faces it shows.
void BM_FirstDeal(benchmark::State& state)
{
    long paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // QPixmap keeps what it loaded from a file in the pixmap cache; a
        // fresh program has nothing there.
        QPixmapCache::clear();
        auto board = std::make_unique<Board>();
        if (!board->ok) {
            state.ResumeTiming();
            return state.SkipWithError("board window did not start");
        }
        const long before = board->counter.paints;
        state.ResumeTiming();

        board->Deal();

        state.PauseTiming();
        paints += board->counter.paints - before;
        if (!board->Showing(51, 51)) {
            state.ResumeTiming();
            return state.SkipWithError("the first deal did not lay out the ordered deck");
        }
        board.reset();
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FirstDeal)->Unit(benchmark::kMicrosecond)->Iterations(30);

// The queen of hearts (51) onto the king of hearts (52): a legal move. The
// selecting click and the undo that restores the board are not timed.
void BM_ClickMove(benchmark::State& state)
{
    Board board;
    if (!board.ok)
        return state.SkipWithError("board window did not start");
    board.Deal();
    long paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        board.ClickSlot(51);
        const long before = board.counter.paints;
        state.ResumeTiming();

        board.ClickSlot(52);

        state.PauseTiming();
        paints += board.counter.paints - before;
        const bool moved = board.Showing(53, 51) && !board.slot(51)->isVisibleTo(&board.surface());
        board.Undo();
        if (!moved || !board.Showing(51, 51)) {
            state.ResumeTiming();
            return state.SkipWithError("the move or its undo did not happen");
        }
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ClickMove)->Unit(benchmark::kMicrosecond);

// The undo of that move, by the pointer coming over the arrow and clicking.
void BM_ClickUndo(benchmark::State& state)
{
    Board board;
    if (!board.ok)
        return state.SkipWithError("board window did not start");
    board.Deal();
    long paints = 0;
    for (auto _ : state) {
        state.PauseTiming();
        board.ClickSlot(51);
        board.ClickSlot(52);
        const long before = board.counter.paints;
        state.ResumeTiming();

        board.Undo();

        state.PauseTiming();
        paints += board.counter.paints - before;
        if (!board.Showing(51, 51) || board.slot(53)->isVisibleTo(&board.surface())) {
            state.ResumeTiming();
            return state.SkipWithError("the undo did not restore the board");
        }
        state.ResumeTiming();
    }
    state.counters["paints"] = benchmark::Counter(static_cast<double>(paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ClickUndo)->Unit(benchmark::kMicrosecond);

// The three of spades (selected once) onto the king of hearts: refused, with
// the notice window shown modally, activated (its face chosen, its sound
// asked for) and answered with OK, every iteration.
void BM_ClickRefusedMove(benchmark::State& state)
{
    Board board;
    if (!board.ok)
        return state.SkipWithError("board window did not start");
    board.Deal();
    board.ClickSlot(3);
    if (!board.window->game().card_selected)
        return state.SkipWithError("the three of spades was not selected");

    int answered = 0;
    int looks = 0;
    // Presses OK once the notice is up and active; until then it looks again
    // at the next turn of the modal loop (a notice that never becomes active
    // is closed after many looks, and the run reported as failed).
    std::function<void()> answer = [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((!modal || QApplication::activeWindow() != modal) && ++looks % 100000 != 0) {
            QTimer::singleShot(0, answer);
            return;
        }
        if (!modal)
            return;
        if (QApplication::activeWindow() != modal) {
            modal->close();
            return;
        }
        if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("btn_OK"))) {
            ok->click();
            ++answered;
        } else {
            modal->close();
        }
    };

    const long before = board.counter.paints;
    const int playedBefore = board.sound.played;
    for (auto _ : state) {
        QTimer::singleShot(0, answer);
        board.ClickSlot(52);
    }
    const auto runs = static_cast<int>(state.iterations());
    if (answered != runs || board.sound.played - playedBefore != runs || !board.window->game().card_selected)
        return state.SkipWithError("a notice was not shown, answered or sounded");
    Report(state, board, before);
}
BENCHMARK(BM_ClickRefusedMove)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Quarrow Solitaire"));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
