#pragma once
// TCorvane: the COM object of the class Corvane. It owns one header control
// (through its base), serves ICorvane by forwarding to it, and relays the
// header control's eleven events to the host's ICorvaneEvents sink.

#include "server/activex/ActiveXControl.h"
#include "server/activex/ComErrors.h"

#include <CorvaneC_TLB.h>

#include <cstdint>
#include <string>

namespace corvane::server {

class TCorvane : public TActiveXControl, public ICorvane {
public:
    static constexpr const wchar_t* ProgId = L"CorvaneC.Corvane";
    // The late-bound property `Header` (not in the type library) answers
    // with this DISPID, outside every DISPID of the library.
    static constexpr DISPID DispidHeader = 0x434F5256;
    // The colour a new control starts with: system colour 4.
    static constexpr TColor InitialColor = 0x80000004u;

    static const TControlClass& Class();

    explicit TCorvane(ITypeLib& typeLib);
    ~TCorvane() override;

    uint32_t HeaderToken() const { return headerToken_; }

    // --- TActiveXControl --------------------------------------------------------
    IDispatch* DispatchInterface() override { return static_cast<ICorvane*>(this); }
    void SinkChanged(IDispatch* sink) override;
    void HookHeaderEvents() override;
    void RunVerb(LONG verb) override;

    // --- IUnknown (one for all interfaces) --------------------------------------
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return TActiveXControl::QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return TActiveXControl::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return TActiveXControl::Release(); }

    // --- IDispatch --------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* dispids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD flags,
                                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argError) override;

    // --- ICorvane -----------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE AfterCustomize() override;
    HRESULT STDMETHODCALLTYPE BeforeCustomize() override;
    HRESULT STDMETHODCALLTYPE BeforeApply() override;
    HRESULT STDMETHODCALLTYPE AfterApply() override;
    HRESULT STDMETHODCALLTYPE Customize() override;
    HRESULT STDMETHODCALLTYPE ShowAbout() override;
    HRESULT STDMETHODCALLTYPE get_ColumnCount(long* value) override;
    HRESULT STDMETHODCALLTYPE get_HotTrackColor(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_HotTrackColor(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_CustomizeMenustring(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_CustomizeMenustring(BSTR value) override;
    HRESULT STDMETHODCALLTYPE get_BevelInner(TxBevelCut* value) override;
    HRESULT STDMETHODCALLTYPE put_BevelInner(TxBevelCut value) override;
    HRESULT STDMETHODCALLTYPE get_BevelOuter(TxBevelCut* value) override;
    HRESULT STDMETHODCALLTYPE put_BevelOuter(TxBevelCut value) override;
    HRESULT STDMETHODCALLTYPE get_Color(OLE_COLOR* value) override;
    HRESULT STDMETHODCALLTYPE put_Color(OLE_COLOR value) override;
    HRESULT STDMETHODCALLTYPE get_Headerstyle(TxButtonStyle* value) override;
    HRESULT STDMETHODCALLTYPE put_Headerstyle(TxButtonStyle value) override;
    HRESULT STDMETHODCALLTYPE get_BorderStyle(TxBorderStyle* value) override;
    HRESULT STDMETHODCALLTYPE put_BorderStyle(TxBorderStyle value) override;
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Enabled(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Font(IFontDisp** value) override;
    HRESULT STDMETHODCALLTYPE put_Font(IFontDisp* value) override;
    HRESULT STDMETHODCALLTYPE putref_Font(IFontDisp** value) override;
    HRESULT STDMETHODCALLTYPE get_ParentFont(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_ParentFont(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_DoubleBuffered(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_DoubleBuffered(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE FlipChildren(VARIANT_BOOL allLevels) override;
    HRESULT STDMETHODCALLTYPE DrawTextBiDiModeFlags(long flags, long* value) override;
    HRESULT STDMETHODCALLTYPE DrawTextBiDiModeFlagsReadingOnly(long* value) override;
    HRESULT STDMETHODCALLTYPE GetControlsAlignment(TxAlignment* value) override;
    HRESULT STDMETHODCALLTYPE InitiateAction() override;
    HRESULT STDMETHODCALLTYPE IsRightToLeft(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE UseRightToLeftAlignment(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE UseRightToLeftReading(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE UseRightToLeftScrollBar(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE get_BiDiMode(TxBiDiMode* value) override;
    HRESULT STDMETHODCALLTYPE put_BiDiMode(TxBiDiMode value) override;
    HRESULT STDMETHODCALLTYPE get_Cursor(short* value) override;
    HRESULT STDMETHODCALLTYPE put_Cursor(short value) override;
    HRESULT STDMETHODCALLTYPE ClassNameIs(BSTR name, VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE AboutBox() override;
    HRESULT STDMETHODCALLTYPE get_Sections(ISections** value) override;
    HRESULT STDMETHODCALLTYPE get_AllowClick(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowClick(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_AllowHint(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowHint(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_AllowVResize(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowVResize(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_AllowHResize(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowHResize(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_AllowCustomize(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowCustomize(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_AllowAbout(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowAbout(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_AllowDragDrop(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowDragDrop(VARIANT_BOOL value) override;
    HRESULT STDMETHODCALLTYPE get_AllowHotTrack(VARIANT_BOOL* value) override;
    HRESULT STDMETHODCALLTYPE put_AllowHotTrack(VARIANT_BOOL value) override;

private:
    // Runs a member's body as an entry into the control, at the COM
    // boundary of ICorvane.
    template <class Body> HRESULT Member(Body&& body) {
        CONTROL_ENTRY(this);
        return Guarded(IID_ICorvane, ProgId, [&]() -> HRESULT {
            body();
            return S_OK;
        });
    }
    template <class T, class Get> HRESULT Read(T* out, Get&& get) {
        CONTROL_ENTRY(this);
        if (out == nullptr)
            return E_POINTER;
        return Member([&] { *out = get(); });
    }
    HRESULT ReadOption(VARIANT_BOOL* value, THeaderOption option);
    HRESULT WriteOption(VARIANT_BOOL value, THeaderOption option);

    // --- Event relay (CorvaneEvents.cpp) ---------------------------------------------
    // Calls the host's sink by DISPID; args in the order of the event. The
    // sink's result is ignored: a failing handler never reaches the control.
    void Fire(DISPID dispid, VARIANT* args, UINT count);
    void FireSimple(DISPID dispid);
    void FireSection(DISPID dispid, THeaderColumns* section);
    void FireSizing(DISPID dispid, THeaderColumns* section, int index, int width);
    void FireHeight(DISPID dispid, THeaderColumns* section, int height);
    void FireHint(THeaderColumns* section, std::string& hint);
    void FireDrop(THeaderColumns* source, THeaderColumns* dest, bool& asChild, bool& allowDrop);
    // No event reaches a host that has let go of the control.
    bool CanFire() const { return hostSink_ && !EventsFrozen() && !GoingAway(); }

    TComPtr<IDispatch> hostSink_;
    uint32_t headerToken_ = 0;
};

} // namespace corvane::server
