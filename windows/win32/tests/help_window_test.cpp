#include "windows/win32/help_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "rules/game.h"
#include "rules/testing/stacked_deck.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "windows/help_content.h"
#include "windows/win32/tests/window_driver.h"
#include "windows/win32/window_parts.h"

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

TEST_F(HelpWindowTest, TheLinkIsDrawnInABoldUnderlinedFaceThatFitsItsPlace)
{
    game_.help_topic = 1;
    const std::wstring host = Widen(kWebHost);
    LOGFONTW asked {};
    TEXTMETRICW drawn {};
    SIZE words {};
    RECT place {};
    ASSERT_TRUE(testing::RunWhileOpen(kHelpWindowClass, [&] { ShowHelpWindow(owner_.get(), game_, ProgramDir()); },
                                      [&](HWND help) {
                                          const HWND link = FindWindowExW(help, nullptr, L"QuarrowLink", nullptr);
                                          const auto font = reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0));
                                          GetObjectW(font, sizeof asked, &asked);
                                          const HDC dc = GetDC(link);
                                          const HGDIOBJ old = SelectObject(dc, font);
                                          GetTextMetricsW(dc, &drawn);
                                          GetTextExtentPoint32W(dc, host.c_str(), static_cast<int>(host.size()), &words);
                                          SelectObject(dc, old);
                                          ReleaseDC(link, dc);
                                          GetClientRect(link, &place);
                                          testing::PressKey(help, VK_ESCAPE);
                                      }));
    EXPECT_EQ(asked.lfWeight, FW_BOLD);
    EXPECT_TRUE(asked.lfUnderline);
    EXPECT_GE(drawn.tmWeight, FW_BOLD) << "the face the system found for it is bold too";
    EXPECT_LE(words.cx, place.right) << "the whole host shows";
}

TEST_F(HelpWindowTest, MovedToAScreenOfTwiceTheDotsPerInchItsPartsAndFontsDouble)
{
    game_.help_topic = 1;
    testing::DpiLook ok[2], text[2];
    LONG link[2] {};
    ASSERT_TRUE(testing::RunWhileOpen(kHelpWindowClass, [&] { ShowHelpWindow(owner_.get(), game_, ProgramDir()); },
                                      [&](HWND help) {
                                          const HWND button = GetDlgItem(help, IDOK);
                                          const HWND box = FindWindowExW(help, nullptr, L"EDIT", nullptr);
                                          const HWND words = FindWindowExW(help, nullptr, L"QuarrowLink", nullptr);
                                          const UINT dpi = WindowDpi(help);
                                          for (int look = 0; look < 2; ++look) {
                                              ok[look] = testing::LookAt(help, button);
                                              text[look] = testing::LookAt(help, box);
                                              LOGFONTW font {};
                                              GetObjectW(reinterpret_cast<HFONT>(SendMessageW(words, WM_GETFONT, 0, 0)),
                                                         sizeof font, &font);
                                              link[look] = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
                                              if (look == 0)
                                                  testing::MoveToDpi(help, dpi, 2 * dpi);
                                          }
                                          testing::PressKey(help, VK_ESCAPE);
                                      }));
    EXPECT_TRUE(testing::ScaledBy(ok[0], ok[1], 2)) << "the OK button and its font";
    EXPECT_TRUE(testing::ScaledBy(text[0], text[1], 2)) << "the text box and its font";
    EXPECT_GT(link[1], link[0] * 3 / 2) << "the link's face";
}

// Pixels of the picture column, outside what the view draws (its picture's
// frame, and the link in the about view), that are not the window's
// background: what is left of the other view.
int Strays(HWND help, HelpView view, UINT dpi)
{
    UpdateWindow(help);
    const testing::ClientPicture shown(help, true);
    const std::vector<Rect> drawn = view == HelpView::Rules
        ? std::vector<Rect> {kHelpLeavesPicture}
        : std::vector<Rect> {kHelpLogoPicture, kHelpLinkRect};
    int left = kHelpLinkRect.x(), top = kHelpLinkRect.y(), right = 0, bottom = 0;
    for (const Rect& part : {kHelpLeavesPicture, kHelpLogoPicture, kHelpLinkRect}) {
        left = std::min(left, part.x());
        top = std::min(top, part.y());
        right = std::max(right, part.x() + part.width());
        bottom = std::max(bottom, part.y() + part.height());
    }
    const Rect column = win32_parts::Scaled(Rect(left, top, right - left, bottom - top), dpi);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t background = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    int strays = 0;
    for (int y = column.y(); y < column.y() + column.height(); ++y) {
        for (int x = column.x(); x < column.x() + column.width(); ++x) {
            const bool inside = std::any_of(drawn.begin(), drawn.end(),
                                            [&](Rect r) { return win32_parts::Scaled(r, dpi).contains(Point(x, y)); });
            strays += !inside && x < shown.size().width() && y < shown.size().height() && shown.At(x, y) != background;
        }
    }
    return strays;
}

TEST_F(HelpWindowTest, EveryViewSwitchLeavesOnlyThatViewsPictureAtEveryDotsPerInch)
{
    game_.help_topic = 0;
    for (const UINT dpi : {96u, 120u, 144u, 192u}) {
        int afterAbout = -1, afterRules = -1;
        ASSERT_TRUE(testing::RunWhileOpen(kHelpWindowClass,
                                          [&] { ShowHelpWindow(owner_.get(), game_, ProgramDir()); },
                                          [&](HWND help) {
                                              if (dpi != WindowDpi(help))
                                                  testing::MoveToDpi(help, WindowDpi(help), dpi);
                                              Click(help, L"About");
                                              afterAbout = Strays(help, HelpView::About, dpi);
                                              Click(help, L"Rules");
                                              afterRules = Strays(help, HelpView::Rules, dpi);
                                              testing::PressKey(help, VK_ESCAPE);
                                          }));
        EXPECT_EQ(afterAbout, 0) << "rules, then about, at " << dpi << " dpi";
        EXPECT_EQ(afterRules, 0) << "about, then rules, at " << dpi << " dpi";
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
