// Annotating the name through IAccPropServices::SetHwndPropStr would need no
// object of our own, but Wine does not implement it. A control that answers
// WM_GETOBJECT itself works on every Windows from XP on and under Wine: the
// answer wraps the platform's standard object and changes only its name.
// The accessibility and COM libraries are loaded when a screen reader first
// asks, so that a player without one pays nothing for them at start-up.
#include "platform/framework/win32/named_accessible.h"

#include <oleacc.h>

#include <new>
#include <utility>

namespace kvn {

namespace {

template <typename Function> Function Find(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    return module != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

struct Accessibility {
    decltype(&CreateStdAccessibleObject) standardObject = nullptr;
    decltype(&LresultFromObject) resultFromObject = nullptr;
    decltype(&SysAllocString) allocString = nullptr;
};

// Loaded once, on the user-interface thread, which the first call puts in a
// COM apartment: LresultFromObject hands the object over through COM, and
// nothing else in the program uses it.
const Accessibility& Loaded() {
    static const Accessibility functions = [] {
        if (auto initialize = Find<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx"))
            initialize(nullptr, COINIT_APARTMENTTHREADED);
        return Accessibility{
            Find<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject"),
            Find<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject"),
            Find<decltype(&SysAllocString)>(L"oleaut32.dll", "SysAllocString")};
    }();
    return functions;
}

// The platform's standard accessible object, with its own name.
class NamedAccessible final : public IAccessible {
  public:
    NamedAccessible(IAccessible* inner, std::wstring name)
        : inner_(inner), name_(std::move(name)) {}
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible))
            return inner_->QueryInterface(iid, object); // IEnumVARIANT, IOleWindow and the like
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return inner_->get_accName(child, name);
        if (name == nullptr)
            return E_INVALIDARG;
        *name = Loaded().allocString(name_.c_str());
        return *name != nullptr ? S_OK : E_OUTOFMEMORY;
    }

#define KVN_FORWARD(method, parameters, arguments)                                                 \
    HRESULT STDMETHODCALLTYPE method parameters override {                                         \
        return inner_->method arguments;                                                           \
    }
    KVN_FORWARD(GetTypeInfoCount, (UINT * count), (count))
    KVN_FORWARD(GetTypeInfo, (UINT index, LCID locale, ITypeInfo** info), (index, locale, info))
    KVN_FORWARD(GetIDsOfNames, (REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids),
                (iid, names, count, locale, ids))
    KVN_FORWARD(Invoke,
                (DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                 VARIANT* result, EXCEPINFO* exception, UINT* wrong),
                (id, iid, locale, flags, parameters, result, exception, wrong))
    KVN_FORWARD(get_accParent, (IDispatch * *parent), (parent))
    KVN_FORWARD(get_accChildCount, (LONG * count), (count))
    KVN_FORWARD(get_accChild, (VARIANT child, IDispatch** object), (child, object))
    KVN_FORWARD(get_accValue, (VARIANT child, BSTR* value), (child, value))
    KVN_FORWARD(get_accDescription, (VARIANT child, BSTR* text), (child, text))
    KVN_FORWARD(get_accRole, (VARIANT child, VARIANT* role), (child, role))
    KVN_FORWARD(get_accState, (VARIANT child, VARIANT* state), (child, state))
    KVN_FORWARD(get_accHelp, (VARIANT child, BSTR* help), (child, help))
    KVN_FORWARD(get_accHelpTopic, (BSTR * file, VARIANT child, LONG* topic), (file, child, topic))
    KVN_FORWARD(get_accKeyboardShortcut, (VARIANT child, BSTR* keys), (child, keys))
    KVN_FORWARD(get_accFocus, (VARIANT * child), (child))
    KVN_FORWARD(get_accSelection, (VARIANT * children), (children))
    KVN_FORWARD(get_accDefaultAction, (VARIANT child, BSTR* action), (child, action))
    KVN_FORWARD(accSelect, (LONG how, VARIANT child), (how, child))
    KVN_FORWARD(accLocation, (LONG * x, LONG* y, LONG* w, LONG* h, VARIANT child),
                (x, y, w, h, child))
    KVN_FORWARD(accNavigate, (LONG direction, VARIANT start, VARIANT* end), (direction, start, end))
    KVN_FORWARD(accHitTest, (LONG x, LONG y, VARIANT* child), (x, y, child))
    KVN_FORWARD(accDoDefaultAction, (VARIANT child), (child))
    KVN_FORWARD(put_accName, (VARIANT child, BSTR name), (child, name))
    KVN_FORWARD(put_accValue, (VARIANT child, BSTR value), (child, value))
#undef KVN_FORWARD

  private:
    ~NamedAccessible() {
        inner_->Release();
    }

    LONG references_ = 1;
    IAccessible* inner_;
    std::wstring name_;
};

} // namespace

LRESULT AnswerWithName(HWND control, WPARAM flags, const std::wstring& name) {
    const Accessibility& functions = Loaded();
    if (!functions.standardObject || !functions.resultFromObject || !functions.allocString)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(functions.standardObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&standard))))
        return 0;
    auto* named = new (std::nothrow) NamedAccessible(standard, name);
    if (named == nullptr) {
        standard->Release();
        return 0;
    }
    const LRESULT result = functions.resultFromObject(__uuidof(IAccessible), flags, named);
    named->Release();
    return result > 0 ? result : 0;
}

} // namespace kvn
