#pragma once

#include <string>
#include <string_view>

namespace quarrow {

// The game keeps text in UTF-8; Windows wants UTF-16. Invalid UTF-8 becomes
// U+FFFD rather than being dropped, so a bad byte never shortens a path into
// another file's name.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The shared layer's UTF-16 text, as the wide API takes it (wchar_t is 16 bits here).
std::wstring FromUtf16(std::u16string_view text);

// The folder the program was started from, without a trailing separator, in
// UTF-8: where SOUND/, rules.txt and tvk.txt sit.
std::string ProgramDir();

} // namespace quarrow
