#pragma once
// The factory of an ActiveX control class: besides the class keys it
// registers the control's type library, misc status, toolbox bitmap and
// verbs. TCorvaneControlFactory is the control's own one.

#include "server/module/ClassFactory.h"
#include "server/module/TypeLibInfo.h"

#include <string>
#include <vector>

namespace corvane::server {

// The misc status every control gets on top of the one asked for:
// OLEMISC_RECOMPOSEONRESIZE | CANTLINKINSIDE | INSIDEOUT | ACTIVATEWHENVISIBLE
// | SETCLIENTSITEFIRST.
inline constexpr long ControlMiscStatus = 0x20191;

struct TControlVerb {
    int number = 0;
    std::wstring text;
};

class TActiveXControlFactory : public TClassFactory {
public:
    // Adds ControlMiscStatus to `miscStatus` and the verb 0 "Properties".
    TActiveXControlFactory(TClassDescription description, TCreateObjectFunction create,
                           const TLibraryInfo& library, int toolboxBitmap, long miscStatus);

    void AddVerb(int number, std::wstring text);
    const std::vector<TControlVerb>& Verbs() const { return verbs_; }
    long MiscStatus() const { return miscStatus_; }

    void UpdateClassKeys(bool registering, const TModulePath& module) override;

private:
    std::wstring version_; // of the type library, "major.minor"
    GUID libId_{};
    int toolboxBitmap_;
    long miscStatus_;
    std::vector<TControlVerb> verbs_;
};

// Keeps the verb "Properties" out of the registry: hosts offer their own
// properties entry, and verb 1 is the customizing dialog.
class TCorvaneControlFactory : public TActiveXControlFactory {
public:
    using TActiveXControlFactory::TActiveXControlFactory;
    void UpdateClassKeys(bool registering, const TModulePath& module) override;
};

} // namespace corvane::server
