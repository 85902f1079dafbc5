#include "host/HostedControl.h"

#include "host/HostError.h"

#include <utility>

namespace corvane::host {
namespace {

constexpr const wchar_t* ProgId = L"CorvaneC.Corvane";

} // namespace

HostedControl::HostedControl(ControlSite& site, IDispatch* eventSink, IStream* state)
    : site_(site) {
    try {
        Open(eventSink, state);
    } catch (...) {
        Close(); // what was made so far goes back cleanly
        throw;
    }
}

void HostedControl::Open(IDispatch* eventSink, IStream* state) {
    CLSID clsid{};
    const HRESULT found = ::CLSIDFromProgID(ProgId, &clsid);
    if (FAILED(found))
        throw HostError("The header control CorvaneC.Corvane is not registered: register "
                        "CorvaneC.ocx with regsvr32, or name the CorvaneC assembly in the "
                        "application's manifest",
                        found);
    Require(
        ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.PutVoid()),
        "Creating CorvaneC.Corvane");

    // The control asks for its site first (OLEMISC_SETCLIENTSITEFIRST).
    Require(object_->SetClientSite(&site_), "IOleObject::SetClientSite");
    const auto persist =
        com::TComPtr<IPersistStreamInit>::From(object_.Get(), IID_IPersistStreamInit);
    if (!persist)
        throw HostError("CorvaneC.Corvane does not answer IPersistStreamInit", E_NOINTERFACE);
    if (state != nullptr)
        Require(persist->Load(state), "IPersistStreamInit::Load");
    else
        Require(persist->InitNew(), "IPersistStreamInit::InitNew");
    control_ = com::TComPtr<ICorvane>::From(object_.Get(), IID_ICorvane);
    if (!control_)
        throw HostError("CorvaneC.Corvane does not answer ICorvane", E_NOINTERFACE);

    if (eventSink != nullptr) {
        const auto points = com::TComPtr<IConnectionPointContainer>::From(
            object_.Get(), IID_IConnectionPointContainer);
        if (!points)
            throw HostError("CorvaneC.Corvane has no connection points", E_NOINTERFACE);
        Require(points->FindConnectionPoint(DIID_ICorvaneEvents, events_.Put()),
                "Finding the events connection point");
        Require(events_->Advise(eventSink, &cookie_), "Connecting the event sink");
    }

    RECT rect = site_.Position;
    Require(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site_, 0, site_.Window(), &rect),
            "In-place activation");
    inPlace_ = com::TComPtr<IOleInPlaceObject>::From(object_.Get(), IID_IOleInPlaceObject);
    if (!inPlace_ || Window() == nullptr)
        throw HostError("CorvaneC.Corvane made no window in place", E_UNEXPECTED);
}

HostedControl::~HostedControl() {
    Close();
}

void HostedControl::Close() {
    // Failures here have nobody to go to: the control is going either way.
    if (events_ && cookie_ != 0)
        events_->Unadvise(std::exchange(cookie_, 0));
    events_.Reset();
    if (inPlace_)
        inPlace_->InPlaceDeactivate();
    inPlace_.Reset();
    control_.Reset();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
    }
    object_.Reset();
}

HWND HostedControl::Window() const {
    HWND window = nullptr;
    if (!inPlace_ || FAILED(inPlace_->GetWindow(&window)))
        return nullptr;
    return window;
}

void HostedControl::Move(const RECT& position) {
    site_.Position = position;
    if (inPlace_)
        inPlace_->SetObjectRects(&position, &position);
}

} // namespace corvane::host
