#pragma once

#include <string>
#include <string_view>

namespace quarrow {

// The whole file, byte for byte. A file that is missing, is no regular file
// or cannot be read gives the empty string; nothing is ever created on disk.
std::string ReadTextFile(const std::string& path);

// Single-byte text as the Windows-1252 code page shows it, in UTF-16, all 256
// bytes mapped as the platform's own converter maps them (the five bytes the
// code page leaves unassigned come through as the C1 controls of the same
// value). Line ends are kept as they are.
std::u16string DecodeWindows1252(std::string_view bytes);

// CR LF, a lone CR and a lone LF each become lineBreak, so a text box shows the
// lines as they were written: "\n" for most toolkits, "\r\n" for a Win32 edit box.
std::u16string WithLineBreaks(std::u16string_view text, std::u16string_view lineBreak);

} // namespace quarrow
