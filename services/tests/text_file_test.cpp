#include "services/text_file.h"

#include <QStringDecoder>
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

TEST_F(ReadTextFileTest, TextBeyondTheLimitIsCut)
{
    std::string bytes(kTextFileLimit + 5000, 'a');
    bytes[kTextFileLimit - 1] = 'z';
    WriteBytes(PathOf("rules.txt"), bytes);
    EXPECT_EQ(ReadTextFile(PathOf("rules.txt").string()), bytes.substr(0, kTextFileLimit));
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

// Against an independent converter: ICU's windows-1252 as Qt offers it.
TEST(DecodeWindows1252Test, MapsAllBytesAsTheCodePagesOwnConverter)
{
    QStringDecoder icu("windows-1252");
    if (!icu.isValid())
        GTEST_SKIP() << "this Qt has no ICU converter to compare with";
    std::string bytes;
    for (int b = 0; b <= 0xFF; ++b)
        bytes.push_back(static_cast<char>(b));
    const QString expected = icu(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const std::u16string text = DecodeWindows1252(bytes);
    ASSERT_EQ(text.size(), 256u);
    ASSERT_EQ(expected.size(), 256);
    for (int b = 0; b <= 0xFF; ++b)
        EXPECT_EQ(text[static_cast<std::size_t>(b)], expected.at(b).unicode()) << "byte 0x" << std::hex << b;
    EXPECT_EQ(DecodeWindows1252("\x80\xA9"), u"\u20AC\u00A9");
}

TEST(DecodeWindows1252Test, EveryLineEndBecomesTheChosenBreak)
{
    const std::u16string text = DecodeWindows1252("a\r\nb\nc\rd\r\n\r\ne\r");
    EXPECT_EQ(text, u"a\r\nb\nc\rd\r\n\r\ne\r"); // decoding alone keeps them
    EXPECT_EQ(WithLineBreaks(text, u"\n"), u"a\nb\nc\nd\n\ne\n");
    EXPECT_EQ(WithLineBreaks(text, u"\r\n"), u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
}

TEST(DecodeWindows1252Test, KeepsAsciiAndEmbeddedNul)
{
    EXPECT_EQ(DecodeWindows1252(""), u"");
    EXPECT_EQ(DecodeWindows1252(std::string_view("A\0z", 3)), std::u16string(u"A\0z", 3));
}

} // namespace
} // namespace quarrow
