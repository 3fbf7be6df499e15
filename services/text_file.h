#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quarrow {

// No help text is read beyond this: a text box filled with tens of
// megabytes stalls the window (and a browser page) for many seconds, and no
// one reads that far.
inline constexpr std::size_t kTextFileLimit = 1024 * 1024;

// The file byte for byte, up to kTextFileLimit bytes; a longer file is cut
// there. A file that is missing, is no regular file or cannot be read gives
// the empty string; nothing is ever created on disk.
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
