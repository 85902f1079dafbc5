// The built CorvaneC.ocx through its assembly manifest (an activation
// context made from the manifest beside it, as an application that names the
// assembly gets): what the manifest declares, and the shared container's
// hosted control in it: in place, events, save and reload, and a failed
// load that gives back everything it took.
#include "win32/WinApi.h"

#include "host/ContainerWindow.h"
#include "host/ControlSite.h"
#include "host/EventSink.h"
#include "host/HostError.h"
#include "host/HostedControl.h"
#include "host/StreamBytes.h"

#include <CorvaneC_TLB.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::host {
namespace {

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// The activation context of the module's manifest, active on this thread
// for the whole run.
class ManifestContext : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(S_OK, ::OleInitialize(nullptr));
        const std::wstring manifest = Widen(CORVANE_MANIFEST_PATH);
        const std::wstring directory = manifest.substr(0, manifest.find_last_of(L"/\\"));
        ACTCTXW description{};
        description.cbSize = sizeof description;
        description.dwFlags = ACTCTX_FLAG_ASSEMBLY_DIRECTORY_VALID;
        description.lpSource = manifest.c_str();
        description.lpAssemblyDirectory = directory.c_str();
        context_ = ::CreateActCtxW(&description);
        ASSERT_NE(INVALID_HANDLE_VALUE, context_) << "error " << ::GetLastError();
        ASSERT_TRUE(::ActivateActCtx(context_, &cookie_));
    }
    void TearDown() override {
        ::DeactivateActCtx(0, cookie_);
        ::ReleaseActCtx(context_);
        ::OleUninitialize();
    }

private:
    HANDLE context_ = INVALID_HANDLE_VALUE;
    ULONG_PTR cookie_ = 0;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ManifestContext);

constexpr GUID PropertyPageClassId = {
    0x064AEF20, 0xBACA, 0x11D2, {0xBB, 0xE8, 0xB1, 0xA4, 0xA6, 0x48, 0x88, 0x76}};

TEST(ModuleManifestTest, DeclaresTheClassesTheLibraryAndTheInterfaces) {
    struct Case {
        const char* Name;
        ULONG Section;
        GUID Id;
        bool Declared;
    };
    const Case cases[] = {
        {"control class", ACTIVATION_CONTEXT_SECTION_COM_SERVER_REDIRECTION, CLSID_Corvane, true},
        {"property page class", ACTIVATION_CONTEXT_SECTION_COM_SERVER_REDIRECTION,
         PropertyPageClassId, true},
        {"type library", ACTIVATION_CONTEXT_SECTION_COM_TYPE_LIBRARY_REDIRECTION, LIBID_CorvaneC,
         true},
        {"ICorvane", ACTIVATION_CONTEXT_SECTION_COM_INTERFACE_REDIRECTION, IID_ICorvane, true},
        {"ICorvaneEvents", ACTIVATION_CONTEXT_SECTION_COM_INTERFACE_REDIRECTION,
         DIID_ICorvaneEvents, true},
        {"ISections", ACTIVATION_CONTEXT_SECTION_COM_INTERFACE_REDIRECTION, IID_ISections, true},
        // Sections objects are made by the control, never by a factory.
        {"Sections class", ACTIVATION_CONTEXT_SECTION_COM_SERVER_REDIRECTION, CLSID_Sections,
         false},
    };
    for (const Case& c : cases) {
        ACTCTX_SECTION_KEYED_DATA data{};
        data.cbSize = sizeof data;
        EXPECT_EQ(c.Declared, ::FindActCtxSectionGuid(0, nullptr, c.Section, &c.Id, &data) != FALSE)
            << c.Name;
    }
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(::FindActCtxSectionStringW(
        0, nullptr, ACTIVATION_CONTEXT_SECTION_COM_PROGID_REDIRECTION, L"CorvaneC.Corvane", &data));
    // Through the manifest the ProgID names an alias of the class (as the
    // platform's activation contexts do): it makes the control, whose own
    // class ID is the real one.
    CLSID byProgId{};
    ASSERT_EQ(S_OK, ::CLSIDFromProgID(L"CorvaneC.Corvane", &byProgId));
    com::TComPtr<IPersistStreamInit> object;
    ASSERT_EQ(S_OK, ::CoCreateInstance(byProgId, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IPersistStreamInit, object.PutVoid()));
    CLSID own{};
    ASSERT_EQ(S_OK, object->GetClassID(&own));
    EXPECT_TRUE(IsEqualCLSID(CLSID_Corvane, own));
}

