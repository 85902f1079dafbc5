#include "support/TypeLibRegistration.h"

#include "server/automation/ComPtr.h"

#include <CorvaneC_TLB.h>

namespace corvane::test {

namespace {

SYSKIND ThisSystem() {
    return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
}

// The registered path of the library, or "" when it is not registered.
std::wstring RegisteredPath(LCID locale) {
    BSTR path = nullptr;
    const HRESULT hr = QueryPathOfRegTypeLib(LIBID_CorvaneC, CorvaneC_MajorVersion,
                                             CorvaneC_MinorVersion, locale, &path);
    std::wstring result = SUCCEEDED(hr) && path ? std::wstring(path, SysStringLen(path)) : L"";
    SysFreeString(path);
    while (!result.empty() && result.back() == L'\0')
        result.pop_back();
    return result;
}

} // namespace

std::wstring WidePath(const char* path) {
    std::wstring wide;
    for (const char* p = path; *p; ++p)
        wide += static_cast<wchar_t>(*p == '/' ? '\\' : static_cast<unsigned char>(*p));
    // Unix paths live on Wine's drive Z:.
    if (!wide.empty() && wide[0] == L'\\')
        wide = L"Z:" + wide;
    return wide;
}

TTypeLibRegistration::TTypeLibRegistration(const char* path) : path_(WidePath(path)) {
    {
        server::TComPtr<ITypeLib> lib;
        TLIBATTR* attr = nullptr;
        if (SUCCEEDED(LoadTypeLibEx(path_.c_str(), REGKIND_NONE, lib.Put())) &&
            SUCCEEDED(lib->GetLibAttr(&attr))) {
            locale_ = attr->lcid;
            lib->ReleaseTLibAttr(attr);
        }
    }
    // Registered to another file (a registered module): not ours to touch.
    // Registered to this very file: left over by an earlier run that died.
    const std::wstring registered = RegisteredPath(locale_);
    if (!registered.empty() && lstrcmpiW(registered.c_str(), path_.c_str()) != 0) {
        result_ = S_OK;
        return;
    }
    result_ = Register();
    owned_ = SUCCEEDED(result_);
}

TTypeLibRegistration::~TTypeLibRegistration() {
    if (owned_)
        Unregister();
}

HRESULT TTypeLibRegistration::Register() {
    server::TComPtr<ITypeLib> lib;
    const HRESULT hr = LoadTypeLibEx(path_.c_str(), REGKIND_NONE, lib.Put());
    if (FAILED(hr))
        return hr;
    return RegisterTypeLib(lib.Get(), path_.data(), nullptr);
}

HRESULT TTypeLibRegistration::Unregister() {
    return UnRegisterTypeLib(LIBID_CorvaneC, CorvaneC_MajorVersion, CorvaneC_MinorVersion, locale_,
                             ThisSystem());
}

} // namespace corvane::test
