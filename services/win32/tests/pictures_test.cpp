#include "services/win32/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace quarrow {
namespace {

class PicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session_ = new GdiplusSession; }
    static void TearDownTestSuite()
    {
        delete session_;
        session_ = nullptr;
    }
    static GdiplusSession* session_;
};
GdiplusSession* PicturesTest::session_ = nullptr;

// The logical screen size a GIF declares in its header, read without GDI+.
Size GifSize(const std::string& bytes)
{
    if (bytes.size() < 10 || bytes.compare(0, 3, "GIF") != 0)
        return {};
    auto word = [&](std::size_t at) {
        return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
    };
    return {word(6), word(8)};
}

// A 32-bit top-down surface to draw into and read back pixel by pixel.
class Surface {
public:
    Surface(int width, int height, COLORREF fill) : width_(width)
    {
        BITMAPINFO info {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        const HBRUSH brush = CreateSolidBrush(fill);
        const RECT all {0, 0, width, height};
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Surface()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    // 0xRRGGBB, as GDI+ colours are without their alpha.
    std::uint32_t At(int x, int y) const
    {
        GdiFlush();
        return bits_[y * width_ + x] & 0xffffffu;
    }

private:
    int width_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

std::uint32_t PixelOf(const Picture& picture, int x, int y)
{
    Gdiplus::Color colour;
    picture.bitmap()->GetPixel(x, y, &colour);
    return colour.GetValue() & 0xffffffu;
}

TEST_F(PicturesTest, EveryBuiltInPictureDecodesAtItsOwnSizeAndItsDoubleAtTwice)
{
    for (const wchar_t* name : {L"board.gif", L"border.gif", L"undo.gif", L"notice_full.gif", L"notice_invalid.gif",
                                L"notice_win.gif", L"help_leaves.gif", L"logo.gif", L"cards/01.gif", L"Cards/52.GIF"}) {
        const Size declared = GifSize(ArtworkBytes(name));
        const Picture normal = LoadArtwork(name, false);
        ASSERT_TRUE(normal.valid()) << name;
        EXPECT_EQ(Size(normal.width(), normal.height()), declared) << name;
        const Picture dense = LoadArtwork(name, true);
        ASSERT_TRUE(dense.valid()) << name;
        EXPECT_EQ(Size(dense.width(), dense.height()), Size(2 * declared.width(), 2 * declared.height())) << name;
    }
    EXPECT_EQ(ArtworkResourceName(L"cards/07@2x.gif"), L"CARDS_07_2X_GIF");
}

TEST_F(PicturesTest, MissingArtworkAndBadBytesGiveNoPicture)
{
    EXPECT_TRUE(ArtworkBytes(L"cards/53.gif").empty());
    EXPECT_FALSE(LoadArtwork(L"cards/53.gif", true).valid());
    EXPECT_FALSE(DecodePicture("").valid());
    EXPECT_FALSE(DecodePicture("GIF89a this is no picture").valid());
    std::string cut = ArtworkBytes(L"logo.gif");
    cut.resize(12);
    EXPECT_FALSE(DecodePicture(cut).valid());
}

// The example picture goes to the codec from memory, through a stream that
// ends where the bytes end: a cut or lying file gives no picture or a whole
// one of the size it declares, never a read past the end.
TEST_F(PicturesTest, CutOrLyingPicturesDecodeSafely)
{
    const std::string whole = ArtworkBytes(L"help_leaves.gif");
    ASSERT_GT(whole.size(), 1000u);
    const Size declared = GifSize(whole);
    std::vector<std::string> broken;
    for (std::size_t length = 0; length < whole.size(); length += length < 64 ? 1 : 61)
        broken.push_back(whole.substr(0, length));
    for (const auto& [at, value] : {std::pair {6, "\xff\xff"}, std::pair {8, "\xff\xff"}}) {
        std::string lying = whole; // a logical screen of 65535 pixels
        lying.replace(static_cast<std::size_t>(at), 2, value);
        broken.push_back(lying);
    }
    for (const std::string& bytes : broken) {
        const Picture picture = DecodePicture(bytes);
        if (picture.valid() && bytes.size() < whole.size()) {
            EXPECT_EQ(Size(picture.width(), picture.height()), declared) << bytes.size() << " bytes";
        }
    }
    EXPECT_TRUE(DecodePicture(whole).valid());
}

TEST_F(PicturesTest, DrawsPixelForPixelAtItsSizeAndByWholePixelsAtTwice)
{
    const Picture card = LoadArtwork(L"cards/07.gif", false);
    ASSERT_TRUE(card.valid());
    const int width = card.width();
    const int height = card.height();

    Surface same(width + 4, height + 4, RGB(0, 0, 0));
    DrawPicture(same.dc(), card, Rect(2, 2, width, height));
    Surface doubled(2 * width, 2 * height, RGB(0, 0, 0));
    DrawPicture(doubled.dc(), card, Rect(0, 0, 2 * width, 2 * height));
    int differences = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t source = PixelOf(card, x, y);
            differences += same.At(x + 2, y + 2) != source;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    differences += doubled.At(2 * x + dx, 2 * y + dy) != source;
        }
    }
    EXPECT_EQ(differences, 0);
    // Nothing outside the target is touched.
    EXPECT_EQ(same.At(1, 1), 0u);
    EXPECT_EQ(same.At(width + 2, height + 2), 0u);
}

TEST_F(PicturesTest, KeepsATransparentGifTransparent)
{
    // One pixel, colour 0 of a black-and-white table, marked transparent.
    const unsigned char clear[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 0xff, 0xff, 0xff,
                                   0x21, 0xf9, 4, 1, 0, 0, 0, 0, 0x2c, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x44, 1, 0, 0x3b};
    const Picture picture = DecodePicture(std::string(reinterpret_cast<const char*>(clear), sizeof clear));
    ASSERT_TRUE(picture.valid());
    Surface surface(8, 8, RGB(200, 10, 10));
    DrawPicture(surface.dc(), picture, Rect(0, 0, 8, 8));
    EXPECT_EQ(surface.At(0, 0), 0xc80a0au);
    EXPECT_EQ(surface.At(7, 7), 0xc80a0au);
}

// An .ico file of the built-in 32- and 64-pixel emblems together.
std::string TwoSizeIcon(bool spoilLarge)
{
    const std::string small = ArtworkBytes(L"emblem.ico");
    const std::string large = ArtworkBytes(L"emblem@2x.ico");
    std::string smallImage = small.substr(22);
    std::string largeImage = large.substr(22);
    if (spoilLarge)
        std::fill(largeImage.begin(), largeImage.end(), '\0');
    std::string file = small.substr(0, 4) + std::string("\x02\x00", 2) + small.substr(6, 16) + large.substr(6, 16);
    const std::uint32_t smallAt = 6 + 2 * 16;
    const std::uint32_t largeAt = smallAt + static_cast<std::uint32_t>(smallImage.size());
    std::memcpy(file.data() + 6 + 12, &smallAt, 4);
    std::memcpy(file.data() + 22 + 12, &largeAt, 4);
    return file + smallImage + largeImage;
}

Size IconSize(HICON icon)
{
    ICONINFO info {};
    if (!GetIconInfo(icon, &info))
        return {};
    BITMAP mask {};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    const bool hasColour = info.hbmColor != nullptr;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // A monochrome icon's mask holds the AND and XOR halves one above the other.
    return {mask.bmWidth, hasColour ? mask.bmHeight : mask.bmHeight / 2};
}

TEST_F(PicturesTest, IconsComeFromTheBestFittingDrawing)
{
    const std::string both = TwoSizeIcon(false);
    for (int size : {16, 32, 48, 64}) {
        const HICON icon = IconFromFile(both, size);
        ASSERT_NE(icon, nullptr) << size;
        EXPECT_EQ(IconSize(icon), Size(size, size));
        DestroyIcon(icon);
    }
    // A spoilt drawing never reaches the system: the 32-pixel one serves
    // the sizes the 64-pixel one would have.
    const std::string spoilt = TwoSizeIcon(true);
    for (int size : {32, 48, 64}) {
        const HICON icon = IconFromFile(spoilt, size);
        ASSERT_NE(icon, nullptr) << size;
        EXPECT_EQ(IconSize(icon), Size(size, size));
        DestroyIcon(icon);
    }
    // Spoilt alone, the 64-pixel drawing gives no icon at all.
    std::string onlySpoilt = ArtworkBytes(L"emblem@2x.ico");
    std::fill(onlySpoilt.begin() + 22, onlySpoilt.end(), '\0');
    EXPECT_EQ(IconFromFile(onlySpoilt, 64), nullptr);
}

TEST_F(PicturesTest, NoIconFromWhatIsNoIconFile)
{
    std::string beyond = ArtworkBytes(L"emblem.ico");
    beyond.resize(beyond.size() - 1); // the drawing runs past the end
    for (const std::string& bytes : {std::string(), beyond, ArtworkBytes(L"hand.cur"), ArtworkBytes(L"logo.gif")})
        EXPECT_EQ(IconFromFile(bytes, 32), nullptr);
}

// The icon is the one file start-up cannot do without: cut anywhere, or with
// a drawing whose header claims more than the drawing holds, it gives no icon
// (and the start-up message) rather than a read past its end.
TEST_F(PicturesTest, NoIconFromACutOrLyingIconFile)
{
    const std::string emblem = ArtworkBytes(L"emblem.ico");
    for (std::size_t length = 0; length < emblem.size(); ++length)
        EXPECT_EQ(IconFromFile(emblem.substr(0, length), 32), nullptr) << length << " bytes";
    // The drawing's header starts at byte 22: its width, then its doubled height.
    for (const auto& [at, value] : {std::pair {26, "\x40"}, std::pair {30, "\x80"}, std::pair {36, "\x08"}}) {
        std::string lying = emblem;
        lying.replace(static_cast<std::size_t>(at), 1, value);
        EXPECT_EQ(IconFromFile(lying, 32), nullptr) << "byte " << at;
    }
    const HICON whole = IconFromFile(emblem, 32);
    EXPECT_NE(whole, nullptr);
    DestroyIcon(whole);
}

TEST_F(PicturesTest, ThePointingHandKeepsItsHotSpotAtEitherSize)
{
    const HCURSOR normal = PointingHandCursor(false);
    const HCURSOR dense = PointingHandCursor(true);
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(dense, nullptr);
    EXPECT_NE(normal, dense);
    EXPECT_EQ(PointingHandCursor(false), normal);
    ICONINFO info {};
    ASSERT_TRUE(GetIconInfo(normal, &info));
    EXPECT_FALSE(info.fIcon);
    // hand.cur's and hand@2x.cur's own hot spots.
    EXPECT_EQ(info.xHotspot, 12u);
    EXPECT_EQ(info.yHotspot, 9u);
    EXPECT_EQ(IconSize(normal), Size(32, 32));
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    ASSERT_TRUE(GetIconInfo(dense, &info));
    EXPECT_EQ(info.xHotspot, 24u);
    EXPECT_EQ(info.yHotspot, 18u);
    EXPECT_EQ(IconSize(dense), Size(64, 64));
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
}

} // namespace
} // namespace quarrow
