// The board window as the player meets it, driven through the messages the
// system sends it: start-up, the menus, mouse presses and releases, keys,
// and the windows a screen reader reads. Every deal is the ordered one (card
// i in slot i); no test makes a refused move, whose notice would wait for a player.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "board/board_geometry.h"
#include "board/win32/board_window.h"
#include "rules/testing/stacked_deck.h"
#include "services/sound.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "windows/win32/message_window.h"
#include "windows/win32/tests/window_driver.h"

namespace quarrow {
namespace {

class Silence final : public SoundPlayer {
public:
    void Play(const std::string&) override {}
};

std::wstring Text(HWND window)
{
    wchar_t text[256] {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring MenuText(HMENU menu, int position)
{
    wchar_t text[64] {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

std::vector<HWND> ShownChildren(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            children.push_back(child);
    return children;
}

HWND ChildNamed(HWND parent, const std::wstring& name)
{
    for (HWND child : ShownChildren(parent))
        if (Text(child) == name)
            return child;
    return nullptr;
}

class BoardWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        board = BoardWindow::Create(ProgramDir(), random, silence);
        ASSERT_TRUE(board);
        window = board->hwnd();
    }

    void Load()
    {
        ASSERT_EQ(board->Form_Load(), "");
        ShowWindow(window, SW_SHOW);
        SetFocus(window);
        // The first paint asks for the place windows.
        UpdateWindow(window);
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
    }

    // What a menu item sends when chosen: File is menu 0, Help menu 1.
    void Choose(int menu, int item)
    {
        SendMessageW(window, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(window), menu), item), 0);
    }
    void Deal() { Choose(0, 0); }

    LPARAM At(Point design) const
    {
        const UINT dpi = WindowDpi(window);
        // The middle of the design pixel on the screen.
        return MAKELPARAM((ScaleForDpi(design.x(), dpi) + ScaleForDpi(design.x() + 1, dpi)) / 2,
                          (ScaleForDpi(design.y(), dpi) + ScaleForDpi(design.y() + 1, dpi)) / 2);
    }
    void Press(Point design) { SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(design)); }
    void Release(Point design) { SendMessageW(window, WM_LBUTTONUP, 0, At(design)); }
    void Click(Point design)
    {
        Press(design);
        Release(design);
    }
    void DoubleClick(Point design)
    {
        Click(design);
        SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(design));
        Release(design);
    }
    void Key(WPARAM key) { SendMessageW(GetFocus() ? GetFocus() : window, WM_KEYDOWN, key, 0); }

    static Point Middle(int slot) { return Rect(SlotTopLeft(slot), kCardSize).center(); }

    GdiplusSession gdiplus;
    testing::ScriptedRandom random;
    Silence silence;
    std::unique_ptr<BoardWindow> board;
    HWND window = nullptr;
};

