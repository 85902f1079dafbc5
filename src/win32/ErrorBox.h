#pragma once
// The standard error box: what an application shows when an error reaches a
// window procedure, which must never let it unwind into Windows code.

#include "win32/WinApi.h"

#include <string>

namespace corvane::win32 {

// The application's title: the executable's name without its extension.
std::string ApplicationTitle();

// The top-level window that owns boxes shown for `window` (or the active
// window when there is none).
HWND MessageBoxOwner(HWND window);

// MessageBoxA with the error icon, owned like every box the application shows.
void ShowErrorBox(HWND window, const std::string& message);

// Shows the error now being handled (call only inside a catch block).
void ShowCurrentException(HWND window) noexcept;

// An exception for a failed Win32 call, with the system's text for the error.
[[noreturn]] void RaiseLastWin32Error(const char* operation);

} // namespace corvane::win32