TEST(ModuleManifestTest, NamesTheModulesVersion) {
    std::ifstream file(CORVANE_MANIFEST_PATH);
    std::stringstream text;
    text << file.rdbuf();
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(CORVANE_OCX_PATH, &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(::GetFileVersionInfoA(CORVANE_OCX_PATH, 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    const std::string version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionLS));
    EXPECT_NE(std::string::npos, text.str().find("name=\"CorvaneC\" version=\"" + version + "\""))
        << "the manifest names another version than the module's " << version;
}

class HostedControlTest : public ::testing::Test {
protected:
    HostedControlTest() { site.Position = RECT{10, 10, 310, 50}; }
    ContainerWindow window{"hosted", WindowPlacement{0, 0, 400, 120, WS_POPUP, SW_SHOWNA}};
    ControlSite site{window.Handle()};
    EventSink sink{DIID_ICorvaneEvents};
    std::vector<DISPID> heard;
    void SetUp() override {
        sink.Handler = [this](DISPID dispid, DISPPARAMS&) {
            heard.push_back(dispid);
            return S_OK;
        };
    }
    void TearDown() override {
        PumpMessages();
        EXPECT_EQ(1, site.References) << "the control let go of the site";
        EXPECT_EQ(1, sink.References) << "the connection let go of the sink";
    }
};

TEST_F(HostedControlTest, InPlaceInTheSiteWithEventsConnected) {
    HostedControl control(site, &sink);
    const HWND header = control.Window();
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(window.Handle(), ::GetParent(header));
    EXPECT_EQ(1, site.InPlaceActivations);
    RECT r{};
    ::GetWindowRect(header, &r);
    ::MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(::EqualRect(&r, &site.Position));

    const RECT moved{0, 0, 200, 30};
    control.Move(moved);
    ::GetWindowRect(header, &r);
    EXPECT_EQ(200, r.right - r.left);
    EXPECT_TRUE(::EqualRect(&moved, &site.Position));

    ASSERT_EQ(S_OK, control.Control().AfterCustomize());
    EXPECT_EQ(std::vector<DISPID>{DISPID_ICorvaneEvents_OnAfterCustomize}, heard);
}

TEST_F(HostedControlTest, SavedStateComesBackInANewControl) {
    std::vector<unsigned char> saved;
    {
        HostedControl control(site, nullptr);
        com::TComPtr<ISections> root, added;
        ASSERT_EQ(S_OK, control.Control().get_Sections(root.Put()));
        BSTR caption = ::SysAllocString(L"Second");
        EXPECT_EQ(S_OK, root->Add(caption, added.Put()));
        ::SysFreeString(caption);
        ASSERT_EQ(S_OK, root->Changed(VARIANT_TRUE));
        saved = SaveToBytes(control.Object());
    }
    HostedControl reloaded(site, &sink, StreamOnBytes(saved).Get());
    long columns = 0;
    ASSERT_EQ(S_OK, reloaded.Control().get_ColumnCount(&columns));
    EXPECT_EQ(2, columns);
    EXPECT_EQ(saved, SaveToBytes(reloaded.Object())) << "saved again byte for byte";
}

TEST_F(HostedControlTest, AFailedLoadGivesBackTheSiteAndTheSink) {
    const std::vector<unsigned char> damaged = {0x54, 0x50, 0x46, 0x30, 0xFF, 0xFF};
    try {
        HostedControl control(site, &sink, StreamOnBytes(damaged).Get());
        FAIL() << "a damaged stream was loaded";
    } catch (const HostError& error) {
        EXPECT_TRUE(FAILED(error.Code()));
        EXPECT_NE(std::string::npos, std::string(error.what()).find("IPersistStreamInit::Load"));
    }
    EXPECT_EQ(0, site.InPlaceActivations) << "never activated";
    // TearDown checks the references.
}

} // namespace
} // namespace corvane::host
