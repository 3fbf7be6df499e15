#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "rules/game.h"
#include "rules/testing/stacked_deck.h"
#include "services/file_trouble.h"
#include "windows/example_view.h"
#include "windows/help_content.h"
#include "windows/notice.h"

namespace quarrow {
namespace {

TEST(RoundToInt16Test, RoundsHalvesToEvenAndHoldsSixteenBits)
{
    EXPECT_EQ(RoundToInt16(62.4), 62);
    EXPECT_EQ(RoundToInt16(62.5), 62);
    EXPECT_EQ(RoundToInt16(63.5), 64);
    EXPECT_EQ(RoundToInt16(62.6), 63);
    EXPECT_EQ(RoundToInt16(-0.5), 0);
    EXPECT_EQ(RoundToInt16(-1.5), -2);
    EXPECT_EQ(RoundToInt16(-417.0), -417);
    EXPECT_EQ(RoundToInt16(32767.0), 32767);
    EXPECT_EQ(RoundToInt16(32768.0), 32767);
    EXPECT_EQ(RoundToInt16(-32768.0), -32768);
    EXPECT_EQ(RoundToInt16(-40000.0), -32768);
}
TEST(ScrollRangeTest, ABarThatCountsUpwardsCarriesARangeThatRunsDown)
{
    // The worked example: 312 inner pixels over a 729-pixel picture.
    const ScrollRange range = ExampleScrollRange(312, 729);
    EXPECT_EQ(range.min, 0);
    EXPECT_EQ(range.max, -417);
    EXPECT_EQ(range.small_change, 62); // 62.4
    EXPECT_EQ(range.large_change, 312);
    EXPECT_EQ(range.Span(), 417);
    for (const Int16 value : {Int16{0}, Int16{-1}, Int16{-200}, Int16{-417}}) {
        EXPECT_GE(range.ToBar(value), 0);
        EXPECT_EQ(range.FromBar(range.ToBar(value)), value);
    }
    EXPECT_EQ(range.FromBar(417), -417);
    const ScrollRange upwards {10, 20, 1, 5};
    EXPECT_EQ(upwards.ToBar(15), 5);
    EXPECT_EQ(upwards.FromBar(10), 20);
}

// Every front end lays the viewer out and steps its bar by these.
TEST(ExampleLayoutTest, TheBarShowsOnlyForAPictureTallerThanTheFrameHolds)
{
    const ExampleLayout fits = LayOutExample(312); // with the two borders, the window's height
    EXPECT_FALSE(fits.bar_shown);
    EXPECT_EQ(fits.frame, Rect(0, 0, 360, 316));
    EXPECT_EQ(fits.inside, Rect(2, 2, 356, 312));

    const ExampleLayout tall = LayOutExample(313);
    EXPECT_TRUE(tall.bar_shown);
    EXPECT_EQ(tall.frame, Rect(0, 0, 343, 316));
    EXPECT_EQ(tall.bar, Rect(343, 0, 17, 316));
    EXPECT_EQ(tall.range.max, -1);
    EXPECT_EQ(ScrollBy(tall.range, 0, ScrollStep::LineDown), -1);

    // The worked example: each step from where the one before left the picture.
    const ExampleLayout worked = LayOutExample(729);
    EXPECT_EQ(worked.inside, Rect(2, 2, 339, 312));
    const std::pair<ScrollStep, Int16> steps[] = {
        {ScrollStep::LineUp, 0},    {ScrollStep::LineDown, -62}, {ScrollStep::PageDown, -374},
        {ScrollStep::Bottom, -417}, {ScrollStep::LineDown, -417}, {ScrollStep::PageUp, -105},
        {ScrollStep::Top, 0},       {ScrollStep::PageDown, -312},
    };
    Int16 top = 0;
    for (const auto& [step, expected] : steps) {
        top = ScrollBy(worked.range, top, step);
        EXPECT_EQ(top, expected) << static_cast<int>(step);
    }
}

class NoticeTest : public ::testing::Test {
protected:
    testing::ScriptedRandom random_;
    struct : Notices {
        void ShowResult() override {}
    } notices_;
    Game game_ {random_, notices_};
};

TEST_F(NoticeTest, FaceWordsAndSoundFollowTheFlags)
{
    game_.snd_cluck = "cluck";
    game_.snd_applause = "applause";
    EXPECT_EQ(FaceFor(game_), NoticeFace::FullFan);
    EXPECT_EQ(NoticeSound(game_, FaceFor(game_)), "cluck");
    game_.move_error = true;
    EXPECT_EQ(FaceFor(game_), NoticeFace::InvalidMove);
    EXPECT_EQ(NoticeSound(game_, FaceFor(game_)), "cluck");
    game_.game_won = true; // the win outranks a stale error
    EXPECT_EQ(FaceFor(game_), NoticeFace::Win);
    EXPECT_EQ(NoticeSound(game_, FaceFor(game_)), "applause");
    EXPECT_EQ(NoticeWords(NoticeFace::FullFan), "Only 3 cards per pile");
    EXPECT_EQ(NoticeWords(NoticeFace::Win), "Well done!");
}

TEST(ExampleMessageTest, NamesTheFileThenWhyInTheWordsOfEveryFrontEnd)
{
    EXPECT_EQ(ExampleUnavailable("C:\\Games\\SOUND\\example.gif", WhyUnreadable(FileTrouble::Missing)),
              "The example cannot be shown: the picture C:\\Games\\SOUND\\example.gif is missing.");
    EXPECT_EQ(ExampleUnavailable("/opt/q/SOUND/example.gif", NotAPicture("Unsupported image format")),
              "The example cannot be shown: the picture /opt/q/SOUND/example.gif cannot be loaded as a picture "
              "(Unsupported image format).");
    EXPECT_EQ(WhyUnreadable(FileTrouble::Folder), "is a folder, not a picture");
    EXPECT_EQ(WhyUnreadable(FileTrouble::NotRegular), "is not a regular file");
    EXPECT_EQ(WhyUnreadable(FileTrouble::NoPermission), "cannot be read (permission denied)");
    EXPECT_EQ(WhyUnreadable(FileTrouble::InUse), "cannot be read (another program has it locked)");
}

TEST(HelpContentTest, TopicsChooseTheirFileAndLineEndsFollowTheCaller)
{
    const auto dir = std::filesystem::temp_directory_path() / "quarrow-help-content-test";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "rules.txt", std::ios::binary) << "Rules\r\n\xA9 line\rend";
    std::ofstream(dir / "tvk.txt", std::ios::binary) << "About\n";
    EXPECT_EQ(HelpText(dir.string(), ViewForTopic(0), u"\n"), u"Rules\n\u00A9 line\nend");
    EXPECT_EQ(HelpText(dir.string(), ViewForTopic(0), u"\r\n"), u"Rules\r\n\u00A9 line\r\nend");
    EXPECT_EQ(HelpText(dir.string(), ViewForTopic(1), u"\r\n"), u"About\r\n");
    EXPECT_EQ(HelpText(dir.string(), ViewForTopic(2), u"\n"), u"");
    EXPECT_EQ(HelpText((dir / "missing").string(), HelpView::Rules, u"\n"), u"");
    std::filesystem::remove_all(dir);
    EXPECT_EQ(WebAddress(), "http://www.quarrow-games.example");
}

} // namespace
} // namespace quarrow
