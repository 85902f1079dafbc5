#include "server/module/TypeLibInfo.h"

#include "server/automation/Bstr.h"
#include "server/automation/ComPtr.h"
#include "server/module/ModuleErrors.h"

namespace corvane::server {

namespace {

std::wstring WideOf(const TBstr& text) {
    return text.Get() != nullptr ? std::wstring(text.Get(), text.Length()) : std::wstring();
}

// Releases a TYPEATTR with the type information it came from.
class TTypeAttr {
public:
    explicit TTypeAttr(ITypeInfo* info) : info_(info) {
        if (FAILED(info->GetTypeAttr(&attr_)))
            attr_ = nullptr;
    }
    TTypeAttr(const TTypeAttr&) = delete;
    TTypeAttr& operator=(const TTypeAttr&) = delete;
    ~TTypeAttr() {
        if (attr_ != nullptr)
            info_->ReleaseTypeAttr(attr_);
    }
    const TYPEATTR* operator->() const { return attr_; }
    explicit operator bool() const { return attr_ != nullptr; }

private:
    ITypeInfo* info_;
    TYPEATTR* attr_ = nullptr;
};

// Releases the library's TLIBATTR.
class TLibAttr {
public:
    explicit TLibAttr(ITypeLib* library) : library_(library) {
        if (FAILED(library->GetLibAttr(&attr_)))
            attr_ = nullptr;
    }
    TLibAttr(const TLibAttr&) = delete;
    TLibAttr& operator=(const TLibAttr&) = delete;
    ~TLibAttr() {
        if (attr_ != nullptr)
            library_->ReleaseTLibAttr(attr_);
    }
    const TLIBATTR* operator->() const { return attr_; }
    explicit operator bool() const { return attr_ != nullptr; }

private:
    ITypeLib* library_;
    TLIBATTR* attr_ = nullptr;
};

// The GUID of the interface a class implements at `index`; GUID_NULL when
// it cannot be followed.
GUID ImplementedInterface(ITypeInfo* classInfo, UINT index) {
    HREFTYPE reference = 0;
    TComPtr<ITypeInfo> interfaceInfo;
    if (FAILED(classInfo->GetRefTypeOfImplType(index, &reference)) ||
        FAILED(classInfo->GetRefTypeInfo(reference, interfaceInfo.Put())))
        return GUID_NULL;
    const TTypeAttr attr(interfaceInfo.Get());
    return attr ? attr->guid : GUID_NULL;
}

} // namespace

TLibraryInfo ReadLibraryInfo(ITypeLib* library) {
    TLibraryInfo result;
    const TLibAttr attr(library);
    if (!attr)
        throw EModuleError("The type library has no attributes", E_UNEXPECTED);
    result.libId = attr->guid;
    result.majorVersion = attr->wMajorVerNum;
    result.minorVersion = attr->wMinorVerNum;
    result.locale = attr->lcid;
    result.systemKind = attr->syskind;
    TBstr name;
    if (SUCCEEDED(library->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr)))
        result.name = WideOf(name);
    return result;
}

TClassTypeInfo ReadControlClassInfo(ITypeLib* library, const CLSID& classId, const IID& dispatchId,
                                    const char* implementationName) {
    TComPtr<ITypeInfo> classInfo;
    if (FAILED(library->GetTypeInfoOfGuid(classId, classInfo.Put())))
        throw corvane::Exception(
            corvane::FormatMessage("Type information missing for class %s", implementationName));
    const TTypeAttr attr(classInfo.Get());
    if (!attr || attr->typekind != TKIND_COCLASS)
        throw corvane::Exception(
            corvane::FormatMessage("Type information missing for class %s", implementationName));

    TClassTypeInfo result;
    TBstr name;
    TBstr description;
    if (SUCCEEDED(classInfo->GetDocumentation(MEMBERID_NIL, name.Put(), description.Put(), nullptr,
                                              nullptr))) {
        result.className = WideOf(name);
        result.description = WideOf(description);
    }

    GUID defaultInterface = GUID_NULL;
    bool haveDefault = false;
    result.eventsId = GUID_NULL;
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        INT flags = 0;
        if (FAILED(classInfo->GetImplTypeFlags(i, &flags)) || (flags & IMPLTYPEFLAG_FDEFAULT) == 0)
            continue;
        if ((flags & IMPLTYPEFLAG_FSOURCE) != 0) {
            result.eventsId = ImplementedInterface(classInfo.Get(), i);
        } else if (!haveDefault) {
            haveDefault = true;
            defaultInterface = ImplementedInterface(classInfo.Get(), i);
        }
    }
    if (!haveDefault)
        throw corvane::Exception(
            corvane::FormatMessage("Incorrect type information for class %s", implementationName));
    if (defaultInterface != dispatchId)
        throw corvane::Exception(
            corvane::FormatMessage("Dispatch interface missing from class %s", implementationName));
    return result;
}

TComPtr<ITypeLib> LoadTypeLibraryFrom(const std::wstring& path) {
    TComPtr<ITypeLib> library;
    const HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Put());
    if (FAILED(hr))
        throw EModuleError("Error loading type library/DLL", hr);
    return library;
}

std::wstring GuidString(const GUID& guid) {
    wchar_t text[40] = {};
    const int length = ::StringFromGUID2(guid, text, 40);
    return std::wstring(text, length > 0 ? static_cast<size_t>(length - 1) : 0);
}

} // namespace corvane::server
