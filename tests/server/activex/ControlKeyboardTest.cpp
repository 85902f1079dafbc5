// The header in a container, from the keyboard: keys come through
// IOleInPlaceActiveObject::TranslateAccelerator, the ones the header does not
// use go back to the site, and the focus (tabbing or clicking in) makes the
// control UI-active.
#include "TestHost.h"

#include "core/model/HeaderColumns.h"

#include <string>
#include <vector>

namespace corvane::server::test {
namespace {

class KeyboardTest : public ControlTest {
protected:
    void SetUp() override {
        control = NewControl();
        header = &Object(control.Get()).HeaderControl();
        ole = Query<IOleObject>(control.Get(), IID_IOleObject);
        ASSERT_EQ(S_OK, ole->SetClientSite(&site));
        ASSERT_EQ(S_OK,
                  ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
        THeaderColumns* root = header->Sections();
        root->Clear();
        THeaderColumns* group = root->Add("Group");
        group->Add("A")->SetWidth(100);
        group->Add("B")->SetWidth(100);
        root->Add("C")->SetWidth(100);
        root->Changed(true);
        window = Object(control.Get()).Window().Handle();
        active = Query<IOleInPlaceActiveObject>(control.Get(), IID_IOleInPlaceActiveObject);
    }
    void TearDown() override {
        active.Reset();
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);
        ole.Reset();
        control.Reset();
        ControlTest::TearDown();
    }
    HRESULT Translate(UINT message, WPARAM key) {
        MSG msg{window, message, key, 0, 0, {}};
        return active->TranslateAccelerator(&msg);
    }
    std::string Focused() const {
        THeaderColumns* s = header->FocusedSection();
        return s != nullptr ? s->Caption() : "<none>";
    }

    TestSite site;
    TComPtr<ICorvane> control;
    TComPtr<IOleObject> ole;
    TComPtr<IOleInPlaceActiveObject> active;
    TStrativ* header = nullptr;
    HWND window = nullptr;
};

TEST_F(KeyboardTest, TabbingInActivatesAndKeysReachTheHeaderThroughTheContainer) {
    EXPECT_NE(0, ::GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) << "a tab stop";
    ::SetFocus(window); // the container's dialog navigation moves the focus in
    EXPECT_EQ(1, site.UIActivations);
    EXPECT_TRUE(site.ActiveObject) << "the frame knows the active object";
    EXPECT_EQ("Group", Focused());

    struct Step {
        UINT message;
        WPARAM key;
        HRESULT result;
        const char* focused;
    };
    const Step steps[] = {
        {WM_KEYDOWN, VK_DOWN, S_OK, "A"},      {WM_KEYDOWN, VK_RIGHT, S_OK, "B"},
        {WM_KEYDOWN, VK_RIGHT, S_OK, "C"},     {WM_KEYDOWN, VK_HOME, S_OK, "A"},
        {WM_KEYDOWN, VK_TAB, S_FALSE, "A"},    {WM_KEYDOWN, 'X', S_FALSE, "A"},
        {WM_KEYUP, VK_RIGHT, S_FALSE, "A"},    {WM_CHAR, ' ', S_FALSE, "A"},
        {WM_KEYDOWN, VK_ESCAPE, S_FALSE, "A"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.message) + " " + std::to_string(step.key));
        EXPECT_EQ(step.result, Translate(step.message, step.key));
        EXPECT_EQ(step.focused, Focused());
    }
    // Keys the header leaves alone go back to the container (Tab moves on).
    EXPECT_EQ((std::vector<UINT>{VK_TAB, 'X', VK_ESCAPE}), site.SiteKeys);
}

TEST_F(KeyboardTest, KeysWhoseOptionIsOffGoBackToTheContainer) {
    ::SetFocus(window);
    ASSERT_EQ(S_OK, control->put_AllowClick(VARIANT_FALSE));
    EXPECT_EQ(S_FALSE, Translate(WM_KEYDOWN, VK_SPACE));
    EXPECT_EQ(S_FALSE, Translate(WM_KEYDOWN, VK_RETURN)) << "Enter presses the default button";
    EXPECT_EQ((std::vector<UINT>{VK_SPACE, VK_RETURN}), site.SiteKeys);
    ASSERT_EQ(S_OK, control->put_AllowHResize(VARIANT_FALSE));
    ASSERT_EQ(S_OK, control->put_AllowVResize(VARIANT_FALSE));
    ASSERT_EQ(S_OK, control->put_AllowDragDrop(VARIANT_FALSE));
    EXPECT_EQ(0, ::GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) << "no longer a tab stop";
    EXPECT_EQ(0, ::SendMessageA(window, WM_GETDLGCODE, 0, 0)) << "and no keys wanted";
}

TEST_F(KeyboardTest, AClickActivatesAndFocusesTheSectionClicked) {
    // What the system sends for a click into an inactive child window.
    ::SendMessageA(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(site.Window()),
                   MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(1, site.UIActivations);
    ::SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 30));
    ::SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(250, 30));
    EXPECT_EQ(window, ::GetFocus());
    EXPECT_EQ("C", Focused());
}

} // namespace
} // namespace corvane::server::test
