#include "win32/ErrorBox.h"

#include "core/framework/Exceptions.h"
#include "core/platform/CodePage.h"
#include "win32/ModalLoops.h"
#include "win32/WideText.h"

#include <exception>

namespace corvane::win32 {

std::string ApplicationTitle() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string name = Utf8FromWide(path, length);
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    return name;
}

HWND MessageBoxOwner(HWND window) {
    if (window != nullptr && ::IsWindow(window)) {
        const HWND root = ::GetAncestor(window, GA_ROOT);
        if (root != nullptr && ::GetAncestor(root, GA_PARENT) == ::GetDesktopWindow())
            return root;
    }
    return ::GetActiveWindow();
}

void ShowErrorBox(HWND window, const std::string& message) {
    ::MessageBoxW(MessageBoxOwner(window), WideFromUtf8(message).c_str(),
                  WideFromUtf8(ApplicationTitle()).c_str(), MB_OK | MB_ICONERROR);
}

namespace {

template <class Show> void ShowCurrent(Show&& show) noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& e) {
            show(e.what());
        } catch (...) {
            show("Unknown error");
        }
    } catch (...) {
        // Showing the box itself failed (out of memory): nothing more can be done here.
    }
}

} // namespace

void ShowCurrentException(HWND window) noexcept {
    ShowCurrent([window](const std::string& message) { ShowErrorBox(window, message); });
}

void ShowCurrentException(HWND window, ModalLoops& loops) noexcept {
    ShowCurrent([window, &loops](const std::string& message) {
        loops.MessageBox(MessageBoxOwner(window), message, ApplicationTitle(),
                         MB_OK | MB_ICONERROR);
    });
}

void RaiseLastWin32Error(const char* operation) {
    const DWORD code = ::GetLastError();
    char* text = nullptr;
    ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                         FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string message =
        std::string(operation) + " failed. System Error.  Code: " + std::to_string(code) + ".";
    if (text != nullptr) {
        message += "\r\n";
        message += TextFromAnsi(text);
        ::LocalFree(text);
    }
    throw Exception(message);
}

} // namespace corvane::win32
