#pragma once
// An owning COM interface pointer: one reference, released on destruction.
//
// Needs nothing but the Windows headers, so it ships with the C++ sample as
// it is. Project code includes server/automation/ComPtr.h, which reads the
// project's Windows headers first.

#include <unknwn.h>

#include <utility>

namespace corvane::com {

template <class T> class TComPtr {
public:
    TComPtr() noexcept = default;
    // Takes a new reference on p.
    explicit TComPtr(T* p) noexcept : p_(p) {
        if (p_)
            p_->AddRef();
    }
    TComPtr(const TComPtr& other) noexcept : TComPtr(other.p_) {}
    TComPtr(TComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ~TComPtr() { Reset(); }
    TComPtr& operator=(TComPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    // Takes over a reference the caller already owns (a fresh out-parameter).
    static TComPtr Attach(T* p) noexcept {
        TComPtr result;
        result.p_ = p;
        return result;
    }
    // Gives the reference to the caller.
    T* Detach() noexcept { return std::exchange(p_, nullptr); }
    void Reset() noexcept {
        if (T* old = std::exchange(p_, nullptr))
            old->Release();
    }
    // For out-parameters: releases what is held first.
    T** Put() noexcept {
        Reset();
        return &p_;
    }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }

    // Stores a new reference in *out (which must not be null).
    void CopyTo(T** out) const noexcept {
        *out = p_;
        if (p_)
            p_->AddRef();
    }

    // Asks any object for this interface by its IID; empty when it has none.
    template <class U> static TComPtr From(U* object, REFIID iid) noexcept {
        TComPtr result;
        if (object)
            object->QueryInterface(iid, result.PutVoid());
        return result;
    }

    template <class U> HRESULT As(TComPtr<U>& out) const noexcept {
        return p_ ? p_->QueryInterface(__uuidof(U), out.PutVoid()) : E_POINTER;
    }

private:
    T* p_ = nullptr;
};

} // namespace corvane::com
