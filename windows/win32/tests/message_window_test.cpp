#include "windows/win32/message_window.h"

#include <gtest/gtest.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <string>
#include <vector>

#include "rules/game.h"
#include "rules/testing/stacked_deck.h"
#include "services/sound.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "windows/notice.h"
#include "windows/win32/tests/window_driver.h"

namespace quarrow {
namespace {

using testing::ClientPicture;

class RecordingSound final : public SoundPlayer {
public:
    void Play(const std::string& image) override { played.push_back(image); }
    std::vector<std::string> played;
};

class NoNotices final : public Notices {
public:
    void ShowResult() override {}
};

// What the notice showed and said while it was up.
struct Seen {
    std::wstring words;
    ClientPicture picture;
    bool owner_enabled = true;
};

std::uint32_t PixelOf(const Picture& picture, Point at)
{
    Gdiplus::Color colour;
    picture.bitmap()->GetPixel(at.x(), at.y(), &colour);
    return colour.GetValue() & 0xffffffu;
}

class ResultNoticesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gdiplus_ = new GdiplusSession; }
    static void TearDownTestSuite() { delete gdiplus_; }

    void SetUp() override
    {
        game_.snd_cluck = "cluck";
        game_.snd_applause = "applause";
        notices_.Attach(game_);
    }

    // Shows the notice and closes it with close once it is up.
    Seen ShowAndClose(const std::function<void(HWND)>& close)
    {
        Seen seen;
        const bool acted = testing::RunWhileOpen(
            kNoticeWindowClass, [&] { notices_.ShowResult(); },
            [&](HWND notice) {
                seen.words = testing::TextOf(notice);
                seen.picture = ClientPicture(notice);
                seen.owner_enabled = IsWindowEnabled(owner_.get()) != FALSE;
                close(notice);
            });
        EXPECT_TRUE(acted) << "the notice never came up";
        return seen;
    }

    // How many sampled pixels, away from the OK button, differ from the face
    // drawn from the notice's pictures.
    static int Differences(const ClientPicture& seen, NoticeFace face)
    {
        const Picture background = LoadArtwork(L"notice_full.gif", false);
        const Picture error = LoadArtwork(L"notice_invalid.gif", false);
        const Picture win = LoadArtwork(L"notice_win.gif", false);
        if (seen.size() != Size(kNoticeRight + 1, kNoticeBottom + 1))
            return -1;
        const Rect errorPlace(kNoticeErrorTopLeft, Size(error.width(), error.height()));
        int differences = 0;
        for (int y = 0; y <= kNoticeBottom; y += 3) {
            for (int x = 0; x <= kNoticeRight; x += 3) {
                const Point at(x, y);
                if (kNoticeOkRect.adjusted(-2, -2, 2, 2).contains(at))
                    continue;
                std::uint32_t expected = PixelOf(background, at);
                if (face == NoticeFace::Win)
                    expected = PixelOf(win, at - kNoticeWinTopLeft);
                else if (face == NoticeFace::InvalidMove && errorPlace.contains(at))
                    expected = PixelOf(error, at - kNoticeErrorTopLeft);
                differences += seen.At(x, y) != expected;
            }
        }
        return differences;
    }

    void ExpectOwnerHasItAllBack()
    {
        EXPECT_TRUE(IsWindowEnabled(owner_.get()));
        EXPECT_EQ(GetActiveWindow(), owner_.get());
        EXPECT_EQ(FindWindowW(kNoticeWindowClass, nullptr), nullptr);
    }

    static GdiplusSession* gdiplus_;
    testing::OwnerWindow owner_;
    RecordingSound sound_;
    testing::SeededRandom random_ {7};
    NoNotices quiet_;
    Game game_ {random_, quiet_};
    ResultNotices notices_ {owner_.get(), sound_};
};
GdiplusSession* ResultNoticesTest::gdiplus_ = nullptr;

