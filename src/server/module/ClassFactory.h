#pragma once
// The module's class factory: one object per served class, living from
// module initialization to unload. Its references are counted in the
// module's factory count, its server locks in the object count.

#include "server/module/ModulePath.h"
#include "win32/WinApi.h"

#include <unknwn.h>

#include <atomic>
#include <string>

namespace corvane::server {

// Creates one object of a class and asks it for `riid`, like
// IClassFactory::CreateInstance after the argument checks. Raises a C++
// exception when the object cannot be created; on any failure *result stays
// null and no object is left behind.
using TCreateObjectFunction = HRESULT (*)(IUnknown* outer, REFIID riid, void** result);

enum class TThreadingModel { Single, Apartment, Free, Both };

// How a class appears in the registry.
struct TClassDescription {
    CLSID classId{};
    std::wstring description;
    std::wstring progId; // empty: the class has none
    TThreadingModel threadingModel = TThreadingModel::Single;
};

// COM interfaces have no virtual destructor by design: objects are freed
// through Release, never through an interface pointer.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class TClassFactory : public IClassFactory {
public:
    TClassFactory(TClassDescription description, TCreateObjectFunction create);
    TClassFactory(const TClassFactory&) = delete;
    TClassFactory& operator=(const TClassFactory&) = delete;
    virtual ~TClassFactory() = default;

    const TClassDescription& Description() const { return description_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** result) override;
    // Both answer the module's factory count after the change.
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** result) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

    // Writes (registering) or deletes the class's registry entries. Raises
    // ERegistryError when a write fails; deletions never fail.
    virtual void UpdateClassKeys(bool registering, const TModulePath& module);

protected:
    std::wstring ClassKey() const; // CLSID\{clsid}

private:
    TClassDescription description_;
    TCreateObjectFunction create_;
    std::atomic<long> locks_{0}; // this factory's outstanding server locks
};
#pragma GCC diagnostic pop

} // namespace corvane::server
