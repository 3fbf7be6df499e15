#include "services/text_file.h"

#include "services/file_loading.h"

namespace quarrow {

namespace {

// 0x80..0x9F; the rest of the page is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

std::string ReadTextFile(const std::string& path)
{
    std::string bytes;
    LoadFileStart(path, kTextFileLimit, bytes); // empty on any failure
    return bytes;
}

std::u16string DecodeWindows1252(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text.push_back(byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : char16_t{byte});
    }
    return text;
}

std::u16string WithLineBreaks(std::u16string_view text, std::u16string_view lineBreak)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            out.append(lineBreak);
        } else if (text[i] == u'\n') {
            out.append(lineBreak);
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

} // namespace quarrow
