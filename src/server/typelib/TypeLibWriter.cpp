#include "server/typelib/TypeLibWriter.h"

#include "server/typelib/ImportFixup.h"

#include <cstdio>
#include <cwchar>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::typelib {

static_assert(tfCanCreate == TYPEFLAG_FCANCREATE && tfControl == TYPEFLAG_FCONTROL &&
              tfDual == TYPEFLAG_FDUAL && tfOleAutomation == TYPEFLAG_FOLEAUTOMATION &&
              tfDispatchable == TYPEFLAG_FDISPATCHABLE);
static_assert(lfControl == LIBFLAG_FCONTROL);
static_assert(ifDefault == IMPLTYPEFLAG_FDEFAULT && ifSource == IMPLTYPEFLAG_FSOURCE);

namespace {

// Owns one COM reference.
template <class T> class TRef {
public:
    TRef() = default;
    TRef(const TRef&) = delete;
    TRef& operator=(const TRef&) = delete;
    TRef(TRef&& other) noexcept : Ptr(other.Ptr) { other.Ptr = nullptr; }
    ~TRef() {
        if (Ptr) {
            Ptr->Release();
        }
    }
    T** Out() { return &Ptr; }
    void Reset() {
        if (Ptr) {
            Ptr->Release();
            Ptr = nullptr;
        }
    }
    T* operator->() const { return Ptr; }
    T* Get() const { return Ptr; }

private:
    T* Ptr = nullptr;
};

void Check(HRESULT hr, const std::string& step) {
    if (FAILED(hr)) {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
        throw std::runtime_error(step + " failed: " + code);
    }
}

std::wstring Wide(const char* text) {
    std::wstring wide;
    for (; *text; ++text) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text)); // the table is ASCII
    }
    return wide;
}

GUID ToGuid(const TGuid& guid) {
    GUID result{guid.Data1, guid.Data2, guid.Data3, {}};
    for (int i = 0; i < 8; ++i) {
        result.Data4[i] = guid.Data4[i];
    }
    return result;
}

TYPEKIND ToTypeKind(TTypeKind kind) {
    switch (kind) {
    case TTypeKind::Enumeration:
        return TKIND_ENUM;
    case TTypeKind::DualInterface:
        return TKIND_INTERFACE;
    case TTypeKind::DispInterface:
        return TKIND_DISPATCH;
    case TTypeKind::CoClass:
        return TKIND_COCLASS;
    }
    throw std::logic_error("unknown type kind");
}

INVOKEKIND ToInvokeKind(TInvokeKind kind) {
    switch (kind) {
    case TInvokeKind::Method:
        return INVOKE_FUNC;
    case TInvokeKind::Get:
        return INVOKE_PROPERTYGET;
    case TInvokeKind::Put:
        return INVOKE_PROPERTYPUT;
    case TInvokeKind::PutRef:
        return INVOKE_PROPERTYPUTREF;
    }
    throw std::logic_error("unknown invoke kind");
}

// A TYPEDESC chain (VT_PTR -> ... -> base) whose storage lives as long as
// this object.
class TTypeChain {
public:
    TYPEDESC Build(VARTYPE base, HREFTYPE href, int pointers) {
        auto node = std::make_unique<TYPEDESC>();
        node->vt = base;
        if (base == VT_USERDEFINED) {
            node->hreftype = href;
        }
        for (int i = 0; i < pointers; ++i) {
            Nodes.push_back(std::move(node));
            node = std::make_unique<TYPEDESC>();
            node->vt = VT_PTR;
            node->lptdesc = Nodes.back().get();
        }
        return *node;
    }

private:
    std::vector<std::unique_ptr<TYPEDESC>> Nodes;
};

class TWriter {
public:
    TWriter(const TLibrary& library, const wchar_t* path, SYSKIND syskind) : Library(library) {
        Path = path;
        Check(CreateTypeLib2(syskind, path, Lib.Out()), "CreateTypeLib2");
    }

    void Write() {
        WriteLibraryAttributes();
        LoadStandardTypes();
        // Every description first, so members may refer to types declared later.
        for (const TTypeDesc& type : Library.Types) {
            std::wstring name = Wide(type.Name);
            TRef<ICreateTypeInfo> info;
            Check(Lib->CreateTypeInfo(&name[0], ToTypeKind(type.Kind), info.Out()),
                  std::string("CreateTypeInfo ") + type.Name);
            Infos.emplace(type.Name, std::move(info));
        }
        for (const TTypeDesc& type : Library.Types) {
            WriteType(type);
        }
        for (const TTypeDesc& type : Library.Types) {
            Check(Info(type.Name)->LayOut(), std::string("LayOut ") + type.Name);
        }
        Check(Lib->SaveAllChanges(), "SaveAllChanges");
        Lib.Reset(); // closes the library before it is patched
        FixGuidlessImport();
    }

private:
    const TLibrary& Library;
    TRef<ICreateTypeLib2> Lib;
    std::map<std::string, TRef<ICreateTypeInfo>> Infos;
    std::wstring Path;
    TRef<ITypeInfo> Dispatch, OleColor, FontDisp;
    UINT FontDispIndex = 0; // its position in stdole, which has no GUID for it

