// IViewObject2 (the host draws the control into any DC: a window, a printer,
// a metafile) and IDataObject, which offers no formats.
#include "server/activex/ActiveXControl.h"

#include "server/activex/ComErrors.h"
#include "server/activex/Himetric.h"
#include "win32/TopDownDib.h"

namespace corvane::server {
namespace {

// A screen-compatible memory DC with one bitmap selected, for the life of a scope.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height) : dc_(::CreateCompatibleDC(nullptr)) {
        if (dc_ == nullptr)
            return;
        void* bits = nullptr;
        bitmap_ = win32::CreateTopDownDib(dc_, width, height, &bits);
        if (bitmap_)
            old_ = ::SelectObject(dc_, bitmap_.get());
    }
    ~MemoryCanvas() {
        if (old_ != nullptr)
            ::SelectObject(dc_, old_);
        bitmap_.reset();
        if (dc_ != nullptr)
            ::DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC get() const { return bitmap_ ? dc_ : nullptr; }

private:
    HDC dc_;
    win32::UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

} // namespace

HRESULT STDMETHODCALLTYPE TActiveXControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC,
                                                HDC drawDC, LPCRECTL bounds, LPCRECTL,
                                                BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    CONTROL_ENTRY(this);
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (drawDC == nullptr || bounds == nullptr)
        return E_INVALIDARG;
    return Guarded(IID_IViewObject, class_.ProgId, [&]() -> HRESULT {
        const int width = control_->ClientWidth();
        const int height = control_->ClientHeight();
        const int targetWidth = bounds->right - bounds->left;
        const int targetHeight = bounds->bottom - bounds->top;
        if (width <= 0 || height <= 0 || targetWidth == 0 || targetHeight == 0)
            return S_OK;
        // The control paints at its own size into a bitmap; the bitmap goes to
        // the host's DC, stretched to the bounds. This serves printers and
        // metafiles alike, which cannot take a memory DC of their own.
        MemoryCanvas canvas(width, height);
        if (canvas.get() == nullptr)
            return E_OUTOFMEMORY;
        window_->PaintTo(canvas.get());
        BOOL copied;
        if (targetWidth == width && targetHeight == height) {
            copied = ::BitBlt(drawDC, bounds->left, bounds->top, width, height, canvas.get(), 0, 0,
                              SRCCOPY);
        } else {
            const int oldMode = ::SetStretchBltMode(drawDC, COLORONCOLOR);
            copied = ::StretchBlt(drawDC, bounds->left, bounds->top, targetWidth, targetHeight,
                                  canvas.get(), 0, 0, width, height, SRCCOPY);
            if (oldMode != 0)
                ::SetStretchBltMode(drawDC, oldMode);
        }
        return copied ? S_OK : E_FAIL;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC,
                                                       LOGPALETTE** colors) {
    CONTROL_ENTRY(this);
    if (colors == nullptr)
        return E_POINTER;
    *colors = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    CONTROL_ENTRY(this);
    if (freeze == nullptr)
        return E_POINTER;
    *freeze = 0;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::Unfreeze(DWORD) {
    CONTROL_ENTRY(this);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetAdvise(DWORD aspects, DWORD flags,
                                                     IAdviseSink* sink) {
    CONTROL_ENTRY(this);
    viewSink_ = TComPtr<IAdviseSink>(sink);
    viewAspects_ = sink ? aspects : 0;
    viewFlags_ = sink ? flags : 0;
    if (sink != nullptr && (flags & ADVF_PRIMEFIRST) != 0) {
        // The host wants a first notification at once, without a change.
        NotifyViewChange();
    }
    return S_OK;
}

void TActiveXControl::ViewChanged() {
    // Only the content aspect is drawn, so only it can change. Nothing is
    // sent from inside the control's own code: the host's sink may call
    // back (Draw) or let go of the control.
    if (!viewSink_ || (viewAspects_ & DVASPECT_CONTENT) == 0 || viewChangePending_ ||
        references_ <= 0)
        return;
    auto* self = static_cast<IOleObject*>(this);
    self->AddRef(); // held by the posted message
    if (parking_.PostCall(&SendPendingViewChange, self))
        viewChangePending_ = true;
    else
        self->Release();
}

void TActiveXControl::SendPendingViewChange(void* object) {
    auto* self = static_cast<TActiveXControl*>(static_cast<IOleObject*>(object));
    {
        const win32::ControlEntry entry(self);
        // Held by the message alone: the host has let go and wants to hear nothing.
        if (self->references_ > 1 && !self->GoingAway())
            self->NotifyViewChange();
        else
            self->viewChangePending_ = false;
    }
    static_cast<IOleObject*>(self)->Release(); // the reference the message held
}

void TActiveXControl::NotifyViewChange() {
    viewChangePending_ = false;
    const TComPtr<IAdviseSink> sink = viewSink_;
    if (!sink || (viewAspects_ & DVASPECT_CONTENT) == 0)
        return;
    if (viewFlags_ & ADVF_ONLYONCE) {
        viewSink_.Reset();
        viewAspects_ = 0;
        viewFlags_ = 0;
    }
    sink->OnViewChange(DVASPECT_CONTENT, -1);
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetAdvise(DWORD* aspects, DWORD* flags,
                                                     IAdviseSink** sink) {
    CONTROL_ENTRY(this);
    if (aspects != nullptr)
        *aspects = viewAspects_;
    if (flags != nullptr)
        *flags = viewFlags_;
    if (sink != nullptr)
        *sink = TComPtr<IAdviseSink>(viewSink_).Detach();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*,
                                                     LPSIZEL size) {
    CONTROL_ENTRY(this);
    return GetExtent(aspect, size);
}

// --- IDataObject: the control offers no data formats ------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::GetData(FORMATETC* format, STGMEDIUM* medium) {
    CONTROL_ENTRY(this);
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    return DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetDataHere(FORMATETC* format, STGMEDIUM* medium) {
    CONTROL_ENTRY(this);
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    return DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::QueryGetData(FORMATETC* format) {
    CONTROL_ENTRY(this);
    if (format == nullptr)
        return E_INVALIDARG;
    return DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    CONTROL_ENTRY(this);
    if (out == nullptr)
        return E_POINTER;
    out->ptd = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetData(FORMATETC*, STGMEDIUM*, BOOL) {
    CONTROL_ENTRY(this);
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::EnumFormatEtc(DWORD, IEnumFORMATETC** formats) {
    CONTROL_ENTRY(this);
    if (formats == nullptr)
        return E_POINTER;
    *formats = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::DAdvise(FORMATETC*, DWORD, IAdviseSink*,
                                                   DWORD* connection) {
    CONTROL_ENTRY(this);
    if (connection == nullptr)
        return E_POINTER;
    *connection = 0;
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::DUnadvise(DWORD) {
    CONTROL_ENTRY(this);
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::EnumDAdvise(IEnumSTATDATA** advise) {
    CONTROL_ENTRY(this);
    if (advise == nullptr)
        return E_POINTER;
    *advise = nullptr;
    return OLE_E_ADVISENOTSUPPORTED;
}

} // namespace corvane::server
