#include "server/sections/SectionsTypeInfo.h"

#include <CorvaneC_TLB.h>

namespace corvane::server {
namespace {

// Wrappers are made on the thread of their control, but a process may run
// controls on several threads: the slot is shared behind a lock.
SRWLOCK g_lock = SRWLOCK_INIT;

// Never destroyed by the runtime: at process exit the automation library
// may be gone before this module, so only ReleaseSectionsTypeInfo (module
// unload) lets go of the type information.
std::shared_ptr<const TDispatchTypeInfo>& Slot() {
    static auto* slot = new std::shared_ptr<const TDispatchTypeInfo>();
    return *slot;
}

class TExclusive {
public:
    TExclusive() { AcquireSRWLockExclusive(&g_lock); }
    ~TExclusive() { ReleaseSRWLockExclusive(&g_lock); }
    TExclusive(const TExclusive&) = delete;
    TExclusive& operator=(const TExclusive&) = delete;
};

} // namespace

std::shared_ptr<const TDispatchTypeInfo> SectionsTypeInfo() {
    std::shared_ptr<const TDispatchTypeInfo>& slot = Slot();
    AcquireSRWLockShared(&g_lock);
    std::shared_ptr<const TDispatchTypeInfo> shared = slot;
    ReleaseSRWLockShared(&g_lock);
    if (shared)
        return shared;
    const TExclusive guard;
    if (!slot) {
        const TComPtr<ITypeLib> lib = LoadRegisteredTypeLib(LIBID_CorvaneC, CorvaneC_MajorVersion,
                                                            CorvaneC_MinorVersion, CorvaneC_Lcid);
        slot = std::make_shared<const TDispatchTypeInfo>(lib.Get(), IID_ISections);
    }
    return slot;
}

void ReleaseSectionsTypeInfo() noexcept {
    std::shared_ptr<const TDispatchTypeInfo> released;
    {
        const TExclusive guard;
        released.swap(Slot());
    }
    // Released outside the lock: a last reference frees the library.
}

} // namespace corvane::server
