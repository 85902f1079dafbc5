#include "win32/editor/ButtonAccessible.h"

#include "com/ComObject.h"
#include "com/ComPtr.h"

#include <oleacc.h>

#include <string>

namespace corvane::win32::editor {
namespace {

constexpr const wchar_t* PressAction = L"Press";

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Delegates to the system's object for the window; answers the button's own
// role, name, state and action itself.
class ButtonAccessible final : public com::TComObject<IAccessible> {
public:
    ButtonAccessible(HWND button, com::TComPtr<IAccessible> standard)
        : TComObject(__uuidof(IAccessible), 1), button_(button), standard_(std::move(standard)) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, lcid, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* dispids) override {
        return standard_->GetIDsOfNames(riid, names, count, lcid, dispids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override {
        return standard_->Invoke(dispid, riid, lcid, flags, params, result, exception, argError);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr)
            return E_POINTER;
        if (!IsSelf(child))
            return standard_->get_accName(child, name);
        const int length = ::GetWindowTextLengthW(button_);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(button_, &text[0], length + 1)));
        *name = text.empty() ? nullptr
                             : ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *name != nullptr ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr)
            return E_POINTER;
        if (!IsSelf(child))
            return standard_->get_accRole(child, role);
        VariantInit(role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT hr = standard_->get_accState(child, state);
        if (hr == S_OK && IsSelf(child) && state->vt == VT_I4) {
            if (::IsWindowEnabled(button_))
                state->lVal |= STATE_SYSTEM_FOCUSABLE;
            if (::GetFocus() == button_)
                state->lVal |= STATE_SYSTEM_FOCUSED;
        }
        return hr;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child,
                                               long* topic) override {
        return standard_->get_accHelpTopic(helpFile, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (action == nullptr)
            return E_POINTER;
        if (!IsSelf(child))
            return standard_->get_accDefaultAction(child, action);
        *action = ::SysAllocString(PressAction);
        return *action != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    // The press opens a modal dialog: it is posted, so the caller does not
    // wait for that dialog to close.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child))
            return standard_->accDoDefaultAction(child);
        if (!::IsWindowEnabled(button_))
            return DISP_E_MEMBERNOTFOUND;
        return ::PostMessageA(button_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~ButtonAccessible() override = default;

    HWND button_;
    com::TComPtr<IAccessible> standard_;
};

} // namespace

LRESULT AccessibleButtonObject(HWND button, WPARAM flags, LPARAM objectId) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT)
        return 0;
    com::TComPtr<IAccessible> standard;
    if (FAILED(::CreateStdAccessibleObject(button, OBJID_CLIENT, __uuidof(IAccessible),
                                           standard.PutVoid())))
        return 0;
    auto* object = new ButtonAccessible(button, std::move(standard));
    const LRESULT result = ::LresultFromObject(__uuidof(IAccessible), flags, object);
    object->Release(); // LresultFromObject holds its own reference
    return result;
}

} // namespace corvane::win32::editor
