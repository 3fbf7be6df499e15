#include "services/file_loading.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace quarrow {
namespace {

namespace fs = std::filesystem;

class LoadWholeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quarrow-load-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // Every byte value, in a pattern that does not repeat on a 1024-byte block.
    static std::string Bytes(std::size_t count)
    {
        std::string bytes(count, '\0');
        for (std::size_t i = 0; i < count; ++i)
            bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
        return bytes;
    }

    static int OpenDescriptors()
    {
        int count = 0;
        for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
            ++count;
        return count;
    }

    fs::path dir_;
};

TEST_F(LoadWholeFileTest, ReadsExactBytesAroundTheBlockSize)
{
    for (const std::size_t size : {0, 1, 1023, 1024, 65535, 65536, 65537, 200000}) {
        SCOPED_TRACE(size);
        const std::string bytes = Bytes(size);
        std::string contents = "left over";
        EXPECT_TRUE(LoadWholeFile(Write("f.bin", bytes), contents));
        EXPECT_EQ(contents.size(), size);
        EXPECT_EQ(contents, bytes);
    }
}

// A help text is read only as far as it is shown; a shorter file comes whole.
TEST_F(LoadWholeFileTest, LoadFileStartReadsNoFurtherThanItsLimit)
{
    const std::string bytes = Bytes(200000);
    const std::string path = Write("long.txt", bytes);
    for (const std::size_t limit : {0, 1, 65535, 65536, 65537, 199999, 200000, 300000}) {
        SCOPED_TRACE(limit);
        std::string contents = "left over";
        EXPECT_TRUE(LoadFileStart(path, limit, contents));
        EXPECT_EQ(contents, bytes.substr(0, limit));
    }
    std::string contents = "left over";
    EXPECT_FALSE(LoadFileStart((dir_ / "missing.txt").string(), 10, contents));
    EXPECT_TRUE(contents.empty());
}

TEST_F(LoadWholeFileTest, KeepsLineEndsNulsAndHighBytesAsStored)
{
    const std::string bytes("RIFF\r\n\0\x1A\n\r\xFF\x80\x81\x8D", 14);
    std::string contents;
    ASSERT_TRUE(LoadWholeFile(Write("w.wav", bytes), contents));
    EXPECT_EQ(contents, bytes);
}

// Anything but a regular file fails at once: a FIFO nobody writes to would
// block the caller for ever, and /dev/zero would fill the memory.
TEST_F(LoadWholeFileTest, FailuresLeaveContentsEmpty)
{
    const std::string missing_file = (dir_ / "CLUCK.WAV").string();
    const std::string missing_folder = (dir_ / "SOUND" / "CLUCK.WAV").string();
    const std::string a_directory = dir_.string();
    const std::string fifo = (dir_ / "fifo.wav").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const fs::path endless = dir_ / "zero.wav";
    fs::create_symlink("/dev/zero", endless);
    std::vector<std::string> paths {missing_file, missing_folder, a_directory, endless.string(), std::string()};
    // Node's file system, under WebAssembly, has no FIFOs: mkfifo leaves a plain empty file there.
    if (fs::is_fifo(fifo))
        paths.push_back(fifo);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        std::string contents = "earlier sound";
        EXPECT_FALSE(LoadWholeFile(path, contents));
        EXPECT_TRUE(contents.empty());
    }
}

TEST_F(LoadWholeFileTest, UnreadableFileFails)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permissions";
    const std::string path = Write("locked.wav", "RIFF");
    fs::permissions(path, fs::perms::none);
    std::string contents = "earlier sound";
    EXPECT_FALSE(LoadWholeFile(path, contents));
    EXPECT_TRUE(contents.empty());
}

TEST_F(LoadWholeFileTest, ClosesTheFileOnEveryPath)
{
    const std::string good = Write("good.wav", Bytes(3000));
    const int before = OpenDescriptors();
    std::string contents;
    for (int i = 0; i < 50; ++i) {
        LoadWholeFile(good, contents);
        LoadWholeFile(dir_.string(), contents);
        LoadWholeFile((dir_ / "missing").string(), contents);
        LoadWholeFile("/dev/null", contents); // opens, then is no regular file
    }
    EXPECT_EQ(OpenDescriptors(), before);
}

} // namespace
} // namespace quarrow
