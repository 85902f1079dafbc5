#pragma once
// Small owning handles for the COM resources the module code touches: an
// interface reference and a BSTR. Plain pointers never own.

#include "win32/WinApi.h"

#include <oleauto.h>

#include <string>
#include <utility>

namespace corvane::server {

// Owns one reference to a COM interface.
template <class T> class TComRef {
public:
    TComRef() = default;
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;
    TComRef(TComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    TComRef& operator=(TComRef&& other) noexcept {
        Reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~TComRef() { Reset(); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** Put() {
        Reset();
        return &p_;
    }
    void Reset(T* p = nullptr) {
        if (p_ != nullptr)
            p_->Release();
        p_ = p;
    }

private:
    T* p_ = nullptr;
};

// Owns one BSTR.
class TOwnedBstr {
public:
    TOwnedBstr() = default;
    TOwnedBstr(const TOwnedBstr&) = delete;
    TOwnedBstr& operator=(const TOwnedBstr&) = delete;
    ~TOwnedBstr() { ::SysFreeString(s_); }

    BSTR* Put() {
        ::SysFreeString(s_);
        s_ = nullptr;
        return &s_;
    }
    std::wstring Str() const { return s_ ? std::wstring(s_, ::SysStringLen(s_)) : std::wstring(); }

private:
    BSTR s_ = nullptr;
};

} // namespace corvane::server
