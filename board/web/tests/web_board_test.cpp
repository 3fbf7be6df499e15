// The browser's board as the page drives it, under Node: the ordered deal
// played to the win by clicks, the notices and what they hold back, keys,
// the views the page draws and names, Exit, and the files it is given.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/board_geometry.h"
#include "board/focus_outline.h"
#include "board/place_names.h"
#include "board/tests/ordered_deal_script.h"
#include "board/web/page_view.h"
#include "board/web/web_board.h"
#include "rules/testing/stacked_deck.h"

namespace quarrow {
namespace {

using board_testing::kOrderedDealWin;
using board_testing::Step;

class WebBoardTest : public ::testing::Test {
protected:
    explicit WebBoardTest(std::string folder = std::string(QUARROW_SOURCE_DIR) + "/gamedata")
        : board(random, std::move(folder))
    {
        board.Load();
    }

    int TopOfFan(int fan) const
    {
        for (int s = std::min(3 * fan, int {kSlotCount}); s >= 3 * fan - 2; --s)
            if (board.model().slot_places[s].visible)
                return s;
        return 0;
    }

    // One step of the script as a player clicks it.
    ::testing::AssertionResult Play(const Step& step)
    {
        const int from = TopOfFan(step.from);
        if (board.model().slot_places[from].face != step.card)
            return ::testing::AssertionFailure() << "fan " << step.from << " does not show card " << step.card;
        board.Clicked(SlotPlace(from));
        if (CardRank(static_cast<Int16>(step.card)) != kAce || step.to != 0)
            board.Clicked(step.to == 0 ? FoundationPlace(CardSuit(static_cast<Int16>(step.card)))
                                       : SlotPlace(TopOfFan(step.to)));
        if (board.model().slot_places[from].visible)
            return ::testing::AssertionFailure() << "card " << step.card << " did not leave fan " << step.from;
        return ::testing::AssertionSuccess();
    }

