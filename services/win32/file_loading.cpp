#include "services/file_loading.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "services/win32/wide.h"

namespace quarrow {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

constexpr DWORD kBlockSize = 64 * 1024;

} // namespace

bool LoadWholeFile(const std::string& path, std::string& contents)
{
    return LoadFileStart(path, SIZE_MAX, contents);
}

bool LoadFileStart(const std::string& path, std::size_t maxBytes, std::string& contents)
{
    contents.clear();
    const std::wstring name = Widen(path);
    if (name.empty())
        return false;

    // OPEN_EXISTING never creates anything. Sharing read and write lets the
    // file be read while another program has it open for writing, as on
    // Linux, but a program that locked it against readers still wins. A
    // folder opens only with FILE_FLAG_BACKUP_SEMANTICS, which is not asked
    // for, and what did open is asked what it is: a pipe or a console would
    // block or run on, and only a file on disk is read.
    const Handle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return false;
    if (GetFileType(file.get()) != FILE_TYPE_DISK)
        return false;
    BY_HANDLE_FILE_INFORMATION information {};
    if (!GetFileInformationByHandle(file.get(), &information)
        || (information.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0)
        return false;

    std::string bytes;
    const ULONGLONG size = (ULONGLONG {information.nFileSizeHigh} << 32) | information.nFileSizeLow;
    if (size > 0 && size < static_cast<ULONGLONG>(INT_MAX))
        bytes.reserve(std::min(static_cast<std::size_t>(size), maxBytes));
    char block[kBlockSize];
    while (bytes.size() < maxBytes) {
        DWORD count = 0;
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(kBlockSize, maxBytes - bytes.size()));
        if (!ReadFile(file.get(), block, wanted, &count, nullptr))
            return false;
        if (count == 0)
            break;
        bytes.append(block, count);
    }
    contents = std::move(bytes);
    return true;
}

} // namespace quarrow