    ICreateTypeInfo* Info(const std::string& name) const {
        auto found = Infos.find(name);
        if (found == Infos.end()) {
            throw std::runtime_error("no type named " + name);
        }
        return found->second.Get();
    }

    void WriteLibraryAttributes() {
        std::wstring name = Wide(Library.Name);
        std::wstring help = Wide(Library.Help);
        GUID libid = ToGuid(Library.Libid);
        Check(Lib->SetName(&name[0]), "SetName");
        Check(Lib->SetGuid(libid), "SetGuid");
        Check(Lib->SetVersion(Library.MajorVersion, Library.MinorVersion), "SetVersion");
        Check(Lib->SetLcid(Library.Lcid), "SetLcid");
        Check(Lib->SetLibFlags(Library.Flags), "SetLibFlags");
        Check(Lib->SetDocString(&help[0]), "SetDocString");
        Check(Lib->SetHelpContext(0), "SetHelpContext");
    }

    void LoadStandardTypes() {
        TRef<ITypeLib> stdole;
        Check(LoadTypeLib(L"stdole2.tlb", stdole.Out()), "LoadTypeLib stdole2.tlb");
        Check(stdole->GetTypeInfoOfGuid(IID_IDispatch, Dispatch.Out()), "stdole IDispatch");
        FindStandardType(stdole.Get(), L"OLE_COLOR", OleColor);
        FindStandardType(stdole.Get(), L"IFontDisp", FontDisp);
        TRef<ITypeLib> container;
        Check(FontDisp->GetContainingTypeLib(container.Out(), &FontDispIndex), "IFontDisp index");
    }

