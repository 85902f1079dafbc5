#pragma once
// The standard error box: what an application shows when an error reaches a
// window procedure, which must never let it unwind into Windows code.

#include "win32/WinApi.h"

#include <string>

namespace corvane::win32 {

class ModalLoops;

// The application's title: the executable's name without its extension.
std::string ApplicationTitle();

// The top-level window that owns boxes shown for `window`: its top-level
// window on screen, or the active window when it has none (it is parked
// under a hidden message-only window, which must own nothing).
HWND MessageBoxOwner(HWND window);

// MessageBoxA with the error icon, owned like every box the application shows.
void ShowErrorBox(HWND window, const std::string& message);

// Shows the error now being handled (call only inside a catch block); with
// `loops`, the box is one of them and ends when they do.
void ShowCurrentException(HWND window) noexcept;
void ShowCurrentException(HWND window, ModalLoops& loops) noexcept;

// An exception for a failed Win32 call, with the system's text for the error.
[[noreturn]] void RaiseLastWin32Error(const char* operation);

} // namespace corvane::win32
