// ICorvane as hosts drive it: through the table and through IDispatch.
#include "TestHost.h"

#include "server/control/HeaderRegistry.h"

#include <olectl.h>

namespace corvane::server::test {
namespace {

using PropertiesTest = ControlTest;

// A property read through IDispatch, converted to a 32-bit integer.
long GetLong(IDispatch* control, const wchar_t* name) {
    DISPID dispid = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(S_OK, control->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid)) << name;
    DISPPARAMS none{};
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(S_OK, control->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result,
                                    nullptr, nullptr))
        << name;
    EXPECT_EQ(S_OK, ::VariantChangeType(&result, &result, 0, VT_I4)) << name;
    return result.lVal;
}

HRESULT PutLong(IDispatch* control, const wchar_t* name, long value) {
    DISPID dispid = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(S_OK, control->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid)) << name;
    VARIANT arg;
    ::VariantInit(&arg);
    arg.vt = VT_I4;
    arg.lVal = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&arg, &named, 1, 1};
    return control->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                           nullptr);
}

TEST_F(PropertiesTest, ANewControlStartsWithSystemColourFourAndOneColumn) {
    auto control = NewControl();
    OLE_COLOR colour = 0;
    EXPECT_EQ(S_OK, control->get_Color(&colour));
    EXPECT_EQ(0x80000004u, colour);
    long columns = 0;
    EXPECT_EQ(S_OK, control->get_ColumnCount(&columns));
    EXPECT_EQ(1, columns);
    EXPECT_EQ(static_cast<long>(0x00800000), GetLong(control.Get(), L"HotTrackColor"));
}

TEST_F(PropertiesTest, DispatchPutThenGetGoesToTheHeaderControl) {
    const struct {
        const wchar_t* Name;
        long Put;
        long Expected; // as read back
    } cases[] = {
        {L"HotTrackColor", 0x00123456, 0x00123456},
        {L"BevelInner", 2, 2},
        {L"BevelInner", 256, 0}, // only the low byte is used
        {L"BevelOuter", 3, 3},
        {L"Color", static_cast<long>(0x8000000F), static_cast<long>(0x8000000F)},
        {L"Headerstyle", 1, 1},
        {L"BorderStyle", 0, 0},
        {L"Enabled", 0, 0},
        {L"Enabled", 1, -1}, // any non-zero value is true
        {L"Visible", 0, 0},
        {L"Visible", 2, -1},
        {L"ParentFont", 0, 0},
        {L"DoubleBuffered", -1, -1},
        {L"BiDiMode", 2, 2},
        {L"Cursor", -21, -21},
        {L"AllowClick", 0, 0},
        {L"AllowAbout", 0, 0},
        {L"AllowHotTrack", 5, -1},
    };
    for (const auto& c : cases) {
        auto control = NewControl();
        EXPECT_EQ(S_OK, PutLong(control.Get(), c.Name, c.Put)) << c.Name;
        EXPECT_EQ(c.Expected, GetLong(control.Get(), c.Name)) << c.Name << " = " << c.Put;
    }
}

TEST_F(PropertiesTest, EachOptionPropertyIsOneBitOfOptions) {
    const struct {
        const wchar_t* Name;
        THeaderOptions Bit;
    } options[] = {
        {L"AllowCustomize", hoCustomize}, {L"AllowAbout", hoAbout},
        {L"AllowVResize", hoVResize},     {L"AllowHResize", hoHresize},
        {L"AllowClick", hoClick},         {L"AllowHotTrack", hoHotTrack},
        {L"AllowHint", hoHint},           {L"AllowDragDrop", hoDragdrop},
    };
    for (const auto& o : options) {
        auto control = NewControl();
        TStrativ& header = Object(control.Get()).HeaderControl();
        ASSERT_EQ(S_OK, PutLong(control.Get(), o.Name, 0));
        EXPECT_EQ(static_cast<THeaderOptions>(0xFF & ~o.Bit), header.Options()) << o.Name;
        EXPECT_EQ(0, GetLong(control.Get(), o.Name));
        ASSERT_EQ(S_OK, PutLong(control.Get(), o.Name, 1));
        EXPECT_EQ(0xFF, header.Options()) << o.Name;
        EXPECT_EQ(-1, GetLong(control.Get(), o.Name));
    }
}

