// Construction, destruction and IUnknown of the control base.
#include "server/activex/ActiveXControl.h"

#include "core/framework/Exceptions.h"
#include "core/model/Levels.h"
#include "core/stream/StrativStream.h"
#include "server/activex/ComErrors.h"
#include "server/activex/Enumerators.h"
#include "win32/Dpi.h"

#include <iterator>

namespace corvane::server {

TActiveXControl::TActiveXControl(const TControlClass& controlClass, ITypeLib& typeLib)
    : class_(controlClass), typeLib_(&typeLib),
      eventsPoint_(*static_cast<IOleObject*>(this), *this, *this, controlClass.EventsIid, 1),
      notifyPoint_(*static_cast<IOleObject*>(this), *this, *this, IID_IPropertyNotifySink, 0) {
    // The factory shows these messages to the user ("DAX Error").
    if (FAILED(typeLib.GetTypeInfoOfGuid(class_.Clsid, classInfo_.Put())))
        throw Exception(
            FormatMessage("Type information missing for class %s", class_.ImplementationName));
    if (FAILED(typeLib.GetTypeInfoOfGuid(class_.DispatchIid, dispatchInfo_.Put())))
        throw Exception(
            FormatMessage("Dispatch interface missing from class %s", class_.ImplementationName));
    eventsPoint_.OnSinkChanged = [this](IUnknown* sink) {
        SinkChanged(static_cast<IDispatch*>(sink));
    };
}

TActiveXControl::~TActiveXControl() {
    if (window_)
        window_->SetEntryOwner(nullptr);
    // Freeing the tree reports to the index: nothing may reach a host now.
    viewSink_.Reset();
    if (control_)
        control_->Levels().OnReported = nullptr;
    if (window_) {
        window_->SetLookChangedHook(nullptr);
        window_->SetAccessibleListener(nullptr);
    }
    // Screen readers may hold the accessible object longer.
    if (accessible_)
        accessible_->Disconnect();
    if (automation_)
        automation_->Disconnect();
    eventsPoint_.DisconnectAll();
    notifyPoint_.DisconnectAll();
    fontAdapter_.Detach();
    window_.reset();
    control_.reset();
}

void TActiveXControl::Initialize() {
    // The header's default font and band height follow the screen's density.
    control_ = std::make_unique<TStrativ>(win32::WindowDpiScale(parking_.Handle()));
    window_ = std::make_unique<win32::StrativWindow>(*control_, parking_.Handle());
    window_->SetEntryOwner(this);
    window_->SetMessageHook([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnWindowMessage(message, wParam, lParam, result);
    });
    window_->SetLookChangedHook([this] { ViewChanged(); });
    control_->Levels().OnReported = [this] { ViewChanged(); };
    fontAdapter_.Attach(*control_, this);
    HookHeaderEvents();
    MarkClean(SaveState());
}

HRESULT STDMETHODCALLTYPE TActiveXControl::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    void* found = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
        found = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, class_.DispatchIid))
        found = DispatchInterface();
    else if (IsEqualIID(riid, IID_IOleInPlaceObject) || IsEqualIID(riid, IID_IOleWindow))
        found = static_cast<IOleInPlaceObject*>(this);
    else if (IsEqualIID(riid, IID_IOleInPlaceActiveObject))
        found = static_cast<IOleInPlaceActiveObject*>(this);
    else if (IsEqualIID(riid, IID_IOleControl))
        found = static_cast<IOleControl*>(this);
    else if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2))
        found = static_cast<IViewObject2*>(this);
    else if (IsEqualIID(riid, IID_IDataObject))
        found = static_cast<IDataObject*>(this);
    else if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2))
        found = static_cast<IProvideClassInfo2*>(this);
    else if (IsEqualIID(riid, IID_ISpecifyPropertyPages))
        found = static_cast<ISpecifyPropertyPages*>(this);
    else if (IsEqualIID(riid, IID_IPerPropertyBrowsing))
        found = static_cast<IPerPropertyBrowsing*>(this);
    else if (IsEqualIID(riid, IID_IQuickActivate))
        found = static_cast<IQuickActivate*>(this);
    else if (IsEqualIID(riid, IID_IObjectSafety))
        found = static_cast<IObjectSafety*>(this);
    else if (IsEqualIID(riid, IID_ISupportErrorInfo))
        found = static_cast<ISupportErrorInfo*>(this);
    else if (IsEqualIID(riid, IID_IPersistStreamInit) || IsEqualIID(riid, IID_IPersist))
        found = static_cast<IPersistStreamInit*>(this);
    else if (IsEqualIID(riid, IID_IPersistStorage))
        found = static_cast<IPersistStorage*>(this);
    else if (IsEqualIID(riid, IID_IPersistPropertyBag))
        found = static_cast<IPersistPropertyBag*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer))
        found = static_cast<IConnectionPointContainer*>(this);
    if (found == nullptr)
        return E_NOINTERFACE;
    AddRef();
    *object = found;
    return S_OK;
}

