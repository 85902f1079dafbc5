#include "server/activex/ConnectionEnum.h"

#include <atomic>

namespace corvane::server {
namespace {

class TConnectionEnum : public IEnumConnections {
public:
    TConnectionEnum(std::vector<TConnection> connections, size_t next)
        : connections_(std::move(connections)), next_(next) {}
    virtual ~TConnectionEnum() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumConnections)) {
            *object = static_cast<IEnumConnections*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, CONNECTDATA* items, ULONG* fetched) override {
        if (items == nullptr || (count > 1 && fetched == nullptr))
            return E_POINTER;
        ULONG done = 0;
        for (; done < count && next_ < connections_.size(); ++done, ++next_) {
            const TConnection& c = connections_[next_];
            items[done].pUnk = TComRef<IUnknown>(c.Sink).detach(); // the caller's reference
            items[done].dwCookie = c.Cookie;
        }
        if (fetched != nullptr)
            *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const size_t left = connections_.size() - next_;
        next_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnections** copy) override {
        if (copy == nullptr)
            return E_POINTER;
        *copy = nullptr;
        try {
            *copy = new TConnectionEnum(connections_, next_);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        return S_OK;
    }

private:
    std::vector<TConnection> connections_;
    size_t next_;
    std::atomic<ULONG> references_{1};
    TModuleObjectCount count_;
};

} // namespace

IEnumConnections* NewConnectionEnum(std::vector<TConnection> connections) {
    return new TConnectionEnum(std::move(connections), 0);
}

} // namespace corvane::server
