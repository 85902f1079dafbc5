#include "PropertyPageDemo.h"

#include "Screenshot.h"
#include "core/framework/Exceptions.h"
#include "win32/WinApi.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <string>

namespace corvane::demo {
namespace {

constexpr CLSID ControlClassId = {
    0xFEDE2C33, 0xB885, 0x11D2, {0xBB, 0xE8, 0xE8, 0x50, 0xF2, 0x51, 0x0B, 0x74}};
constexpr CLSID PageClassId = {
    0x064AEF20, 0xBACA, 0x11D2, {0xBB, 0xE8, 0xB1, 0xA4, 0xA6, 0x48, 0x88, 0x76}};

using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

void Check(HRESULT hr, const char* what) {
    if (FAILED(hr)) {
        char text[128];
        std::snprintf(text, sizeof text, "%s failed (0x%08lX)", what,
                      static_cast<unsigned long>(hr));
        throw Exception(text);
    }
}

// Releases a COM reference on every way out.
template <class T> class Held {
public:
    Held() = default;
    ~Held() {
        if (p != nullptr)
            p->Release();
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T* p = nullptr;
};

class OleScope {
public:
    OleScope() { Check(::OleInitialize(nullptr), "OleInitialize"); }
    ~OleScope() { ::OleUninitialize(); }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
};

std::string ModuleBesideDemo() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "CorvaneC.ocx";
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found) {
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (!::IsWindowVisible(window) || std::string(name) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Saves the frame and cancels it, from a timer inside the frame's modal loop.
std::string g_screenshot;
void CALLBACK ShootFrame(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND frame = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindVisibleDialog,
                        reinterpret_cast<LPARAM>(&frame));
    if (frame == nullptr)
        return;
    ::KillTimer(nullptr, timer);
    ::RedrawWindow(frame, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    try {
        SaveClientScreenshot(frame, g_screenshot);
        std::printf("screenshot saved to %s\n", g_screenshot.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvane-demo: %s\n", e.what());
    }
    ::PostMessageA(frame, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

void ShowPropertyPage(const std::string& screenshot) {
    const OleScope ole;
    const std::string path = ModuleBesideDemo();
    const HMODULE module = ::LoadLibraryA(path.c_str());
    if (module == nullptr)
        throw Exception("Cannot load " + path);
    const auto getClassObject = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(::GetProcAddress(module, "DllGetClassObject")));
    if (getClassObject == nullptr)
        throw Exception(path + " has no DllGetClassObject");

    Held<IClassFactory> controls, pages;
    Check(getClassObject(ControlClassId, IID_IClassFactory, reinterpret_cast<void**>(&controls.p)),
          "DllGetClassObject (control)");
    Check(getClassObject(PageClassId, IID_IClassFactory, reinterpret_cast<void**>(&pages.p)),
          "DllGetClassObject (property page)");
    Held<IUnknown> control;
    Check(controls.p->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&control.p)),
          "Creating the control");
    // The frame creates the page by its class ID: this process serves it.
    DWORD cookie = 0;
    Check(::CoRegisterClassObject(PageClassId, pages.p, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                  &cookie),
          "CoRegisterClassObject");

    g_screenshot = screenshot;
    if (!screenshot.empty())
        ::SetTimer(nullptr, 0, 300, &ShootFrame);
    IUnknown* objects[] = {control.p};
    CLSID pageIds[] = {PageClassId};
    const HRESULT shown = ::OleCreatePropertyFrame(nullptr, 60, 60, L"Header1", 1, objects, 1,
                                                   pageIds, LOCALE_USER_DEFAULT, 0, nullptr);
    ::CoRevokeClassObject(cookie);
    Check(shown, "OleCreatePropertyFrame");
}

} // namespace corvane::demo