ULONG STDMETHODCALLTYPE TActiveXControl::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE TActiveXControl::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0)
        Finish();
    return static_cast<ULONG>(left);
}

void TActiveXControl::Finish() noexcept {
    // The control's own code may take and drop references while it goes:
    // only the host's last release counts.
    if (::InterlockedExchange(&finishing_, 1) != 0)
        return;
    if (::GetCurrentThreadId() == ownerThread_) {
        DestroyWhenLeft();
        return;
    }
    // Let go on another thread: the object's windows and the thread tables
    // of its sections belong to its own thread, which frees it from its
    // message loop. When that thread has ended, its windows went with it and
    // the object is left as it is.
    parking_.PostCall(&TActiveXControl::DestroyPosted, this);
}

void TActiveXControl::DestroyPosted(void* object) {
    static_cast<TActiveXControl*>(object)->DestroyWhenLeft();
}

void TActiveXControl::DestroyWhenLeft() noexcept {
    if (entries_ > 0) {
        // Control code is on the stack, perhaps inside one of its own modal
        // loops: those end now, and the object goes when the outermost
        // entry closes.
        destroyPending_ = true;
        if (window_)
            window_->Loops().EndForGood();
        return;
    }
    FreeUnlessHeld();
}

void TActiveXControl::FreeUnlessHeld() noexcept {
    // A reference taken again meanwhile keeps the object; its release
    // finishes it later.
    ::InterlockedExchange(&finishing_, 0);
    if (references_ > 0 || ::InterlockedExchange(&finishing_, 1) != 0)
        return;
    dying_ = true;
    delete this;
}

bool TActiveXControl::EnterControl() noexcept {
    if (::GetCurrentThreadId() != ownerThread_)
        return false;
    ++entries_;
    return true;
}

void TActiveXControl::LeaveControl() noexcept {
    if (--entries_ > 0)
        return;
    // What a host's call changed is announced when the call returns, not at
    // the window's next message.
    if (!dying_ && !destroyPending_)
        win32::StrativWindow::NoteAccessibleChangesOnThread();
    if (!destroyPending_ || dying_)
        return;
    destroyPending_ = false;
    FreeUnlessHeld();
}

// --- IConnectionPointContainer --------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    CONTROL_ENTRY(this);
    if (points == nullptr)
        return E_POINTER;
    return CreatePointEnumerator({&eventsPoint_, &notifyPoint_}, points);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::FindConnectionPoint(REFIID riid,
                                                               IConnectionPoint** point) {
    CONTROL_ENTRY(this);
    if (point == nullptr)
        return E_POINTER;
    *point = nullptr;
    TConnectionPoint* found = nullptr;
    if (IsEqualIID(riid, eventsPoint_.Iid()))
        found = &eventsPoint_;
    else if (IsEqualIID(riid, notifyPoint_.Iid()))
        found = &notifyPoint_;
    if (found == nullptr)
        return CONNECT_E_NOCONNECTION;
    found->AddRef();
    *point = found;
    return S_OK;
}

// --- ISupportErrorInfo ----------------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::InterfaceSupportsErrorInfo(REFIID riid) {
    CONTROL_ENTRY(this);
    return IsEqualIID(riid, class_.DispatchIid) ? S_OK : S_FALSE;
}

} // namespace corvane::server
