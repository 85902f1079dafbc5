#pragma once
// A small OLE host for the control object's tests: the object itself, an
// event sink that records what it hears, a client site with in-place
// support and ambient properties, an in-memory property bag.

#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"
#include "server/control/Corvane.h"

#include "host/ContainerWindow.h"
#include "host/ControlSite.h"
#include "host/EventSink.h"

#include <CorvaneC_TLB.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvane::server::test {

// A new control object through the creation function the factory uses.
TComPtr<ICorvane> NewControl();
// The object behind an interface of a control made by NewControl.
TCorvane& Object(ICorvane* control);
template <class T> TComPtr<T> Query(IUnknown* object, REFIID iid) {
    return TComPtr<T>::From(object, iid);
}
// Runs the thread's pending messages (deferred releases, paints).
using host::PumpMessages;

// Every test starts and ends with no live objects of the module.
class ControlTest : public ::testing::Test {
protected:
    void TearDown() override;
};

// One recorded event: its DISPID and its arguments in declaration order
// (section objects as their caption, by-ref values as read at the call).
struct RecordedEvent {
    DISPID Dispid;
    std::vector<std::string> Args;
};

// Records every event it hears, then runs Handler (which may change
// by-reference arguments) for the result.
class EventSink : public host::EventSink {
public:
    EventSink() : host::EventSink(DIID_ICorvaneEvents) {}
    std::vector<RecordedEvent> Events;

protected:
    HRESULT Event(DISPID dispid, DISPPARAMS& params) override;
};

// The caption of a sections object, or "<none>" for one over no section.
std::string CaptionOf(IDispatch* sections);

// On the demo's sample tree in place: the keyboard focus moves right from the
// first section, then a host renames "Order details" to "Order" and adds
// "Late" at the top level, the window taking a message after each step.
void FocusRightThenEditAsHost(ICorvane& control, HWND window);

// The shared control site in a host window of its own, the control placed
// at (10, 20)-(310, 60).
class TestSite : private host::ContainerWindow, public host::ControlSite {
public:
    TestSite();
    using host::ControlSite::TranslateAccelerator;
    // Records the keys the control hands back to its container.
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg, DWORD) override {
        if (msg != nullptr)
            SiteKeys.push_back(static_cast<UINT>(msg->wParam));
        return S_FALSE;
    }
    std::vector<UINT> SiteKeys;
    // Runs inside the site's calls from the control, with the call's name
    // (the method's), after the site has done its part.
    std::function<void(const char* call)> OnCall;
    int UIDeactivations = 0;
    // The window the site gives the control when not its own (a child window
    // a test may destroy cheaply).
    HWND HostWindow = nullptr;
    HRESULT STDMETHODCALLTYPE SaveObject() override { return Called("SaveObject", S_OK); }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
#define CORVANE_SITE_CALL(Method, Params, Args)                                                    \
    HRESULT STDMETHODCALLTYPE Method Params override {                                             \
        return Called(#Method, ControlSite::Method Args);                                          \
    }
    CORVANE_SITE_CALL(CanInPlaceActivate, (), ())
    CORVANE_SITE_CALL(OnInPlaceActivate, (), ())
    CORVANE_SITE_CALL(GetWindowContext,
                      (IOleInPlaceFrame * *f, IOleInPlaceUIWindow** d, LPRECT p, LPRECT c,
                       LPOLEINPLACEFRAMEINFO i),
                      (f, d, p, c, i))
    CORVANE_SITE_CALL(OnUIActivate, (), ())
    CORVANE_SITE_CALL(SetActiveObject, (IOleInPlaceActiveObject * object, LPCOLESTR name),
                      (object, name))
    CORVANE_SITE_CALL(SetBorderSpace, (LPCBORDERWIDTHS widths), (widths))
    CORVANE_SITE_CALL(OnInPlaceDeactivate, (), ())
    CORVANE_SITE_CALL(OnFocus, (BOOL focus), (focus))
#undef CORVANE_SITE_CALL
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override {
        ++UIDeactivations;
        return Called("OnUIDeactivate", ControlSite::OnUIDeactivate(undoable));
    }

private:
    HRESULT Called(const char* call, HRESULT result) {
        if (OnCall)
            OnCall(call);
        return result;
    }
};

// A property bag in memory: values by name, as the control wrote them.
class MemoryBag : public IPropertyBag {
public:
    std::map<std::wstring, std::wstring> Values; // each value as text
    std::map<std::wstring, VARTYPE> Types;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override;
    // Objects (the font) are kept as objects.
    std::map<std::wstring, TComPtr<IUnknown>> Objects;
};

// A host stream on the test's stack: every method answers `code` (a read
// reads nothing); a test's stream overrides what it does otherwise.
class StackStream : public IStream {
public:
    explicit StackStream(HRESULT code = E_NOTIMPL) : code_(code) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        const bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IStream) ||
                           IsEqualIID(riid, IID_ISequentialStream);
        *object = known ? static_cast<IStream*>(this) : nullptr;
        return known ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(void*, ULONG, ULONG* read) override {
        if (read != nullptr)
            *read = 0;
        return code_;
    }
    HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG*) override { return code_; }
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER, DWORD, ULARGE_INTEGER*) override { return code_; }
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER) override { return code_; }
    HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*,
                                     ULARGE_INTEGER*) override {
        return code_;
    }
    HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return code_; }
    HRESULT STDMETHODCALLTYPE Revert() override { return code_; }
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return code_;
    }
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override {
        return code_;
    }
    HRESULT STDMETHODCALLTYPE Stat(STATSTG*, DWORD) override { return code_; }
    HRESULT STDMETHODCALLTYPE Clone(IStream**) override { return code_; }

private:
    HRESULT code_;
};

// The control's stream in a new memory stream, and back.
std::vector<uint8_t> SaveToBytes(IUnknown* control);
HRESULT LoadFromBytes(IUnknown* control, const std::vector<uint8_t>& bytes);

} // namespace corvane::server::test
