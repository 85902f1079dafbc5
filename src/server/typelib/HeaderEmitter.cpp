#include "server/typelib/HeaderEmitter.h"

#include <cstdio>
#include <set>
#include <sstream>
#include <stdexcept>

namespace corvane::typelib {

namespace {

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

// "0xFEDE2C2E, 0xB885, 0x11D2, 0xBB, 0xE8, ..." as __CRT_UUID_DECL wants it.
std::string GuidArguments(const TGuid& guid) {
    std::string text = Hex(guid.Data1, 8) + ", " + Hex(guid.Data2, 4) + ", " + Hex(guid.Data3, 4);
    for (uint8_t byte : guid.Data4) {
        text += ", " + Hex(byte, 2);
    }
    return text;
}

std::string GuidInitializer(const TGuid& guid) {
    std::string text =
        "{" + Hex(guid.Data1, 8) + ", " + Hex(guid.Data2, 4) + ", " + Hex(guid.Data3, 4) + ", {";
    for (size_t i = 0; i < 8; ++i) {
        text += (i ? ", " : "") + Hex(guid.Data4[i], 2);
    }
    return text + "}}";
}

std::string ValueType(const TLibrary& library, const TTypeRef& type) {
    switch (type.Base) {
    case TBaseType::Long:
        return "long";
    case TBaseType::Short:
        return "short";
    case TBaseType::Bool:
        return "VARIANT_BOOL";
    case TBaseType::Bstr:
        return "BSTR";
    case TBaseType::OleColor:
        return "OLE_COLOR";
    case TBaseType::FontDisp:
        return "IFontDisp*";
    case TBaseType::LocalType:
        return IsInterfaceType(library, type) ? std::string(type.LocalName) + "*"
                                              : std::string(type.LocalName);
    }
    throw std::logic_error("unknown base type");
}

std::string ParamDeclaration(const TLibrary& library, const TParam& param) {
    std::string type = ValueType(library, param.Type);
    if (param.Dir != TParamDir::In) {
        type += "*";
    }
    return type + " " + (param.Name ? param.Name : "Value");
}

std::string MethodName(const TMember& member) {
    switch (member.Kind) {
    case TInvokeKind::Method:
        return member.Name;
    case TInvokeKind::Get:
        return std::string("get_") + member.Name;
    case TInvokeKind::Put:
        return std::string("put_") + member.Name;
    case TInvokeKind::PutRef:
        return std::string("putref_") + member.Name;
    }
    throw std::logic_error("unknown invoke kind");
}

const char* IdentifierPrefix(const TTypeDesc& type) {
    switch (type.Kind) {
    case TTypeKind::DualInterface:
        return "IID_";
    case TTypeKind::DispInterface:
        return "DIID_";
    case TTypeKind::CoClass:
        return "CLSID_";
    case TTypeKind::Enumeration:
        break;
    }
    return nullptr;
}

void EmitIdentifiers(std::ostream& out, const TLibrary& library) {
    out << "CORVANEC_TLB_CONSTANT GUID LIBID_" << library.Name << " = "
        << GuidInitializer(library.Libid) << ";\n";
    for (const TTypeDesc& type : library.Types) {
        if (const char* prefix = IdentifierPrefix(type)) {
            const char* guidType = type.Kind == TTypeKind::CoClass ? "CLSID" : "IID";
            out << "CORVANEC_TLB_CONSTANT " << guidType << " " << prefix << type.Name << " = "
                << GuidInitializer(type.Guid) << ";\n";
        }
    }
}

void EmitEnumerations(std::ostream& out, const TLibrary& library) {
    for (const TTypeDesc& type : library.Types) {
        if (type.Kind != TTypeKind::Enumeration) {
            continue;
        }
        out << "\nenum " << type.Name << " {\n";
        for (const TEnumConstant& constant : type.Constants) {
            out << "    " << constant.Name << " = " << constant.Value << ",\n";
        }
        out << "};\n";
    }
}

void EmitDispIds(std::ostream& out, const TTypeDesc& type) {
    std::set<std::string> done;
    for (const TMember& member : type.Members) {
        if (done.insert(member.Name).second) {
            out << "CORVANEC_TLB_CONSTANT DISPID DISPID_" << type.Name << "_" << member.Name
                << " = " << member.DispId << ";\n";
        }
    }
}

void EmitInterface(std::ostream& out, const TLibrary& library, const TTypeDesc& type) {
    out << "\n";
    if (type.Help) {
        out << "// " << type.Help << "\n";
    }
    if (type.Kind == TTypeKind::DispInterface) {
        out << "// A dispatch interface: its members are called through IDispatch::Invoke.\n"
            << "struct " << type.Name << " : public IDispatch {};\n";
    } else {
        out << "struct " << type.Name << " : public IDispatch {\n";
        for (const TMember& member : type.Members) {
            if (member.Help) {
                out << "    // " << member.Help << "\n";
            }
            out << "    virtual HRESULT STDMETHODCALLTYPE " << MemberDeclaration(library, member)
                << " = 0;\n";
        }
        out << "};\n";
    }
    // __uuidof: MinGW declares it after the type; MSVC takes it from the
    // forward declaration.
    out << "#if defined(__CRT_UUID_DECL)\n"
        << "__CRT_UUID_DECL(" << type.Name << ", " << GuidArguments(type.Guid) << ")\n"
        << "#endif\n";
    EmitDispIds(out, type);
}

} // namespace

std::string MemberDeclaration(const TLibrary& library, const TMember& member) {
    std::string text = MethodName(member) + "(";
    for (size_t i = 0; i < member.Params.size(); ++i) {
        text += (i ? ", " : "") + ParamDeclaration(library, member.Params[i]);
    }
    return text + ")";
}

std::string EmitHeader(const TLibrary& library) {
    std::ostringstream out;
    out << "// " << library.Name << "_TLB.h: declarations of the " << library.Name
        << " type library (" << library.Help << ", version " << library.MajorVersion << "."
        << library.MinorVersion << ").\n"
        << "// Generated from the library's table at build time; do not edit.\n"
        << "// Needs C++11 or later (Visual C++ 2015 or later, any MinGW-w64 g++).\n"
        << "#pragma once\n"
        << "// Interface declarations follow the platform's headers (no virtual\n"
        << "// destructors), so they are read like them.\n"
        << "#if defined(__GNUC__)\n"
        << "#pragma GCC system_header\n"
        << "#endif\n\n"
        << "#include <windows.h>\n\n"
        << "#include <ocidl.h>\n"
        << "#include <oleauto.h>\n"
        << "#include <olectl.h>\n\n"
        << "// Constants: one definition for the whole program from C++17 on, one per\n"
        << "// translation unit (internal linkage, no storage unless used) before.\n"
        << "#if !defined(CORVANEC_TLB_CONSTANT)\n"
        << "#if __cplusplus >= 201703L || (defined(_MSVC_LANG) && _MSVC_LANG >= 201703L)\n"
        << "#define CORVANEC_TLB_CONSTANT inline constexpr\n"
        << "#elif __cplusplus >= 201103L || (defined(_MSC_VER) && _MSC_VER >= 1900)\n"
        << "#define CORVANEC_TLB_CONSTANT constexpr\n"
        << "#else\n"
        << "#error \"" << library.Name << "_TLB.h needs C++11 or later\"\n"
        << "#endif\n"
        << "#endif\n\n"
        << "CORVANEC_TLB_CONSTANT unsigned short " << library.Name
        << "_MajorVersion = " << library.MajorVersion << ";\n"
        << "CORVANEC_TLB_CONSTANT unsigned short " << library.Name
        << "_MinorVersion = " << library.MinorVersion << ";\n"
        << "// The library's locale: LoadRegTypeLib finds the registered library by it.\n"
        << "CORVANEC_TLB_CONSTANT LCID " << library.Name << "_Lcid = " << Hex(library.Lcid, 4)
        << ";\n\n";
    EmitIdentifiers(out, library);
    EmitEnumerations(out, library);
    out << "\n";
    out << "#if defined(_MSC_VER)\n";
    for (const TTypeDesc& type : library.Types) {
        if (type.Kind == TTypeKind::DualInterface || type.Kind == TTypeKind::DispInterface) {
            const std::string guid = GuidText(type.Guid);
            out << "struct __declspec(uuid(\"" << guid.substr(1, guid.size() - 2) << "\")) "
                << type.Name << ";\n";
        }
    }
    out << "#else\n";
    for (const TTypeDesc& type : library.Types) {
        if (type.Kind == TTypeKind::DualInterface || type.Kind == TTypeKind::DispInterface) {
            out << "struct " << type.Name << ";\n";
        }
    }
    out << "#endif\n";
    for (const TTypeDesc& type : library.Types) {
        if (type.Kind == TTypeKind::DualInterface || type.Kind == TTypeKind::DispInterface) {
            EmitInterface(out, library, type);
        }
    }
    return out.str();
}

} // namespace corvane::typelib
