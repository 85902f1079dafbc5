#pragma once
// Owners for COM references, BSTRs and VARIANTs used by the control object.

#include "server/automation/Bstr.h"
#include "win32/WinApi.h"

#include <oleauto.h>
#include <unknwn.h>

#include <string>
#include <utility>

namespace corvane::server {

// One counted reference to a COM interface.
template <class T> class TComRef {
public:
    TComRef() = default;
    // Takes a new reference of its own.
    explicit TComRef(T* p) : p_(p) {
        if (p_)
            p_->AddRef();
    }
    TComRef(const TComRef& o) : TComRef(o.p_) {}
    TComRef(TComRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    TComRef& operator=(TComRef o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~TComRef() { reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (T* old = std::exchange(p_, nullptr))
            old->Release();
    }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() {
        reset();
        return &p_;
    }
    // Hands the reference to a caller's out-parameter.
    T* detach() { return std::exchange(p_, nullptr); }
    // Asks any object for another interface.
    template <class U> static TComRef From(U* object, REFIID iid) {
        TComRef result;
        if (object)
            object->QueryInterface(iid, reinterpret_cast<void**>(result.put()));
        return result;
    }

private:
    T* p_ = nullptr;
};

// A BSTR this object frees.
class TBstrHolder {
public:
    TBstrHolder() = default;
    explicit TBstrHolder(BSTR owned) : s_(owned) {}
    ~TBstrHolder() { ::SysFreeString(s_); }
    TBstrHolder(const TBstrHolder&) = delete;
    TBstrHolder& operator=(const TBstrHolder&) = delete;
    BSTR get() const { return s_; }
    BSTR* put() {
        ::SysFreeString(std::exchange(s_, nullptr));
        return &s_;
    }
    BSTR detach() { return std::exchange(s_, nullptr); }
    // The slot itself, for a by-reference argument whose callee may replace
    // the string; what is there afterwards is freed by this object.
    BSTR* slot() { return &s_; }

private:
    BSTR s_ = nullptr;
};

// A VARIANT this object clears.
class TVariantHolder {
public:
    TVariantHolder() { ::VariantInit(&v_); }
    ~TVariantHolder() { ::VariantClear(&v_); }
    TVariantHolder(const TVariantHolder&) = delete;
    TVariantHolder& operator=(const TVariantHolder&) = delete;
    VARIANT* get() { return &v_; }
    VARIANT* operator->() { return &v_; }

private:
    VARIANT v_;
};

} // namespace corvane::server
