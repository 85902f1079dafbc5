// The control in a host's window: in-place and UI activation, drawing into
// a host's DC, extent, ambient properties, quick activation, verbs.
#include "TestHost.h"

#include "win32/TopDownDib.h"

#include <olectl.h>

namespace corvane::server::test {
namespace {

using EmbeddingTest = ControlTest;

// A 32-bit DIB filled with one colour, to draw into and read back.
class PixelTarget {
public:
    PixelTarget(int width, int height, uint32_t fill) : width_(width) {
        dc_ = ::CreateCompatibleDC(nullptr);
        bitmap_ = win32::CreateTopDownDib(dc_, width, height, reinterpret_cast<void**>(&bits_));
        old_ = ::SelectObject(dc_, bitmap_.get());
        std::fill(bits_, bits_ + width * height, fill);
    }
    ~PixelTarget() {
        ::SelectObject(dc_, old_);
        bitmap_.reset();
        ::DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    uint32_t At(int x, int y) const {
        ::GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }

private:
    int width_;
    HDC dc_;
    win32::UniqueBitmap bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};

TEST_F(EmbeddingTest, InPlaceActivationMovesTheWindowIntoTheHostAndBack) {
    TestSite site;
    {
        auto control = NewControl();
        auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
        auto inPlace = Query<IOleInPlaceObject>(control.Get(), IID_IOleInPlaceObject);
        HWND window = nullptr;
        ASSERT_EQ(S_OK, inPlace->GetWindow(&window));
        EXPECT_NE(site.Window(), ::GetParent(window)) << "parked before activation";
        EXPECT_EQ(E_UNEXPECTED,
                  ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, nullptr, nullptr))
            << "no site yet";

        ASSERT_EQ(S_OK, ole->SetClientSite(&site));
        ASSERT_EQ(S_OK,
                  ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
        EXPECT_EQ(1, site.InPlaceActivations);
        EXPECT_EQ(0, site.UIActivations);
        EXPECT_EQ(site.Window(), ::GetParent(window));
        EXPECT_TRUE(::IsWindowVisible(window));
        RECT r{};
        ::GetWindowRect(window, &r);
        ::MapWindowPoints(nullptr, site.Window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(site.Position.left, r.left);
        EXPECT_EQ(site.Position.top, r.top);
        EXPECT_EQ(site.Position.right, r.right);
        EXPECT_EQ(site.Position.bottom, r.bottom);

        // New rectangles from the host move the window.
        RECT moved{5, 5, 205, 35};
        ASSERT_EQ(S_OK, inPlace->SetObjectRects(&moved, &moved));
        EXPECT_EQ(200, Object(control.Get()).HeaderControl().Width());

        // UI activation makes the control the frame's active object.
        ASSERT_EQ(S_OK,
                  ole->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, site.Window(), nullptr));
        EXPECT_EQ(1, site.UIActivations);
        EXPECT_TRUE(site.ActiveObject);
        auto active = Query<IOleInPlaceActiveObject>(control.Get(), IID_IOleInPlaceActiveObject);
        EXPECT_EQ(E_INVALIDARG, active->TranslateAccelerator(nullptr));
        MSG key{window, WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_EQ(S_FALSE, active->TranslateAccelerator(&key));

        ASSERT_EQ(S_OK, inPlace->InPlaceDeactivate());
        EXPECT_EQ(1, site.InPlaceDeactivations);
        EXPECT_FALSE(site.ActiveObject) << "UI deactivation cleared the active object";
        EXPECT_NE(site.Window(), ::GetParent(window)) << "parked again";
        EXPECT_FALSE(::IsWindowVisible(window));

        ASSERT_EQ(S_OK, ole->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, site.Window(), nullptr));
        EXPECT_EQ(site.Window(), ::GetParent(window));
        EXPECT_EQ(S_OK, ole->Close(OLECLOSE_NOSAVE));
        EXPECT_EQ(2, site.InPlaceDeactivations);
        EXPECT_EQ(S_OK, ole->SetClientSite(nullptr));
    }
    PumpMessages();
    EXPECT_EQ(1, site.References) << "the control let go of the site";
}

TEST_F(EmbeddingTest, DrawPaintsTheHeaderIntoAHostDc) {
    auto control = NewControl();
    TStrativ& header = Object(control.Get()).HeaderControl();
    header.SetBounds(0, 0, 120, 30);
    control->put_Color(0x0000FF00); // green background, so the header is easy to tell
    const int width = header.ClientWidth(), height = header.ClientHeight();
    auto view = Query<IViewObject2>(control.Get(), IID_IViewObject2);
    const uint32_t magenta = 0xFF00FF;

    // The control's own painting into a plain DC is the reference.
    PixelTarget reference(width, height, magenta);
    Object(control.Get()).Window().PaintTo(reference.Dc());

    PixelTarget target(200, 100, magenta);
    const RECTL bounds{10, 20, 10 + width, 20 + height};
    ASSERT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, target.Dc(),
                               &bounds, nullptr, nullptr, 0));
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            differing += target.At(10 + x, 20 + y) != reference.At(x, y);
    EXPECT_EQ(0, differing) << "Draw gives the control's own pixels";
    EXPECT_EQ(magenta, target.At(9, 20)) << "nothing outside the bounds";
    EXPECT_EQ(magenta, target.At(10 + width, 20 + height));

