// Any bytes as a help text: read back whole through the file reader, then
// decoded as Windows-1252 with one character per byte and CR LF folded.
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "services/text_file.h"

namespace {

std::string ScratchPath()
{
    static const std::string path = [] {
        char name[] = "/tmp/quarrow_fuzz_text_XXXXXX";
        const int fd = mkstemp(name);
        if (fd < 0)
            std::abort();
        close(fd);
        return std::string(name);
    }();
    return path;
}

std::size_t ExpectedLength(const std::uint8_t* data, std::size_t size)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < size; ++i)
        if (!(data[i] == '\r' && i + 1 < size && data[i + 1] == '\n'))
            ++n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = ScratchPath();
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        std::abort();
    if (size > 0 && std::fwrite(data, 1, size, out) != size)
        std::abort();
    std::fclose(out);

    if (quarrow::ReadTextFile(path) != bytes)
        std::abort();
    const QString text = QString::fromStdU16String(quarrow::WithLineBreaks(quarrow::DecodeWindows1252(bytes), u"\n"));
    if (static_cast<std::size_t>(text.size()) != ExpectedLength(data, size))
        std::abort();
    if (text.contains(QChar::ReplacementCharacter))
        std::abort();
    return 0;
}
