#include "windows/win32/example_viewer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include "services/file_loading.h"
#include "services/file_trouble.h"
#include "services/win32/pictures.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"
#include "windows/example_view.h"
#include "windows/win32/tests/window_driver.h"

namespace quarrow {
namespace {

class ExampleViewerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { gdiplus_ = new GdiplusSession; }
    static void TearDownTestSuite() { delete gdiplus_; }

    // The message box's text, then OK.
    std::wstring MessageWhenShownFrom(const std::string& dir, bool& shown)
    {
        std::wstring message;
        testing::RunWhileOpen(
            L"#32770", [&] { shown = ShowExampleViewer(owner_.get(), dir); },
            [&](HWND box) {
                message = testing::TextOf(GetDlgItem(box, 0xffff));
                SendMessageW(box, WM_COMMAND, IDOK, 0);
            });
        return message;
    }

    static GdiplusSession* gdiplus_;
    testing::OwnerWindow owner_;
};
GdiplusSession* ExampleViewerTest::gdiplus_ = nullptr;

TEST_F(ExampleViewerTest, SaysWhichFileIsMissingOrNoPicture)
{
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::string dir = Narrow(temp) + "quarrow_example_" + std::to_string(GetCurrentProcessId());
    const std::string sound = dir + "\\SOUND";
    const std::string picture = sound + "\\example.gif";
    ASSERT_TRUE(CreateDirectoryW(Widen(dir).c_str(), nullptr));

    bool shown = true;
    EXPECT_EQ(MessageWhenShownFrom(dir, shown), Widen(ExampleUnavailable(picture, WhyUnreadable(FileTrouble::Missing))));
    EXPECT_FALSE(shown);

    ASSERT_TRUE(CreateDirectoryW(Widen(sound).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Widen(picture).c_str(), nullptr));
    shown = true;
    EXPECT_EQ(MessageWhenShownFrom(dir, shown), Widen(ExampleUnavailable(picture, WhyUnreadable(FileTrouble::Folder))));
    EXPECT_FALSE(shown);
    RemoveDirectoryW(Widen(picture).c_str());

    const HANDLE file = CreateFileW(Widen(picture).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "GIF89a, but no more", 19, &written, nullptr);
    CloseHandle(file);
    shown = true;
    const std::wstring message = MessageWhenShownFrom(dir, shown);
    // The reason in brackets is the decoder's own.
    std::string start = ExampleUnavailable(picture, NotAPicture(""));
    start.resize(start.size() - 2);
    EXPECT_EQ(message.rfind(Widen(start), 0), 0u) << Narrow(message);
    EXPECT_FALSE(shown);

    DeleteFileW(Widen(picture).c_str());
    RemoveDirectoryW(Widen(sound).c_str());
    RemoveDirectoryW(Widen(dir).c_str());
    EXPECT_TRUE(IsWindowEnabled(owner_.get()));
}

std::uint32_t PixelOf(const Picture& picture, int x, int y)
{
    Gdiplus::Color colour;
    picture.bitmap()->GetPixel(x, y, &colour);
    return colour.GetValue() & 0xffffffu;
}

TEST_F(ExampleViewerTest, MovedToAScreenOfTwiceTheDotsPerInchItsBarDoubles)
{
    testing::DpiLook before, after;
    bool shown = false;
    EXPECT_TRUE(testing::RunWhileOpen(
        kExampleWindowClass, [&] { shown = ShowExampleViewer(owner_.get(), ProgramDir()); }, [&](HWND viewer) {
            const UINT dpi = WindowDpi(viewer);
            const HWND bar = FindWindowExW(viewer, nullptr, L"SCROLLBAR", nullptr);
            before = testing::LookAt(viewer, bar);
            testing::MoveToDpi(viewer, dpi, 2 * dpi);
            after = testing::LookAt(viewer, bar);
            PostMessageW(viewer, WM_CLOSE, 0, 0);
        }));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(testing::ScaledBy(before, after, 2));
}

TEST_F(ExampleViewerTest, TheKeysScrollThePictureThroughTheWholeRange)
{
    std::string bytes;
    ASSERT_TRUE(LoadWholeFile(ProgramDir() + "\\SOUND\\example.gif", bytes));
    const Picture picture = DecodePicture(bytes);
    ASSERT_TRUE(picture.valid());
    constexpr int kBorder = 2;
    const int inner = kExampleClientHeight - 2 * kBorder;
    ASSERT_GT(picture.height(), inner) << "the example is taller than the window";
    const ScrollRange range = ExampleScrollRange(inner, picture.height());

    struct Step {
        WPARAM key;
        int position;
    };
    const Step steps[] = {{VK_UP, 0},
                          {VK_DOWN, range.small_change < 0 ? -range.small_change : range.small_change},
                          {VK_END, range.Span()},
                          {VK_DOWN, range.Span()},
                          {VK_PRIOR, range.Span() - (range.large_change < 0 ? -range.large_change : range.large_change)},
                          {VK_HOME, 0},
                          {VK_NEXT, range.large_change < 0 ? -range.large_change : range.large_change}};
    std::wstring title;
    std::vector<int> positions;
    std::vector<int> wheeled;
    int wheelLines = 0;
    bool topShown = false;
    bool bottomShown = false;
    bool shown = false;
    const bool acted = testing::RunWhileOpen(
        kExampleWindowClass, [&] { shown = ShowExampleViewer(owner_.get(), ProgramDir()); },
        [&](HWND viewer) {
            title = testing::TextOf(viewer);
            const HWND bar = FindWindowExW(viewer, nullptr, L"SCROLLBAR", nullptr);
            for (const Step& step : steps) {
                SendMessageW(viewer, WM_KEYDOWN, step.key, 1);
                positions.push_back(GetScrollPos(bar, SB_CTL));
                const testing::ClientPicture seen(viewer);
                if (step.key == VK_HOME)
                    topShown = seen.At(kBorder, kBorder) == PixelOf(picture, 0, 0)
                        && seen.At(kBorder + 100, kBorder + 50) == PixelOf(picture, 100, 50);
                if (step.key == VK_END)
                    bottomShown = seen.At(kBorder + 100, kBorder + inner - 1) == PixelOf(picture, 100, picture.height() - 1)
                        && seen.At(kBorder + 50, kBorder) == PixelOf(picture, 50, picture.height() - inner);
            }
            // A notch of the wheel down, anywhere over the window, then up.
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            wheelLines = static_cast<int>(lines);
            for (const int delta : {-WHEEL_DELTA, WHEEL_DELTA}) {
                SendMessageW(viewer, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
                wheeled.push_back(GetScrollPos(bar, SB_CTL));
            }
            testing::PressKey(viewer, VK_ESCAPE);
        });
    ASSERT_TRUE(acted);
    EXPECT_TRUE(shown);
    EXPECT_EQ(title, Widen(kExampleTitle));
    std::vector<int> expected;
    for (const Step& step : steps)
        expected.push_back(step.position);
    EXPECT_EQ(positions, expected);
    // From where the last key, Page Down, left the bar.
    const int line = std::abs(int {range.small_change});
    const int down = std::min(expected.back() + wheelLines * line, range.Span());
    EXPECT_EQ(wheeled, (std::vector<int> {down, std::max(down - wheelLines * line, 0)}));
    EXPECT_TRUE(topShown);
    EXPECT_TRUE(bottomShown);
    EXPECT_EQ(GetActiveWindow(), owner_.get());
}

} // namespace
} // namespace quarrow
