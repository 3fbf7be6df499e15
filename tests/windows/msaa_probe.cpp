// Reads a running program's windows the way a Windows screen reader does:
// through oleacc, from another process, each window's client object asked
// for its role, name, description, state and default action.
//
//   msaa_probe list <window title>
//       one line per visible child of that top-level window, in z-order:
//       role<TAB>state (hex)<TAB>name<TAB>description<TAB>default action
//   msaa_probe press <window title> <child name>
//       the default action of the visible child so named; prints its HRESULT
//   msaa_probe alert <seconds>
//       waits for a system alert event, prints the name of the object it
//       names ("none" after the time)
// Text is printed as UTF-8.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string Utf8(const wchar_t* text)
{
    if (!text)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring Wide(const char* text)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size > 0 ? size - 1 : 0), L'\0');
    if (size > 1)
        MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), size);
    return out;
}

VARIANT Self()
{
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::string Text(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*))
{
    BSTR text = nullptr;
    std::string out;
    if ((object->*get)(Self(), &text) == S_OK && text)
        out = Utf8(text);
    SysFreeString(text);
    return out;
}

long Number(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*))
{
    VARIANT value;
    VariantInit(&value);
    const long out = (object->*get)(Self(), &value) == S_OK && value.vt == VT_I4 ? value.lVal : -1;
    VariantClear(&value);
    return out;
}

std::vector<HWND> VisibleChildren(const wchar_t* title)
{
    std::vector<HWND> children;
    const HWND top = FindWindowW(nullptr, title);
    if (!top)
        return children;
    for (HWND child = GetWindow(top, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child))
            children.push_back(child);
    return children;
}

IAccessible* ClientObject(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return nullptr;
    return object;
}

int List(const wchar_t* title)
{
    const std::vector<HWND> children = VisibleChildren(title);
    if (children.empty()) {
        std::fprintf(stderr, "no window titled %s with children\n", Utf8(title).c_str());
        return 2;
    }
    for (HWND child : children) {
        IAccessible* object = ClientObject(child);
        if (!object) {
            std::printf("?\t?\t?\t\t\n");
            continue;
        }
        std::printf("%ld\t%lx\t%s\t%s\t%s\n", Number(object, &IAccessible::get_accRole),
                    static_cast<unsigned long>(Number(object, &IAccessible::get_accState)),
                    Text(object, &IAccessible::get_accName).c_str(), Text(object, &IAccessible::get_accDescription).c_str(),
                    Text(object, &IAccessible::get_accDefaultAction).c_str());
        object->Release();
    }
    return 0;
}

int Press(const wchar_t* title, const std::string& name)
{
    for (HWND child : VisibleChildren(title)) {
        IAccessible* object = ClientObject(child);
        if (!object)
            continue;
        if (Text(object, &IAccessible::get_accName) == name) {
            const HRESULT result = object->accDoDefaultAction(Self());
            object->Release();
            std::printf("%lx\n", static_cast<unsigned long>(result));
            return 0;
        }
        object->Release();
    }
    std::fprintf(stderr, "no visible child named %s\n", name.c_str());
    return 2;
}

std::string alerted;

void CALLBACK OnAlert(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible* found = nullptr;
    VARIANT which;
    VariantInit(&which);
    if (AccessibleObjectFromEvent(window, static_cast<DWORD>(object), static_cast<DWORD>(child), &found, &which) == S_OK
        && found) {
        BSTR name = nullptr;
        if (found->get_accName(which, &name) == S_OK && name)
            alerted = Utf8(name);
        SysFreeString(name);
        found->Release();
    }
    if (alerted.empty())
        alerted = "(no name)";
}

int Alert(int seconds)
{
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, &OnAlert, 0, 0,
                                               WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (!hook) {
        std::fprintf(stderr, "no event hook\n");
        return 2;
    }
    std::printf("listening\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    MSG message;
    while (alerted.empty() && GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    std::printf("%s\n", alerted.empty() ? "none" : alerted.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 2;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "list" && argc == 3)
        status = List(Wide(argv[2]).c_str());
    else if (command == "press" && argc == 4)
        status = Press(Wide(argv[2]).c_str(), argv[3]);
    else if (command == "alert" && argc == 3)
        status = Alert(std::atoi(argv[2]));
    else
        std::fprintf(stderr, "usage: msaa_probe list <title> | press <title> <name> | alert <seconds>\n");
    std::fflush(stdout);
    CoUninitialize();
    return status;
}
