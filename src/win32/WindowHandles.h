#pragma once
// Owners for user-interface handles: windows, menus and a paint cycle.

#include "win32/WinApi.h"

#include <utility>

namespace corvane::win32 {

// A window this object destroys.
class UniqueWindow {
public:
    UniqueWindow() = default;
    explicit UniqueWindow(HWND handle) : handle_(handle) {}
    ~UniqueWindow() { reset(); }
    UniqueWindow(UniqueWindow&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueWindow& operator=(UniqueWindow&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;

    HWND get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(HWND handle = nullptr) {
        const HWND old = std::exchange(handle_, handle);
        if (old != nullptr && ::IsWindow(old))
            ::DestroyWindow(old);
    }
    // The window was destroyed by someone else: forget it.
    void release() { handle_ = nullptr; }

private:
    HWND handle_ = nullptr;
};

// A menu this object destroys.
class UniqueMenu {
public:
    explicit UniqueMenu(HMENU handle) : handle_(handle) {}
    ~UniqueMenu() {
        if (handle_ != nullptr)
            ::DestroyMenu(handle_);
    }
    UniqueMenu(UniqueMenu&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueMenu& operator=(UniqueMenu&&) = delete;
    UniqueMenu(const UniqueMenu&) = delete;
    UniqueMenu& operator=(const UniqueMenu&) = delete;

    HMENU get() const { return handle_; }

private:
    HMENU handle_;
};

// BeginPaint on construction, EndPaint on destruction.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }
    const RECT& dirty() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

} // namespace corvane::win32
