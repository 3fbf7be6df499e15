// What a front end that draws the board itself shares: which place a press
// lands on, which areas a change of the board repaints, and the focus
// outline's dashes. Boards from the ordered deal (card i dealt to slot i).
#include <gtest/gtest.h>

#include <algorithm>

#include "board/board_geometry.h"
#include "board/focus_outline.h"
#include "board/hit_test.h"
#include "board/place_layers.h"
#include "rules/game.h"
#include "rules/testing/stacked_deck.h"

namespace quarrow {
namespace {

std::string Describe(FocusPlace place)
{
    static const char* kKinds[] = {"none", "foundation", "slot", "frame", "undo"};
    return std::string(kKinds[static_cast<int>(place.kind)]) + " " + std::to_string(place.index);
}

class BoardDrawing : public ::testing::Test {
protected:
    testing::ScriptedRandom random; // always 0: the ordered deal
    struct : Notices {
        void ShowResult() override {}
    } notices;
    Game game {random, notices};
};

struct Press {
    Point at;
    FocusPlace lands;
    const char* why;
};

void ExpectPresses(const BoardModel& model, std::initializer_list<Press> presses)
{
    for (const Press& press : presses)
        EXPECT_EQ(Describe(PlaceAt(model, press.at)), Describe(press.lands))
            << "press at " << press.at.x() << "," << press.at.y() << ": " << press.why;
}

TEST_F(BoardDrawing, BeforeTheDealEveryEmptySlotAndFoundationTakesPressesTopmostFirst)
{
    ExpectPresses(game.model(), {
        {{86, 7}, SlotPlace(1), "the strip of the bottom slot, its top-left pixel"},
        {{107, 105}, SlotPlace(1), "the strip's last pixel"},
        {{108, 50}, SlotPlace(2), "where the middle slot begins, over the bottom one"},
        {{155, 50}, SlotPlace(3), "all three slots overlap; the top one is in front"},
        {{199, 105}, SlotPlace(3), "the top slot's bottom-right pixel"},
        {{200, 50}, NoPlace(), "between two fans"},
        {{7, 319}, FoundationPlace(4), "the fourth foundation's corner"},
        {{80, 50}, NoPlace(), "between the foundations and the fans"},
        {{610, 430}, NoPlace(), "the undo arrow is hidden"},
        {{kOffBoard.x() + 5, kOffBoard.y() + 5}, NoPlace(), "the stock beside the board is never hit"},
    });
}

TEST_F(BoardDrawing, ACoveredCardCatchesThePressAndHiddenSlotsLetItThrough)
{
    game.InitNewGame();
    ExpectPresses(game.model(), {
        {{120, 50}, NoPlace(), "the middle card is covered: the press does not reach the card under it"},
        {{90, 50}, NoPlace(), "the bottom card is covered too"},
        {{160, 50}, SlotPlace(3), "the top card"},
        {{380, 350}, SlotPlace(52), "fan 18's one card"},
        {{410, 350}, NoPlace(), "slot 53 is hidden until a card is laid on fan 18"},
    });
}

TEST_F(BoardDrawing, TheFrameTakesPressesOverItsWholeRectangleAndTheUndoArrowIsInFrontOfAll)
{
    game.InitNewGame();
    game.img_crdbrd_Click(51); // the queen of hearts, top of fan 17, is selected
    const Rect queen(SlotTopLeft(51), kCardSize);
    ExpectPresses(game.model(), {
        {queen.topLeft(), FramePlace(51), "the frame's green edge"},
        {queen.center(), FramePlace(51), "the frame's transparent inside, over the card"},
        {{queen.right(), queen.bottom()}, FramePlace(51), "the frame's last pixel"},
        {{queen.x() - 1, queen.y() + 50}, NoPlace(), "the covered middle card beside it"},
    });

    game.img_crdbrd_Click(52); // onto the king of hearts: the undo arrow appears
    ASSERT_TRUE(game.model().undo_visible);
    ExpectPresses(game.model(), {
        {kUndoRect.topLeft(), UndoPlace(), "the arrow's corner"},
        {{kUndoRect.right(), kUndoRect.bottom()}, UndoPlace(), "the arrow's last pixel"},
        {{kUndoRect.right() + 1, kUndoRect.y()}, NoPlace(), "just beside it"},
        {queen.center(), SlotPlace(50), "the frame went with the queen; the middle card of fan 17 is its top now"},
        {{340, 350}, NoPlace(), "the king is covered by the queen laid on it"},
        {{400, 350}, SlotPlace(53), "the queen, top of fan 18"},
    });
}

TEST_F(BoardDrawing, ChangedAreasAreWhereSomethingAppearedOrWentAndNothingElse)
{
    const BoardModel design = game.model();
    EXPECT_TRUE(ChangedAreas(design, design).empty());

    game.InitNewGame();
    const BoardModel dealt = game.model();
    const std::vector<Rect> deal = ChangedAreas(design, dealt);
    EXPECT_EQ(deal.size(), 52u) << "each face appears once; the empty slots drew nothing before or after";
    EXPECT_EQ(std::count(deal.begin(), deal.end(), Rect(SlotTopLeft(53), kCardSize)), 0);

    game.img_crdbrd_Click(51);
    const BoardModel selected = game.model();
    EXPECT_EQ(ChangedAreas(dealt, selected), std::vector<Rect> {Rect(SlotTopLeft(51), kCardSize)});

    game.img_crdbrd_Click(52);
    std::vector<Rect> move = ChangedAreas(selected, game.model());
    std::vector<Rect> expected {Rect(SlotTopLeft(51), kCardSize), Rect(SlotTopLeft(53), kCardSize),
                                Rect(SlotTopLeft(51), kCardSize), kUndoRect};
    auto order = [](const Rect& a, const Rect& b) {
        return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    };
    std::sort(move.begin(), move.end(), order);
    std::sort(expected.begin(), expected.end(), order);
    EXPECT_EQ(move, expected) << "the queen left slot 51, came to slot 53, the frame went, the arrow came";

    BoardModel disabled = game.model();
    disabled.slot_places[53].enabled = false;
    disabled.foundations[1].enabled = false;
    EXPECT_TRUE(ChangedAreas(game.model(), disabled).empty()) << "a disabled place looks the same";

    BoardModel other_face = game.model();
    other_face.slot_places[53].face = 13;
    EXPECT_EQ(ChangedAreas(game.model(), other_face), std::vector<Rect> {Rect(SlotTopLeft(53), kCardSize)});

    BoardModel frame_moved = selected;
    frame_moved.border_slot = 48;
    EXPECT_EQ(ChangedAreas(selected, frame_moved),
              (std::vector<Rect> {Rect(SlotTopLeft(51), kCardSize), Rect(SlotTopLeft(48), kCardSize)}));
}

TEST(FocusOutline, InsideACardAndAroundTheUndoArrow)
{
    EXPECT_EQ(FocusOutline(SlotPlace(1)), Rect(90, 11, 62, 91));
    EXPECT_EQ(FocusOutline(FramePlace(1)), FocusOutline(SlotPlace(1)));
    EXPECT_EQ(FocusOutline(FoundationPlace(2)), Rect(11, 115, 62, 91));
    EXPECT_EQ(FocusOutline(UndoPlace()), Rect(593, 412, 45, 39));
    EXPECT_TRUE(FocusOutline(NoPlace()).isEmpty());
    EXPECT_TRUE(FocusDashes(Rect()).empty());
}

TEST(FocusOutline, DashesCloseTheCornersAndKeepTheirLength)
{
    for (const Rect outline : {FocusOutline(SlotPlace(7)), FocusOutline(UndoPlace())}) {
        const std::vector<Rect> dashes = FocusDashes(outline);
        for (const Rect& dash : dashes) {
            EXPECT_TRUE(outline.contains(dash)) << dash.x() << "," << dash.y();
            const bool across = dash.size() == Size(kFocusDash, kFocusThickness);
            const bool down = dash.size() == Size(kFocusThickness, kFocusDash);
            EXPECT_TRUE(across || down) << dash.width() << "x" << dash.height();
        }
        const auto inked = [&](Point p) {
            return std::any_of(dashes.begin(), dashes.end(), [&](const Rect& d) { return d.contains(p); });
        };
        for (const Point corner : {outline.topLeft(), Point(outline.right(), outline.y()),
                                   Point(outline.x(), outline.bottom()), Point(outline.right(), outline.bottom())})
            EXPECT_TRUE(inked(corner)) << "corner " << corner.x() << "," << corner.y();

        // Along each edge the gaps are even: none shorter than a gap, and
        // none so long that another dash would have fitted in.
        for (const bool across : {true, false}) {
            const int length = across ? outline.width() : outline.height();
            int run = 0;
            for (int n = 0; n < length; ++n) {
                const Point p = across ? Point(outline.x() + n, outline.y()) : Point(outline.x(), outline.y() + n);
                if (!inked(p)) {
                    ++run;
                    continue;
                }
                if (run > 0) {
                    EXPECT_GE(run, kFocusGap) << (across ? "across" : "down") << " at " << n;
                    EXPECT_LT(run, kFocusGap + kFocusDash) << (across ? "across" : "down") << " at " << n;
                }
                run = 0;
            }
        }
    }
}

} // namespace
} // namespace quarrow
