#include "support/TypeLibRegistration.h"

#include "server/automation/ComPtr.h"

#include <CorvaneC_TLB.h>

namespace corvane::test {

namespace {

SYSKIND ThisSystem() {
    return sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;
}

bool IsRegistered() {
    BSTR path = nullptr;
    const HRESULT hr = QueryPathOfRegTypeLib(LIBID_CorvaneC, CorvaneC_MajorVersion,
                                             CorvaneC_MinorVersion, 0, &path);
    SysFreeString(path);
    return SUCCEEDED(hr);
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
    if (IsRegistered()) {
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
    return UnRegisterTypeLib(LIBID_CorvaneC, CorvaneC_MajorVersion, CorvaneC_MinorVersion, 0,
                             ThisSystem());
}

} // namespace corvane::test
