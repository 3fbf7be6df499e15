// Text, paths and the small system calls: wide text both ways, the program's
// folder, Windows-1252 against the system's converter, links, DPI scaling.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "services/file_loading.h"
#include "services/text_file.h"
#include "services/win32/links.h"
#include "services/win32/wide.h"
#include "services/win32/window_geometry.h"

namespace quarrow {
namespace {

TEST(WideText, RoundTripsEveryPlaneAndMarksBadBytes)
{
    // ASCII, Latin-1, a euro sign and a character outside the basic plane
    // (a surrogate pair in UTF-16).
    const std::string utf8 = "A\xc3\xa9\xe2\x82\xac\xf0\x9f\x82\xa1";
    const std::wstring wide = Widen(utf8);
    EXPECT_EQ(wide, std::wstring(L"A\u00e9\u20ac\xd83c\xdca1"));
    EXPECT_EQ(Narrow(wide), utf8);
    EXPECT_EQ(Widen(""), L"");
    EXPECT_EQ(Narrow(L""), "");
    // A stray byte is marked, not dropped: a path stays as long as it was.
    EXPECT_EQ(Widen("a\xff" "b"), std::wstring(L"a\ufffd" L"b"));
    EXPECT_EQ(FromUtf16(u"x\u00e9\r\n"), std::wstring(L"x\u00e9\r\n"));
}

TEST(WideText, ProgramDirIsTheFolderOfTheRunningProgram)
{
    const std::string dir = ProgramDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '\\');
    std::string self;
    EXPECT_TRUE(LoadWholeFile(dir + "\\services_win32_tests.exe", self));
    EXPECT_EQ(self.substr(0, 2), "MZ");
}

TEST(Windows1252, DecodesAllBytesAsTheSystemConverterDoes)
{
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes += static_cast<char>(byte);
    std::wstring expected(256, L'\0');
    ASSERT_EQ(MultiByteToWideChar(1252, 0, bytes.data(), 256, expected.data(), 256), 256);
    const std::u16string decoded = DecodeWindows1252(bytes);
    ASSERT_EQ(decoded.size(), 256u);
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(static_cast<unsigned>(decoded[static_cast<std::size_t>(byte)]),
                  static_cast<unsigned>(expected[static_cast<std::size_t>(byte)]))
            << "byte " << byte;
}

TEST(Links, AnAddressNoProgramTakesIsReportedAsFailed)
{
    EXPECT_FALSE(OpenWebAddress(nullptr, "quarrow-no-such-scheme:nowhere"));
    EXPECT_FALSE(OpenWebAddress(nullptr, ""));
}

TEST(WindowGeometry, ScalesDesignPixelsToTheDpiRoundingToNearest)
{
    EXPECT_EQ(ScaleForDpi(407, 96), 407);
    EXPECT_EQ(ScaleForDpi(407, 120), 509); // 508.75
    EXPECT_EQ(ScaleForDpi(407, 144), 611); // 610.5
    EXPECT_EQ(ScaleForDpi(407, 192), 814);
    EXPECT_EQ(ScaleForDpi(1, 144), 2); // 1.5
    EXPECT_EQ(ScaleForDpi(0, 192), 0);
}

} // namespace
} // namespace quarrow
