// The shared control site as a control calls it: every out-pointer checked,
// one identity for all its interfaces, the ambient properties, no tool
// space and no menus, references counted and given back.
#include "win32/WinApi.h"

#include "host/ContainerWindow.h"
#include "host/ControlSite.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace corvane::host {
namespace {

class ControlSiteTest : public ::testing::Test {
protected:
    ContainerWindow window{"site test", WindowPlacement{0, 0, 200, 80, WS_POPUP, SW_SHOWNA}};
    ControlSite site{window.Handle()};
};

TEST_F(ControlSiteTest, EveryOutPointerIsChecked) {
    struct Case {
        const char* Name;
        std::function<HRESULT()> Call;
    };
    RECT rect{};
    OLEINPLACEFRAMEINFO info{};
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* doc = nullptr;
    const std::vector<Case> cases = {
        {"QueryInterface", [&] { return site.QueryInterface(IID_IUnknown, nullptr); }},
        {"GetMoniker", [&] { return site.GetMoniker(0, 0, nullptr); }},
        {"GetContainer", [&] { return site.GetContainer(nullptr); }},
        {"GetWindow", [&] { return site.GetWindow(nullptr); }},
        {"GetWindowContext frame",
         [&] { return site.GetWindowContext(nullptr, &doc, &rect, &rect, &info); }},
        {"GetWindowContext info",
         [&] { return site.GetWindowContext(&frame, &doc, &rect, &rect, nullptr); }},
        {"OnPosRectChange", [&] { return site.OnPosRectChange(nullptr); }},
        {"InsertMenus", [&] { return site.InsertMenus(nullptr, nullptr); }},
        {"GetExtendedControl", [&] { return site.GetExtendedControl(nullptr); }},
        {"GetTypeInfoCount", [&] { return site.GetTypeInfoCount(nullptr); }},
        {"GetTypeInfo", [&] { return site.GetTypeInfo(0, 0, nullptr); }},
        {"Invoke",
         [&] {
             return site.Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr,
                                nullptr, nullptr, nullptr);
         }},
    };
    for (const Case& c : cases)
        EXPECT_EQ(E_POINTER, c.Call()) << c.Name;
    EXPECT_EQ(nullptr, frame) << "nothing handed out on a refused call";
    EXPECT_EQ(1, site.References);
}

TEST_F(ControlSiteTest, AnswersItsInterfacesWithOneIdentity) {
    const IID offered[] = {IID_IUnknown,        IID_IOleClientSite,   IID_IOleWindow,
                           IID_IOleInPlaceSite, IID_IOleInPlaceFrame, IID_IOleInPlaceUIWindow,
                           IID_IOleControlSite, IID_IDispatch};
    IUnknown* identity = nullptr;
    ASSERT_EQ(S_OK, site.QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    for (const IID& iid : offered) {
        IUnknown* answer = nullptr;
        ASSERT_EQ(S_OK, site.QueryInterface(iid, reinterpret_cast<void**>(&answer)));
        IUnknown* itsIdentity = nullptr;
        ASSERT_EQ(S_OK,
                  answer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&itsIdentity)));
        EXPECT_EQ(identity, itsIdentity);
        itsIdentity->Release();
        answer->Release();
    }
    identity->Release();
    void* none = &site;
    EXPECT_EQ(E_NOINTERFACE, site.QueryInterface(IID_IOleObject, &none));
    EXPECT_EQ(nullptr, none);
    EXPECT_EQ(1, site.References) << "every reference given back";
}

TEST_F(ControlSiteTest, WindowContextIsTheContainerAndThePosition) {
    site.Position = RECT{5, 6, 105, 36};
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* doc = reinterpret_cast<IOleInPlaceUIWindow*>(&site);
    RECT position{}, clip{};
    OLEINPLACEFRAMEINFO info{};
    ASSERT_EQ(S_OK, site.GetWindowContext(&frame, &doc, &position, &clip, &info));
    EXPECT_EQ(static_cast<IOleInPlaceFrame*>(&site), frame);
    EXPECT_EQ(nullptr, doc) << "the frame is the only window level";
    EXPECT_TRUE(::EqualRect(&position, &site.Position) && ::EqualRect(&clip, &site.Position));
    EXPECT_EQ(window.Handle(), info.hwndFrame);
    EXPECT_EQ(2, site.References) << "the frame is handed out with a reference";
    frame->Release();

    const RECT asked{0, 0, 50, 20};
    EXPECT_EQ(S_OK, site.OnPosRectChange(&asked));
    EXPECT_TRUE(::EqualRect(&asked, &site.Position)) << "the control's own size is kept";
}

