#include "server/activex/ParkingWindow.h"

#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

#include <mutex>

namespace corvane::server {
namespace {

constexpr const char* ParkingClassName = "CorvaneParking";
constexpr UINT CallMessage = WM_APP + 1; // wParam: the function, lParam: its context

struct ThreadParking {
    HWND Window = nullptr;
    int Uses = 0;
};

ThreadParking& Parking() {
    static thread_local ThreadParking parking;
    return parking;
}

LRESULT CALLBACK ParkingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == CallMessage) {
        reinterpret_cast<TParkingWindowRef::Call>(wParam)(reinterpret_cast<void*>(lParam));
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterParkingClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ParkingProc;
        wc.hInstance = win32::StrativWindowModule();
        wc.lpszClassName = ParkingClassName;
        if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            win32::RaiseLastWin32Error("RegisterClassEx");
    });
}

} // namespace

TParkingWindowRef::TParkingWindowRef() {
    ThreadParking& parking = Parking();
    if (parking.Window == nullptr) {
        RegisterParkingClass();
        // Message-only: never shown, and far cheaper to make than a hidden
        // top-level window.
        parking.Window = ::CreateWindowExA(0, ParkingClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                           nullptr, win32::StrativWindowModule(), nullptr);
        if (parking.Window == nullptr)
            win32::RaiseLastWin32Error("CreateWindowEx(parking)");
    }
    ++parking.Uses;
    window_ = parking.Window;
}

TParkingWindowRef::~TParkingWindowRef() {
    ThreadParking& parking = Parking();
    if (--parking.Uses == 0) {
        const HWND window = parking.Window;
        parking.Window = nullptr;
        ::DestroyWindow(window);
    }
}

bool TParkingWindowRef::PostCall(Call call, void* context) const {
    return ::PostMessageA(window_, CallMessage, reinterpret_cast<WPARAM>(call),
                          reinterpret_cast<LPARAM>(context)) != FALSE;
}

} // namespace corvane::server
