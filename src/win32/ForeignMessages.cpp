#include "win32/ForeignMessages.h"

#include "win32/ErrorBox.h"

#include <cstdint>

namespace corvane::win32 {
namespace {

constexpr UINT_PTR SubclassId = 0x46524E47; // one guard per window
const wchar_t* const GuardProperty = L"CorvaneForeignGuard";

// Per thread and trivially destroyed, so safe as the thread ends: the hook
// that empties posted messages for guarded windows, and how many windows
// still need it.
thread_local HHOOK t_postFilter = nullptr;
thread_local int t_guarded = 0;

bool Refused(UINT message, TForeignGuard kind) {
    if (message == WM_NOTIFY)
        return true;
    // Registered messages (0xC000 and up) carry no pointers of the control's.
    return kind == TForeignGuard::SystemControl && message >= WM_USER && message < 0xC000;
}

LRESULT CALLBACK PostFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        auto& msg = *reinterpret_cast<MSG*>(lParam);
        if (msg.hwnd != nullptr && (msg.message == WM_NOTIFY || msg.message >= WM_USER)) {
            const auto mark = reinterpret_cast<uintptr_t>(::GetPropW(msg.hwnd, GuardProperty));
            if (mark != 0 && Refused(msg.message, static_cast<TForeignGuard>(mark - 1))) {
                msg.message = WM_NULL;
                msg.wParam = 0;
                msg.lParam = 0;
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void ReleaseFilter() {
    if (t_guarded == 0 && t_postFilter != nullptr) {
        ::UnhookWindowsHookEx(t_postFilter);
        t_postFilter = nullptr;
    }
}

LRESULT CALLBACK GuardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR kind) {
    if (Refused(message, static_cast<TForeignGuard>(kind)) &&
        ::InSendMessageEx(nullptr) != ISMEX_NOSEND)
        return 0;
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &GuardProc, SubclassId);
        ::RemovePropW(window, GuardProperty);
        --t_guarded;
        ReleaseFilter();
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

} // namespace

void RefuseForeignMessages(HWND window, TForeignGuard kind) {
    if (window == nullptr ||
        ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId() ||
        ::GetPropW(window, GuardProperty) != nullptr)
        return;
    if (t_postFilter == nullptr) {
        t_postFilter =
            ::SetWindowsHookExW(WH_GETMESSAGE, &PostFilter, nullptr, ::GetCurrentThreadId());
        if (t_postFilter == nullptr)
            RaiseLastWin32Error("SetWindowsHookEx");
    }
    const auto mark = static_cast<uintptr_t>(kind) + 1;
    if (!::SetPropW(window, GuardProperty, reinterpret_cast<HANDLE>(mark))) {
        ReleaseFilter();
        RaiseLastWin32Error("SetProp");
    }
    if (!::SetWindowSubclass(window, &GuardProc, SubclassId, static_cast<DWORD_PTR>(kind))) {
        ::RemovePropW(window, GuardProperty);
        ReleaseFilter();
        RaiseLastWin32Error("SetWindowSubclass");
    }
    ++t_guarded;
}

} // namespace corvane::win32
