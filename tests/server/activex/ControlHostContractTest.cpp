// What a host notices of the control's contract: the window after the hide
// verb.
#include "TestHost.h"

namespace corvane::server::test {
namespace {

using HostContractTest = ControlTest;

// The control in place in a TestSite, torn down again at the end.
class InPlaceControl {
public:
    explicit InPlaceControl(TestSite& site) : site_(site), control_(NewControl()) {
        ole_ = Query<IOleObject>(control_.Get(), IID_IOleObject);
        EXPECT_EQ(S_OK, ole_->SetClientSite(&site));
        EXPECT_EQ(S_OK, Verb(OLEIVERB_INPLACEACTIVATE));
        Query<IOleInPlaceObject>(control_.Get(), IID_IOleInPlaceObject)->GetWindow(&window_);
    }
    ~InPlaceControl() {
        ole_->Close(OLECLOSE_NOSAVE);
        ole_->SetClientSite(nullptr);
    }
    InPlaceControl(const InPlaceControl&) = delete;
    InPlaceControl& operator=(const InPlaceControl&) = delete;

    HRESULT Verb(LONG verb) {
        return ole_->DoVerb(verb, nullptr, &site_, 0, site_.Window(), nullptr);
    }
    ICorvane* Control() const { return control_.Get(); }
    HWND Window() const { return window_; }

private:
    TestSite& site_;
    TComPtr<ICorvane> control_;
    TComPtr<IOleObject> ole_;
    HWND window_ = nullptr;
};

TEST_F(HostContractTest, ShowingVerbsShowTheWindowAgainAfterTheHideVerb) {
    const LONG showing[] = {OLEIVERB_INPLACEACTIVATE, OLEIVERB_UIACTIVATE, OLEIVERB_SHOW};
    TestSite site;
    for (const LONG verb : showing) {
        InPlaceControl control(site);
        ASSERT_TRUE(::IsWindowVisible(control.Window()));
        ASSERT_EQ(S_OK, control.Verb(OLEIVERB_HIDE));
        EXPECT_FALSE(::IsWindowVisible(control.Window())) << "verb " << verb;
        ASSERT_EQ(S_OK, control.Verb(verb));
        EXPECT_TRUE(::IsWindowVisible(control.Window())) << "verb " << verb;

        // Moving a hidden control does not show it behind the host's back.
        ASSERT_EQ(S_OK, control.Verb(OLEIVERB_HIDE));
        RECT moved{5, 5, 205, 35};
        Query<IOleInPlaceObject>(control.Control(), IID_IOleInPlaceObject)
            ->SetObjectRects(&moved, &moved);
        EXPECT_FALSE(::IsWindowVisible(control.Window())) << "verb " << verb;
        ASSERT_EQ(S_OK, control.Verb(verb));
        EXPECT_TRUE(::IsWindowVisible(control.Window())) << "verb " << verb;
        VARIANT_BOOL visible = 0;
        ASSERT_EQ(S_OK, control.Control()->get_Visible(&visible));
        EXPECT_EQ(VARIANT_TRUE, visible);
    }
    PumpMessages();
}

TEST_F(HostContractTest, AnInvisibleControlStaysHiddenWhateverTheVerb) {
    TestSite site;
    InPlaceControl control(site);
    ASSERT_EQ(S_OK, control.Control()->put_Visible(VARIANT_FALSE));
    EXPECT_FALSE(::IsWindowVisible(control.Window()));
    ASSERT_EQ(S_OK, control.Verb(OLEIVERB_HIDE));
    ASSERT_EQ(S_OK, control.Verb(OLEIVERB_SHOW));
    EXPECT_FALSE(::IsWindowVisible(control.Window()));
    ASSERT_EQ(S_OK, control.Control()->put_Visible(VARIANT_TRUE));
    EXPECT_TRUE(::IsWindowVisible(control.Window()));
}

} // namespace
} // namespace corvane::server::test
