#include "services/win32/accessible.h"

#include <oleacc.h>

#include <atomic>

namespace quarrow {

namespace {

// oleacc and oleaut32, looked up on the first question a reader asks.
struct Library {
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&AccessibleObjectFromWindow) objectFromWindow = nullptr;
    decltype(&SysAllocString) allocString = nullptr;

    static const Library& Get()
    {
        static const Library library = [] {
            Library found;
            const HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
            const HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
            if (!oleacc || !oleaut)
                return found;
            found.lresultFromObject = reinterpret_cast<decltype(&LresultFromObject)>(
                reinterpret_cast<void*>(GetProcAddress(oleacc, "LresultFromObject")));
            found.objectFromWindow = reinterpret_cast<decltype(&AccessibleObjectFromWindow)>(
                reinterpret_cast<void*>(GetProcAddress(oleacc, "AccessibleObjectFromWindow")));
            found.allocString = reinterpret_cast<decltype(&SysAllocString)>(
                reinterpret_cast<void*>(GetProcAddress(oleaut, "SysAllocString")));
            return found;
        }();
        return library;
    }
    bool complete() const { return lresultFromObject && objectFromWindow && allocString; }
};

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// One window's client object. It holds no facts of its own: each answer is
// asked of the source, on the user-interface thread the reader's call comes in on.
class WindowAccessible final : public IAccessible {
public:
    WindowAccessible(HWND window, AccessibleSource source) : window_(window), source_(std::move(source)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // IDispatch: readers use the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        if (!parent)
            return E_POINTER;
        *parent = nullptr;
        // The window's own frame object stands above its client, as for any window.
        return Library::Get().objectFromWindow(window_, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                               reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override
    {
        if (!child)
            return E_POINTER;
        *child = nullptr;
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        return Text(child, name, [](const AccessibleFacts& f) { return f.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Text(child, value, [](const AccessibleFacts&) { return std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override
    {
        return Text(child, description, [](const AccessibleFacts& f) { return f.description; });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Number(child, role, [](const AccessibleFacts& f) { return f.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Number(child, state, [this](const AccessibleFacts& f) {
            long s = f.state;
            // What has an action takes the focus to be acted on.
            if ((s & STATE_SYSTEM_UNAVAILABLE) == 0 && !f.defaultAction.empty())
                s |= STATE_SYSTEM_FOCUSABLE;
            if (!IsWindowVisible(window_))
                s |= STATE_SYSTEM_INVISIBLE;
            if (GetFocus() == window_)
                s |= STATE_SYSTEM_FOCUSED;
            return s;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Text(child, help, [](const AccessibleFacts&) { return std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override
    {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Text(child, shortcut, [](const AccessibleFacts&) { return std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override
    {
        if (!focus)
            return E_POINTER;
        VariantInitEmpty(focus);
        if (GetFocus() != window_)
            return S_FALSE;
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override
    {
        if (!selection)
            return E_POINTER;
        VariantInitEmpty(selection);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Text(child, action, [](const AccessibleFacts& f) { return f.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override
    {
        if (!left || !top || !width || !height)
            return E_POINTER;
        if (!IsSelf(child))
            return E_INVALIDARG;
        RECT rect;
        if (!GetWindowRect(window_, &rect))
            return CO_E_OBJNOTCONNECTED;
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override
    {
        if (end)
            VariantInitEmpty(end);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override
    {
        if (!child)
            return E_POINTER;
        VariantInitEmpty(child);
        RECT rect;
        if (!GetWindowRect(window_, &rect) || x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom)
            return S_FALSE;
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!IsSelf(child))
            return E_INVALIDARG;
        if (!Facts())
            return CO_E_OBJNOTCONNECTED;
        return source_.press && source_.press() ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    static void VariantInitEmpty(VARIANT* v)
    {
        ZeroMemory(v, sizeof *v);
        v->vt = VT_EMPTY;
    }

    std::optional<AccessibleFacts> Facts() const
    {
        if (!IsWindow(window_) || !source_.facts)
            return std::nullopt;
        return source_.facts();
    }

    template <typename Field>
    HRESULT Text(const VARIANT& child, BSTR* out, Field field) const
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!IsSelf(child))
            return E_INVALIDARG;
        const std::optional<AccessibleFacts> facts = Facts();
        if (!facts)
            return CO_E_OBJNOTCONNECTED;
        const std::wstring text = field(*facts);
        if (text.empty())
            return S_FALSE;
        *out = Library::Get().allocString(text.c_str());
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    template <typename Field>
    HRESULT Number(const VARIANT& child, VARIANT* out, Field field) const
    {
        if (!out)
            return E_POINTER;
        VariantInitEmpty(out);
        if (!IsSelf(child))
            return E_INVALIDARG;
        const std::optional<AccessibleFacts> facts = Facts();
        if (!facts)
            return CO_E_OBJNOTCONNECTED;
        out->vt = VT_I4;
        out->lVal = field(*facts);
        return S_OK;
    }

    HWND window_;
    AccessibleSource source_;
    std::atomic<ULONG> references_ {1};
};

} // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleSource source)
{
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT))
        return 0;
    const Library& library = Library::Get();
    if (!library.complete())
        return 0;
    auto* object = new WindowAccessible(window, std::move(source));
    const LRESULT answer = library.lresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return answer;
}

} // namespace quarrow
