#include "server/sections/TSections.h"

#include "server/sections/LiveSections.h"
#include "server/sections/Sections.h"
#include "server/sections/SectionsTypeInfo.h"

namespace corvane::server {

TComPtr<ISections> TSections::Create(THeaderColumns* node) {
    return TComPtr<ISections>(new TSections(SectionsTypeInfo(), node));
}

TSections::TSections(std::shared_ptr<const TDispatchTypeInfo> typeInfo, THeaderColumns* node)
    : TAutoIntfObject<ISections>(std::move(typeInfo)), section_(node),
      thread_(GetCurrentThreadId()) {
    live_sections::Add(this);
}

TSections::~TSections() {
    live_sections::Remove(this);
}

THeaderColumns* TSections::Section() const {
    // Sections are registered per thread: another thread's lookup would read
    // that thread's table, so it is not tried at all.
    if (GetCurrentThreadId() != thread_)
        return nullptr;
    return section_.get();
}

THeaderColumns* TSections::NodeOrNull() const {
    if (GetCurrentThreadId() != thread_)
        throw EComError(RPC_E_WRONG_THREAD);
    return section_.get();
}

THeaderColumns& TSections::Node() const {
    THeaderColumns* node = NodeOrNull();
    if (!node)
        throw Exception("The sections object refers to no section");
    return *node;
}

THeaderColumns* TSections::ArgumentNode(ISections* argument) {
    if (!argument)
        throw Exception("The section argument is missing");
    const TSections* object = live_sections::Find(argument);
    if (!object || GetCurrentThreadId() != object->thread_)
        throw Exception("The section argument is not a sections object of this control");
    return object->section_.get();
}

ISections** TSections::ResultSlot(ISections** result) {
    if (result)
        *result = nullptr;
    return OutParam(result);
}

void TSections::HandOut(THeaderColumns* node, ISections** result) {
    *result = Create(node).Detach();
}

WORD TSections::InvokeFlags(DISPID id, WORD flags) const {
    // "Set s.Parent = x" and "Set s.Items(i) = x" arrive as putref; both
    // properties have only a put accessor, which is what is meant.
    if ((flags & DISPATCH_PROPERTYPUTREF) &&
        (id == DISPID_ISections_Parent || id == DISPID_ISections_Items))
        return static_cast<WORD>((flags & ~DISPATCH_PROPERTYPUTREF) | DISPATCH_PROPERTYPUT);
    return flags;
}

} // namespace corvane::server

HRESULT CreateSections(corvane::THeaderColumns* node, ISections** result) {
    using namespace corvane::server;
    if (!result)
        return E_POINTER;
    *result = nullptr;
    try {
        *result = TSections::Create(node).Detach();
        return S_OK;
    } catch (const EComError& e) {
        return FAILED(e.Code()) ? e.Code() : E_UNEXPECTED;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

corvane::THeaderColumns* SectionOf(ISections* sections) {
    const corvane::server::TSections* object = corvane::server::live_sections::Find(sections);
    return object ? object->Section() : nullptr;
}
