#pragma once
// The module's class factories, newest first. DllGetClassObject may run on
// any thread of the host, so lookups take the read side of a reader/writer
// lock; adding, the registration walks and clearing take the write side.

#include "server/module/ClassFactory.h"

#include <memory>
#include <vector>

namespace corvane::server {

class TFactoryList {
public:
    TFactoryList() = default;
    TFactoryList(const TFactoryList&) = delete;
    TFactoryList& operator=(const TFactoryList&) = delete;
    ~TFactoryList() = default;

    // Puts the factory at the front of the list.
    void Add(std::unique_ptr<TClassFactory> factory);
    // The factory serving `classId`, or null. Factories live until Clear, so
    // the pointer stays valid after the lock is dropped.
    TClassFactory* Find(const CLSID& classId) const;
    // Calls `visit` for each factory in list order, under the write lock.
    template <class F> void ForEach(F&& visit) {
        TWriteLock guard(lock_);
        for (const auto& factory : factories_)
            visit(*factory);
    }
    void Clear();
    size_t Count() const;

private:
    class TWriteLock {
    public:
        explicit TWriteLock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
        TWriteLock(const TWriteLock&) = delete;
        TWriteLock& operator=(const TWriteLock&) = delete;
        ~TWriteLock() { ::ReleaseSRWLockExclusive(&lock_); }

    private:
        SRWLOCK& lock_;
    };
    class TReadLock {
    public:
        explicit TReadLock(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockShared(&lock_); }
        TReadLock(const TReadLock&) = delete;
        TReadLock& operator=(const TReadLock&) = delete;
        ~TReadLock() { ::ReleaseSRWLockShared(&lock_); }

    private:
        SRWLOCK& lock_;
    };

    mutable SRWLOCK lock_ = SRWLOCK_INIT;
    std::vector<std::unique_ptr<TClassFactory>> factories_;
};

} // namespace corvane::server
