#pragma once

#include <string>

namespace quarrow {

// Reads the whole file at path into contents, byte for byte. contents is
// emptied first and stays empty on any failure (missing file or folder, a
// directory, a read error); the result tells which.
bool LoadWholeFile(const std::string& path, std::string& contents);

} // namespace quarrow