TEST_F(BoardWindowTest, StartsAsAFixedWindowWithTheBoardSizedClientAreaItsMenusIconAndSounds)
{
    Load();
    EXPECT_EQ(Text(window), L"Quarrow Solitaire");
    RECT client;
    GetClientRect(window, &client);
    const UINT dpi = WindowDpi(window);
    EXPECT_EQ(client.right, ScaleForDpi(705, dpi));
    EXPECT_EQ(client.bottom, ScaleForDpi(455, dpi));
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "the player cannot resize it";
    EXPECT_TRUE(GetClassLongPtrW(window, GCL_STYLE) & CS_DBLCLKS);

    HMENU bar = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), L"&File");
    EXPECT_EQ(MenuText(bar, 1), L"&Help");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(MenuText(file, 0), L"&Deal");
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(MenuText(file, 2), L"E&xit");
    HMENU help = GetSubMenu(bar, 1);
    ASSERT_EQ(GetMenuItemCount(help), 5);
    EXPECT_EQ(MenuText(help, 0), L"&Rules");
    EXPECT_EQ(MenuText(help, 2), L"&Example");
    EXPECT_EQ(MenuText(help, 4), L"&About");
    EXPECT_EQ(GetMenuState(help, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuState(help, 3, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));

    EXPECT_TRUE(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(board->game().snd_path, ProgramDir() + "\\SOUND\\");
    EXPECT_FALSE(board->game().snd_applause.empty());
    EXPECT_FALSE(board->game().snd_cluck.empty());
    EXPECT_EQ(board->game().model(), BoardModel()) << "no deal before the player asks";
}

TEST(BoardWindowStart, AMissingIconStopsStartUpNamingTheFile)
{
    GdiplusSession gdiplus;
    testing::ScriptedRandom random;
    Silence silence;
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "quarrow-board-no-files";
    std::filesystem::create_directories(empty);
    const std::string folder = Narrow(empty.wstring());
    const auto board = BoardWindow::Create(folder, random, silence);
    ASSERT_TRUE(board);
    EXPECT_EQ(board->Form_Load(),
              "Quarrow Solitaire cannot start: the window icon " + folder + "\\SOUND\\qrrow_icon.ico is missing.");
    std::filesystem::create_directories(empty / "SOUND" / "qrrow_icon.ico");
    EXPECT_EQ(board->Form_Load(), "Quarrow Solitaire cannot start: the window icon " + folder
                  + "\\SOUND\\qrrow_icon.ico is a folder, not a picture.");
    std::filesystem::remove(empty / "SOUND" / "qrrow_icon.ico");
    // Cut short by an interrupted copy, or with a drawing that claims more
    // rows than it holds: refused before the system reads past its end.
    const std::string emblem = ArtworkBytes(L"emblem.ico");
    std::string lying = emblem;
    lying[30] = '\x80';
    for (const std::string& bytes : {emblem.substr(0, emblem.size() / 2), lying}) {
        std::ofstream(empty / "SOUND" / "qrrow_icon.ico", std::ios::binary) << bytes;
        EXPECT_EQ(board->Form_Load(), "Quarrow Solitaire cannot start: the window icon " + folder
                      + "\\SOUND\\qrrow_icon.ico cannot be loaded as a picture.");
    }
    std::filesystem::remove_all(empty);
}

TEST_F(BoardWindowTest, APressAndAReleaseOverTheSamePlaceClickIt)
{
    Load();
    Deal();
    Game& game = board->game();
    ASSERT_EQ(game.model().slot_places[51].face, 51);

    Press(Middle(51));
    EXPECT_FALSE(game.card_selected) << "the press alone does nothing yet";
    Release(Middle(51));
    EXPECT_TRUE(game.card_selected);
    EXPECT_EQ(game.sel_slot, 51);

    Press(Middle(51));
    Release(Middle(48));
    EXPECT_TRUE(game.card_selected) << "let go over another fan: no click at all";

    Click(Middle(51)); // the frame takes it
    EXPECT_FALSE(game.card_selected);

    DoubleClick(Middle(51));
    EXPECT_TRUE(game.card_selected) << "a double-click is one click, not a select and a put back";

    Click(Point(SlotTopLeft(50).x() + 5, 350)); // the covered jack's strip
    EXPECT_TRUE(game.card_selected) << "a covered card takes no click";

    Click(Middle(52)); // the queen onto the king of hearts
    EXPECT_EQ(game.model().slot_places[53].face, 51);
    EXPECT_TRUE(game.model().undo_visible);

    Press(kUndoRect.center());
    Release(Point(kUndoRect.x() - 3, kUndoRect.y()));
    EXPECT_TRUE(game.model().undo_visible) << "the arrow let go beside itself drops nothing";
    Click(kUndoRect.center());
    EXPECT_FALSE(game.model().undo_visible);
    EXPECT_EQ(game.model().slot_places[51].face, 51) << "the queen is back";
}

TEST_F(BoardWindowTest, KeysPlayThroughTheFocusedPlaceWhichAScreenReaderFollows)
{
    Load();
    Deal();
    Game& game = board->game();
    HWND three = ChildNamed(window, L"Three of spades, top card of fan 1");
    ASSERT_TRUE(three) << "a deal puts the focus on fan 1";
    EXPECT_EQ(GetFocus(), three);

    Key(VK_SPACE);
    EXPECT_FALSE(game.card_selected) << "the first key only shows where the focus is";
    Key(VK_SPACE);
    EXPECT_TRUE(game.card_selected);
    EXPECT_EQ(game.sel_slot, 3);
    Key(VK_RETURN);
    EXPECT_FALSE(game.card_selected) << "Enter on the frame puts the card back";

    Key(VK_TAB);
    EXPECT_EQ(Text(GetFocus()), L"Six of spades, top card of fan 2");
    Key(VK_DOWN);
    EXPECT_EQ(Text(GetFocus()), L"Eight of diamonds, top card of fan 7");
    Key(VK_LEFT);
    EXPECT_EQ(Text(GetFocus()), L"Five of diamonds, top card of fan 6");

    // Held with Ctrl, keys are the menus' and leave the board alone.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Key(VK_RIGHT);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Text(GetFocus()), L"Five of diamonds, top card of fan 6");

    Click(Middle(51));
    EXPECT_EQ(Text(GetFocus()), L"Queen of hearts, top card of fan 17") << "a click takes the focus along";
}

TEST_F(BoardWindowTest, EveryShownPlaceHasAWindowNamedAfterItThatTheMouseGoesThrough)
{
    Load();
    EXPECT_EQ(ShownChildren(window).size(), 54u + 4u) << "before the deal: every empty slot and foundation";
    Deal();
    EXPECT_EQ(ShownChildren(window).size(), 52u + 4u) << "the dealt cards and the foundations";
    HWND ace = ChildNamed(window, L"Ace of spades");
    ASSERT_TRUE(ace) << "a covered card is only named";
    EXPECT_EQ(SendMessageW(ace, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    EXPECT_TRUE(ChildNamed(window, L"Spades foundation, empty"));

    Click(Middle(27)); // the ace of clubs goes to its foundation
    EXPECT_TRUE(ChildNamed(window, L"Clubs foundation, Ace of clubs"));
    EXPECT_TRUE(ChildNamed(window, L"Queen of diamonds, top card of fan 9")) << "the card uncovered says so";

    Click(Middle(51));
    HWND frame = ChildNamed(window, L"Queen of hearts, top card of fan 17");
    ASSERT_TRUE(frame);
    RECT at;
    GetWindowRect(frame, &at);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&at), 2);
    const UINT dpi = WindowDpi(window);
    EXPECT_EQ(at.left, ScaleForDpi(SlotTopLeft(51).x(), dpi));
    EXPECT_EQ(at.top, ScaleForDpi(SlotTopLeft(51).y(), dpi));

    Click(Middle(52));
    EXPECT_TRUE(ChildNamed(window, L"Undo last move"));
    EXPECT_TRUE(ChildNamed(window, L"Queen of hearts, top card of fan 18"));
    EXPECT_TRUE(ChildNamed(window, L"King of hearts")) << "covered now";
}

TEST_F(BoardWindowTest, DealingAgainDropsTheSelectionAndTheUndoArrow)
{
    Load();
    Deal();
    Click(Middle(51));
    Click(Middle(52));
    ASSERT_TRUE(board->game().model().undo_visible);
    Deal();
    EXPECT_FALSE(board->game().model().undo_visible);
    EXPECT_EQ(board->game().model().slot_places[51].face, 51);
    EXPECT_FALSE(ChildNamed(window, L"Undo last move"));

    Click(Middle(48));
    ASSERT_TRUE(board->game().card_selected);
    Deal();
    EXPECT_FALSE(board->game().card_selected);
    EXPECT_EQ(Text(GetFocus()), L"Three of spades, top card of fan 1") << "the focus starts again on fan 1";
}

TEST_F(BoardWindowTest, NothingPostedToTheBoardActsWhileTheNoticeIsOpen)
{
    Load();
    Deal();
    Game& game = board->game();
    Click(Middle(3)); // the three of spades, top of fan 1
    ASSERT_TRUE(game.card_selected);
    const BoardModel selected = game.model();
    BoardModel during;
    bool stillSelected = false;
    const bool shown = testing::RunWhileOpen(
        kNoticeWindowClass, [&] { Click(Middle(6)); }, // onto the full fan 2: the notice
        {[&](HWND) {
             // A re-deal would drop the selection; Space twice would put the
             // card back; the click would play the ace of clubs home.
             PostMessageW(window, WM_COMMAND, GetMenuItemID(GetSubMenu(GetMenu(window), 0), 0), 0);
             PostMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
             PostMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
             PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(Middle(27)));
             PostMessageW(window, WM_LBUTTONUP, 0, At(Middle(27)));
         },
         [&](HWND) {
             during = game.model();
             stillSelected = game.card_selected;
             // Any notice a posted move opened on top goes too.
             while (const HWND notice = FindWindowW(kNoticeWindowClass, nullptr))
                 SendMessageW(notice, WM_COMMAND, IDOK, 0);
         }});
    ASSERT_TRUE(shown) << "the full fan shows the notice";
    EXPECT_EQ(during, selected);
    EXPECT_TRUE(stillSelected);
    EXPECT_EQ(game.model(), selected) << "nothing was kept for after the notice either";

    Click(Middle(27));
    EXPECT_NE(game.model(), selected) << "with the notice closed, the board plays again";
}

TEST_F(BoardWindowTest, ExitEndsTheProgram)
{
    Load();
    Choose(0, 2);
    EXPECT_FALSE(IsWindow(window));
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0u);
}

} // namespace
} // namespace quarrow

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
