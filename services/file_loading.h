#pragma once

#include <string>

namespace quarrow {

// Reads the whole file at path into contents, byte for byte. contents is
// emptied first and stays empty on any failure; the result tells which.
// Only a regular file can be read: a folder, a FIFO, a device or a socket
// fails at once (a FIFO would block start-up until someone wrote to it, and
// /dev/zero would be read until memory ran out), as does a missing file or
// folder, a file without read permission and a read error.
bool LoadWholeFile(const std::string& path, std::string& contents);

} // namespace quarrow
