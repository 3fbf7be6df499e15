#include "services/file_loading.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace quarrow {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

constexpr std::size_t kBlockSize = 64 * 1024;

} // namespace

bool LoadWholeFile(const std::string& path, std::string& contents)
{
    return LoadFileStart(path, SIZE_MAX, contents);
}

bool LoadFileStart(const std::string& path, std::size_t maxBytes, std::string& contents)
{
    contents.clear();

    // Non-blocking, so that opening a FIFO returns at once instead of waiting
    // for a writer; what was opened is then asked what it is, rather than the
    // path beforehand, which could be swapped in between.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return false;
    struct stat status {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;

    std::string bytes;
    if (status.st_size > 0)
        bytes.reserve(std::min(static_cast<std::size_t>(status.st_size), maxBytes));
    char block[kBlockSize];
    while (bytes.size() < maxBytes) {
        const ssize_t count = ::read(file.get(), block, std::min(sizeof block, maxBytes - bytes.size()));
        if (count > 0) {
            bytes.append(block, static_cast<std::size_t>(count));
        } else if (count == 0) {
            break;
        } else if (errno != EINTR) {
            return false;
        }
    }
    contents = std::move(bytes);
    return true;
}

} // namespace quarrow
