#include "HostedControl.h"

#include "core/framework/Exceptions.h"

#include <cstdio>
#include <string>
#include <utility>

namespace corvane::demo {
namespace {

using server::TComPtr;

constexpr const wchar_t* ProgId = L"CorvaneC.Corvane";

void Require(HRESULT hr, const char* what) {
    if (SUCCEEDED(hr))
        return;
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
    throw Exception(std::string(what) + " failed (" + code + ")");
}

} // namespace

HostedControl::HostedControl(HWND container, const RECT& position, IDispatch* eventSink)
    : site_(container) {
    site_.SetPosition(position);
    try {
        Open(container, position, eventSink);
    } catch (...) {
        Close(); // what was made so far goes back cleanly
        throw;
    }
}

void HostedControl::Open(HWND container, const RECT& position, IDispatch* eventSink) {
    CLSID clsid{};
    if (FAILED(::CLSIDFromProgID(ProgId, &clsid)))
        throw Exception("The header control is not registered (CorvaneC.Corvane): register "
                        "CorvaneC.ocx with regsvr32 first");
    Require(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                               reinterpret_cast<void**>(object_.Put())),
            "Creating CorvaneC.Corvane");

    Require(object_->SetClientSite(&site_), "IOleObject::SetClientSite");
    if (const auto persist =
            TComPtr<IPersistStreamInit>::From(object_.Get(), IID_IPersistStreamInit))
        Require(persist->InitNew(), "IPersistStreamInit::InitNew");
    control_ = TComPtr<ICorvane>::From(object_.Get(), IID_ICorvane);
    if (!control_)
        throw Exception("CorvaneC.Corvane does not answer ICorvane");

    const auto points =
        TComPtr<IConnectionPointContainer>::From(object_.Get(), IID_IConnectionPointContainer);
    if (!points)
        throw Exception("CorvaneC.Corvane has no connection points");
    Require(points->FindConnectionPoint(DIID_ICorvaneEvents, events_.Put()),
            "Finding the events connection point");
    Require(events_->Advise(eventSink, &cookie_), "Connecting the event sink");

    RECT rect = position;
    Require(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site_, 0, container, &rect),
            "In-place activation");
    inPlace_ = TComPtr<IOleInPlaceObject>::From(object_.Get(), IID_IOleInPlaceObject);
    if (!inPlace_ || Window() == nullptr)
        throw Exception("CorvaneC.Corvane made no window in place");
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
    site_.SetPosition(position);
    if (inPlace_)
        inPlace_->SetObjectRects(&position, &position);
}

} // namespace corvane::demo
