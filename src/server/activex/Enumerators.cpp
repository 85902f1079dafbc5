#include "server/activex/Enumerators.h"

#include "com/ComObject.h"

#include <cstring>
#include <new>

namespace corvane::server {
namespace {

// Copies of one item, with its reference counted.
IConnectionPoint* CopyItem(IConnectionPoint* p) {
    p->AddRef();
    return p;
}
CONNECTDATA CopyItem(const CONNECTDATA& c) {
    c.pUnk->AddRef();
    return c;
}
OLEVERB CopyItem(const OLEVERB& v) {
    OLEVERB copy = v;
    copy.lpszVerbName = nullptr;
    if (v.lpszVerbName != nullptr) {
        const size_t bytes = (::lstrlenW(v.lpszVerbName) + 1) * sizeof(wchar_t);
        copy.lpszVerbName = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
        if (copy.lpszVerbName != nullptr)
            std::memcpy(copy.lpszVerbName, v.lpszVerbName, bytes);
    }
    return copy;
}
void FreeItem(IConnectionPoint* p) {
    p->Release();
}
void FreeItem(const CONNECTDATA& c) {
    c.pUnk->Release();
}
void FreeItem(const OLEVERB& v) {
    ::CoTaskMemFree(v.lpszVerbName);
}

template <class Interface, class Item> class TEnumerator final : public com::TComObject<Interface> {
public:
    TEnumerator(const IID& iid, const std::vector<Item>& items, size_t position = 0)
        : com::TComObject<Interface>(iid, 0), position_(position) {
        for (const Item& item : items)
            items_.push_back(CopyItem(item));
    }
    ~TEnumerator() override {
        for (const Item& item : items_)
            FreeItem(item);
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* out, ULONG* fetched) override {
        if (out == nullptr || (count > 1 && fetched == nullptr))
            return E_POINTER;
        ULONG done = 0;
        while (done < count && position_ < items_.size())
            out[done++] = CopyItem(items_[position_++]);
        if (fetched != nullptr)
            *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = items_.size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        position_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Interface** copy) override {
        if (copy == nullptr)
            return E_POINTER;
        auto* clone = new (std::nothrow) TEnumerator(this->InterfaceId(), items_, position_);
        if (clone == nullptr)
            return E_OUTOFMEMORY;
        clone->AddRef();
        *copy = clone;
        return S_OK;
    }

private:
    TModuleObjectCount objectCount_;
    std::vector<Item> items_;
    size_t position_;
};

template <class Interface, class Item>
HRESULT Create(const IID& iid, const std::vector<Item>& items, Interface** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    auto* enumerator = new (std::nothrow) TEnumerator<Interface, Item>(iid, items);
    if (enumerator == nullptr)
        return E_OUTOFMEMORY;
    enumerator->AddRef();
    *result = enumerator;
    return S_OK;
}

} // namespace

HRESULT CreatePointEnumerator(const std::vector<IConnectionPoint*>& points,
                              IEnumConnectionPoints** result) {
    return Create(IID_IEnumConnectionPoints, points, result);
}

HRESULT CreateConnectionEnumerator(const std::vector<CONNECTDATA>& connections,
                                   IEnumConnections** result) {
    return Create(IID_IEnumConnections, connections, result);
}

HRESULT CreateVerbEnumerator(const std::vector<OLEVERB>& verbs, IEnumOLEVERB** result) {
    return Create(IID_IEnumOLEVERB, verbs, result);
}

} // namespace corvane::server
