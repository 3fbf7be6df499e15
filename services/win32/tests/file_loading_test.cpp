#include "services/file_loading.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "services/win32/wide.h"

namespace quarrow {
namespace {

// A folder of its own under the temporary folder, gone again after each test.
class LoadWholeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = Narrow(temp) + "quarrow_load_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(Widen(folder_).c_str(), nullptr));
    }

    void TearDown() override
    {
        for (const std::string& file : made_)
            DeleteFileW(Widen(file).c_str());
        RemoveDirectoryW(Widen(folder_).c_str());
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder_ + "\\" + name;
        const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        if (!bytes.empty())
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
        made_.push_back(path);
        return path;
    }

    bool Exists(const std::string& path) const
    {
        return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string folder_;
    std::vector<std::string> made_;
};

TEST_F(LoadWholeFileTest, ReadsEveryByteOfARegularFile)
{
    // Bytes a text-mode read would change or stop at: NUL, CR LF, Ctrl+Z.
    std::string bytes("a\0b\r\nc\x1a" "d\xff", 9);
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>(i * 7);
    const std::string path = Write("\xc3\xa9t\xc3\xa9.bin", bytes);
    std::string contents = "left over";
    ASSERT_TRUE(LoadWholeFile(path, contents));
    EXPECT_EQ(contents, bytes);
}

TEST_F(LoadWholeFileTest, AnEmptyFileIsReadAsEmpty)
{
    const std::string path = Write("empty.txt", "");
    std::string contents = "left over";
    EXPECT_TRUE(LoadWholeFile(path, contents));
    EXPECT_TRUE(contents.empty());
}

TEST_F(LoadWholeFileTest, RefusesWhatIsNoRegularFileAndCreatesNothing)
{
    const std::string missing = folder_ + "\\missing.txt";
    for (const std::string& path : {folder_, missing, std::string("NUL"), std::string("CON"),
                                    std::string("\\\\.\\pipe\\quarrow_no_such_pipe"), std::string()}) {
        std::string contents = "left over";
        EXPECT_FALSE(LoadWholeFile(path, contents)) << path;
        EXPECT_TRUE(contents.empty()) << path;
    }
    EXPECT_FALSE(Exists(missing));
}

TEST_F(LoadWholeFileTest, RefusesAFileLockedAgainstReaders)
{
    const std::string path = Write("locked.txt", "secret");
    const HANDLE holder = CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    std::string contents = "left over";
    EXPECT_FALSE(LoadWholeFile(path, contents));
    EXPECT_TRUE(contents.empty());
    CloseHandle(holder);
    EXPECT_TRUE(LoadWholeFile(path, contents));
    EXPECT_EQ(contents, "secret");
}

TEST_F(LoadWholeFileTest, ReadsAFileAnotherProgramIsWriting)
{
    const std::string path = Write("shared.txt", "being written");
    const HANDLE writer = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    std::string contents;
    EXPECT_TRUE(LoadWholeFile(path, contents));
    EXPECT_EQ(contents, "being written");
    CloseHandle(writer);
}

} // namespace
} // namespace quarrow
