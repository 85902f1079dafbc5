#include "server/module/ServerModule.h"

#include "core/framework/Exceptions.h"
#include "server/ModuleCounts.h"
#include "server/control/CorvaneVerbs.h"
#include "server/module/ControlFactory.h"
#include "server/module/ModuleClassIds.h"
#include "server/module/RegistryKeys.h"

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

using TRegisterTypeLib = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
using TUnRegisterTypeLib = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

// An export of the loaded automation library; null when it has none.
template <class F> F AutomationFunction(const char* name) {
    HMODULE automation = ::GetModuleHandleW(L"OLEAUT32.DLL");
    return automation == nullptr
               ? nullptr
               : reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(automation, name)));
}

// Registration for the user alone: with HKEY_CLASSES_ROOT mapped onto the
// user's classes, the class keys land there by themselves, but the type
// library's registration writes the machine's keys unless asked for the
// user's (and a user without administrator rights gets access denied).
// The "ForUser" forms exist from Vista on; before that the plain ones
// follow the mapping.
const char* TypeLibRegistrationName(bool forUser, bool unregister) {
    if (unregister)
        return forUser ? "UnRegisterTypeLibForUser" : "UnRegisterTypeLib";
    return forUser ? "RegisterTypeLibForUser" : "RegisterTypeLib";
}

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
        const bool forUser = ClassesRootIsUsersClasses();
        auto registerTypeLib =
            AutomationFunction<TRegisterTypeLib>(TypeLibRegistrationName(forUser, false));
        if (registerTypeLib == nullptr)
            registerTypeLib = ::RegisterTypeLib;
        // The platform's declaration takes writable strings; it reads them only.
        const HRESULT hr = registerTypeLib(typeLib_.Get(), path.full.data(), path.directory.data());
        if (FAILED(hr))
            return E_FAIL;
        factories_.ForEach([&](TClassFactory& factory) { factory.UpdateClassKeys(true, path); });
        return S_OK;
    });
}

HRESULT TServerModule::UnregisterServer() {
    return FailOnError([&] {
        // Looked up rather than linked, as older automation libraries lack it.
        const bool forUser = ClassesRootIsUsersClasses();
        auto unregister =
            AutomationFunction<TUnRegisterTypeLib>(TypeLibRegistrationName(forUser, true));
        if (unregister == nullptr && forUser)
            unregister = AutomationFunction<TUnRegisterTypeLib>("UnRegisterTypeLib");
        if (unregister != nullptr)
            unregister(library_.libId, library_.majorVersion, library_.minorVersion,
                       library_.locale, library_.systemKind);
        const TModulePath path = MakeModulePath(modulePath_);
        factories_.ForEach([&](TClassFactory& factory) { factory.UpdateClassKeys(false, path); });
        return S_OK;
    });
}

HRESULT CanUnloadModule() {
    return ObjectCount() != 0 || FactoryCount() != 0 ? S_FALSE : S_OK;
}

} // namespace corvane::server
