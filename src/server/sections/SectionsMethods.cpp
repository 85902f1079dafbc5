// ISections methods: editing and walking the tree from the wrapped node.

#include "server/automation/Bstr.h"
#include "server/automation/VariantBool.h"
#include "server/sections/TSections.h"

namespace corvane::server {

HRESULT STDMETHODCALLTYPE TSections::Add(BSTR Caption, ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        THeaderColumns& node = Node();
        HandOut(node.Add(BstrToText(Caption)), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::IsParent(ISections* Section, VARIANT_BOOL* Value) {
    return Boundary([&] {
        VARIANT_BOOL* result = OutParam(Value);
        const THeaderColumns* other = ArgumentNode(Section);
        // An empty wrapper contains nothing, and nothing is below it.
        const THeaderColumns* node = NodeOrNull();
        *result = ToVariantBool(node && other && node->IsParent(other));
    });
}

HRESULT STDMETHODCALLTYPE TSections::Changed(VARIANT_BOOL All) {
    return Boundary([&] { Node().Changed(FromVariantBool(All)); });
}

HRESULT STDMETHODCALLTYPE TSections::GetFirstChild(ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().GetFirstChild(), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::GetLastChild(ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().GetLastChild(), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::GetNext(ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().GetNext(), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::GetNextSibling(ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().GetNextSibling(), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::GetPrev(ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().GetPrev(), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::GetPrevSibling(ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().GetPrevSibling(), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::AlphaSort(VARIANT_BOOL Recursive) {
    return Boundary([&] { Node().AlphaSort(FromVariantBool(Recursive)); });
}

HRESULT STDMETHODCALLTYPE TSections::Exchange(long Index1, long Index2) {
    return Boundary([&] { Node().Exchange(Index1, Index2); });
}

HRESULT STDMETHODCALLTYPE TSections::DeleteItem(ISections* Section) {
    return Boundary([&] {
        THeaderColumns* child = ArgumentNode(Section);
        THeaderColumns& node = Node();
        if (!child)
            throw Exception("The section to delete no longer exists");
        // Refuses anything that is not a direct child.
        node.DeleteItem(child);
    });
}

HRESULT STDMETHODCALLTYPE TSections::BeginUpdate() {
    return Boundary([&] { Node().BeginUpdate(); });
}

HRESULT STDMETHODCALLTYPE TSections::Clear() {
    return Boundary([&] { Node().Clear(); });
}

HRESULT STDMETHODCALLTYPE TSections::EndUpdate() {
    return Boundary([&] {
        THeaderColumns& node = Node();
        // An EndUpdate without its BeginUpdate would drive the counter below
        // zero and silence the children's reports for good; it still reports.
        if (node.UpdateCount() <= 0)
            node.Changed(false);
        else
            node.EndUpdate();
    });
}

HRESULT STDMETHODCALLTYPE TSections::FindItemID(long ID, ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().FindItemID(ID), result);
    });
}

HRESULT STDMETHODCALLTYPE TSections::Insert(long Index, ISections** Value) {
    return Boundary([&] {
        ISections** result = ResultSlot(Value);
        HandOut(Node().Insert(Index), result);
    });
}

} // namespace corvane::server
