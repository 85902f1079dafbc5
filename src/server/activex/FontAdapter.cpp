#include "server/activex/FontAdapter.h"

#include "com/ComObject.h"
#include "server/ModuleCounts.h"
#include "server/activex/ComErrors.h"

#include <cmath>
#include <utility>

namespace corvane::server {
namespace {

int ScreenPixelsPerInch() {
    static const int dpi = [] {
        const HDC screen = ::GetDC(nullptr);
        const int value = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ::ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

long PointsOf(const TFont& font) {
    const int height = font.Height < 0 ? -font.Height : font.Height;
    return std::lround(height * 72.0 / ScreenPixelsPerInch());
}

// Sets a flag for the life of a scope.
class SyncScope {
public:
    explicit SyncScope(bool& flag) : flag_(flag), old_(std::exchange(flag, true)) {}
    ~SyncScope() { flag_ = old_; }
    SyncScope(const SyncScope&) = delete;
    SyncScope& operator=(const SyncScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

TFont FontFromOle(IFont& font, const TFont& base) {
    TFont result = base;
    TBstr name;
    if (SUCCEEDED(font.get_Name(name.Put())))
        result.Name = BstrToText(name.Get());
    CY size{};
    if (SUCCEEDED(font.get_Size(&size))) {
        const long points = static_cast<long>(std::llround(size.int64 / 10000.0));
        result.Height = -::MulDiv(points, ScreenPixelsPerInch(), 72);
    }
    BOOL flag = FALSE;
    uint8_t style = 0;
    if (SUCCEEDED(font.get_Bold(&flag)) && flag)
        style |= fsBold;
    if (SUCCEEDED(font.get_Italic(&flag)) && flag)
        style |= fsItalic;
    if (SUCCEEDED(font.get_Underline(&flag)) && flag)
        style |= fsUnderline;
    if (SUCCEEDED(font.get_Strikethrough(&flag)) && flag)
        style |= fsStrikeOut;
    result.Style = style;
    SHORT charset = 0;
    if (SUCCEEDED(font.get_Charset(&charset)))
        result.Charset = static_cast<uint8_t>(charset);
    return result;
}

void CopyFontToOle(const TFont& font, IFont& target) {
    auto name = TBstr::Attach(TextToBstr(font.Name).Detach());
    target.put_Name(name.Get());
    CY size{};
    size.int64 = static_cast<LONGLONG>(PointsOf(font)) * 10000;
    target.put_Size(size);
    target.put_Bold((font.Style & fsBold) ? TRUE : FALSE);
    target.put_Weight((font.Style & fsBold) ? FW_BOLD : FW_NORMAL);
    target.put_Italic((font.Style & fsItalic) ? TRUE : FALSE);
    target.put_Underline((font.Style & fsUnderline) ? TRUE : FALSE);
    target.put_Strikethrough((font.Style & fsStrikeOut) ? TRUE : FALSE);
    target.put_Charset(font.Charset);
}

class TFontAdapter::TSink final : public com::TComObject<IPropertyNotifySink> {
public:
    explicit TSink(TFontAdapter& adapter)
        : TComObject(IID_IPropertyNotifySink, 0), adapter_(&adapter) {}
    void Disconnect() { adapter_ = nullptr; }

    HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override {
        // The adapter is only ever let go on its own thread.
        if (::GetCurrentThreadId() != thread_)
            return RPC_E_WRONG_THREAD;
        if (adapter_ != nullptr)
            adapter_->FontChanged();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override {
        return ::GetCurrentThreadId() == thread_ ? S_OK : RPC_E_WRONG_THREAD;
    }

private:
    ~TSink() override = default;
    TModuleObjectCount count_; // the module stays while a font holds it
    TFontAdapter* adapter_;
    const DWORD thread_ = ::GetCurrentThreadId();
};

TFontAdapter::TFontAdapter() = default;

TFontAdapter::~TFontAdapter() {
    Detach();
}

void TFontAdapter::Attach(TCustomControl& control, win32::TEntryOwner* entries) {
    entries_ = entries;
    control_ = &control;
    control.OnFontChange = [this] { ControlFontChanged(); };
}

void TFontAdapter::Detach() {
    Unfollow();
    font_.Reset();
    if (control_)
        control_->OnFontChange = nullptr;
    control_ = nullptr;
}

IFontDisp* TFontAdapter::Get() {
    if (!font_ && control_) {
        const TFont& font = control_->Font();
        auto name = TBstr::Attach(TextToBstr(font.Name).Detach());
        FONTDESC desc{};
        desc.cbSizeofstruct = sizeof desc;
        desc.lpstrName = name.Get();
        desc.cySize.int64 = static_cast<LONGLONG>(PointsOf(font)) * 10000;
        desc.sWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
        desc.sCharset = font.Charset;
        desc.fItalic = (font.Style & fsItalic) ? TRUE : FALSE;
        desc.fUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
        desc.fStrikethrough = (font.Style & fsStrikeOut) ? TRUE : FALSE;
        TComPtr<IFont> created;
        Check(::OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(created.Put())));
        Follow(created.Get());
    }
    auto disp = TComPtr<IFontDisp>::From(font_.Get(), IID_IFontDisp);
    return disp.Detach();
}

void TFontAdapter::Put(IFontDisp* font) {
    auto ole = TComPtr<IFont>::From(font, IID_IFont);
    if (!ole)
        throw EOleError(CTL_E_INVALIDPROPERTYVALUE);
    Follow(ole.Get());
    if (control_) {
        const SyncScope syncing(syncing_);
        control_->SetFont(FontFromOle(*ole.Get(), control_->Font()));
    }
}

void TFontAdapter::ControlFontChanged() {
    if (syncing_ || !font_ || !control_)
        return;
    const SyncScope syncing(syncing_);
    CopyFontToOle(control_->Font(), *font_.Get());
}

void TFontAdapter::Follow(IFont* font) {
    if (font == font_.Get())
        return;
    Unfollow();
    font_ = TComPtr<IFont>(font);
    auto container = TComPtr<IConnectionPointContainer>::From(font, IID_IConnectionPointContainer);
    if (container &&
        SUCCEEDED(container->FindConnectionPoint(IID_IPropertyNotifySink, point_.Put())) &&
        point_) {
        sink_ = TComPtr<TSink>(new TSink(*this));
        if (FAILED(point_->Advise(sink_.Get(), &cookie_)))
            point_.Reset();
    }
}

void TFontAdapter::Unfollow() {
    if (point_) {
        point_->Unadvise(cookie_);
        point_.Reset();
    }
    if (sink_) {
        sink_->Disconnect();
        sink_.Reset();
    }
    cookie_ = 0;
}

void TFontAdapter::FontChanged() {
    const win32::ControlEntry entry(entries_);
    if (entry.Refused() || syncing_ || !font_ || !control_)
        return;
    try {
        const SyncScope syncing(syncing_);
        control_->SetFont(FontFromOle(*font_.Get(), control_->Font()));
    } catch (...) {
        // A notification has no one to report to; the fonts stay as they were.
    }
}

} // namespace corvane::server
