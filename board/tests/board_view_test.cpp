// What every front end shows and reads out for each place, on the ordered
// deal: one rule for Qt, Win32 and the page alike.
#include <gtest/gtest.h>

#include "board/board_geometry.h"
#include "board/board_view.h"
#include "board/place_events.h"
#include "board/place_names.h"
#include "board/tests/ordered_game.h"

namespace quarrow {
namespace {

class BoardViewTest : public ::testing::Test, protected testing::OrderedGame {};

TEST_F(BoardViewTest, NamesEveryCardAndListsThePlacesBackToFront)
{
    RaiseClick(game, SlotPlace(3));
    const std::vector<PlaceView> views = BoardView(game.model());
    ASSERT_EQ(views.size(), 54u + 4u + 2u);
    for (int i = 1; i <= kSlotCount; ++i)
        EXPECT_EQ(views[static_cast<std::size_t>(i - 1)].place, SlotPlace(i));
    EXPECT_EQ(views[54].place, FoundationPlace(1));
    EXPECT_EQ(views[58].place, FramePlace(3));
    EXPECT_EQ(views[59].place, UndoPlace());

    int read = 0, tops = 0, covered = 0;
    for (const PlaceView& v : views) {
        if (v.place.kind != FocusPlace::Kind::Slot || !v.readable)
            continue;
        ++read;
        EXPECT_EQ(v.name.rfind(CardName(v.face), 0), 0u) << v.name;
        EXPECT_EQ(v.pressable, !v.covered) << v.name;
        if (!v.covered) {
            ++tops;
            EXPECT_NE(v.name.find("top card of fan"), std::string::npos) << v.name;
            EXPECT_EQ(v.description, "");
        } else {
            ++covered;
            EXPECT_EQ(v.description.rfind("covered, in fan ", 0), 0u) << v.description;
            EXPECT_FALSE(v.enabled);
        }
    }
    // The selected card is read once, as the frame.
    EXPECT_EQ(read, 51);
    EXPECT_EQ(tops, 17);
    EXPECT_EQ(covered, 34);
    EXPECT_TRUE(views[2].shown && !views[2].readable && !views[2].selected);

    const PlaceView& frame = views[58];
    EXPECT_TRUE(frame.readable && frame.pressable && frame.selected);
    EXPECT_EQ(frame.rect, PlaceRect(SlotPlace(3)));
    EXPECT_EQ(frame.name, "Three of spades, top card of fan 1");
    EXPECT_EQ(ViewOfPlace(game.model(), FramePlace(3)), frame);
    EXPECT_FALSE(views[59].readable) << "no undo arrow before a move";
    EXPECT_EQ(views[59].rect, kUndoRect);
}

TEST_F(BoardViewTest, StatesFollowThePlayAndNoHiddenPlaceIsRead)
{
    // Before the first deal the empty places are neither selected nor covered.
    const std::vector<PlaceView> undealt = BoardView(BoardModel());
    for (const PlaceView& v : undealt)
        EXPECT_FALSE(v.selected || v.covered) << v.name;
    EXPECT_EQ(undealt[54].name, "Spades foundation, empty");

    RaiseClick(game, SlotPlace(3));
    RaiseClick(game, FramePlace(3)); // the press on the selected card puts it back
    EXPECT_FALSE(ViewOfPlace(game.model(), FramePlace(3)).selected);
    EXPECT_TRUE(ViewOfPlace(game.model(), SlotPlace(3)).readable);
    RaiseClick(game, SlotPlace(6)); // fan 2's top onto fan 1's, refused or laid: either way
    for (const PlaceView& v : BoardView(game.model())) {
        if (!v.shown) {
            EXPECT_FALSE(v.readable || v.pressable) << v.name;
        }
        if (v.pressable) {
            EXPECT_TRUE(v.readable) << v.name;
        }
    }
    EXPECT_EQ(ViewOfPlace(game.model(), NoPlace()), PlaceView());
}

} // namespace
} // namespace quarrow