TEST_F(PropertiesTest, StandardDispidsAndTheLateBoundHeaderToken) {
    auto control = NewControl();
    const struct {
        const wchar_t* Name;
        DISPID Expected;
    } names[] = {{L"Color", -501},    {L"Font", -512},   {L"Enabled", -514},
                 {L"AboutBox", -552}, {L"Sections", 19}, {L"allowclick", 22}};
    for (const auto& n : names) {
        DISPID dispid = 0;
        LPOLESTR list[] = {const_cast<LPOLESTR>(n.Name)};
        EXPECT_EQ(S_OK, control->GetIDsOfNames(IID_NULL, list, 1, 0, &dispid));
        EXPECT_EQ(n.Expected, dispid) << n.Name;
    }
    const long token = GetLong(control.Get(), L"Header");
    EXPECT_NE(0, token);
    EXPECT_EQ(&Object(control.Get()).HeaderControl(),
              FindHeader(static_cast<uint32_t>(token)).Control);
    control.Reset();
    EXPECT_EQ(nullptr, FindHeader(static_cast<uint32_t>(token)).Control);

    auto other = NewControl();
    DISPID unknown = 0;
    LPOLESTR missing[] = {const_cast<LPOLESTR>(L"NoSuchMember")};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, other->GetIDsOfNames(IID_NULL, missing, 1, 0, &unknown));
    TComPtr<ITypeInfo> info;
    EXPECT_EQ(DISP_E_BADINDEX, other->GetTypeInfo(1, 0, info.Put()));
}

TEST_F(PropertiesTest, ReadOnlyMembersRefuseAssignment) {
    auto control = NewControl();
    EXPECT_NE(S_OK, PutLong(control.Get(), L"ColumnCount", 5));
    long columns = 0;
    control->get_ColumnCount(&columns);
    EXPECT_EQ(1, columns);
}

TEST_F(PropertiesTest, ClassNameIsComparesWithoutCaseAndNeedsEqualLength) {
    const struct {
        const wchar_t* Name;
        VARIANT_BOOL Expected;
    } cases[] = {
        {L"TStrativ", VARIANT_TRUE},  {L"tstrativ", VARIANT_TRUE}, {L"TSTRATIV", VARIANT_TRUE},
        {L"", VARIANT_FALSE},         {L"TStrati", VARIANT_FALSE}, {L"TStrativX", VARIANT_FALSE},
        {L"TCorvane", VARIANT_FALSE},
    };
    auto control = NewControl();
    for (const auto& c : cases) {
        auto name = TBstr::Attach(::SysAllocString(c.Name));
        VARIANT_BOOL result = 7;
        EXPECT_EQ(S_OK, control->ClassNameIs(name.Get(), &result));
        EXPECT_EQ(c.Expected, result) << BstrToText(const_cast<BSTR>(c.Name));
    }
    VARIANT_BOOL result = 7;
    EXPECT_EQ(S_OK, control->ClassNameIs(nullptr, &result));
    EXPECT_EQ(VARIANT_FALSE, result);
}

TEST_F(PropertiesTest, CustomizeMenustringCrossesAsAnsiText) {
    auto control = NewControl();
    auto text = TBstr::Attach(::SysAllocString(L"Anpassen \x00e4"));
    EXPECT_EQ(S_OK, control->put_CustomizeMenustring(text.Get()));
    TBstr back;
    EXPECT_EQ(S_OK, control->get_CustomizeMenustring(back.Put()));
    EXPECT_STREQ(L"Anpassen \x00e4", back.Get());
}

