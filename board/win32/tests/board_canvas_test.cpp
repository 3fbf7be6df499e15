// The board's drawing, read back pixel by pixel from memory: layering, the
// frame's transparent inside, the undo arrow and the focus outline.
#include <gtest/gtest.h>

#include <future>
#include <new>

#include "board/board_geometry.h"
#include "board/focus_outline.h"
#include "board/win32/board_canvas.h"
#include "rules/game.h"
#include "rules/testing/stacked_deck.h"

namespace quarrow {
namespace {

constexpr COLORREF kPeach = RGB(254, 230, 206);
constexpr COLORREF kFrameGreen = RGB(73, 161, 61);

// Drawings scaled by a fraction are smoothed, so their colours only come near.
bool Near(COLORREF a, COLORREF b)
{
    const auto close = [](int x, int y) { return x - y <= 24 && y - x <= 24; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) && close(GetBValue(a), GetBValue(b));
}

// A screen-compatible bitmap the canvas paints into, read back with GetPixel.
class Screen {
public:
    explicit Screen(const BoardScale& scale)
    {
        screen_ = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen_);
        bitmap_ = CreateCompatibleBitmap(screen_, scale.ToDevice(705), scale.ToDevice(455));
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Screen()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        ReleaseDC(nullptr, screen_);
    }
    HDC dc() const { return dc_; }

private:
    HDC screen_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

class BoardCanvasTest : public ::testing::TestWithParam<UINT> {
protected:
    void Paint(const BoardModel& model, Rect outline = {})
    {
        const RECT all {0, 0, scale.ToDevice(705), scale.ToDevice(455)};
        canvas.Paint(screen.dc(), all, model, outline);
    }
    // The colour at the middle of a design pixel.
    COLORREF At(int x, int y) const
    {
        return GetPixel(screen.dc(), (scale.ToDevice(x) + scale.ToDevice(x + 1)) / 2,
                        (scale.ToDevice(y) + scale.ToDevice(y + 1)) / 2);
    }

    GdiplusSession gdiplus;
    BoardScale scale {GetParam()};
    Screen screen {scale};
    BoardCanvas canvas;
    testing::ScriptedRandom random;
    struct : Notices {
        void ShowResult() override {}
    } notices;
    Game game {random, notices};
};

TEST_P(BoardCanvasTest, TheBoardAloneThenTheDealtCardsInTheirFans)
{
    // Decoded ahead for the other size, as for a window centred onto a
    // monitor of other dots per inch: the paint must decode its own.
    canvas.TakeBoardAhead(BoardCanvas::DecodeBoardAhead(!scale.doubleSize()));
    canvas.SetScale(scale);
    Paint(game.model());
    EXPECT_EQ(At(300, 60), kPeach) << "the board picture's field where the fans will be";
    EXPECT_EQ(At(705 - 1, 200), GetSysColor(COLOR_BTNFACE)) << "the extra column beside the picture";

    game.InitNewGame();
    Paint(game.model());
    // The ace of spades shows its strip at the left of fan 1; the three of
    // spades is whole on top. Their corners carry the suit's dark ink.
    const Point ace = SlotTopLeft(1);
    int inked = 0;
    for (int x = ace.x(); x < ace.x() + 22; ++x)
        for (int y = ace.y(); y < ace.y() + 30; ++y)
            inked += At(x, y) != kPeach;
    EXPECT_GT(inked, 10) << "the ace's corner index shows in its strip";
}

TEST_P(BoardCanvasTest, ADecodingThreadThatFailedLeavesThePaintToDecodeTheBoard)
{
    std::promise<Picture> failed;
    failed.set_exception(std::make_exception_ptr(std::bad_alloc()));
    canvas.TakeBoardAhead({failed.get_future(), scale.doubleSize()});
    canvas.SetScale(scale);
    Paint(game.model());
    EXPECT_EQ(At(300, 60), kPeach) << "the board picture, decoded by the paint";
}

TEST_P(BoardCanvasTest, TheFrameIsDrawnOverTheCardWhichShowsThroughItsInside)
{
    canvas.SetScale(scale);
    game.InitNewGame();
    Paint(game.model());
    const Point queen = SlotTopLeft(51);
    const COLORREF inside = At(queen.x() + 35, queen.y() + 50);

    game.img_crdbrd_Click(51);
    Paint(game.model());
    EXPECT_TRUE(Near(At(queen.x() + 1, queen.y() + 50), kFrameGreen));
    EXPECT_TRUE(Near(At(queen.x() + 68, queen.y() + 1), kFrameGreen));
    EXPECT_EQ(At(queen.x() + 35, queen.y() + 50), inside) << "the frame's inside is transparent";

    EXPECT_TRUE(Near(At(kUndoRect.x() + 17, kUndoRect.y() + 2), kPeach)) << "no undo arrow before a move";
    game.img_crdbrd_Click(52);
    Paint(game.model());
    int green = 0;
    for (int x = kUndoRect.x(); x <= kUndoRect.right(); ++x)
        for (int y = kUndoRect.y(); y <= kUndoRect.bottom(); ++y)
            green += GetGValue(At(x, y)) > GetRValue(At(x, y)) + 40;
    EXPECT_GT(green, 60) << "the green arrow is drawn over the board";
    EXPECT_FALSE(Near(At(queen.x() + 1, queen.y() + 50), kFrameGreen)) << "the frame went with the move";
}

TEST_P(BoardCanvasTest, TheFocusOutlineIsDashedInItsInk)
{
    canvas.SetScale(scale);
    game.InitNewGame();
    const Rect outline = FocusOutline(SlotPlace(3));
    Paint(game.model(), outline);
    const COLORREF ink = RGB(kFocusInk.red, kFocusInk.green, kFocusInk.blue);
    EXPECT_EQ(At(outline.x(), outline.y()), ink) << "the corner";
    EXPECT_EQ(At(outline.right(), outline.bottom()), ink) << "the opposite corner";
    EXPECT_NE(At(outline.x() + kFocusDash + 1, outline.y()), ink) << "a gap after the first dash";
    Paint(game.model());
    EXPECT_NE(At(outline.x(), outline.y()), ink) << "gone when painted without it";
}

INSTANTIATE_TEST_SUITE_P(Dpi, BoardCanvasTest, ::testing::Values(96u, 120u, 144u, 192u));

} // namespace
} // namespace quarrow
