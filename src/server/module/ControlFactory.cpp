#include "server/module/ControlFactory.h"

#include "server/module/RegistryKeys.h"

#include <utility>

namespace corvane::server {

TActiveXControlFactory::TActiveXControlFactory(TClassDescription description,
                                               TCreateObjectFunction create,
                                               const TLibraryInfo& library, int toolboxBitmap,
                                               long miscStatus)
    : TClassFactory(std::move(description), create),
      version_(std::to_wstring(library.majorVersion) + L"." +
               std::to_wstring(library.minorVersion)),
      libId_(library.libId), toolboxBitmap_(toolboxBitmap),
      miscStatus_(miscStatus | ControlMiscStatus) {
    AddVerb(0, L"Properties");
}

void TActiveXControlFactory::AddVerb(int number, std::wstring text) {
    verbs_.push_back(TControlVerb{number, std::move(text)});
}

void TActiveXControlFactory::UpdateClassKeys(bool registering, const TModulePath& module) {
    const std::wstring classKey = ClassKey();
    if (registering) {
        TClassFactory::UpdateClassKeys(true, module);
        CreateRegKey(classKey + L"\\Version", L"", version_);
        CreateRegKey(classKey + L"\\TypeLib", L"", GuidString(libId_));
        CreateRegKey(classKey + L"\\MiscStatus", L"", L"0");
        CreateRegKey(classKey + L"\\MiscStatus\\1", L"", std::to_wstring(miscStatus_));
        // Hosts split this value at the comma, so the long path is safe here.
        CreateRegKey(classKey + L"\\ToolboxBitmap32", L"",
                     module.full + L"," + std::to_wstring(toolboxBitmap_));
        CreateRegKey(classKey + L"\\Control", L"", L"");
        CreateRegKey(classKey + L"\\Verb", L"", L"");
        // Menu flags 0, verb attributes 2 (OLEVERBATTRIB_ONCONTAINERMENU).
        for (const TControlVerb& verb : verbs_)
            CreateRegKey(classKey + L"\\Verb\\" + std::to_wstring(verb.number), L"",
                         verb.text + L",0,2");
        return;
    }
    for (const TControlVerb& verb : verbs_)
        DeleteRegKey(classKey + L"\\Verb\\" + std::to_wstring(verb.number));
    DeleteRegKey(classKey + L"\\Verb");
    DeleteRegKey(classKey + L"\\Control");
    DeleteRegKey(classKey + L"\\ToolboxBitmap32");
    DeleteRegKey(classKey + L"\\MiscStatus\\1");
    DeleteRegKey(classKey + L"\\MiscStatus");
    DeleteRegKey(classKey + L"\\TypeLib");
    DeleteRegKey(classKey + L"\\Version");
    TClassFactory::UpdateClassKeys(false, module);
}

void TCorvaneControlFactory::UpdateClassKeys(bool registering, const TModulePath& module) {
    TActiveXControlFactory::UpdateClassKeys(registering, module);
    if (registering)
        DeleteRegKey(ClassKey() + L"\\Verb\\0");
}

} // namespace corvane::server
