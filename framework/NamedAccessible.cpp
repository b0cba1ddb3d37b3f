#include "NamedAccessible.h"

#include "Win32Text.h"

#include <oleacc.h>

#include <new>
#include <vector>

namespace {

// The accessibility libraries are loaded when a screen reader first asks,
// not imported: a start that no screen reader reads pays nothing for them.
template <typename Function> Function *entryPoint(const wchar_t *library, const char *name)
{
    HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module == nullptr ? nullptr
                             : reinterpret_cast<Function *>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct Accessibility {
    // Made on the dialog's thread, which WM_GETOBJECT comes to: the object
    // reaches the screen reader through COM, which that thread then joins,
    // in an apartment of its own as a window's thread does.
    Accessibility()
    {
        if (auto *initialise = entryPoint<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx"))
            initialise(nullptr, COINIT_APARTMENTTHREADED);
    }

    decltype(CreateStdAccessibleObject) *createStandard =
        entryPoint<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    decltype(LresultFromObject) *lresultFromObject =
        entryPoint<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    decltype(SysAllocString) *allocString = entryPoint<decltype(SysAllocString)>(L"oleaut32.dll", "SysAllocString");

    bool loaded() const { return createStandard && lresultFromObject && allocString; }
};

const Accessibility &accessibility()
{
    static const Accessibility loaded;
    return loaded;
}

// The standard object with another name; of the interfaces, only IAccessible
// and its bases, so that a client cannot reach the standard object's name
// through another.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible *standard, std::vector<wchar_t> name) : standard_(standard), name_(std::move(name)) {}
    ~NamedAccessible() { standard_->Release(); }
    NamedAccessible(const NamedAccessible &) = delete;
    NamedAccessible &operator=(const NamedAccessible &) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **object) override
    {
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IAccessible *>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR *name) override
    {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return standard_->get_accName(child, name); // a list's entries
        *name = accessibility().allocString(name_.data());
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

#define PASS_ON(method, parameters, arguments) \
    HRESULT STDMETHODCALLTYPE method parameters override { return standard_->method arguments; }
    PASS_ON(GetTypeInfoCount, (UINT * count), (count))
    PASS_ON(GetTypeInfo, (UINT index, LCID locale, ITypeInfo **info), (index, locale, info))
    PASS_ON(GetIDsOfNames, (REFIID iid, LPOLESTR *names, UINT count, LCID locale, DISPID *ids),
            (iid, names, count, locale, ids))
    PASS_ON(Invoke,
            (DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS *parameters, VARIANT *result,
             EXCEPINFO *exception, UINT *argumentError),
            (id, iid, locale, flags, parameters, result, exception, argumentError))
    PASS_ON(get_accParent, (IDispatch * *parent), (parent))
    PASS_ON(get_accChildCount, (LONG * count), (count))
    PASS_ON(get_accChild, (VARIANT child, IDispatch **object), (child, object))
    PASS_ON(get_accValue, (VARIANT child, BSTR *value), (child, value))
    PASS_ON(get_accDescription, (VARIANT child, BSTR *description), (child, description))
    PASS_ON(get_accRole, (VARIANT child, VARIANT *role), (child, role))
    PASS_ON(get_accState, (VARIANT child, VARIANT *state), (child, state))
    PASS_ON(get_accHelp, (VARIANT child, BSTR *help), (child, help))
    PASS_ON(get_accHelpTopic, (BSTR * file, VARIANT child, LONG *topic), (file, child, topic))
    PASS_ON(get_accKeyboardShortcut, (VARIANT child, BSTR *shortcut), (child, shortcut))
    PASS_ON(get_accFocus, (VARIANT * child), (child))
    PASS_ON(get_accSelection, (VARIANT * children), (children))
    PASS_ON(get_accDefaultAction, (VARIANT child, BSTR *action), (child, action))
    PASS_ON(accSelect, (LONG flags, VARIANT child), (flags, child))
    PASS_ON(accLocation, (LONG * left, LONG *top, LONG *width, LONG *height, VARIANT child),
            (left, top, width, height, child))
    PASS_ON(accNavigate, (LONG direction, VARIANT start, VARIANT *end), (direction, start, end))
    PASS_ON(accHitTest, (LONG left, LONG top, VARIANT *child), (left, top, child))
    PASS_ON(accDoDefaultAction, (VARIANT child), (child))
    PASS_ON(put_accName, (VARIANT child, BSTR name), (child, name))
    PASS_ON(put_accValue, (VARIANT child, BSTR value), (child, value))
#undef PASS_ON

private:
    LONG references_ = 1;
    IAccessible *standard_;
    std::vector<wchar_t> name_; // null-terminated
};

} // namespace

LRESULT namedAccessibleObject(HWND control, WPARAM wParam, const std::string &name)
{
    const Accessibility &oleacc = accessibility();
    IAccessible *standard = nullptr;
    if (!oleacc.loaded() ||
        FAILED(oleacc.createStandard(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void **>(&standard))))
        return 0;
    auto *named = new (std::nothrow) NamedAccessible(standard, wideText(name));
    if (named == nullptr) {
        standard->Release();
        return 0;
    }
    // The result holds a reference of its own until the client takes it.
    const LRESULT result = oleacc.lresultFromObject(__uuidof(IAccessible), wParam, named);
    named->Release();
    return result;
}
