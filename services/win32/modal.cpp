#include "services/win32/modal.h"

namespace quarrow {

void RunModal(HWND owner, HWND window)
{
    if (!window)
        return;
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (owner)
        EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);

    MSG message {};
    bool quit = false;
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            quit = true;
            break;
        }
        if (got < 0)
            break;
        if (IsDialogMessageW(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }

    // The window ended some other way than EndModal (a quit, an owner being
    // destroyed): the owner still gets its input back.
    if (IsWindow(window)) {
        if (owner && ownerWasEnabled)
            EnableWindow(owner, TRUE);
        DestroyWindow(window);
    } else if (owner && ownerWasEnabled && !IsWindowEnabled(owner)) {
        EnableWindow(owner, TRUE);
    }
    if (quit)
        PostQuitMessage(static_cast<int>(message.wParam));
}

void EndModal(HWND window)
{
    if (!IsWindow(window))
        return;
    // The owner is enabled and activated while this window still exists, so
    // that the activation goes straight back to it instead of to whatever
    // window the system would pick once this one is gone.
    const HWND owner = GetWindow(window, GW_OWNER);
    if (owner) {
        EnableWindow(owner, TRUE);
        if (GetActiveWindow() == window || GetForegroundWindow() == window)
            SetActiveWindow(owner);
    }
    DestroyWindow(window);
}

} // namespace quarrow
