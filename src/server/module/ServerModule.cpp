#include "server/module/ServerModule.h"

#include "core/framework/Exceptions.h"
#include "server/ModuleCounts.h"
#include "server/control/CorvaneVerbs.h"
#include "server/module/ControlFactory.h"
#include "server/module/ModuleClassIds.h"

#include <memory>
#include <utility>

namespace corvane::server {

namespace {

std::wstring Widen(const std::string& text) {
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring result(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, result.data(), length);
    return result;
}

std::unique_ptr<TClassFactory> MakeControlFactory(ITypeLib* typeLib, const TLibraryInfo& library,
                                                  TCreateObjectFunction create) {
    const TClassTypeInfo info =
        ReadControlClassInfo(typeLib, ControlClassId, ControlDispatchId, ControlImplementationName);
    TClassDescription description;
    description.classId = ControlClassId;
    description.description = info.description;
    description.progId = library.name + L"." + info.className;
    description.threadingModel = TThreadingModel::Apartment;
    auto factory = std::make_unique<TCorvaneControlFactory>(std::move(description), create, library,
                                                            /*toolboxBitmap=*/1,
                                                            /*miscStatus=*/0);
    factory->AddVerb(CustomizeVerb, CustomizeVerbName);
    factory->AddVerb(AboutVerb, AboutVerbName);
    return factory;
}

std::unique_ptr<TClassFactory> MakePropertyPageFactory(TCreateObjectFunction create) {
    TClassDescription description;
    description.classId = PropertyPageClassId;
    description.description =
        Widen(corvane::FormatMessage("%s property page", PropertyPageFormName));
    description.threadingModel = TThreadingModel::Single;
    return std::make_unique<TClassFactory>(std::move(description), create);
}

// Runs a step of registration; any error raised in it becomes E_FAIL.
template <class F> HRESULT FailOnError(F&& step) {
    try {
        return step();
    } catch (...) {
        return E_FAIL;
    }
}

using TUnRegisterTypeLib = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

} // namespace

TServerModule::TServerModule(const std::wstring& modulePath, TCreateObjectFunction createControl,
                             TCreateObjectFunction createPropertyPage)
    : modulePath_(modulePath), typeLib_(LoadTypeLibraryFrom(modulePath)),
      library_(ReadLibraryInfo(typeLib_.Get())) {
    factories_.Add(MakeControlFactory(typeLib_.Get(), library_, createControl));
    factories_.Add(MakePropertyPageFactory(createPropertyPage));
}

TServerModule::~TServerModule() {
    factories_.Clear();
}

HRESULT TServerModule::GetClassObject(REFCLSID classId, REFIID riid, void** result) const {
    if (result == nullptr)
        return E_POINTER;
    *result = nullptr;
    TClassFactory* factory = factories_.Find(classId);
    if (factory == nullptr)
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory->QueryInterface(riid, result);
}

HRESULT TServerModule::RegisterServer() {
    return FailOnError([&] {
        TModulePath path = MakeModulePath(modulePath_);
        // The platform's declaration takes writable strings; it reads them only.
        const HRESULT hr =
            ::RegisterTypeLib(typeLib_.Get(), path.full.data(), path.directory.data());
        if (FAILED(hr))
            return E_FAIL;
        factories_.ForEach([&](TClassFactory& factory) { factory.UpdateClassKeys(true, path); });
        return S_OK;
    });
}

HRESULT TServerModule::UnregisterServer() {
    return FailOnError([&] {
        // Looked up rather than linked, as older automation libraries lack it.
        if (HMODULE automation = ::GetModuleHandleW(L"OLEAUT32.DLL")) {
            if (auto unregister = reinterpret_cast<TUnRegisterTypeLib>(
                    reinterpret_cast<void*>(::GetProcAddress(automation, "UnRegisterTypeLib"))))
                unregister(library_.libId, library_.majorVersion, library_.minorVersion,
                           library_.locale, library_.systemKind);
        }
        const TModulePath path = MakeModulePath(modulePath_);
        factories_.ForEach([&](TClassFactory& factory) { factory.UpdateClassKeys(false, path); });
        return S_OK;
    });
}

HRESULT CanUnloadModule() {
    return ObjectCount() != 0 || FactoryCount() != 0 ? S_FALSE : S_OK;
}

} // namespace corvane::server
