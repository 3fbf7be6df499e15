#include "services/win32/wide.h"

#include <windows.h>

#include <climits>
#include <vector>

namespace quarrow {

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty() || utf8.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(utf8.size());
    // Without MB_ERR_INVALID_CHARS a bad byte becomes U+FFFD instead of
    // failing the whole conversion.
    const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (count <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), count);
    return wide;
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty() || utf16.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(utf16.size());
    const int count = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    if (count <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(count), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, narrow.data(), count, nullptr, nullptr);
    return narrow;
}

std::wstring FromUtf16(std::u16string_view text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return std::wstring(text.begin(), text.end());
}

std::string ProgramDir()
{
    // MAX_PATH is no limit for a program under a long path: grow until the
    // name fits (the call truncates and fills the whole buffer when it does not).
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return ".";
        if (length < buffer.size()) {
            std::wstring path(buffer.data(), length);
            const std::size_t separator = path.find_last_of(L"\\/");
            if (separator == std::wstring::npos)
                return ".";
            return Narrow(path.substr(0, separator));
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace quarrow
