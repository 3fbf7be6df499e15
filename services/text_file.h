#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace quarrow {

// The whole file, byte for byte. A file that is missing, is no regular file
// or cannot be read gives the empty string; nothing is ever created on disk.
std::string ReadTextFile(const std::string& path);

// Single-byte text as the Windows-1252 code page shows it, all 256 bytes mapped
// (the five bytes the code page leaves unassigned come through as C1 controls).
// CR LF and a lone CR become one line break each, so the text box shows the
// lines as they were written.
QString DecodeWindows1252(std::string_view bytes);

} // namespace quarrow
