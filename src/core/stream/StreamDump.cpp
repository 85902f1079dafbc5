#include "core/stream/StreamDump.h"

#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/StreamErrors.h"
#include "core/model/HeaderColumns.h"
#include "core/stream/StrativStream.h"

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

namespace {

void PrintTrees(std::ostream& Out, const std::vector<DumpedTree>& Trees) {
    for (const DumpedTree& tree : Trees) {
        Out << NameText(tree.Name) << ":\n";
        DumpTree(Out, *tree.Root, 1);
    }
}

// One entry that loading has accepted, shown from its own bytes.
void PrintEntry(std::ostream& Out, ByteView Entry, std::vector<DumpedTree>& Trees) {
    TReader reader(Entry);
    const std::string name = reader.ReadStr();
    Out << "  " << NameText(name) << " = ";
    if (IsHeaderColumnsEntry(name)) {
        DumpedTree tree{name, std::make_unique<THeaderColumns>()};
        tree.Root->ReadData(reader);
        Out << "(" << CountSections(*tree.Root) << " sections, below)\n";
        Trees.push_back(std::move(tree));
    } else {
        Out << ValueText(reader) << '\n';
    }
}

} // namespace

void DumpControlStream(ByteView Bytes, std::ostream& Out) {
    TReader head(Bytes);
    head.ReadSignature();
    const std::string className = head.ReadStr();
    const std::string name = head.ReadStr();
    Out << "object " << (name.empty() ? "" : NameText(name) + ": ") << NameText(className) << '\n';
    // The stream is loaded into a control as a host would load it, so that a
    // document fails here exactly where, and as, loading it fails.
    TStrativ control;
    std::vector<DumpedTree> trees;
    size_t used = 0;
    try {
        used = LoadStrativ(control, Bytes, [&](size_t Start, size_t End) {
            PrintEntry(Out, ByteView(Bytes.Data + Start, End - Start), trees);
        });
    } catch (...) {
        PrintTrees(Out, trees);
        throw;
    }
    Out << "end\n";
    PrintTrees(Out, trees);
    if (Bytes.Size > used)
        Out << Bytes.Size - used << " more bytes after the control\n";
}

std::string DumpControlStream(ByteView Bytes) {
    std::ostringstream out;
    DumpControlStream(Bytes, out);
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