    void FixGuidlessImport() const {
        std::vector<uint8_t> image;
        FILE* file = _wfopen(Path.c_str(), L"rb");
        if (!file) {
            throw std::runtime_error("cannot read the written library");
        }
        uint8_t buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
            image.insert(image.end(), buffer, buffer + got);
        }
        std::fclose(file);
        if (PointGuidlessImportsAtIndex(image, static_cast<int32_t>(FontDispIndex)) != 1) {
            throw std::runtime_error("expected one reference to IFontDisp to repair");
        }
        file = _wfopen(Path.c_str(), L"wb");
        const bool written =
            file && std::fwrite(image.data(), 1, image.size(), file) == image.size();
        if (!file || std::fclose(file) != 0 || !written) {
            throw std::runtime_error("cannot rewrite the library");
        }
    }

    static void FindStandardType(ITypeLib* stdole, const wchar_t* name, TRef<ITypeInfo>& result) {
        std::wstring text = name;
        MEMBERID member = 0;
        USHORT found = 1;
        Check(stdole->FindName(&text[0], 0, result.Out(), &member, &found), "stdole FindName");
        if (found != 1 || member != MEMBERID_NIL || !result.Get()) {
            throw std::runtime_error("stdole has no type of that name");
        }
    }

    HREFTYPE Reference(ICreateTypeInfo* from, ITypeInfo* to, const char* what) {
        HREFTYPE href = 0;
        Check(from->AddRefTypeInfo(to, &href), std::string("AddRefTypeInfo ") + what);
        return href;
    }

    HREFTYPE LocalReference(ICreateTypeInfo* from, const char* name) {
        TRef<ITypeInfo> target;
        Check(Info(name)->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(target.Out())),
              std::string("ITypeInfo of ") + name);
        return Reference(from, target.Get(), name);
    }

    TYPEDESC TypeDesc(ICreateTypeInfo* owner, const TTypeRef& type, int pointers,
                      TTypeChain& chain) {
        switch (type.Base) {
        case TBaseType::Long:
            return chain.Build(VT_I4, 0, pointers);
        case TBaseType::Short:
            return chain.Build(VT_I2, 0, pointers);
        case TBaseType::Bool:
            return chain.Build(VT_BOOL, 0, pointers);
        case TBaseType::Bstr:
            return chain.Build(VT_BSTR, 0, pointers);
        case TBaseType::OleColor:
            return chain.Build(VT_USERDEFINED, Reference(owner, OleColor.Get(), "OLE_COLOR"),
                               pointers);
        case TBaseType::FontDisp:
            return chain.Build(VT_USERDEFINED, Reference(owner, FontDisp.Get(), "IFontDisp"),
                               pointers + 1);
        case TBaseType::LocalType:
            return chain.Build(VT_USERDEFINED, LocalReference(owner, type.LocalName),
                               pointers + (IsInterfaceType(Library, type) ? 1 : 0));
        }
        throw std::logic_error("unknown base type");
    }

    void WriteType(const TTypeDesc& type) {
        ICreateTypeInfo* info = Info(type.Name);
        GUID guid = ToGuid(type.Guid);
        Check(info->SetGuid(guid), std::string("SetGuid ") + type.Name);
        Check(info->SetVersion(Library.TypeMajorVersion, Library.TypeMinorVersion),
              std::string("SetVersion ") + type.Name);
        Check(info->SetHelpContext(0), std::string("SetHelpContext ") + type.Name);
        if (type.Help) {
            std::wstring help = Wide(type.Help);
            Check(info->SetDocString(&help[0]), std::string("SetDocString ") + type.Name);
        }
        switch (type.Kind) {
        case TTypeKind::Enumeration:
            WriteConstants(info, type);
            break;
        case TTypeKind::CoClass:
            WriteImplemented(info, type);
            break;
        case TTypeKind::DualInterface:
        case TTypeKind::DispInterface:
            Check(info->AddImplType(0, Reference(info, Dispatch.Get(), "IDispatch")),
                  std::string("AddImplType IDispatch ") + type.Name);
            WriteMembers(info, type);
            break;
        }
        Check(info->SetTypeFlags(type.Flags), std::string("SetTypeFlags ") + type.Name);
    }

    static void WriteConstants(ICreateTypeInfo* info, const TTypeDesc& type) {
        for (UINT i = 0; i < type.Constants.size(); ++i) {
            const TEnumConstant& constant = type.Constants[i];
            VARIANT value;
            VariantInit(&value);
            value.vt = VT_I4;
            value.lVal = constant.Value;
            VARDESC var{};
            var.memid = EnumMemberIdBase + static_cast<MEMBERID>(i);
            var.lpvarValue = &value;
            var.elemdescVar.tdesc.vt = VT_I4;
            var.varkind = VAR_CONST;
            const std::string what = std::string(type.Name) + "." + constant.Name;
            Check(info->AddVarDesc(i, &var), "AddVarDesc " + what);
            std::wstring name = Wide(constant.Name);
            Check(info->SetVarName(i, &name[0]), "SetVarName " + what);
            Check(info->SetVarDocString(i, &name[0]), "SetVarDocString " + what);
        }
    }

    void WriteImplemented(ICreateTypeInfo* info, const TTypeDesc& type) {
        for (UINT i = 0; i < type.Implemented.size(); ++i) {
            const TImplType& implemented = type.Implemented[i];
            const std::string what = std::string(type.Name) + " " + implemented.Interface;
            Check(info->AddImplType(i, LocalReference(info, implemented.Interface)),
                  "AddImplType " + what);
            Check(info->SetImplTypeFlags(i, implemented.Flags), "SetImplTypeFlags " + what);
        }
    }

    void WriteMembers(ICreateTypeInfo* info, const TTypeDesc& type) {
        const bool dual = type.Kind == TTypeKind::DualInterface;
        for (UINT index = 0; index < type.Members.size(); ++index) {
            const TMember& member = type.Members[index];
            const std::string what = std::string(type.Name) + "." + member.Name;
            TTypeChain chain;
            std::vector<ELEMDESC> params(member.Params.size());
            std::vector<std::wstring> names{Wide(member.Name)};
            for (size_t i = 0; i < member.Params.size(); ++i) {
                const TParam& param = member.Params[i];
                const int pointers = param.Dir == TParamDir::In ? 0 : 1;
                params[i].tdesc = TypeDesc(info, param.Type, pointers, chain);
                params[i].paramdesc.wParamFlags = param.Dir == TParamDir::In ? PARAMFLAG_FIN
                                                  : param.Dir == TParamDir::InOutRef
                                                      ? PARAMFLAG_FIN | PARAMFLAG_FOUT
                                                      : PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
                if (param.Name) {
                    names.push_back(Wide(param.Name));
                }
            }
            FUNCDESC func{};
            func.memid = member.DispId;
            func.lprgelemdescParam = params.empty() ? nullptr : params.data();
            func.funckind = dual ? FUNC_PUREVIRTUAL : FUNC_DISPATCH;
            func.invkind = ToInvokeKind(member.Kind);
            func.callconv = CC_STDCALL;
            func.cParams = static_cast<SHORT>(params.size());
            func.elemdescFunc.tdesc.vt = dual ? VT_HRESULT : VT_VOID;
            func.wFuncFlags = member.Hidden ? FUNCFLAG_FHIDDEN : 0;
            Check(info->AddFuncDesc(index, &func), "AddFuncDesc " + what);

            std::vector<LPOLESTR> namePointers;
            for (std::wstring& name : names) {
                namePointers.push_back(&name[0]);
            }
            Check(info->SetFuncAndParamNames(index, namePointers.data(),
                                             static_cast<UINT>(namePointers.size())),
                  "SetFuncAndParamNames " + what);
            if (member.Help) {
                std::wstring help = Wide(member.Help);
                Check(info->SetFuncDocString(index, &help[0]), "SetFuncDocString " + what);
            }
        }
    }
};

} // namespace

void WriteTypeLibrary(const TLibrary& library, const wchar_t* path, SYSKIND syskind) {
    TWriter(library, path, syskind).Write();
}

} // namespace corvane::typelib
