#include "services/win32/message_box.h"

#include "services/win32/wide.h"

namespace quarrow {

void ShowMessageBox(HWND owner, std::string_view utf8Text)
{
    MessageBoxW(owner, Widen(utf8Text).c_str(), kProgramTitle, MB_OK);
}

} // namespace quarrow
