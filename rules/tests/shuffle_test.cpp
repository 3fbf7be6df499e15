#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <set>
#include <vector>

#include "game_harness.h"

namespace quarrow::testing {
namespace {

class NoNotices final : public Notices {
public:
    void ShowResult() override {}
};

std::vector<Int16> Shuffle(RandomSource& random)
{
    NoNotices notices;
    Game game(random, notices);
    game.ShuffleDeck();
    std::vector<Int16> deck;
    for (int i = 1; i <= game.deck.size(); ++i)
        deck.push_back(game.deck[i]);
    return deck;
}

std::vector<Int16> Ordered()
{
    std::vector<Int16> deck(52);
    std::iota(deck.begin(), deck.end(), Int16 {1});
    return deck;
}

TEST(Shuffle, ZeroDrawsLeaveTheDeckInOrder)
{
    ScriptedRandom zero;
    EXPECT_EQ(Shuffle(zero), Ordered());
    EXPECT_EQ(zero.reseeds, 1);
    EXPECT_EQ(zero.draws, 102);
}

// Every draw picks 52: each pass swaps position j with the last one, and the
// two passes together rotate the deck by two.
TEST(Shuffle, LargestDrawBelowOneAlwaysPicksTheLastCard)
{
    ScriptedRandom top({}, std::nextafter(1.0f, 0.0f));
    std::vector<Int16> expected {51, 52};
    for (Int16 c = 1; c <= 50; ++c)
        expected.push_back(c);
    EXPECT_EQ(Shuffle(top), expected);
}

// At j = 20 the span is 32, so r = (k + 0.5 - 20) / 32 puts x exactly on k + 0.5.
TEST(Shuffle, ExactHalvesRoundToEven)
{
    struct Case { int k; int idx; };
    for (const Case c : {Case {20, 20}, Case {21, 22}, Case {22, 22}, Case {23, 24}}) {
        std::vector<float> draws(19, 0.0f);
        draws.push_back(static_cast<float>(c.k + 0.5 - 20) / 32.0f);
        ScriptedRandom random(draws);
        std::vector<Int16> expected = Ordered();
        std::swap(expected[19], expected[static_cast<std::size_t>(c.idx - 1)]);
        EXPECT_EQ(Shuffle(random), expected) << "x = " << c.k << ".5";
    }
}

// At j = 1, r = 5098958 / 2^24 gives r * 51 = 15.5 + 10 / 2^24, so x lies
// just above 16.5 and rounds to 17. Rounded to single precision on the way,
// the product becomes 15.5 + 2^-20 and the sum exactly 16.5, which rounds to
// the even 16: this draw tells the two apart.
TEST(Shuffle, NoRoundingToSinglePrecisionBeforeTheIndexIsRounded)
{
    ScriptedRandom random({5098958.0f / 16777216.0f});
    std::vector<Int16> expected = Ordered();
    std::swap(expected[0], expected[16]);
    EXPECT_EQ(Shuffle(random), expected);
}

TEST(Shuffle, RebuildsTheDeckFromScratchEachTime)
{
    ScriptedRandom zero;
    NoNotices notices;
    Game game(zero, notices);
    game.deck.Resize(60);
    game.ShuffleDeck();
    EXPECT_EQ(game.deck.size(), 52);
    EXPECT_EQ(game.deck[52], 52);
}

TEST(Shuffle, ClockSourceGivesPermutationsThatDifferBetweenShuffles)
{
    ClockRandomSource clock;
    std::set<std::vector<Int16>> seen;
    for (int n = 0; n < 200; ++n) {
        std::vector<Int16> deck = Shuffle(clock);
        ASSERT_EQ(deck.size(), 52u);
        std::vector<Int16> sorted = deck;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, Ordered());
        seen.insert(deck);
    }
    // Back-to-back reseeds from the clock must not repeat a deal.
    EXPECT_EQ(seen.size(), 200u);
}

// All 32 bits set is the largest draw: scaled whole it would round to 1.0 and
// index past the deck.
TEST(Shuffle, LargestRawDrawStaysBelowOne)
{
    EXPECT_EQ(DrawBelowOne(0xFFFFFFFFu), std::nextafter(1.0f, 0.0f));
}

TEST(Shuffle, StackedDrawsDealTheChosenOrder)
{
    const auto order = StairsDeck();
    StackedDeck stacked(order);
    EXPECT_EQ(Shuffle(stacked), std::vector<Int16>(order.begin(), order.end()));
}

TEST(Shuffle, DrawOutsideTheUnitRangeIsAnInternalError)
{
    ScriptedRandom broken({}, 2.0f);
    NoNotices notices;
    Game game(broken, notices);
    EXPECT_THROW(game.ShuffleDeck(), InternalError);
}

} // namespace
} // namespace quarrow::testing
