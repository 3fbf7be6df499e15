#include "windows/win32/help_window.h"

#include <gtest/gtest.h>

#include "rules/game.h"
#include "rules/testing/stacked_deck.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "windows/help_content.h"
#include "windows/win32/tests/window_driver.h"

namespace quarrow {
namespace {

class NoNotices final : public Notices {
public:
    void ShowResult() override {}
};

// The help window's parts as the player sees them while it is open.
struct HelpSeen {
    std::wstring title;
    std::wstring text;
    bool read_only = false;
    bool link_shown = false;
    std::wstring link_words;
};

HelpSeen Look(HWND help)
{
    HelpSeen seen;
    seen.title = testing::TextOf(help);
    const HWND text = FindWindowExW(help, nullptr, L"EDIT", nullptr);
    seen.text = testing::TextOf(text);
    seen.read_only = (GetWindowLongPtrW(text, GWL_STYLE) & ES_READONLY) != 0;
    const HWND link = FindWindowExW(help, nullptr, L"QuarrowLink", nullptr);
    seen.link_shown = IsWindowVisible(link) != FALSE;
    seen.link_words = testing::TextOf(link);
    return seen;
}

void Click(HWND help, const wchar_t* caption)
{
    SendMessageW(FindWindowExW(help, nullptr, L"BUTTON", caption), BM_CLICK, 0, 0);
}

class HelpWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gdiplus_ = new GdiplusSession; }
    static void TearDownTestSuite() { delete gdiplus_; }

    std::wstring Text(HelpView view) const { return FromUtf16(HelpText(ProgramDir(), view, u"\r\n")); }

    static GdiplusSession* gdiplus_;
    testing::OwnerWindow owner_;
    testing::SeededRandom random_ {3};
    NoNotices quiet_;
    Game game_ {random_, quiet_};
};
GdiplusSession* HelpWindowTest::gdiplus_ = nullptr;

TEST_F(HelpWindowTest, OpensOnTheTopicsViewAndItsButtonsSwitchViews)
{
    ASSERT_FALSE(Text(HelpView::Rules).empty()) << "rules.txt beside the test program";
    ASSERT_NE(Text(HelpView::Rules), Text(HelpView::About));
    for (const Int16 topic : {Int16 {0}, Int16 {1}}) {
        game_.help_topic = topic;
        HelpSeen opened, rules, about;
        const bool acted = testing::RunWhileOpen(
            kHelpWindowClass, [&] { ShowHelpWindow(owner_.get(), game_, ProgramDir()); },
            [&](HWND help) {
                opened = Look(help);
                Click(help, L"Rules");
                rules = Look(help);
                Click(help, L"About");
                about = Look(help);
                testing::PressKey(help, VK_ESCAPE);
            });
        ASSERT_TRUE(acted);
        EXPECT_EQ(opened.title, Widen(kHelpTitle));
        EXPECT_TRUE(opened.read_only);
        EXPECT_EQ(opened.text, Text(topic == 0 ? HelpView::Rules : HelpView::About)) << topic;
        EXPECT_EQ(opened.link_shown, topic == 1);
        EXPECT_EQ(rules.text, Text(HelpView::Rules));
        EXPECT_FALSE(rules.link_shown);
        EXPECT_EQ(about.text, Text(HelpView::About));
        EXPECT_TRUE(about.link_shown);
        EXPECT_EQ(about.link_words, Widen(kWebHost));
        EXPECT_TRUE(IsWindowEnabled(owner_.get()));
        EXPECT_EQ(GetActiveWindow(), owner_.get());
    }
}

TEST_F(HelpWindowTest, OkAndTheCloseBoxCloseItLeavingTheGameAlone)
{
    game_.help_topic = 1;
    for (const auto& close : {std::function<void(HWND)>([](HWND help) { Click(help, L"OK"); }),
                              std::function<void(HWND)>([](HWND help) { PostMessageW(help, WM_CLOSE, 0, 0); }),
                              std::function<void(HWND)>([](HWND help) { testing::PressKey(help, VK_RETURN); })}) {
        EXPECT_TRUE(testing::RunWhileOpen(
            kHelpWindowClass, [&] { ShowHelpWindow(owner_.get(), game_, ProgramDir()); }, close));
        EXPECT_EQ(FindWindowW(kHelpWindowClass, nullptr), nullptr);
        EXPECT_EQ(game_.help_topic, 1);
        EXPECT_EQ(GetActiveWindow(), owner_.get());
    }
}

// What has the keyboard: the text box, a button's caption or the link's words.
std::wstring Focused()
{
    const HWND focus = GetFocus();
    wchar_t className[32] = {};
    GetClassNameW(focus, className, 32);
    return std::wstring(className) == L"Edit" || std::wstring(className) == L"EDIT" ? L"text" : testing::TextOf(focus);
}

TEST_F(HelpWindowTest, TabVisitsTextOkAboutRulesAndTheLinkOnlyInTheAboutView)
{
    const std::wstring link = Widen(kWebHost);
    for (const Int16 topic : {Int16 {0}, Int16 {1}}) {
        game_.help_topic = topic;
        std::vector<std::wstring> visited;
        std::vector<std::function<void(HWND)>> steps;
        steps.push_back([&](HWND help) {
            visited.push_back(Focused());
            SetFocus(FindWindowExW(help, nullptr, L"EDIT", nullptr));
        });
        for (int press = 0; press < 5; ++press) {
            steps.push_back([&](HWND help) {
                visited.push_back(Focused());
                testing::PressKey(help, VK_TAB);
            });
        }
        steps.push_back([&](HWND help) {
            visited.push_back(Focused());
            testing::PressKey(help, VK_ESCAPE);
        });
        ASSERT_TRUE(testing::RunWhileOpen(
            kHelpWindowClass, [&] { ShowHelpWindow(owner_.get(), game_, ProgramDir()); }, steps));
        const std::vector<std::wstring> expected =
            topic == 1 ? std::vector<std::wstring> {L"OK", L"text", L"OK", L"About", L"Rules", link, L"text"}
                       : std::vector<std::wstring> {L"OK", L"text", L"OK", L"About", L"Rules", L"text", L"OK"};
        EXPECT_EQ(visited, expected) << "topic " << topic;
    }
}

} // namespace
} // namespace quarrow
