#pragma once
// TActiveXControl: what every host expects of an in-place ActiveX control,
// around one header control and its window. The derived control object adds
// its dispatch interface, its event relay and its verbs through the virtual
// operations at the end of the public section.
//
// The COM interfaces are C++ base classes; IUnknown is answered once, here.
// Every method opens an entry first (CONTROL_ENTRY: only on the thread that
// made the object, which is kept until the entry closes), then checks its
// out-pointers and catches at its boundary.

#include "core/control/Strativ.h"
#include "server/ModuleCounts.h"
#include "server/activex/AccessibleHeader.h"
#include "server/activex/ConnectionPoint.h"
#include "server/activex/FontAdapter.h"
#include "server/activex/ParkingWindow.h"
#include "server/activex/UiaHeader.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/automation/Variant.h"
#include "win32/ControlEntry.h"
#include "win32/StrativWindow.h"

#include <objsafe.h>
#include <ocidl.h>
#include <oleidl.h>

#include <functional>
#include <memory>
#include <vector>

namespace corvane::server {

// A verb of a control class beyond the standard (negative) ones.
struct TClassVerb {
    LONG Number;
    const wchar_t* Name;
};

// What a control class tells its base.
struct TControlClass {
    CLSID Clsid;
    IID DispatchIid;
    IID EventsIid;
    const wchar_t* ProgId;
    // The implementing class's name, for the messages of a creation failure.
    const char* ImplementationName;
    DWORD MiscStatus;
    // The verbs of the class beyond the standard (negative) ones, as
    // registration writes them: on host menus, no menu flags.
    std::vector<TClassVerb> Verbs;
};

class TActiveXControl : public IOleObject,
                        public IOleInPlaceObject,
                        public IOleInPlaceActiveObject,
                        public IOleControl,
                        public IViewObject2,
                        public IDataObject,
                        public IProvideClassInfo2,
                        public ISpecifyPropertyPages,
                        public IPerPropertyBrowsing,
                        public IQuickActivate,
                        public IObjectSafety,
                        public ISupportErrorInfo,
                        public IPersistStreamInit,
                        public IPersistStorage,
                        public IPersistPropertyBag,
                        public IConnectionPointContainer,
                        public win32::TEntryOwner {
public:
    TActiveXControl(const TControlClass& controlClass, ITypeLib& typeLib);
    virtual ~TActiveXControl();
    TActiveXControl(const TActiveXControl&) = delete;
    TActiveXControl& operator=(const TActiveXControl&) = delete;

    // Creates the header control and its parked window, then hooks events.
    void Initialize();

    TStrativ& HeaderControl() const { return *control_; }
    win32::StrativWindow& Window() const { return *window_; }
    ITypeInfo* DispatchTypeInfo() const { return dispatchInfo_.Get(); }
    const TControlClass& ControlClass() const { return class_; }
    TConnectionPoint& EventsPoint() { return eventsPoint_; }
    TConnectionPoint& PropertyNotifyPoint() { return notifyPoint_; }
    TFontAdapter& Fonts() { return fontAdapter_; }
    bool InPlaceActive() const { return inPlaceActive_; }
    bool UIActive() const { return uiActive_; }
    bool EventsFrozen() const { return freezeCount_ > 0; }
    // What a screen reader calls the header: the window's text, else the
    // host's name for the control (its label), else the control's Name.
    std::string AccessibleName() const;

    // --- Entries: every COM method, window message and event ---------------------
    // One rule keeps the object's lifetime sound: it is freed only when no
    // entry is open, so no code of the control is on the stack then. A host
    // may let go at any moment (inside an event, a verb, the menu, the
    // dialog, a box, a site callback); the object then ends its modal loops,
    // fires no more events and goes as the outermost entry closes. Entries
    // come only from the thread that made the object; a last release on
    // another thread hands the object back to that thread to be freed.
    bool EnterControl() noexcept override;
    void LeaveControl() noexcept override;
    // The host has let go: the object goes as soon as no entry is open.
    bool GoingAway() const { return finishing_ != 0; }
    // The header's UI Automation element, made at first use (the answer to
    // WM_GETOBJECT for UI Automation's root, and what its events are raised on).
    TUiaHeader& AutomationRoot();
    // Runs work from the thread's message loop, never from inside the
    // caller; the work holds the object meanwhile and is dropped when the
    // host has let go by then. False when nothing could be queued.
    bool RunFromMessageLoop(std::function<void()> work);

    // --- For the derived control ---------------------------------------------
    virtual IDispatch* DispatchInterface() = 0;
    // The events sink was connected (sink) or is about to go (nullptr).
    virtual void SinkChanged(IDispatch* sink) = 0;
    virtual void HookHeaderEvents() = 0;
    // A registered verb of the class other than the standard ones.
    virtual void RunVerb(LONG verb) = 0;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IOleObject
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation,
                                           DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* activeSite, LONG index,
                                     HWND parent, LPCRECT posRect) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* userType) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow (of IOleInPlaceObject and IOleInPlaceActiveObject)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    // IOleInPlaceObject
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT posRect, LPCRECT clipRect) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    // IOleInPlaceActiveObject
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                           BOOL frameWindow) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // IOleControl
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID dispid) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // IViewObject, IViewObject2
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo,
                                   DVTARGETDEVICE* target, HDC targetDC, HDC drawDC,
                                   LPCRECTL bounds, LPCRECTL windowBounds,
                                   BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                                   ULONG_PTR contArg) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo,
                                          DVTARGETDEVICE* target, HDC targetDC,
                                          LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo,
                                     DWORD* freeze) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD freeze) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target,
                                        LPSIZEL size) override;

    // IDataObject
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advise) override;

    // IProvideClassInfo, IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) override;

    // ISpecifyPropertyPages
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

    // IPerPropertyBrowsing
    HRESULT STDMETHODCALLTYPE GetDisplayString(DISPID dispid, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE MapPropertyToPage(DISPID dispid, CLSID* page) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedStrings(DISPID dispid, CALPOLESTR* strings,
                                                   CADWORD* cookies) override;
    HRESULT STDMETHODCALLTYPE GetPredefinedValue(DISPID dispid, DWORD cookie,
                                                 VARIANT* value) override;

    // IQuickActivate
    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

    // IObjectSafety
    HRESULT STDMETHODCALLTYPE GetInterfaceSafetyOptions(REFIID riid, DWORD* supported,
                                                        DWORD* enabled) override;
    HRESULT STDMETHODCALLTYPE SetInterfaceSafetyOptions(REFIID riid, DWORD mask,
                                                        DWORD enabled) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

    // IPersist (of the three persistence interfaces)
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    // IPersistStreamInit
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    // IPersistStorage
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;
    // IPersistPropertyBag
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // The name of the storage stream the control is kept in.
    static constexpr const wchar_t* StorageStreamName = L"CONTROLSAVESTREAM";

private:
    // The section tree from a property bag's tree entry, when it has one.
    void LoadTree(IPropertyBag& bag, IErrorLog* log);
    // The reference count reached 0 (first time only).
    void Finish() noexcept;
    // On the object's own thread: frees it now, or when its entries close.
    void DestroyWhenLeft() noexcept;
    void FreeUnlessHeld() noexcept;
    static void DestroyPosted(void* object);
    // In-place activation, optionally with the user interface.
    HRESULT ActivateInPlace(bool withUI);
    void DeactivateUI();
    void DeactivateInPlace();
    // The host closed, deactivated or gave a new site (uiOnly: ended the
    // user interface only); an activation under way notices it.
    void HostTurned(bool uiOnly) {
        ++uiTurns_;
        if (!uiOnly)
            ++hostTurns_;
    }
    void ParkWindow();
    void OnControlFocus(bool gotFocus);
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The answer to WM_GETOBJECT for the client area: the header for screen
    // readers (one object for the control's life).
    LRESULT AccessibleObject(WPARAM flags);
    // The answer to WM_GETOBJECT for UI Automation's root: the header as a
    // fragment root of section elements (one provider for the control's life).
    bool AutomationObject(WPARAM flags, LPARAM id, LRESULT& result);
    static void RunDeferred(void* work);
    // Reads the ambient properties the control follows (DISPID_UNKNOWN: all).
    void ReadAmbient(DISPID dispid);
    // The control's look changed: the view sink hears of it once the message
    // loop runs (several changes in one go are one notification).
    void ViewChanged();
    // Tells the view sink now, honouring ADVF_ONLYONCE.
    void NotifyViewChange();
    static void SendPendingViewChange(void* object);
    bool AmbientProperty(DISPID dispid, VARIANT& value) const;
    // The control's state as its stream; loads validate on a scratch control
    // first, so a bad document changes nothing.
    std::vector<uint8_t> SaveState() const;
    size_t LoadState(const std::vector<uint8_t>& bytes);
    void MarkClean(std::vector<uint8_t> state);

    TModuleObjectCount objectCount_;
    LONG references_ = 0;
    const DWORD ownerThread_ = ::GetCurrentThreadId();
    int entries_ = 0;             // open entries, on the owner thread
    LONG finishing_ = 0;          // set once, when the count first reaches 0
    bool destroyPending_ = false; // freed when the outermost entry closes
    bool dying_ = false;          // being freed: entries from now on free nothing
    const TControlClass& class_;
    TComPtr<ITypeLib> typeLib_;
    TComPtr<ITypeInfo> dispatchInfo_;
    TComPtr<ITypeInfo> classInfo_;

    TParkingWindowRef parking_;
    std::unique_ptr<TStrativ> control_;
    std::unique_ptr<win32::StrativWindow> window_;
    TFontAdapter fontAdapter_;

    TComPtr<IOleClientSite> clientSite_;
    TComPtr<IOleInPlaceSite> inPlaceSite_;
    TComPtr<IOleInPlaceFrame> frame_;
    TComPtr<IOleInPlaceUIWindow> uiWindow_;
    TComPtr<IOleAdviseHolder> adviseHolder_;
    TComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    bool viewChangePending_ = false;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    unsigned hostTurns_ = 0, uiTurns_ = 0; // see HostTurned
    int freezeCount_ = 0;
    DWORD safetyOptions_ = 0;
    std::vector<uint8_t> cleanState_;

    TConnectionPoint eventsPoint_;
    TConnectionPoint notifyPoint_;
    TComPtr<TAccessibleHeader> accessible_;
    TComPtr<TUiaHeader> automation_;
};

} // namespace corvane::server
