// A small C++ container for the CorvaneC header control.
//
// It creates CorvaneC.Corvane in place in a window of its own (host/), builds
// a section tree through ISections, prints the events it hears through the
// control's connection point, then saves the control with IPersistStreamInit
// and loads what it saved into a new control.
//
//   cpp-host.exe          run until the window is closed
//   cpp-host.exe --auto   click the first column itself, check the reload,
//                         print what happened and exit (0 when all went well)
//
// The control comes from the registry (regsvr32 CorvaneC.ocx) or, with no
// registration at all, from the CorvaneC assembly that this program's manifest
// names: CorvaneC.ocx and CorvaneC.manifest in the program's folder.
#include <windows.h>

#include "com/ComPtr.h"
#include "host/ContainerWindow.h"
#include "host/ControlSite.h"
#include "host/EventSink.h"
#include "host/HostError.h"
#include "host/HostedControl.h"
#include "host/StreamBytes.h"

#include <CorvaneC_TLB.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using corvane::com::TComPtr;
using corvane::host::Require;

struct BstrFree {
    void operator()(BSTR text) const { ::SysFreeString(text); }
};
using Bstr = std::unique_ptr<OLECHAR, BstrFree>;

std::string Narrow(const wchar_t* text, int length) {
    if (length <= 0)
        return {};
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

std::string CaptionOf(ISections* section) {
    BSTR caption = nullptr;
    if (section == nullptr || FAILED(section->get_Caption(&caption)))
        return "(none)";
    const Bstr owner(caption);
    return Narrow(caption, static_cast<int>(::SysStringLen(caption)));
}

// What a container puts in its Edit menu for the selected object: its short
// name and the verbs it offers on container menus. With no registration the
// control tells these itself.
std::string ObjectMenu(IUnknown* object) {
    const auto ole = TComPtr<IOleObject>::From(object, IID_IOleObject);
    if (!ole)
        return {};
    std::string menu;
    LPOLESTR name = nullptr;
    if (SUCCEEDED(ole->GetUserType(USERCLASSTYPE_SHORT, &name)) && name != nullptr)
        menu = Narrow(name, ::lstrlenW(name)) + ":";
    ::CoTaskMemFree(name);
    TComPtr<IEnumOLEVERB> verbs;
    if (FAILED(ole->EnumVerbs(verbs.Put())) || !verbs)
        return menu;
    OLEVERB verb{};
    while (verbs->Next(1, &verb, nullptr) == S_OK) {
        if (verb.lVerb >= 0 && (verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU) != 0 &&
            verb.lpszVerbName != nullptr)
            menu += " [" + Narrow(verb.lpszVerbName, ::lstrlenW(verb.lpszVerbName)) + "]";
        ::CoTaskMemFree(verb.lpszVerbName);
    }
    return menu;
}

TComPtr<ISections> Add(ISections& parent, const wchar_t* caption, long width = 0) {
    const Bstr text(::SysAllocString(caption));
    TComPtr<ISections> section;
    Require(parent.Add(text.get(), section.Put()), "ISections::Add");
    if (width > 0)
        Require(section->put_Width(width), "ISections::Width");
    return section;
}

void BuildTree(ICorvane& control) {
    TComPtr<ISections> root;
    Require(control.get_Sections(root.Put()), "ICorvane::Sections");
    Require(root->Clear(), "ISections::Clear");
    const auto person = Add(*root.Get(), L"Person");
    Add(*person.Get(), L"First name", 90);
    Add(*person.Get(), L"Last name", 90);
    const auto order = Add(*root.Get(), L"Order");
    Add(*order.Get(), L"Quantity", 70);
    Add(*order.Get(), L"Delivery date", 110);
    // Edits of the top level take effect with Changed.
    Require(root->Changed(VARIANT_TRUE), "ISections::Changed");
}

void PrintTree(ISections& section, int depth) {
    long count = 0;
    Require(section.get_Count(&count), "ISections::Count");
    for (long i = 0; i < count; ++i) {
        TComPtr<ISections> child;
        Require(section.get_Items(i, child.Put()), "ISections::Items");
        long width = 0;
        child->get_Width(&width);
        std::printf("%*s%s (%ld)\n", 2 * depth + 2, "", CaptionOf(child.Get()).c_str(), width);
        PrintTree(*child.Get(), depth + 1);
    }
}

long Columns(ICorvane& control) {
    long columns = 0;
    Require(control.get_ColumnCount(&columns), "ICorvane::ColumnCount");
    return columns;
}

// Events arrive as IDispatch::Invoke calls with the arguments last first.
class HeaderEvents : public corvane::host::EventSink {
public:
    HeaderEvents() : EventSink(DIID_ICorvaneEvents) {}
    std::string LastClick;

protected:
    HRESULT Event(DISPID dispid, DISPPARAMS& params) override {
        const auto arg = [&](UINT position) -> VARIANT& {
            return params.rgvarg[params.cArgs - 1 - position];
        };
        switch (dispid) {
        case DISPID_ICorvaneEvents_OnHeaderClick:
            if (params.cArgs == 1 && arg(0).vt == VT_DISPATCH) {
                const auto section = TComPtr<ISections>::From(arg(0).pdispVal, IID_ISections);
                LastClick = CaptionOf(section.Get());
                std::printf("OnHeaderClick section=\"%s\"\n", LastClick.c_str());
            }
            break;
        case DISPID_ICorvaneEvents_OnSized: // Section, Width, SectionIndex
            if (params.cArgs == 3 && arg(0).vt == VT_DISPATCH && arg(1).vt == VT_I4) {
                const auto section = TComPtr<ISections>::From(arg(0).pdispVal, IID_ISections);
                std::printf("OnSized section=\"%s\" width=%ld\n", CaptionOf(section.Get()).c_str(),
                            arg(1).lVal);
            }
            break;
        default:
            break;
        }
        std::fflush(stdout);
        return S_OK;
    }
};

// A left click where a user would make it, through the control's window.
void ClickAt(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    ::PostMessageA(window, WM_MOUSEMOVE, 0, at);
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(window, WM_LBUTTONUP, 0, at);
    corvane::host::PumpMessagesFor(300);
}

int Run(bool automatic) {
    corvane::host::WindowPlacement placement;
    placement.clientWidth = 640;
    placement.clientHeight = 68;
    placement.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    corvane::host::ContainerWindow window("CorvaneC C++ host", placement);
    window.QuitOnClose = true; // the window stays until the control is closed
    corvane::host::ControlSite site(window.Handle());
    site.Position = RECT{8, 8, 632, 60};
    HeaderEvents events;

    std::vector<unsigned char> saved;
    long columnsBefore = 0;
    std::string menu;
    {
        corvane::host::HostedControl header(site, &events);
        BuildTree(header.Control());
        columnsBefore = Columns(header.Control());
        TComPtr<ISections> root;
        Require(header.Control().get_Sections(root.Put()), "ICorvane::Sections");
        std::printf("created CorvaneC.Corvane with %ld columns:\n", columnsBefore);
        PrintTree(*root.Get(), 0);
        menu = ObjectMenu(header.Object());
        std::printf("object menu: %s\n", menu.c_str());

        if (automatic) {
            // The first column sits under the top band, at the left edge.
            RECT client{};
            ::GetClientRect(header.Window(), &client);
            ClickAt(header.Window(), 10, client.bottom - 6);
        } else {
            std::printf("click, resize or drag the sections; close the window to save, "
                        "reload and end\n");
            std::fflush(stdout);
            corvane::host::RunMessageLoop();
        }
        saved = corvane::host::SaveToBytes(header.Object());
    }
    std::printf("saved %u bytes\n", static_cast<unsigned>(saved.size()));

    // A new control from what was saved: the tree comes back.
    corvane::host::HostedControl reloaded(site, &events, corvane::host::StreamOnBytes(saved).Get());
    const long columnsAfter = Columns(reloaded.Control());
    TComPtr<ISections> root;
    Require(reloaded.Control().get_Sections(root.Put()), "ICorvane::Sections");
    TComPtr<ISections> first;
    Require(root->get_Items(0, first.Put()), "ISections::Items");
    std::printf("reloaded %ld columns, first section \"%s\"\n", columnsAfter,
                CaptionOf(first.Get()).c_str());

    int failures = 0;
    if (automatic && events.LastClick != "First name") {
        std::printf("FAIL: the click on the first column was not heard\n");
        ++failures;
    }
    if (menu != "Corvane Control: [Customize...] [About Strativ...]") {
        std::printf("FAIL: the object menu lacks the control's name or verbs\n");
        ++failures;
    }
    if (columnsAfter != columnsBefore || CaptionOf(first.Get()) != "Person") {
        std::printf("FAIL: the reloaded control differs from the saved one\n");
        ++failures;
    }
    if (failures == 0)
        std::printf("cpp-host: all checks passed\n");
    else
        std::printf("cpp-host: %d checks failed\n", failures);
    return failures == 0 ? 0 : 1;
}

// OLE for the thread while the program runs.
class OleSession {
public:
    OleSession() { Require(::OleInitialize(nullptr), "OleInitialize"); }
    ~OleSession() { ::OleUninitialize(); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

} // namespace

int main(int argc, char** argv) {
    const bool automatic = argc > 1 && std::strcmp(argv[1], "--auto") == 0;
    try {
        const OleSession ole;
        return Run(automatic);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cpp-host: %s\n", e.what());
        return 1;
    }
}
