#pragma once
// IUnknown for an object that offers one interface: it answers IUnknown, that
// interface and, for an automation interface, IDispatch; it counts its
// references with interlocked operations, as any thread may hold one, and
// frees itself with the last Release.

#include <oaidl.h>

#include <type_traits>

namespace corvane::com {

// COM interfaces declare no destructor; this class adds a virtual one.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"

template <class Interface> class TComObject : public Interface {
public:
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, iid_) &&
            !(std::is_base_of_v<IDispatch, Interface> && IsEqualIID(riid, IID_IDispatch)))
            return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(::InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    // references: 1 for an object handed on with its maker's reference, 0
    // for one that gets its first as it is handed out.
    TComObject(const IID& iid, LONG references) : iid_(iid), references_(references) {}
    // Reached only through Release: clients never delete through an
    // interface pointer.
    virtual ~TComObject() = default;
    const IID& InterfaceId() const { return iid_; }

private:
    const IID iid_;
    LONG references_;
};

#pragma GCC diagnostic pop

} // namespace corvane::com