    testing::ScriptedRandom random; // always 0: the ordered deal
    WebBoard board;
};

TEST_F(WebBoardTest, TheOrderedDealWonByClicksEndsInTheWinNoticeWithApplause)
{
    board.Deal();
    for (const Step& step : kOrderedDealWin) {
        ASSERT_FALSE(board.noticeOpen()) << "before card " << step.card;
        ASSERT_TRUE(Play(step));
    }
    ASSERT_TRUE(board.noticeOpen());
    EXPECT_EQ(board.noticeFace(), NoticeFace::Win);
    EXPECT_EQ(&board.noticeSound(), &board.game().snd_applause);
    EXPECT_TRUE(board.Playable(board.noticeSound()));
    for (int k = 1; k <= kFoundationCount; ++k)
        EXPECT_EQ(CardRank(board.model().foundations[k].face), kKing);

    // After OK the board stays won and takes no clicks until the next deal.
    board.CloseNotice();
    const BoardModel won = board.model();
    board.Clicked(FoundationPlace(1));
    board.Key(BoardKey::Activate);
    EXPECT_EQ(board.model(), won);
    EXPECT_FALSE(board.noticeOpen());
}

TEST_F(WebBoardTest, ARefusalOpensItsNoticeAndNothingOnTheBoardActsUntilOk)
{
    board.Deal();
    board.Clicked(SlotPlace(3)); // three of spades, top of fan 1
    ASSERT_TRUE(board.model().border_visible);

    board.Clicked(SlotPlace(6)); // a full fan
    ASSERT_TRUE(board.noticeOpen());
    EXPECT_EQ(board.noticeFace(), NoticeFace::FullFan);
    EXPECT_EQ(&board.noticeSound(), &board.game().snd_cluck);

    const BoardModel behind = board.model();
    const FocusPlace focus = board.keys().current();
    board.Pressed(SlotPlace(9));
    board.Clicked(SlotPlace(9));
    board.Key(BoardKey::Next);
    board.Activate(SlotPlace(9));
    board.Deal();
    EXPECT_EQ(board.model(), behind);
    EXPECT_EQ(board.keys().current(), focus);
    board.CloseNotice();

    board.Clicked(SlotPlace(52)); // the lone king of hearts: not one from a three
    ASSERT_TRUE(board.noticeOpen());
    EXPECT_EQ(board.noticeFace(), NoticeFace::InvalidMove);
    board.CloseNotice();
    EXPECT_FALSE(board.game().move_error);
    EXPECT_TRUE(board.model().border_visible) << "the selection stays after a refusal";
}

TEST_F(WebBoardTest, KeysGoThroughTheFocusKeeperAndItsMark)
{
    board.Deal();
    EXPECT_EQ(board.keys().current(), SlotPlace(3));
    EXPECT_TRUE(FocusMarkRect(board.keys()).isEmpty()) << "no mark before the first key";

    EXPECT_FALSE(TabLeavesBoard(board.keys(), BoardKey::Previous)) << "the first key only shows the focus";
    board.Key(BoardKey::Activate); // the first key only shows the focus
    EXPECT_TRUE(board.announce());
    EXPECT_FALSE(board.model().border_visible);
    EXPECT_EQ(FocusMarkRect(board.keys()), FocusOutline(SlotPlace(3)));

    // Tab leaves the page's board only past either end of the reading order;
    // inside it, and with the arrows, the walk is the desktop's.
    EXPECT_TRUE(TabLeavesBoard(board.keys(), BoardKey::Previous)) << "fan 1 is the first place after a deal";
    EXPECT_FALSE(TabLeavesBoard(board.keys(), BoardKey::Next));
    EXPECT_FALSE(TabLeavesBoard(board.keys(), BoardKey::Left));
    board.Key(BoardKey::Previous); // the keeper itself goes round to the last place
    EXPECT_EQ(board.keys().current(), FocusablePlaces(board.model()).back());
    EXPECT_TRUE(TabLeavesBoard(board.keys(), BoardKey::Next));
    EXPECT_FALSE(TabLeavesBoard(board.keys(), BoardKey::Previous));
    board.Key(BoardKey::Next);

    board.Key(BoardKey::Activate);
    EXPECT_TRUE(board.model().border_visible);
    EXPECT_EQ(PlaceKey(board.keys().current()), "frame");

    board.Pressed(SlotPlace(2)); // a covered card: the press goes to the board
    EXPECT_TRUE(FocusMarkRect(board.keys()).isEmpty()) << "a press hides the mark";
}

TEST_F(WebBoardTest, ExitLeavesTheUndealtBoardAndKeepsTheSounds)
{
    board.Deal();
    board.Clicked(SlotPlace(3));
    board.Key(BoardKey::Next);
    board.Exit();
    EXPECT_EQ(board.model(), BoardModel());
    EXPECT_EQ(board.keys().current(), NoPlace());
    EXPECT_FALSE(board.keys().markShown());
    EXPECT_TRUE(board.Playable(board.game().snd_cluck));
    EXPECT_TRUE(board.Playable(board.game().snd_applause));
    board.Deal();
    EXPECT_EQ(board.model().slot_places[52].face, 52);
}

TEST_F(WebBoardTest, HelpTextsComeDecodedWithPlainLineBreaks)
{
    const std::u16string rules = board.HelpText(0);
    const std::u16string about = board.HelpText(1);
    EXPECT_FALSE(rules.empty());
    EXPECT_FALSE(about.empty());
    EXPECT_NE(rules, about);
    EXPECT_EQ(rules.find(u'\r'), std::u16string::npos);
    EXPECT_TRUE(board.HelpText(2).empty());
}

class WebBoardWithoutFilesTest : public WebBoardTest {
protected:
    WebBoardWithoutFilesTest() : WebBoardTest("/nonexistent-quarrow-folder") {}
};

TEST_F(WebBoardWithoutFilesTest, MissingFilesMeanSilenceAndEmptyTexts)
{
    EXPECT_FALSE(board.Playable(board.game().snd_cluck));
    EXPECT_FALSE(board.Playable(board.game().snd_applause));
    EXPECT_TRUE(board.HelpText(0).empty());
    board.Deal();
    board.Clicked(SlotPlace(3));
    board.Clicked(SlotPlace(6));
    EXPECT_TRUE(board.noticeOpen()) << "the notice still shows, in silence";
}

} // namespace
} // namespace quarrow
