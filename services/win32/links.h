#pragma once

#include <windows.h>

#include <string>

namespace quarrow {

// Hands the web address to the system's browser. False when the system could
// not (no browser, no file association, a refused address).
bool OpenWebAddress(HWND owner, const std::string& address);

} // namespace quarrow