TEST_F(PropertiesTest, FontAdapterKeepsBothFontsInStep) {
    auto control = NewControl();
    TStrativ& header = Object(control.Get()).HeaderControl();
    TComPtr<IFontDisp> first, second;
    ASSERT_EQ(S_OK, control->get_Font(first.Put()));
    ASSERT_EQ(S_OK, control->get_Font(second.Put()));
    EXPECT_EQ(first.Get(), second.Get()) << "later reads return the same OLE font";

    // A change through the OLE font reaches the control...
    auto ole = Query<IFont>(first.Get(), IID_IFont);
    CY size{};
    size.int64 = 240000; // 24 pt
    ASSERT_EQ(S_OK, ole->put_Size(size));
    ole->put_Bold(TRUE);
    EXPECT_EQ(-::MulDiv(24, 96, 72), header.Font().Height);
    EXPECT_TRUE(header.Font().Style & fsBold);
    // ...and one of the control's font reaches the OLE font.
    // (Face names are compared as the OLE font reports them: the platform
    // may substitute an installed face.)
    TFont font = header.Font();
    font.Height = -::MulDiv(12, 96, 72);
    font.Style = fsItalic;
    header.SetFont(font);
    CY olesize{};
    ole->get_Size(&olesize);
    EXPECT_NEAR(120000, olesize.int64, 10000) << "within the platform's rounding";
    BOOL italic = FALSE, bold = TRUE;
    ole->get_Italic(&italic);
    ole->get_Bold(&bold);
    EXPECT_TRUE(italic);
    EXPECT_FALSE(bold);

    // A host's font, assigned by value or by reference, becomes the control's.
    const auto nameOf = [](IFontDisp* disp) {
        TBstr name;
        Query<IFont>(disp, IID_IFont)->get_Name(name.Put());
        return BstrToText(name.Get());
    };
    FONTDESC desc{sizeof desc, const_cast<LPOLESTR>(L"Tahoma"), {}, FW_NORMAL, 0, FALSE, TRUE,
                  FALSE};
    desc.cySize.int64 = 100000;
    TComPtr<IFontDisp> host;
    ASSERT_EQ(S_OK,
              ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(host.Put())));
    EXPECT_EQ(S_OK, control->put_Font(host.Get()));
    EXPECT_EQ(nameOf(host.Get()), header.Font().Name);
    EXPECT_EQ(-::MulDiv(10, 96, 72), header.Font().Height);
    EXPECT_TRUE(header.Font().Style & fsUnderline);
    desc.cySize.int64 = 200000;
    desc.fUnderline = FALSE;
    TComPtr<IFontDisp> other;
    ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(other.Put()));
    IFontDisp* byRef = other.Get();
    EXPECT_EQ(S_OK, control->putref_Font(&byRef));
    EXPECT_EQ(-::MulDiv(20, 96, 72), header.Font().Height);
    EXPECT_FALSE(header.Font().Style & fsUnderline);
    // The control now follows the host's font object.
    CY bigger{};
    bigger.int64 = 300000;
    Query<IFont>(other.Get(), IID_IFont)->put_Size(bigger);
    EXPECT_NEAR(-::MulDiv(30, 96, 72), header.Font().Height, 1);
    EXPECT_EQ(E_POINTER, control->putref_Font(nullptr));
}

// The host's own sink on a font it shares with the control, advised first,
// lets go of the control; the font's notification under way then goes on to
// the sink the control had.
TEST_F(PropertiesTest, AFontNotificationUnderWayWhenTheHostLetsGoReachesNothingFreed) {
    struct LettingGo : IPropertyNotifySink {
        TComPtr<ICorvane> Control = NewControl();
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
            *object = this; // asked for nothing else
            return S_OK;
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override { return Control.Reset(), S_OK; }
        HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
    } host;
    FONTDESC desc{
        sizeof desc, const_cast<LPOLESTR>(L"Arial"), {{100000, 0}}, FW_NORMAL, 0, 0, 0, 0};
    TComPtr<IFont> font;
    ASSERT_EQ(S_OK,
              ::OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(font.Put())));
    TComPtr<IConnectionPoint> point;
    Query<IConnectionPointContainer>(font.Get(), IID_IConnectionPointContainer)
        ->FindConnectionPoint(IID_IPropertyNotifySink, point.Put());
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(&host, &cookie));
    ASSERT_EQ(S_OK, host.Control->put_Font(Query<IFontDisp>(font.Get(), IID_IFontDisp).Get()));
    EXPECT_EQ(S_OK, font->put_Size(CY{{200000, 0}}));
    EXPECT_EQ(0, ObjectCount());
    point->Unadvise(cookie);
}

TEST_F(PropertiesTest, ErrorsBecomeResultsWithErrorInformation) {
    auto control = NewControl();
    // A put of Font with an object that is no font is refused with the
    // interface's error information.
    auto notAFont = Query<IDispatch>(NewControl().Get(), IID_IDispatch);
    const HRESULT hr = control->put_Font(reinterpret_cast<IFontDisp*>(notAFont.Get()));
    EXPECT_TRUE(FAILED(hr));
    TComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, ::GetErrorInfo(0, info.Put()));
    GUID iid{};
    info->GetGUID(&iid);
    EXPECT_TRUE(IsEqualGUID(IID_ICorvane, iid));
    TBstr source;
    info->GetSource(source.Put());
    EXPECT_STREQ(L"CorvaneC.Corvane", source.Get());
    auto support = Query<ISupportErrorInfo>(control.Get(), IID_ISupportErrorInfo);
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_ICorvane));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IOleObject));
}

} // namespace
} // namespace corvane::server::test
