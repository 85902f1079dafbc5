#include "core/stream/StreamDump.h"

#include "core/control/Strativ.h"
#include "core/framework/Exceptions.h"
#include "core/framework/streaming/IdentMap.h"
#include "core/framework/streaming/PublishedProperty.h"
#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/StreamErrors.h"
#include "core/model/HeaderColumns.h"
#include "core/platform/Utf8.h"
#include "core/stream/SectionTreeText.h"
#include "core/stream/StrativStream.h"

#include <memory>
#include <sstream>
#include <utility>
#include <vector>

namespace corvane {

namespace {

// Bytes of the well-formed UTF-8 sequence at Value[i] for a printable
// character beyond ASCII (so at least U+00A0); 0 when there is none.
size_t PrintableSequence(const std::string& Value, size_t i) {
    const auto lead = static_cast<unsigned char>(Value[i]);
    const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || Value.size() - i < length)
        return 0;
    const std::u16string units = Utf16FromUtf8(Value.substr(i, length));
    const bool wellFormed = (units.size() == 1 && units[0] != 0xFFFD && units[0] >= 0xA0) ||
                            (units.size() == 2 && units[0] >= 0xD800);
    return wellFormed ? length : 0;
}

} // namespace

std::string QuoteString(const std::string& Value) {
    std::string text;
    bool quoted = false;
    for (size_t i = 0; i < Value.size();) {
        const char c = Value[i];
        const auto byte = static_cast<unsigned char>(c);
        const size_t sequence = PrintableSequence(Value, i);
        const bool printable = (byte >= 0x20 && byte < 0x7F) || sequence > 0;
        if (printable != quoted) {
            text += '\'';
            quoted = printable;
        }
        if (sequence > 0) {
            text.append(Value, i, sequence);
            i += sequence;
            continue;
        }
        if (!printable)
            text += "#" + std::to_string(byte);
        else
            text += c == '\'' ? std::string("''") : std::string(1, c);
        ++i;
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
    case TValueType::vaWString:
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
        WriteSectionTreeText(Out, *tree.Root, 1);
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
    WriteSectionTreeText(out, root, 0);
    if (reader.Remaining() > 0)
        out << reader.Remaining() << " more bytes after the sections\n";
    return out.str();
}

} // namespace corvane
