#include "server/typelib/ApiReference.h"

#include "server/typelib/HeaderEmitter.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <stdexcept>

namespace corvane::typelib {

const char* const ReferencePlaceholder = "(to be written:";

namespace {

const std::string BlockOpen = "<!-- api ";
const std::string BlockOpenEnd = " -->";
const std::string BlockClose = "<!-- /api -->";

using TLines = std::vector<std::string>;

// The names a Visual Basic or VBA programmer declares these types with.
std::string BasicType(const TTypeRef& type) {
    switch (type.Base) {
    case TBaseType::Long:
        return "Long";
    case TBaseType::Short:
        return "Integer";
    case TBaseType::Bool:
        return "Boolean";
    case TBaseType::Bstr:
        return "String";
    case TBaseType::OleColor:
        return "OLE_COLOR";
    case TBaseType::FontDisp:
        return "IFontDisp";
    case TBaseType::LocalType:
        return type.LocalName;
    }
    throw std::logic_error("unknown base type");
}

// The variant type an event argument arrives as.
std::string VariantType(const TLibrary& library, const TParam& param) {
    std::string type;
    switch (param.Type.Base) {
    case TBaseType::Long:
    case TBaseType::OleColor:
        type = "VT_I4";
        break;
    case TBaseType::Short:
        type = "VT_I2";
        break;
    case TBaseType::Bool:
        type = "VT_BOOL";
        break;
    case TBaseType::Bstr:
        type = "VT_BSTR";
        break;
    case TBaseType::FontDisp:
    case TBaseType::LocalType:
        type = IsInterfaceType(library, param.Type) ? "VT_DISPATCH" : "VT_I4";
        break;
    }
    return param.Dir == TParamDir::InOutRef ? type + " | VT_BYREF" : type;
}

std::string BasicParams(const std::vector<TParam>& params) {
    std::string text;
    for (const TParam& param : params) {
        if (param.Dir == TParamDir::Retval || param.Name == nullptr)
            continue;
        text += (text.empty() ? "" : ", ") +
                std::string(param.Dir == TParamDir::InOutRef ? "ByRef " : "ByVal ") + param.Name +
                " As " + BasicType(param.Type);
    }
    return text;
}

const TParam* Retval(const TMember& member) {
    for (const TParam& param : member.Params) {
        if (param.Dir == TParamDir::Retval)
            return &param;
    }
    return nullptr;
}

std::vector<const TMember*> Accessors(const TTypeDesc& type, const std::string& name) {
    std::vector<const TMember*> found;
    for (const TMember& member : type.Members) {
        if (name == member.Name)
            found.push_back(&member);
    }
    return found;
}

// Distinct member names in table order.
std::vector<std::string> MemberNames(const TTypeDesc& type) {
    std::vector<std::string> names;
    for (const TMember& member : type.Members) {
        if (std::find(names.begin(), names.end(), member.Name) == names.end())
            names.push_back(member.Name);
    }
    return names;
}

bool IsInterface(const TTypeDesc& type) {
    return type.Kind == TTypeKind::DualInterface || type.Kind == TTypeKind::DispInterface;
}

TLines MemberBlock(const TLibrary& library, const TTypeDesc& type, const std::string& name) {
    const std::vector<const TMember*> accessors = Accessors(type, name);
    const TMember& first = *accessors.front();
    bool hidden = false;
    bool put = false;
    bool putRef = false;
    const TMember* get = nullptr;
    for (const TMember* member : accessors) {
        hidden = hidden || member->Hidden;
        put = put || member->Kind == TInvokeKind::Put;
        putRef = putRef || member->Kind == TInvokeKind::PutRef;
        if (member->Kind == TInvokeKind::Get)
            get = member;
    }
    const std::string dispId = "DISPID " + std::to_string(first.DispId);
    const std::string flags = hidden ? ", hidden" : "";

    TLines lines = {"#### " + name, ""};
    std::string basic;
    if (first.Kind == TInvokeKind::Method && type.Kind == TTypeKind::DispInterface) {
        basic = "Event " + name + "(" + BasicParams(first.Params) + ")  ' " + dispId;
    } else if (first.Kind == TInvokeKind::Method) {
        const TParam* result = Retval(first);
        basic = (result ? "Function " : "Sub ") + name + "(" + BasicParams(first.Params) + ")" +
                (result ? " As " + BasicType(result->Type) : "") + "  ' " + dispId + flags;
    } else {
        // A property: its type is the get's result, or the put's value.
        const TMember& typed = get ? *get : first;
        const TParam& value = get ? *Retval(*get) : typed.Params.back();
        std::vector<TParam> index(typed.Params.begin(), typed.Params.end());
        index.erase(std::remove_if(index.begin(), index.end(),
                                   [](const TParam& p) {
                                       return p.Dir == TParamDir::Retval || p.Name == nullptr;
                                   }),
                    index.end());
        const std::string access = !put && !putRef  ? "read-only"
                                   : get == nullptr ? "write-only"
                                                    : "read and write";
        basic = "Property " + name + (index.empty() ? "" : "(" + BasicParams(index) + ")") +
                " As " + BasicType(value.Type) + "  ' " + access + (putRef ? " (also Set)" : "") +
                flags + ", " + dispId;
    }
    lines.push_back("    " + basic);
    if (type.Kind == TTypeKind::DispInterface) {
        // The sink receives the arguments in reverse order, as Invoke does.
        std::string args;
        const size_t count = first.Params.size();
        for (size_t i = 0; i < count; ++i) {
            const TParam& param = first.Params[i];
            args += (i ? ", " : "") + std::string("rgvarg[") + std::to_string(count - 1 - i) +
                    "] " + VariantType(library, param) + " " + param.Name;
        }
        lines.push_back("    // Invoke(" + std::to_string(first.DispId) + ", DISPATCH_METHOD)" +
                        (args.empty() ? ", no arguments" : ": " + args));
    } else {
        for (const TMember* member : accessors)
            lines.push_back("    HRESULT " + MemberDeclaration(library, *member) + ";");
    }
    return lines;
}

std::string ImplementedText(const TTypeDesc& type) {
    std::string text;
    for (const TImplType& impl : type.Implemented) {
        std::string flags;
        if (impl.Flags & ifDefault)
            flags = "default";
        if (impl.Flags & ifSource)
            flags += flags.empty() ? "source" : ", source";
        text += (text.empty() ? "" : ", ") + std::string("`") + impl.Interface + "`" +
                (flags.empty() ? "" : " (" + flags + ")");
    }
    return text;
}

TLines TypeBlock(const TTypeDesc& type) {
    const std::string guid = GuidText(type.Guid);
    TLines lines = {"### " + std::string(type.Name), ""};
    switch (type.Kind) {
    case TTypeKind::DualInterface:
        lines.push_back("Dual interface (through its table of functions or through `IDispatch`), "
                        "IID " +
                        guid + " (`IID_" + type.Name + "`).");
        break;
    case TTypeKind::DispInterface:
        lines.push_back("Dispatch interface: the control calls it on the host's sink through "
                        "`IDispatch::Invoke`, IID " +
                        guid + " (`DIID_" + type.Name + "`).");
        break;
    case TTypeKind::CoClass:
        lines.push_back(std::string((type.Flags & tfControl) ? "Control class" : "Class") +
                        ", CLSID " + guid + " (`CLSID_" + type.Name + "`), implements " +
                        ImplementedText(type) + ".");
        break;
    case TTypeKind::Enumeration:
        lines.push_back("Enumeration (`long`), GUID " + guid + ".");
        lines.push_back("");
        lines.push_back("| Constant | Value |");
        lines.push_back("|---|---|");
        for (const TEnumConstant& constant : type.Constants)
            lines.push_back("| `" + std::string(constant.Name) + "` | " +
                            std::to_string(constant.Value) + " |");
        break;
    }
    return lines;
}

TLines LibraryBlock(const TLibrary& library) {
    char locale[16];
    std::snprintf(locale, sizeof locale, "0x%04X", static_cast<unsigned>(library.Lcid));
    return {"Type library `" + std::string(library.Name) + "` (\"" + library.Help +
            "\"), version " + std::to_string(library.MajorVersion) + "." +
            std::to_string(library.MinorVersion) + ", LIBID " + GuidText(library.Libid) +
            " (`LIBID_" + library.Name + "`), locale " + locale + "."};
}

struct TExpected {
    std::string Key;
    std::string Group; // the type it belongs to; empty for the library
    TLines Content;
};

std::vector<TExpected> ExpectedBlocks(const TLibrary& library) {
    std::vector<TExpected> blocks = {{"library", "", LibraryBlock(library)}};
    for (const TTypeDesc& type : library.Types) {
        blocks.push_back({"type " + std::string(type.Name), type.Name, TypeBlock(type)});
        if (!IsInterface(type))
            continue;
        for (const std::string& name : MemberNames(type))
            blocks.push_back({"member " + std::string(type.Name) + "." + name, type.Name,
                              MemberBlock(library, type, name)});
    }
    return blocks;
}

TLines SplitLines(const std::string& text) {
    TLines lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// "member ICorvane.Font" for "<!-- api member ICorvane.Font -->"; empty for
// any other line.
std::string OpenedKey(const std::string& line) {
    if (line.size() <= BlockOpen.size() + BlockOpenEnd.size() ||
        line.compare(0, BlockOpen.size(), BlockOpen) != 0 ||
        line.compare(line.size() - BlockOpenEnd.size(), BlockOpenEnd.size(), BlockOpenEnd) != 0)
        return std::string();
    return line.substr(BlockOpen.size(), line.size() - BlockOpen.size() - BlockOpenEnd.size());
}

std::string GroupOf(const std::string& key) {
    if (key.compare(0, 5, "type ") == 0)
        return key.substr(5);
    if (key.compare(0, 7, "member ") == 0)
        return key.substr(7, key.find('.') - 7);
    return std::string();
}

void AppendBlock(TLines& out, const TExpected& block) {
    out.push_back(BlockOpen + block.Key + BlockOpenEnd);
    out.insert(out.end(), block.Content.begin(), block.Content.end());
    out.push_back(BlockClose);
}

// Where a missing block of `group` goes: after the description that follows
// the group's last block, before the next block or heading; at the end when
// the group has none.
size_t InsertionPoint(const TLines& out, const std::string& group) {
    size_t after = out.size();
    for (size_t i = 0; i < out.size(); ++i) {
        const std::string key = OpenedKey(out[i]);
        if (!key.empty() && GroupOf(key) == group && !group.empty())
            after = i;
    }
    if (after == out.size())
        return out.size();
    size_t i = after + 1;
    while (i < out.size() && out[i] != BlockClose)
        ++i;
    for (++i; i < out.size(); ++i) {
        if (!OpenedKey(out[i]).empty() || out[i].compare(0, 1, "#") == 0)
            return i;
    }
    return out.size();
}

} // namespace

TReferenceUpdate UpdateReference(const TLibrary& library, const std::string& document) {
    const std::vector<TExpected> expected = ExpectedBlocks(library);
    const TLines in = SplitLines(document);
    TReferenceUpdate result;
    TLines out;
    std::set<std::string> seen;

    for (size_t i = 0; i < in.size(); ++i) {
        const std::string key = OpenedKey(in[i]);
        if (key.empty()) {
            if (in[i].find(ReferencePlaceholder) != std::string::npos)
                result.Problems.push_back("not described yet: line " + std::to_string(i + 1));
            out.push_back(in[i]);
            continue;
        }
        size_t close = i + 1;
        while (close < in.size() && in[close] != BlockClose)
            ++close;
        if (close == in.size()) {
            result.Problems.push_back("block without its end: " + key);
            out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(i), in.end());
            break;
        }
        const auto known = std::find_if(expected.begin(), expected.end(),
                                        [&](const TExpected& e) { return e.Key == key; });
        if (known == expected.end()) {
            result.Problems.push_back("not in the type library: " + key);
            out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(i),
                       in.begin() + static_cast<std::ptrdiff_t>(close) + 1);
        } else {
            if (!seen.insert(key).second)
                result.Problems.push_back("described twice: " + key);
            AppendBlock(out, *known);
        }
        i = close;
    }

    if (out.empty())
        out = {"# API reference"};
    for (const TExpected& block : expected) {
        if (seen.count(block.Key))
            continue;
        result.Problems.push_back("missing: " + block.Key);
        TLines added = {""};
        AppendBlock(added, block);
        added.push_back("");
        added.push_back(std::string(ReferencePlaceholder) +
                        (block.Key.compare(0, 7, "member ") == 0
                             ? " what it does, its default, its errors)"
                             : " what it is for)"));
        const size_t at = InsertionPoint(out, block.Group);
        if (at < out.size())
            added.push_back("");
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
    }

    for (const std::string& line : out)
        result.Text += line + "\n";
    return result;
}

} // namespace corvane::typelib
