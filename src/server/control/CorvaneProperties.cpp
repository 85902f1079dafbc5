// ICorvane properties: forwarded to the header control, options as bits of
// its Options set.
#include "server/activex/ComErrors.h"
#include "server/control/Corvane.h"

namespace corvane::server {
namespace {

VARIANT_BOOL ToVariantBool(bool value) {
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}
// Enumeration values are not range-checked: their low byte is passed on.
template <class Enum> Enum LowByte(long value) {
    return static_cast<Enum>(value & 0xFF);
}

} // namespace

HRESULT TCorvane::ReadOption(VARIANT_BOOL* value, THeaderOption option) {
    return Read(value, [&] { return ToVariantBool(HeaderControl().Options() & option); });
}

HRESULT TCorvane::WriteOption(VARIANT_BOOL value, THeaderOption option) {
    return Member([&] {
        THeaderOptions options = HeaderControl().Options();
        if (value != 0)
            options |= option;
        else
            options &= static_cast<THeaderOptions>(~option);
        HeaderControl().SetOptions(options);
    });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_ColumnCount(long* value) {
    return Read(value, [&] { return static_cast<long>(HeaderControl().ColumnCount()); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_HotTrackColor(OLE_COLOR* value) {
    return Read(value, [&] { return static_cast<OLE_COLOR>(HeaderControl().HotTrackColor()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_HotTrackColor(OLE_COLOR value) {
    return Member([&] { HeaderControl().StoreHotTrackColor(value); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_CustomizeMenustring(BSTR* value) {
    return Read(value, [&] { return TextToBstr(HeaderControl().CustomizeMenustring()).Detach(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_CustomizeMenustring(BSTR value) {
    return Member([&] { HeaderControl().SetCustomizeMenustring(BstrToText(value)); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_BevelInner(TxBevelCut* value) {
    return Read(value, [&] { return static_cast<TxBevelCut>(HeaderControl().BevelInner()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_BevelInner(TxBevelCut value) {
    return Member([&] { HeaderControl().SetBevelInner(LowByte<TBevelCut>(value)); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_BevelOuter(TxBevelCut* value) {
    return Read(value, [&] { return static_cast<TxBevelCut>(HeaderControl().BevelOuter()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_BevelOuter(TxBevelCut value) {
    return Member([&] { HeaderControl().SetBevelOuter(LowByte<TBevelCut>(value)); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_Color(OLE_COLOR* value) {
    return Read(value, [&] { return static_cast<OLE_COLOR>(HeaderControl().Color()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_Color(OLE_COLOR value) {
    return Member([&] { HeaderControl().SetColor(value); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_Headerstyle(TxButtonStyle* value) {
    return Read(value, [&] { return static_cast<TxButtonStyle>(HeaderControl().Headerstyle()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_Headerstyle(TxButtonStyle value) {
    return Member([&] { HeaderControl().SetHeaderstyle(LowByte<TButtonStyle>(value)); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_BorderStyle(TxBorderStyle* value) {
    return Read(value, [&] { return static_cast<TxBorderStyle>(HeaderControl().BorderStyle()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_BorderStyle(TxBorderStyle value) {
    return Member([&] { HeaderControl().SetBorderStyle(LowByte<TBorderStyle>(value)); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_Enabled(VARIANT_BOOL* value) {
    return Read(value, [&] { return ToVariantBool(HeaderControl().Enabled()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_Enabled(VARIANT_BOOL value) {
    return Member([&] { HeaderControl().SetEnabled(value != 0); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_Font(IFontDisp** value) {
    CONTROL_ENTRY(this);
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    return Member([&] { *value = Fonts().Get(); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_Font(IFontDisp* value) {
    return Member([&] { Fonts().Put(value); });
}
HRESULT STDMETHODCALLTYPE TCorvane::putref_Font(IFontDisp** value) {
    CONTROL_ENTRY(this);
    if (value == nullptr)
        return E_POINTER;
    return Member([&] { Fonts().Put(*value); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_ParentFont(VARIANT_BOOL* value) {
    return Read(value, [&] { return ToVariantBool(HeaderControl().ParentFont()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_ParentFont(VARIANT_BOOL value) {
    return Member([&] { HeaderControl().SetParentFont(value != 0); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_Visible(VARIANT_BOOL* value) {
    return Read(value, [&] { return ToVariantBool(HeaderControl().Visible()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_Visible(VARIANT_BOOL value) {
    return Member([&] { HeaderControl().SetVisible(value != 0); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_DoubleBuffered(VARIANT_BOOL* value) {
    return Read(value, [&] { return ToVariantBool(HeaderControl().DoubleBuffered()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_DoubleBuffered(VARIANT_BOOL value) {
    return Member([&] { HeaderControl().SetDoubleBuffered(value != 0); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_BiDiMode(TxBiDiMode* value) {
    return Read(value, [&] { return static_cast<TxBiDiMode>(HeaderControl().BiDiMode()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_BiDiMode(TxBiDiMode value) {
    return Member([&] { HeaderControl().SetBiDiMode(LowByte<TBiDiMode>(value)); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_Cursor(short* value) {
    return Read(value, [&] { return static_cast<short>(HeaderControl().Cursor()); });
}
HRESULT STDMETHODCALLTYPE TCorvane::put_Cursor(short value) {
    return Member([&] { HeaderControl().SetCursor(value); });
}

HRESULT STDMETHODCALLTYPE TCorvane::get_AllowClick(VARIANT_BOOL* v) {
    return ReadOption(v, hoClick);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowClick(VARIANT_BOOL v) {
    return WriteOption(v, hoClick);
}
HRESULT STDMETHODCALLTYPE TCorvane::get_AllowHint(VARIANT_BOOL* v) {
    return ReadOption(v, hoHint);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowHint(VARIANT_BOOL v) {
    return WriteOption(v, hoHint);
}
HRESULT STDMETHODCALLTYPE TCorvane::get_AllowVResize(VARIANT_BOOL* v) {
    return ReadOption(v, hoVResize);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowVResize(VARIANT_BOOL v) {
    return WriteOption(v, hoVResize);
}
HRESULT STDMETHODCALLTYPE TCorvane::get_AllowHResize(VARIANT_BOOL* v) {
    return ReadOption(v, hoHresize);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowHResize(VARIANT_BOOL v) {
    return WriteOption(v, hoHresize);
}
HRESULT STDMETHODCALLTYPE TCorvane::get_AllowCustomize(VARIANT_BOOL* v) {
    return ReadOption(v, hoCustomize);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowCustomize(VARIANT_BOOL v) {
    return WriteOption(v, hoCustomize);
}
HRESULT STDMETHODCALLTYPE TCorvane::get_AllowAbout(VARIANT_BOOL* v) {
    return ReadOption(v, hoAbout);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowAbout(VARIANT_BOOL v) {
    return WriteOption(v, hoAbout);
}
HRESULT STDMETHODCALLTYPE TCorvane::get_AllowDragDrop(VARIANT_BOOL* v) {
    return ReadOption(v, hoDragdrop);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowDragDrop(VARIANT_BOOL v) {
    return WriteOption(v, hoDragdrop);
}
HRESULT STDMETHODCALLTYPE TCorvane::get_AllowHotTrack(VARIANT_BOOL* v) {
    return ReadOption(v, hoHotTrack);
}
HRESULT STDMETHODCALLTYPE TCorvane::put_AllowHotTrack(VARIANT_BOOL v) {
    return WriteOption(v, hoHotTrack);
}

} // namespace corvane::server
