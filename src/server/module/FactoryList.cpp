#include "server/module/FactoryList.h"

#include <utility>

namespace corvane::server {

void TFactoryList::Add(std::unique_ptr<TClassFactory> factory) {
    TWriteLock guard(lock_);
    factories_.insert(factories_.begin(), std::move(factory));
}

TClassFactory* TFactoryList::Find(const CLSID& classId) const {
    TReadLock guard(lock_);
    for (const auto& factory : factories_)
        if (factory->Description().classId == classId)
            return factory.get();
    return nullptr;
}

void TFactoryList::Clear() {
    std::vector<std::unique_ptr<TClassFactory>> freed;
    {
        TWriteLock guard(lock_);
        freed.swap(factories_);
    }
}

size_t TFactoryList::Count() const {
    TReadLock guard(lock_);
    return factories_.size();
}

} // namespace corvane::server
