#pragma once
// The module's object and lock counts. Every COM object of the server counts
// itself here from construction to destruction, and IClassFactory::LockServer
// adds a lock; DllCanUnloadNow allows unloading only when both counts are 0.
// Any thread may change them, so they are atomic.

namespace corvane::server {

// Live COM objects of the module plus outstanding server locks.
void ObjectCreated();
void ObjectDestroyed();
long ObjectCount();

// Outstanding references to class factory objects.
void FactoryReferenced();
void FactoryReleased();
long FactoryCount();

// Counts one object for as long as it lives; a member of every COM object.
class TModuleObjectCount {
public:
    TModuleObjectCount() { ObjectCreated(); }
    TModuleObjectCount(const TModuleObjectCount&) : TModuleObjectCount() {}
    TModuleObjectCount& operator=(const TModuleObjectCount&) = default;
    ~TModuleObjectCount() { ObjectDestroyed(); }
};

} // namespace corvane::server
