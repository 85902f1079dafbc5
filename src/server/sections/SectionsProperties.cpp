// ISections properties of the wrapped node.

#include "server/automation/Bstr.h"
#include "server/automation/VariantBool.h"
#include "server/sections/TSections.h"

#include <cstdint>

namespace corvane::server {

HRESULT STDMETHODCALLTYPE TSections::get_Parent(ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().Parent(), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::put_Parent(ISections* Value) {
    return Boundary([&] {
        THeaderColumns* parent = ArgumentNode(Value);
        THeaderColumns& node = Node();
        // Without a new parent the section would leave its tree with nobody
        // left to free it.
        if (!parent)
            throw Exception("A section cannot be detached from its tree");
        // A section without a parent is the root of a tree, owned by its
        // control (or dialog); listed under another node it would be freed by
        // two owners.
        if (!node.Parent())
            throw Exception("The root section cannot be moved");
        node.SetParent(parent);
        // Moved into another tree, the section reports to that tree's index
        // from now on, as sections added there do.
        if (node.OnChange() != parent->OnChange())
            node.SetOnChange(parent->OnChange());
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_ID(long* Value) {
    return Boundary([&] {
        long* result = OutParam(Value);
        *result = Node().ID();
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_Index(long* Value) {
    return Boundary([&] {
        long* result = OutParam(Value);
        *result = Node().Index();
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_Count(long* Value) {
    return Boundary([&] {
        long* result = OutParam(Value);
        *result = Node().Count();
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_Level(long* Value) {
    return Boundary([&] {
        long* result = OutParam(Value);
        *result = Node().Level();
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_Items(long Index, ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().Items(Index), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::put_Items(long Index, ISections* Value) {
    return Boundary([&] {
        const THeaderColumns* source = ArgumentNode(Value);
        THeaderColumns* child = Node().Items(Index);
        // An empty wrapper stands for no section: the copy refuses it with
        // "Cannot assign a nil to a THeaderColumns".
        child->Assign(source);
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_AbsoluteIndex(long* Value) {
    return Boundary([&] {
        long* result = OutParam(Value);
        *result = Node().AbsoluteIndex();
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_Caption(BSTR* Value) {
    return Boundary([&] {
        BSTR* result = OutParam(Value);
        *result = TextToBstr(Node().Caption()).Detach();
    });
}

HRESULT STDMETHODCALLTYPE TSections::put_Caption(BSTR Value) {
    return Boundary([&] {
        THeaderColumns& node = Node();
        node.SetCaption(BstrToText(Value));
    });
}

HRESULT STDMETHODCALLTYPE TSections::get_Width(long* Value) {
    return Boundary([&] {
        long* result = OutParam(Value);
        *result = Node().Width();
    });
}

HRESULT STDMETHODCALLTYPE TSections::put_Width(long Value) {
    return Boundary([&] { Node().SetWidth(Value); });
}

HRESULT STDMETHODCALLTYPE TSections::get_Height(long* Value) {
    return Boundary([&] {
        long* result = OutParam(Value);
        *result = Node().Height();
    });
}

HRESULT STDMETHODCALLTYPE TSections::put_Height(long Value) {
    return Boundary([&] { Node().SetHeight(Value); });
}

HRESULT STDMETHODCALLTYPE TSections::get_Alignment(TxAlignment* Value) {
    return Boundary([&] {
        TxAlignment* result = OutParam(Value);
        *result = static_cast<TxAlignment>(Node().Alignment());
    });
}

HRESULT STDMETHODCALLTYPE TSections::put_Alignment(TxAlignment Value) {
    // The stored field is one byte: only the low byte of the value is kept.
    return Boundary(
        [&] { Node().SetAlignment(static_cast<TAlignment>(static_cast<uint8_t>(Value & 0xFF))); });
}

HRESULT STDMETHODCALLTYPE TSections::get_WordWrap(VARIANT_BOOL* Value) {
    return Boundary([&] {
        VARIANT_BOOL* result = OutParam(Value);
        *result = ToVariantBool(Node().Wordwrap());
    });
}

HRESULT STDMETHODCALLTYPE TSections::put_WordWrap(VARIANT_BOOL Value) {
    return Boundary([&] { Node().SetWordwrap(FromVariantBool(Value)); });
}

} // namespace corvane::server
