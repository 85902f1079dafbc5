#include "server/propertypage/GenStrativPage.h"

#include "core/control/Strativ.h"
#include "server/automation/Bstr.h"
#include "server/automation/ComBoundary.h"
#include "server/propertypage/HeaderOfObject.h"
#include "server/propertypage/PropertyNotify.h"
#include "win32/Dpi.h"

#include <cstring>
#include <cwchar>
#include <new>

namespace corvane::server {

using corvane::editor::TGenStrativ;

TGenStrativPage::TGenStrativPage() = default;

TGenStrativPage::~TGenStrativPage() {
    sheet_.Detach();
    window_.reset();
    retired_.reset();
    form_.reset();
}

// --- IUnknown ---------------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TGenStrativPage::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyPage)) {
        *object = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TGenStrativPage::AddRef() {
    return ++references_;
}

ULONG STDMETHODCALLTYPE TGenStrativPage::Release() {
    const ULONG left = --references_;
    if (left == 0)
        delete this;
    return left;
}

// --- IPropertyPage ----------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TGenStrativPage::SetPageSite(IPropertyPageSite* site) {
    if (site != nullptr && site_)
        return E_UNEXPECTED; // a page has one site at a time
    site_ = TComPtr<IPropertyPageSite>(site);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::Activate(HWND parent, LPCRECT bounds, BOOL) {
    if (bounds == nullptr)
        return E_POINTER;
    if (window_)
        return E_UNEXPECTED;
    return ComBoundary(IID_IPropertyPage, [&] {
        // The form lives as long as the page: an activation after the first
        // shows the page the user left, and reloads it from the control
        // (edits that were not applied are gone).
        sheet_.Detach();
        if (!form_) {
            form_ = std::make_unique<TGenStrativ>();
            form_->OnModified = [this] { Modified(); };
            form_->FormCreate();
        }
        window_ = std::make_unique<win32::editor::PropertyPageForm>(*form_, parent, *bounds);
        sheet_.Attach(
            parent,
            [this](std::string& message) {
                if (SUCCEEDED(Apply()))
                    return true;
                TComPtr<IErrorInfo> error;
                TBstr description;
                if (::GetErrorInfo(0, error.Put()) == S_OK && error &&
                    SUCCEEDED(error->GetDescription(description.Put())))
                    message = BstrToText(description.Get());
                return false;
            },
            [this] { return form_ && form_->Modified(); });
        if (objects_.empty())
            return;
        try {
            LoadPage();
        } catch (...) {
            // No window of a failed activation stays, so a later Activate
            // works; the form keeps the control it loaded before.
            sheet_.Detach();
            window_.reset();
            throw;
        }
    });
}

void TGenStrativPage::LoadPage() {
    otherThread_ = false;
    try {
        // A failed read keeps the header loaded before, as it keeps the page.
        const uint32_t token = ReadHeaderToken(objects_.front().Get());
        // 0: the object has no header loaded; the page loads nothing.
        TStrativ* header = token == 0 ? nullptr : &HeaderOfToken(token);
        token_ = token;
        form_->LoadPage(header);
    } catch (const EComError& e) {
        // A control of another thread (reached through a proxy or a plain
        // pointer): the page neither shows nor writes anything for it.
        otherThread_ = e.Code() == RPC_E_WRONG_THREAD;
        throw;
    }
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::Deactivate() {
    if (!window_)
        return E_UNEXPECTED;
    return ComBoundary(IID_IPropertyPage, [&] {
        sheet_.Detach();
        if (!window_->InStandardDialog() || retired_) {
            window_.reset();
            return;
        }
        // The host deactivates from inside the page's font or colour dialog
        // (the dialog's loop runs the host's messages): that dialog ends as
        // by Cancel, and its window and code, still on the stack, stay until
        // its call has returned. The queued drop runs from the message loop
        // after that.
        parking_.emplace();
        window_->Show(SW_HIDE);
        retired_ = std::move(window_);
        AddRef();
        retired_->EndStandardDialog([this] {
            if (!parking_->PostCall(&TGenStrativPage::DropRetired, this))
                Release(); // no loop will run it: the window stays with the page
        });
    });
}

void TGenStrativPage::DropRetired(void* page) {
    auto* self = static_cast<TGenStrativPage*>(page);
    self->retired_.reset();
    self->Release();
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::GetPageInfo(PROPPAGEINFO* info) {
    if (info == nullptr)
        return E_POINTER;
    *info = PROPPAGEINFO{};
    const std::wstring title(TGenStrativ::Caption,
                             TGenStrativ::Caption + std::strlen(TGenStrativ::Caption));
    const size_t bytes = (title.size() + 1) * sizeof(wchar_t);
    auto* text = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
    if (text == nullptr)
        return E_OUTOFMEMORY;
    std::wmemcpy(text, title.c_str(), title.size() + 1);
    info->cb = sizeof *info;
    info->pszTitle = text;
    // The size the page asks for, at the screen's pixel density.
    const TDpiScale scale(win32::WindowPixelsPerInch(nullptr));
    info->size = SIZE{scale(TGenStrativ::FormWidth), scale(TGenStrativ::FormHeight)};
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count != 0 && objects == nullptr)
        return E_POINTER;
    for (ULONG i = 0; i < count; ++i)
        if (objects[i] == nullptr)
            return E_POINTER;
    return ComBoundary(IID_IPropertyPage, [&] {
        std::vector<TComPtr<IUnknown>> kept;
        kept.reserve(count);
        for (ULONG i = 0; i < count; ++i)
            kept.emplace_back(objects[i]);
        objects_.swap(kept);
    });
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::Show(UINT command) {
    if (!window_)
        return E_UNEXPECTED;
    window_->Show(static_cast<int>(command));
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::Move(LPCRECT bounds) {
    if (bounds == nullptr)
        return E_POINTER;
    if (!window_)
        return E_UNEXPECTED;
    window_->Move(*bounds);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::IsPageDirty() {
    return form_ && form_->Modified() ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::Apply() {
    // A host may let go of the page when it hears of the change (OnChanged):
    // the page stays until its apply is done.
    const TComPtr<IPropertyPage> self(this);
    return ComBoundary(IID_IPropertyPage, [&] {
        if (otherThread_)
            throw EComError(RPC_E_WRONG_THREAD);
        if (!form_)
            return; // never activated: nothing was loaded
        // The header is found again: it may have gone since the load.
        form_->HeaderControl = token_ == 0 ? nullptr : &HeaderOfToken(token_);
        const bool wasModified = form_->Modified();
        form_->ApplyPage();
        if (form_->HeaderControl != nullptr) {
            form_->HeaderControl->Invalidate();
            NotifyPropertiesChanged(objects_.empty() ? nullptr : objects_.front().Get());
        }
        if (wasModified)
            sheet_.ModifiedChanged(false);
    });
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::Help(LPCOLESTR) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TGenStrativPage::TranslateAccelerator(MSG* message) {
    if (message == nullptr)
        return E_POINTER;
    if (!window_)
        return S_FALSE;
    return window_->TranslateAccelerator(*message) ? S_OK : S_FALSE;
}

void TGenStrativPage::Modified() {
    if (site_)
        site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
    sheet_.ModifiedChanged(true);
}

// --- Creation ---------------------------------------------------------------------------

HRESULT CreateGenStrativPage(IUnknown* outer, REFIID riid, void** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    auto* page = new TGenStrativPage();
    const HRESULT hr = page->QueryInterface(riid, result);
    page->Release();
    return hr;
}

} // namespace corvane::server
