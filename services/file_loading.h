#pragma once

#include <cstddef>
#include <string>

namespace quarrow {

// Reads the whole file at path into contents, byte for byte. contents is
// emptied first and stays empty on any failure; the result tells which.
// Only a regular file can be read: a folder, a FIFO, a device or a socket
// fails at once (a FIFO would block start-up until someone wrote to it, and
// /dev/zero would be read until memory ran out), as does a missing file or
// folder, a file without read permission and a read error.
bool LoadWholeFile(const std::string& path, std::string& contents);

// The same, but reads no more than the first maxBytes of the file: what is
// shown of a file need not be read whole, however large the file has grown.
bool LoadFileStart(const std::string& path, std::size_t maxBytes, std::string& contents);

} // namespace quarrow