    // Stretched to twice the size: still the header, no gaps.
    PixelTarget stretched(2 * width, 2 * height, magenta);
    const RECTL doubled{0, 0, 2 * width, 2 * height};
    ASSERT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, stretched.Dc(),
                               &doubled, nullptr, nullptr, 0));
    int untouched = 0;
    for (int y = 0; y < 2 * height; ++y)
        for (int x = 0; x < 2 * width; ++x)
            untouched += stretched.At(x, y) == magenta;
    EXPECT_EQ(0, untouched);

    // A metafile DC records the drawing.
    const HDC meta = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, meta, &bounds,
                               nullptr, nullptr, 0));
    const HENHMETAFILE recorded = ::CloseEnhMetaFile(meta);
    EXPECT_GT(::GetEnhMetaFileBits(recorded, 0, nullptr), 200u);
    ::DeleteEnhMetaFile(recorded);
}

TEST_F(EmbeddingTest, ExtentIsTheControlsSizeInHimetric) {
    auto control = NewControl();
    auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
    SIZEL size{2540, 1270}; // one inch by half an inch
    ASSERT_EQ(S_OK, ole->SetExtent(DVASPECT_CONTENT, &size));
    EXPECT_EQ(96, Object(control.Get()).HeaderControl().Width());
    EXPECT_EQ(48, Object(control.Get()).HeaderControl().Height());
    SIZEL back{};
    ASSERT_EQ(S_OK, ole->GetExtent(DVASPECT_CONTENT, &back));
    EXPECT_EQ(2540, back.cx);
    EXPECT_EQ(1270, back.cy);
    EXPECT_EQ(DV_E_DVASPECT, ole->SetExtent(DVASPECT_ICON, &size));
    SIZEL negative{-5, 10};
    EXPECT_EQ(E_INVALIDARG, ole->SetExtent(DVASPECT_CONTENT, &negative));
    // On a monitor of another density an inch is that density's pixels.
    TStrativ& header = Object(control.Get()).HeaderControl();
    for (const int inch : {120, 144, 192, 96}) {
        header.ChangeScale(TDpiScale(inch));
        ASSERT_EQ(S_OK, ole->SetExtent(DVASPECT_CONTENT, &size));
        ASSERT_EQ(S_OK, ole->GetExtent(DVASPECT_CONTENT, &back));
        EXPECT_EQ((std::vector<long>{header.Width(), header.Height(), back.cx, back.cy}),
                  (std::vector<long>{inch, inch / 2, 2540, 1270}));
    }
}

TEST_F(EmbeddingTest, AmbientUserModeAndFontReachTheControl) {
    TestSite site;
    site.UserMode = false;
    FONTDESC desc{sizeof desc, const_cast<LPOLESTR>(L"Tahoma"), {}, FW_BOLD, 0, FALSE, FALSE,
                  FALSE};
    desc.cySize.int64 = 140000;
    ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(site.AmbientFont.Put()));
    {
        auto control = NewControl();
        TStrativ& header = Object(control.Get()).HeaderControl();
        auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
        ASSERT_EQ(S_OK, ole->SetClientSite(&site));
        EXPECT_TRUE(header.Designing());
        EXPECT_EQ(-::MulDiv(14, 96, 72), header.Font().Height) << "ParentFont follows the ambient";
        EXPECT_TRUE(header.Font().Style & fsBold);

        site.UserMode = true;
        auto oleControl = Query<IOleControl>(control.Get(), IID_IOleControl);
        ASSERT_EQ(S_OK, oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE));
        EXPECT_FALSE(header.Designing());

        // With a font of its own the control no longer follows.
        control->put_ParentFont(VARIANT_FALSE);
        CY bigger{};
        bigger.int64 = 300000;
        Query<IFont>(site.AmbientFont.Get(), IID_IFont)->put_Size(bigger);
        ASSERT_EQ(S_OK, oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_FONT));
        EXPECT_EQ(-::MulDiv(14, 96, 72), header.Font().Height);
        control->put_ParentFont(VARIANT_TRUE);
        ASSERT_EQ(S_OK, oleControl->OnAmbientPropertyChange(DISPID_UNKNOWN));
        EXPECT_NEAR(-::MulDiv(30, 96, 72), header.Font().Height, 1);
        ole->SetClientSite(nullptr);
    }
    PumpMessages();
}

