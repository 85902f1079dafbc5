#include "core/stream/StreamDump.h"

#include "core/framework/Exceptions.h"
#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/StreamErrors.h"
#include "core/model/HeaderColumns.h"

#include <memory>
#include <sstream>
#include <utility>
#include <vector>

namespace corvane {

std::string QuoteString(const std::string& Value) {
    std::string text;
    bool quoted = false;
    for (const char c : Value) {
        const auto byte = static_cast<unsigned char>(c);
        const bool printable = byte >= 0x20 && byte < 0x7F;
        if (printable != quoted) {
            text += '\'';
            quoted = printable;
        }
        if (!printable)
            text += "#" + std::to_string(byte);
        else
            text += c == '\'' ? std::string("''") : std::string(1, c);
    }
    if (quoted)
        text += '\'';
    return text.empty() ? std::string("''") : text;
}

namespace {

// Names print bare while they look like names, quoted otherwise.
std::string NameText(const std::string& Name) {
    if (Name.empty())
        return QuoteString(Name);
    for (const char c : Name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '_' || c == '.'))
            return QuoteString(Name);
    return Name;
}

int CountSections(const THeaderColumns& Root) {
    int count = 0;
    std::vector<const THeaderColumns*> pending{&Root};
    while (!pending.empty()) {
        const THeaderColumns* node = pending.back();
        pending.pop_back();
        ++count;
        pending.insert(pending.end(), node->Children().begin(), node->Children().end());
    }
    return count;
}

void DumpTree(std::ostream& out, const THeaderColumns& Root, int Indent) {
    std::vector<std::pair<const THeaderColumns*, int>> pending{{&Root, Indent}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        const char* alignment = AlignmentIdents.NameOf(node->Alignment());
        out << std::string(static_cast<size_t>(depth) * 2, ' ') << QuoteString(node->Caption())
            << " type=" << node->TypeCol() << " width=" << node->StoredWidth()
            << " height=" << node->Height() << " align=" << (alignment ? alignment : "?")
            << " wordwrap=" << (node->Wordwrap() ? "True" : "False") << '\n';
        const auto& children = node->Children();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(*it, depth + 1);
    }
}

// A section tree read from an entry, shown after the entries.
struct DumpedTree {
    std::string Name;
    std::unique_ptr<THeaderColumns> Root;
};

bool IsHeaderColumnsEntry(const std::string& Name) {
    const std::string suffix = "HeaderColumns";
    return Name.size() >= suffix.size() &&
           SameText(Name.substr(Name.size() - suffix.size()), suffix) &&
           (Name.size() == suffix.size() || Name[Name.size() - suffix.size() - 1] == '.');
}

std::string ValueText(TReader& Reader) {
    switch (Reader.NextValue()) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
        return std::to_string(Reader.ReadInteger());
    case TValueType::vaString:
    case TValueType::vaLString:
        return QuoteString(Reader.ReadString());
    case TValueType::vaIdent:
        return NameText(Reader.ReadIdent());
    case TValueType::vaFalse:
    case TValueType::vaTrue:
        return Reader.ReadBoolean() ? "True" : "False";
    case TValueType::vaSet: {
        Reader.ReadValue();
        std::string text = "[";
        for (std::string member = Reader.ReadStr(); !member.empty(); member = Reader.ReadStr())
            text += (text.size() > 1 ? ", " : "") + NameText(member);
        return text + "]";
    }
    default:
        RaiseInvalidPropertyValue();
    }
}

} // namespace

std::string DumpControlStream(ByteView Bytes) {
    TReader reader(Bytes);
    reader.ReadSignature();
    const std::string className = reader.ReadStr();
    const std::string name = reader.ReadStr();
    std::ostringstream out;
    out << "object " << (name.empty() ? "" : NameText(name) + ": ") << NameText(className) << '\n';
    std::vector<DumpedTree> trees;
    while (!reader.EndOfList()) {
        const std::string entry = reader.ReadStr();
        out << "  " << NameText(entry) << " = ";
        if (IsHeaderColumnsEntry(entry)) {
            DumpedTree tree{entry, std::make_unique<THeaderColumns>()};
            tree.Root->ReadData(reader);
            out << "(" << CountSections(*tree.Root) << " sections, below)\n";
            trees.push_back(std::move(tree));
        } else {
            out << ValueText(reader) << '\n';
        }
    }
    reader.ReadListEnd();
    if (!reader.EndOfList())
        throw EReadError("Class " + reader.ReadStr() + " not found");
    reader.ReadListEnd();
    out << "end\n";
    for (const DumpedTree& tree : trees) {
        out << NameText(tree.Name) << ":\n";
        DumpTree(out, *tree.Root, 1);
    }
    if (reader.Remaining() > 0)
        out << reader.Remaining() << " more bytes after the control\n";
    return out.str();
}

std::string DumpHeaderColumnsValue(ByteView Bytes) {
    TReader reader(Bytes);
    THeaderColumns root;
    root.ReadData(reader);
    std::ostringstream out;
    DumpTree(out, root, 0);
    if (reader.Remaining() > 0)
        out << reader.Remaining() << " more bytes after the sections\n";
    return out.str();
}

} // namespace corvane
