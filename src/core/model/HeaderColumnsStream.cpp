// Persistence of a section tree: the "HeaderColumns" value, one nested list
// per node (caption, type tag, stored width, height, alignment, child count,
// the children's lists, word wrap). Both directions walk the tree with an
// explicit stack, so a deep tree cannot exhaust the thread's stack.

#include "core/framework/streaming/Reader.h"
#include "core/framework/streaming/StreamErrors.h"
#include "core/framework/streaming/Writer.h"
#include "core/model/HeaderColumns.h"
#include "core/model/SectionNesting.h"

#include <cstdint>
#include <vector>

namespace corvane {

void THeaderColumns::DefineProperties(TFiler& Filer) {
    // Written also without children: left out, an emptied tree would come
    // back with the sections the control was created with.
    Filer.DefineProperty(
        "HeaderColumns", [this](TReader& Reader) { ReadData(Reader); },
        [this](TWriter& Writer) { WriteData(Writer); }, /*HasData=*/true);
}

namespace {

// Everything of a node's list before its children.
void WriteHead(TWriter& Writer, const THeaderColumns& Node) {
    Writer.WriteListBegin();
    Writer.WriteString(Node.Caption());
    Writer.WriteInteger(Node.TypeCol());
    Writer.WriteInteger(Node.StoredWidth());
    Writer.WriteInteger(Node.Height());
    Writer.WriteInteger(Node.Alignment());
    Writer.WriteInteger(Node.Count());
}

void WriteTail(TWriter& Writer, const THeaderColumns& Node) {
    Writer.WriteBoolean(Node.Wordwrap());
    Writer.WriteListEnd();
}

} // namespace

void THeaderColumns::WriteData(TWriter& Writer) {
    struct Frame {
        const THeaderColumns* Node;
        size_t NextChild;
    };
    std::vector<Frame> open;
    WriteHead(Writer, *this);
    open.push_back({this, 0});
    while (!open.empty()) {
        Frame& top = open.back();
        if (top.NextChild == top.Node->children_.size()) {
            WriteTail(Writer, *top.Node);
            open.pop_back();
            continue;
        }
        const THeaderColumns* child = top.Node->children_[top.NextChild++];
        // A deeper tree would be written but could never be read back.
        if (static_cast<int>(open.size()) >= MaxSectionNesting)
            RaiseNestingWriteError(MaxSectionNesting);
        WriteHead(Writer, *child);
        open.push_back({child, 0});
    }
}

namespace {

// The nodes whose lists are open, innermost last, each inside its own update
// bracket. Brackets still open when reading fails are closed innermost first.
class OpenLists {
public:
    struct Frame {
        THeaderColumns* Node;
        int32_t ChildrenLeft;
    };

    OpenLists() = default;
    OpenLists(const OpenLists&) = delete;
    OpenLists& operator=(const OpenLists&) = delete;
    ~OpenLists() {
        while (!frames_.empty()) {
            THeaderColumns* node = frames_.back().Node;
            frames_.pop_back();
            try {
                node->EndUpdate();
            } catch (...) {
                // The read error on its way out is the one callers must see.
            }
        }
    }

    Frame& Open(THeaderColumns& Node) {
        Node.BeginUpdate();
        frames_.push_back({&Node, 0});
        return frames_.back();
    }
    void CloseInnermost() {
        THeaderColumns* node = frames_.back().Node;
        frames_.pop_back();
        node->EndUpdate();
    }
    bool Empty() const { return frames_.empty(); }
    int Depth() const { return static_cast<int>(frames_.size()); }
    Frame& Innermost() { return frames_.back(); }

private:
    std::vector<Frame> frames_;
};

// Reads a node's list up to its children and opens its update bracket.
void ReadHead(TReader& Reader, THeaderColumns& Node, OpenLists& Open) {
    Reader.ReadListBegin();
    OpenLists::Frame& frame = Open.Open(Node);
    // An empty list keeps the children (and then fails at the caption).
    if (!Reader.EndOfList())
        Node.Clear();
    Node.SetCaption(Reader.ReadString());
    Node.SetTypeCol(Reader.ReadInteger());
    Node.SetWidth(Reader.ReadInteger());
    Node.SetHeight(Reader.ReadInteger());
    const int32_t alignment = Reader.ReadInteger();
    if (alignment >= taLeftJustify && alignment <= taCenter)
        Node.SetAlignment(static_cast<TAlignment>(alignment));
    frame.ChildrenLeft = Reader.ReadInteger();
}

// The word-wrap item is optional; any tag but "true" there reads as false.
void ReadTail(TReader& Reader, THeaderColumns& Node) {
    if (!Reader.EndOfList())
        Node.SetWordwrap(Reader.ReadValue() == TValueType::vaTrue);
    Reader.ReadListEnd();
}

} // namespace

void THeaderColumns::ReadData(TReader& Reader) {
    OpenLists open;
    ReadHead(Reader, *this, open);
    while (!open.Empty()) {
        OpenLists::Frame& top = open.Innermost();
        if (top.ChildrenLeft <= 0) {
            ReadTail(Reader, *top.Node);
            open.CloseInnermost();
            continue;
        }
        --top.ChildrenLeft;
        if (open.Depth() >= MaxSectionNesting)
            RaiseNestingReadError(MaxSectionNesting);
        THeaderColumns* child = top.Node->Add(std::string());
        ReadHead(Reader, *child, open);
    }
}

} // namespace corvane
