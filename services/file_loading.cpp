#include "services/file_loading.h"

#include <cstdio>
#include <memory>

namespace quarrow {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

constexpr std::size_t kBlockSize = 1024;

} // namespace

bool LoadWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;

    char block[kBlockSize];
    for (;;) {
        const std::size_t count = std::fread(block, 1, kBlockSize, file.get());
        contents.append(block, count);
        if (count < kBlockSize)
            break;
    }
    // A directory opens fine on Linux and only fails here, on the first read.
    if (std::ferror(file.get())) {
        contents.clear();
        return false;
    }
    return true;
}

} // namespace quarrow
