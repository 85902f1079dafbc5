#pragma once
// IDispatch::Invoke as a script engine makes it: arguments as VARIANTs in
// reverse order, a put's value named DISPID_PROPERTYPUT.

#include "server/automation/Variant.h"

#include <oaidl.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace corvane::test {

// A VARIANT argument that owns what it holds.
class TArg {
public:
    static TArg Long(long value);
    static TArg Bool(bool value);
    static TArg String(const wchar_t* text);
    static TArg Dispatch(IDispatch* object); // adds a reference
    static TArg Null();                      // VT_DISPATCH holding null

    const VARIANT& Value() const { return *value_; }

private:
    std::shared_ptr<server::TVariant> value_ = std::make_shared<server::TVariant>();
};

// One call; `args` in the order a script writes them.
class TInvoke {
public:
    TInvoke(IDispatch* target, DISPID id, WORD flags, std::initializer_list<TArg> args);

    HRESULT hr = E_FAIL;
    server::TVariant result;
    // From EXCEPINFO, when the call failed with DISP_E_EXCEPTION.
    std::string exceptionDescription;
    std::string exceptionSource;
    SCODE exceptionCode = 0;
};

// The DISPID of a member name through GetIDsOfNames (DISPID_UNKNOWN if none).
DISPID IdOfName(IDispatch* target, const wchar_t* name);

} // namespace corvane::test
