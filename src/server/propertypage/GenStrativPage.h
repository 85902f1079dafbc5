#pragma once
// TGenStrativPage: the COM object of the property page class. It embeds the
// customizing editor (TGenStrativ, in a PropertyPageForm window) in a host's
// property frame: keeps the objects the host hands over (the first is the
// edited one), loads the page from that object's header control on every
// activation and writes it back when the host applies, then tells the
// object's property-change listeners.

#include "core/editor/GenStrativ.h"
#include "server/ModuleCounts.h"
#include "server/activex/ParkingWindow.h"
#include "server/automation/ComPtr.h"
#include "server/propertypage/PropertySheetBridge.h"
#include "win32/editor/PropertyPageForm.h"

#include <ocidl.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace corvane::server {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TGenStrativPage : public IPropertyPage {
public:
    TGenStrativPage();
    virtual ~TGenStrativPage();
    TGenStrativPage(const TGenStrativPage&) = delete;
    TGenStrativPage& operator=(const TGenStrativPage&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IPropertyPage
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT bounds, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT bounds) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDirectory) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;

private:
    // Reads the edited object's header and loads the page from it.
    void LoadPage();
    // The form's state turned to modified: the host's frame hears of it.
    void Modified();
    // Frees a window deactivated while its font or colour dialog ran.
    static void DropRetired(void* page);

    std::atomic<ULONG> references_{1};
    TModuleObjectCount count_;
    TComPtr<IPropertyPageSite> site_;
    std::vector<TComPtr<IUnknown>> objects_;
    // The editor, made at the first activation and kept with the page; its
    // window only while active.
    std::unique_ptr<corvane::editor::TGenStrativ> form_;
    std::unique_ptr<win32::editor::PropertyPageForm> window_;
    // Deactivated while its font or colour dialog ran: kept, with the page,
    // until that dialog's call has returned and the stack has unwound.
    std::unique_ptr<win32::editor::PropertyPageForm> retired_;
    std::optional<TParkingWindowRef> parking_;
    // The loaded header's token (0: none): the header is looked up again at
    // each apply.
    uint32_t token_ = 0;
    // The last activation found a control of another thread: applies are
    // refused until an activation loads one of this thread.
    bool otherThread_ = false;
    TPropertySheetBridge sheet_;
};
#pragma GCC diagnostic pop

// A new page object asked for riid (CLASS_E_NOAGGREGATION with an outer object).
HRESULT CreateGenStrativPage(IUnknown* outer, REFIID riid, void** result);

} // namespace corvane::server
