#pragma once
// The header as screen readers see it (MSAA): the client area of the
// control's window with one simple child per section, in tree order (child
// ids from 1, as the header control numbers them). What concerns the window
// itself (its name, parent, place among its siblings) is the system's
// standard object for the window's client area; the sections are answered
// from the header control's own tree and geometry.
//
// Clients may hold the object longer than the control lives: the control
// disconnects it when it goes, and from then on every call fails with
// CO_E_OBJNOTCONNECTED.

#include "com/ComObject.h"
#include "server/ModuleCounts.h"
#include "server/automation/ComPtr.h"

#include "win32/WinApi.h"

#include <oleacc.h>

namespace corvane {
class THeaderColumns;
class TStrativ;
} // namespace corvane

namespace corvane::server {

class TActiveXControl;

class TAccessibleHeader final : public com::TComObject<IAccessible> {
public:
    explicit TAccessibleHeader(TActiveXControl& control);

    // The control goes: no call reaches it from now on.
    void Disconnect();

    // IDispatch: clients call the vtable; no type information is offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* dispids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // The default action of a section, while clicking is on.
    static constexpr const wchar_t* ClickAction = L"Click";

private:
    ~TAccessibleHeader() override = default;

    struct TPendingClick;
    static void RunPendingClick(void* context);

    // What a child argument names: the header itself or one of its sections.
    struct TTarget {
        bool Self = false;
        THeaderColumns* Section = nullptr;
    };
    // Raises E_INVALIDARG for anything but CHILDID_SELF or a section's id.
    TTarget Resolve(const VARIANT& child) const;
    TStrativ& Header() const;
    HWND Window() const;
    // The system's object for the window's client area (made afresh when the
    // window was re-created).
    IAccessible& Standard();
    template <class Body> HRESULT Call(Body&& body) noexcept;

    TModuleObjectCount objectCount_;
    TActiveXControl* control_;
    const DWORD thread_; // the control's, the only one that may use it
    TComPtr<IAccessible> standard_;
    HWND standardWindow_ = nullptr;
};

} // namespace corvane::server