TEST_F(EmbeddingTest, QuickActivationConnectsSiteAndSinks) {
    TestSite site;
    EventSink sink;
    {
        auto control = NewControl();
        QACONTAINER container{};
        container.cbSize = sizeof container;
        container.pClientSite = &site;
        container.pUnkEventSink = &sink;
        container.dwAmbientFlags = 0; // not in user mode: designing
        container.colorBack = 0x00102030;
        QACONTROL result{};
        result.cbSize = sizeof result;
        auto quick = Query<IQuickActivate>(control.Get(), IID_IQuickActivate);
        ASSERT_EQ(S_OK, quick->QuickActivate(&container, &result));
        EXPECT_EQ(0x20191u, result.dwMiscStatus);
        EXPECT_EQ(1u, result.dwEventCookie);
        EXPECT_TRUE(Object(control.Get()).HeaderControl().Designing());
        control->BeforeCustomize();
        EXPECT_EQ(1u, sink.Events.size());
        QACONTAINER small{};
        small.cbSize = 8;
        EXPECT_EQ(E_INVALIDARG, quick->QuickActivate(&small, &result));
        Query<IOleObject>(control.Get(), IID_IOleObject)->SetClientSite(nullptr);
    }
    PumpMessages();
    EXPECT_EQ(1, sink.References);
}

// A host's object menu: the verbs on container menus and the short name.
// The registry's entries win where the class is registered; with no class
// key (a registration-free host) the object tells the same itself.
struct ObjectMenuCase {
    const char* name;
    std::vector<std::pair<const char*, const char*>> keys; // under the class key
    std::vector<std::pair<LONG, std::wstring>> verbs;
    std::wstring fullName;
    std::wstring shortName;
};

TEST_F(EmbeddingTest, EnumVerbsAndUserTypeComeFromTheRegistryOrTheClassItself) {
    const char* classKey = "CLSID\\{FEDE2C33-B885-11D2-BBE8-E850F2510B74}";
    const std::vector<ObjectMenuCase> cases = {
        {"registered",
         {{"", "Registered name"},
          {"\\AuxUserType\\2", "Registered short"},
          {"\\Verb\\1", "Edit headers...,0,2"},
          {"\\Verb\\2", "About Strativ...,0,2"}},
         {{1, L"Edit headers..."}, {2, L"About Strativ..."}},
         L"Registered name",
         L"Registered short"},
        {"not registered",
         {},
         {{1, L"Customize..."}, {2, L"About Strativ..."}},
         L"Corvane Control",
         L"Corvane Control"},
    };
    for (const ObjectMenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, classKey);
        for (const auto& [sub, value] : c.keys)
            ASSERT_EQ(ERROR_SUCCESS,
                      ::RegSetValueA(HKEY_CLASSES_ROOT, (std::string(classKey) + sub).c_str(),
                                     REG_SZ, value, 0));
        auto control = NewControl();
        auto ole = Query<IOleObject>(control.Get(), IID_IOleObject);
        TComPtr<IEnumOLEVERB> verbs;
        ASSERT_EQ(S_OK, ole->EnumVerbs(verbs.Put()));
        std::vector<std::pair<LONG, std::wstring>> seen;
        OLEVERB verb{};
        while (verbs->Next(1, &verb, nullptr) == S_OK) {
            seen.emplace_back(verb.lVerb, verb.lpszVerbName);
            EXPECT_EQ(DWORD(OLEVERBATTRIB_ONCONTAINERMENU), verb.grfAttribs);
            ::CoTaskMemFree(verb.lpszVerbName);
        }
        EXPECT_EQ(c.verbs, seen);
        // A clone starts where its original stands.
        ASSERT_EQ(S_OK, verbs->Reset());
        ASSERT_EQ(S_OK, verbs->Skip(1));
        TComPtr<IEnumOLEVERB> clone;
        ASSERT_EQ(S_OK, verbs->Clone(clone.Put()));
        ASSERT_EQ(S_OK, clone->Next(1, &verb, nullptr));
        EXPECT_EQ(2, verb.lVerb);
        ::CoTaskMemFree(verb.lpszVerbName);

        for (const auto& [form, expected] :
             {std::pair{USERCLASSTYPE_FULL, c.fullName}, {USERCLASSTYPE_SHORT, c.shortName}}) {
            LPOLESTR name = nullptr;
            ASSERT_EQ(S_OK, ole->GetUserType(form, &name));
            EXPECT_EQ(expected, name);
            ::CoTaskMemFree(name);
        }
    }
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, classKey);
}

} // namespace
} // namespace corvane::server::test
