#include "server/module/ClassFactory.h"

#include "server/ModuleCounts.h"
#include "server/module/DaxErrorBox.h"
#include "server/module/RegistryKeys.h"
#include "server/module/TypeLibInfo.h"

#include <exception>
#include <utility>

namespace corvane::server {

namespace {

const wchar_t* ThreadingModelName(TThreadingModel model) {
    switch (model) {
    case TThreadingModel::Apartment:
        return L"Apartment";
    case TThreadingModel::Free:
        return L"Free";
    case TThreadingModel::Both:
        return L"Both";
    case TThreadingModel::Single:
        break;
    }
    return nullptr;
}

} // namespace

TClassFactory::TClassFactory(TClassDescription description, TCreateObjectFunction create)
    : description_(std::move(description)), create_(create) {}

HRESULT STDMETHODCALLTYPE TClassFactory::QueryInterface(REFIID riid, void** result) {
    if (result == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *result = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TClassFactory::AddRef() {
    FactoryReferenced();
    return static_cast<ULONG>(FactoryCount());
}

ULONG STDMETHODCALLTYPE TClassFactory::Release() {
    // The factory itself lives until the module unloads.
    FactoryReleased();
    return static_cast<ULONG>(FactoryCount());
}

HRESULT STDMETHODCALLTYPE TClassFactory::CreateInstance(IUnknown* outer, REFIID riid,
                                                        void** result) {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    // An aggregated object can only hand its inner IUnknown to the outer one.
    if (outer != nullptr && riid != IID_IUnknown)
        return CLASS_E_NOAGGREGATION;
    try {
        const HRESULT hr = create_(outer, riid, result);
        if (FAILED(hr))
            *result = nullptr;
        return hr;
    } catch (const std::exception& error) {
        *result = nullptr;
        ShowDaxError(error.what());
    } catch (...) {
        *result = nullptr;
        ShowDaxError("Unknown error");
    }
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE TClassFactory::LockServer(BOOL lock) {
    if (lock) {
        const HRESULT hr = ::CoLockObjectExternal(this, TRUE, TRUE);
        if (FAILED(hr))
            return hr;
        ++locks_;
        ObjectCreated();
        return S_OK;
    }
    // An unlock without a lock would drive the object count below zero and
    // keep (or let) the module unload at the wrong time: refuse it.
    long held = locks_.load();
    do {
        if (held <= 0)
            return E_UNEXPECTED;
    } while (!locks_.compare_exchange_weak(held, held - 1));
    ::CoLockObjectExternal(this, FALSE, TRUE);
    ObjectDestroyed();
    return S_OK;
}

std::wstring TClassFactory::ClassKey() const {
    return L"CLSID\\" + GuidString(description_.classId);
}

void TClassFactory::UpdateClassKeys(bool registering, const TModulePath& module) {
    const std::wstring classKey = ClassKey();
    const std::wstring& progId = description_.progId;
    if (registering) {
        CreateRegKey(classKey, L"", description_.description);
        CreateRegKey(classKey + L"\\InprocServer32", L"", module.inproc);
        if (const wchar_t* model = ThreadingModelName(description_.threadingModel))
            CreateRegKey(classKey + L"\\InprocServer32", L"ThreadingModel", model);
        if (!progId.empty()) {
            CreateRegKey(progId, L"", description_.description);
            CreateRegKey(progId + L"\\Clsid", L"", GuidString(description_.classId));
            CreateRegKey(classKey + L"\\ProgID", L"", progId);
        }
    } else {
        if (!progId.empty()) {
            DeleteRegKey(classKey + L"\\ProgID");
            DeleteRegKey(progId + L"\\Clsid");
            DeleteRegKey(progId);
        }
        DeleteRegKey(classKey + L"\\InprocServer32");
        DeleteRegKey(classKey);
    }
}

} // namespace corvane::server
