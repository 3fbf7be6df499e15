#include "services/text_file.h"

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace quarrow {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class ReadTextFileTest : public ::testing::Test {
protected:
    fs::path PathOf(const char* name) const { return fs::path(dir_.path().toStdString()) / name; }
    QTemporaryDir dir_;
};

TEST_F(ReadTextFileTest, ReturnsEveryByteAsStored)
{
    // Line ends, a NUL and the top bit all survive untouched.
    const std::string bytes("one\r\ntwo\nthree\r\0\x80\xA9\xFF", 20);
    WriteBytes(PathOf("rules.txt"), bytes);
    EXPECT_EQ(ReadTextFile(PathOf("rules.txt").string()), bytes);
}

TEST_F(ReadTextFileTest, EmptyFileGivesEmptyText)
{
    WriteBytes(PathOf("empty.txt"), "");
    EXPECT_EQ(ReadTextFile(PathOf("empty.txt").string()), "");
}

TEST_F(ReadTextFileTest, MissingFileGivesEmptyTextAndCreatesNothing)
{
    const fs::path missing = PathOf("tvk.txt");
    EXPECT_EQ(ReadTextFile(missing.string()), "");
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(fs::is_empty(dir_.path().toStdString()));
}

TEST_F(ReadTextFileTest, FolderGivesEmptyText)
{
    fs::create_directory(PathOf("rules.txt"));
    EXPECT_EQ(ReadTextFile(PathOf("rules.txt").string()), "");
}

TEST_F(ReadTextFileTest, UnreadableFileGivesEmptyText)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permissions";
    WriteBytes(PathOf("locked.txt"), "secret");
    fs::permissions(PathOf("locked.txt"), fs::perms::none);
    EXPECT_EQ(ReadTextFile(PathOf("locked.txt").string()), "");
}

// The code page's upper half, 0x80..0x9F, written out independently of any
// converter; 0xA0..0xFF match Latin-1.
constexpr char16_t kUpperControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

TEST(DecodeWindows1252Test, MapsEveryByteAboveAsciiToItsCodePageCharacter)
{
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b)
        bytes.push_back(static_cast<char>(b));

    const QString text = DecodeWindows1252(bytes);
    ASSERT_EQ(text.size(), 128);
    for (int b = 0x80; b <= 0xFF; ++b) {
        const char16_t expected = b < 0xA0 ? kUpperControls[b - 0x80] : static_cast<char16_t>(b);
        EXPECT_EQ(text.at(b - 0x80).unicode(), expected) << "byte 0x" << std::hex << b;
    }
}

TEST(DecodeWindows1252Test, NamedCharacters)
{
    EXPECT_EQ(DecodeWindows1252("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(DecodeWindows1252("\x81"), QString(QChar(0x0081)));
    EXPECT_EQ(DecodeWindows1252("\xA9 2024"), QStringLiteral("\u00A9 2024"));
    EXPECT_EQ(DecodeWindows1252("\xFF"), QStringLiteral("\u00FF"));
}

TEST(DecodeWindows1252Test, LineEndsBecomeSingleLineBreaks)
{
    EXPECT_EQ(DecodeWindows1252("a\r\nb\nc\rd\r\n\r\ne"), QStringLiteral("a\nb\nc\nd\n\ne"));
}

TEST(DecodeWindows1252Test, KeepsAsciiAndEmbeddedNul)
{
    EXPECT_EQ(DecodeWindows1252(""), QString());
    const QString text = DecodeWindows1252(std::string_view("A\0z", 3));
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text.at(0), QLatin1Char('A'));
    EXPECT_EQ(text.at(1).unicode(), 0);
    EXPECT_EQ(text.at(2), QLatin1Char('z'));
}

} // namespace
} // namespace quarrow