TEST_F(ControlSiteTest, AmbientPropertiesByDispid) {
    struct Case {
        const char* Name;
        bool UserMode;
        DISPID Dispid;
        HRESULT Result;
        VARTYPE Type;
        VARIANT_BOOL Bool;
    };
    const Case cases[] = {
        {"running", true, DISPID_AMBIENT_USERMODE, S_OK, VT_BOOL, VARIANT_TRUE},
        {"designing", false, DISPID_AMBIENT_USERMODE, S_OK, VT_BOOL, VARIANT_FALSE},
        {"no font set", true, DISPID_AMBIENT_FONT, DISP_E_MEMBERNOTFOUND, VT_EMPTY, 0},
        {"not an ambient of ours", true, DISPID_AMBIENT_BACKCOLOR, DISP_E_MEMBERNOTFOUND, VT_EMPTY,
         0},
    };
    for (const Case& c : cases) {
        site.UserMode = c.UserMode;
        VARIANT result;
        result.vt = VT_I4; // garbage the site must clear
        EXPECT_EQ(c.Result, site.Invoke(c.Dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr,
                                        &result, nullptr, nullptr))
            << c.Name;
        EXPECT_EQ(c.Type, result.vt) << c.Name;
        if (c.Type == VT_BOOL) {
            EXPECT_EQ(c.Bool, result.boolVal) << c.Name;
        }
    }
}

TEST_F(ControlSiteTest, AmbientFontIsHandedOutWithAReference) {
    FONTDESC description{sizeof(FONTDESC),
                         const_cast<LPOLESTR>(L"Arial"),
                         {90000, 0},
                         400,
                         ANSI_CHARSET,
                         FALSE,
                         FALSE,
                         FALSE};
    com::TComPtr<IFontDisp> font;
    ASSERT_EQ(S_OK, ::OleCreateFontIndirect(&description, IID_IFontDisp, font.PutVoid()));
    site.AmbientFont = font;
    VARIANT result;
    ::VariantInit(&result);
    ASSERT_EQ(S_OK, site.Invoke(DISPID_AMBIENT_FONT, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr,
                                &result, nullptr, nullptr));
    ASSERT_EQ(VT_DISPATCH, result.vt);
    EXPECT_EQ(static_cast<IDispatch*>(font.Get()), result.pdispVal);
    ::VariantClear(&result); // the site's own reference stays
    site.AmbientFont.Reset();
    EXPECT_EQ(0u, font.Detach()->Release()) << "no reference lost or left";
}

TEST_F(ControlSiteTest, NoToolSpaceAndEmptyMenuGroups) {
    RECT border{};
    const BORDERWIDTHS widths{1, 1, 1, 1};
    EXPECT_EQ(INPLACE_E_NOTOOLSPACE, site.GetBorder(&border));
    EXPECT_EQ(INPLACE_E_NOTOOLSPACE, site.RequestBorderSpace(&widths));
    EXPECT_EQ(INPLACE_E_NOTOOLSPACE, site.SetBorderSpace(&widths));
    EXPECT_EQ(S_OK, site.SetBorderSpace(nullptr)) << "no tools is what there is";

    // The container fills its own groups (0, 2, 4) and leaves the object's.
    OLEMENUGROUPWIDTHS groups{{7, 7, 7, 7, 7, 7}};
    EXPECT_EQ(S_OK, site.InsertMenus(nullptr, &groups));
    const LONG expected[] = {0, 7, 0, 7, 0, 7};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], groups.width[i]) << "group " << i;
}

} // namespace
} // namespace corvane::host
