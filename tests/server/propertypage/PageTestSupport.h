#pragma once
// What the property page tests share: the built module loaded into the test
// process, pages and controls made by its factories, a frame window, a page
// site and a property-change sink that record what they hear, and edited
// objects that are not ours.

#include "server/automation/ComPtr.h"
#include "win32/WinApi.h"

#include <CorvaneC_TLB.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

namespace corvane::server::testing {

inline constexpr CLSID PageClassId = {
    0x064AEF20, 0xBACA, 0x11D2, {0xBB, 0xE8, 0xB1, 0xA4, 0xA6, 0x48, 0x88, 0x76}};

// The factory of a class in the module this tree built (loaded once).
TComPtr<IClassFactory> ModuleFactory(REFCLSID classId);
TComPtr<IPropertyPage> NewPage();
TComPtr<ICorvane> NewControl();

// The token a control answers for its late-bound `Header`.
LONG HeaderTokenOf(IUnknown* control);
// Caption and width of the top-level section at index.
std::string SectionCaption(ICorvane* control, long index);
long SectionWidth(ICorvane* control, long index);
void SetSectionCaption(ICorvane* control, long index, const std::string& caption);

// The visible top-level window pages are activated in (one for all tests).
class FrameWindow {
public:
    FrameWindow();
    ~FrameWindow();
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;
    HWND Handle() const { return window_; }
    // The page's window inside the frame (nullptr when there is none).
    HWND PageWindow() const;

private:
    HWND window_;
};

class PageSite : public IPropertyPageSite {
public:
    std::vector<DWORD> StatusChanges;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE OnStatusChange(DWORD flags) override {
        StatusChanges.push_back(flags);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetLocaleID(LCID* locale) override;
    HRESULT STDMETHODCALLTYPE GetPageContainer(IUnknown**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return S_FALSE; }
};

// Connects itself to a control's property-change connection point.
class NotifySink : public IPropertyNotifySink {
public:
    explicit NotifySink(IUnknown* control);
    ~NotifySink();
    NotifySink(const NotifySink&) = delete;
    NotifySink& operator=(const NotifySink&) = delete;
    std::vector<DISPID> Changed;
    // Counted for real (the object itself lives on the stack): a caller that
    // keeps or drops a reference it should not shows here.
    LONG References = 1;
    DWORD Cookie() const { return cookie_; }
    // Disconnects early.
    void Unadvise();
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++References); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--References); }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override {
        Changed.push_back(dispid);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

private:
    TComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// An object that is not one of our controls: without IDispatch, or with an
// IDispatch that answers `Header` as told.
class ForeignObject : public IDispatch {
public:
    enum class Kind { NoDispatch, NoHeader, HeaderAsText, HeaderAsNumber, HeaderFails };
    ForeignObject(Kind kind, LONG number = 0) : kind_(kind), number_(number) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

private:
    Kind kind_;
    LONG number_;
};

// Runs the thread's pending messages.
void PumpMessages();
// The text of the thread's error information (empty when there is none).
std::string LastErrorDescription();

} // namespace corvane::server::testing
