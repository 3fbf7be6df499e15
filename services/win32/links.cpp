#include "services/win32/links.h"

#include <shellapi.h>

#include "services/win32/wide.h"

namespace quarrow {

bool OpenWebAddress(HWND owner, const std::string& address)
{
    if (address.empty())
        return false;
    // Errors are the caller's to report in its own words, not the shell's.
    const HINSTANCE result = ShellExecuteW(owner, L"open", Widen(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace quarrow