TEST_F(ResultNoticesTest, ARefusedMoveShowsTheInvalidMovePictureAndClucksAndEscapeIsOk)
{
    game_.move_error = true;
    const Seen seen = ShowAndClose([](HWND notice) { testing::PressKey(notice, VK_ESCAPE); });
    EXPECT_EQ(seen.words, Widen(NoticeWords(NoticeFace::InvalidMove)));
    EXPECT_EQ(Differences(seen.picture, NoticeFace::InvalidMove), 0);
    EXPECT_GT(Differences(seen.picture, NoticeFace::FullFan), 0);
    EXPECT_FALSE(seen.owner_enabled);
    EXPECT_EQ(sound_.played, std::vector<std::string>{"cluck"});
    EXPECT_FALSE(game_.move_error);
    ExpectOwnerHasItAllBack();
}

TEST_F(ResultNoticesTest, TheWinShowsItsPictureAndApplaudsAndEnterIsOk)
{
    game_.game_won = true;
    game_.move_error = true;
    const Seen seen = ShowAndClose([](HWND notice) { testing::PressKey(notice, VK_RETURN); });
    EXPECT_EQ(seen.words, Widen(NoticeWords(NoticeFace::Win)));
    EXPECT_EQ(Differences(seen.picture, NoticeFace::Win), 0);
    EXPECT_EQ(sound_.played, std::vector<std::string>{"applause"});
    EXPECT_FALSE(game_.move_error);
    EXPECT_TRUE(game_.game_won);
    ExpectOwnerHasItAllBack();
}

TEST_F(ResultNoticesTest, AFullFanShowsTheBackgroundAloneAndClosingIsOk)
{
    const Seen seen = ShowAndClose([](HWND notice) { PostMessageW(notice, WM_CLOSE, 0, 0); });
    EXPECT_EQ(seen.words, Widen(NoticeWords(NoticeFace::FullFan)));
    EXPECT_EQ(Differences(seen.picture, NoticeFace::FullFan), 0);
    EXPECT_GT(Differences(seen.picture, NoticeFace::InvalidMove), 0);
    EXPECT_EQ(sound_.played, std::vector<std::string>{"cluck"});
    ExpectOwnerHasItAllBack();
}

TEST_F(ResultNoticesTest, TheOkButtonClosesItAndEachShowingChoosesItsFaceAfresh)
{
    game_.move_error = true;
    ShowAndClose([](HWND notice) { SendMessageW(GetDlgItem(notice, IDOK), BM_CLICK, 0, 0); });
    EXPECT_FALSE(game_.move_error);
    const Seen second = ShowAndClose([](HWND notice) { SendMessageW(GetDlgItem(notice, IDOK), BM_CLICK, 0, 0); });
    EXPECT_EQ(Differences(second.picture, NoticeFace::FullFan), 0);
    EXPECT_EQ(sound_.played, (std::vector<std::string>{"cluck", "cluck"}));
    ExpectOwnerHasItAllBack();
}

TEST_F(ResultNoticesTest, MovedToAScreenOfTwiceTheDotsPerInchTheButtonAndItsFontDouble)
{
    testing::DpiLook before, after;
    EXPECT_TRUE(testing::RunWhileOpen(kNoticeWindowClass, [&] { notices_.ShowResult(); }, [&](HWND notice) {
        const UINT dpi = WindowDpi(notice);
        before = testing::LookAt(notice, GetDlgItem(notice, IDOK));
        testing::MoveToDpi(notice, dpi, 2 * dpi);
        after = testing::LookAt(notice, GetDlgItem(notice, IDOK));
        SendMessageW(notice, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_TRUE(testing::ScaledBy(before, after, 2));
    EXPECT_GT(after.client.width(), before.client.width() * 3 / 2);
}

TEST(ResultNoticesUnattached, ShowsNothingWithoutAGame)
{
    RecordingSound sound;
    ResultNotices notices(nullptr, sound);
    notices.ShowResult();
    EXPECT_TRUE(sound.played.empty());
}

} // namespace
} // namespace quarrow
