#pragma once
// TSections: ISections over one section node. The node is held as a
// SectionRef, never owned: once the node is freed (by whatever frees it) the
// wrapper behaves as an empty one. A wrapper belongs to the thread that made
// it, as the sections do; calls from other threads fail with RPC_E_WRONG_THREAD.

#include "core/model/HeaderColumns.h"
#include "core/model/SectionRef.h"
#include "server/automation/AutoIntfObject.h"
#include "server/automation/ComBoundary.h"
#include "win32/StrativWindow.h"

#include <CorvaneC_TLB.h>

#include <memory>
#include <utility>

namespace corvane::server {

class TSections final : public TAutoIntfObject<ISections> {
public:
    // The Source of its error information: library and class, as the
    // control's errors name theirs.
    static constexpr const wchar_t* ErrorSource = L"CorvaneC.Sections";

    // A new wrapper over node (null: empty) on the registered type library
    // (loaded once, see SectionsTypeInfo.h). Raises EComError with the load's
    // result when the library cannot be loaded.
    static TComPtr<ISections> Create(THeaderColumns* node);

    // The wrapped node; null when empty, freed or asked from another thread.
    THeaderColumns* Section() const;

    // --- Methods ------------------------------------------------------------
    HRESULT STDMETHODCALLTYPE Add(BSTR Caption, ISections** Value) override;
    HRESULT STDMETHODCALLTYPE IsParent(ISections* Section, VARIANT_BOOL* Value) override;
    HRESULT STDMETHODCALLTYPE Changed(VARIANT_BOOL All) override;
    HRESULT STDMETHODCALLTYPE GetFirstChild(ISections** Value) override;
    HRESULT STDMETHODCALLTYPE GetLastChild(ISections** Value) override;
    HRESULT STDMETHODCALLTYPE GetNext(ISections** Value) override;
    HRESULT STDMETHODCALLTYPE GetNextSibling(ISections** Value) override;
    HRESULT STDMETHODCALLTYPE GetPrev(ISections** Value) override;
    HRESULT STDMETHODCALLTYPE GetPrevSibling(ISections** Value) override;
    HRESULT STDMETHODCALLTYPE AlphaSort(VARIANT_BOOL Recursive) override;
    HRESULT STDMETHODCALLTYPE Exchange(long Index1, long Index2) override;
    HRESULT STDMETHODCALLTYPE DeleteItem(ISections* Section) override;
    HRESULT STDMETHODCALLTYPE BeginUpdate() override;
    HRESULT STDMETHODCALLTYPE Clear() override;
    HRESULT STDMETHODCALLTYPE EndUpdate() override;
    HRESULT STDMETHODCALLTYPE FindItemID(long ID, ISections** Value) override;
    HRESULT STDMETHODCALLTYPE Insert(long Index, ISections** Value) override;

    // --- Properties ---------------------------------------------------------
    HRESULT STDMETHODCALLTYPE get_Parent(ISections** Value) override;
    HRESULT STDMETHODCALLTYPE put_Parent(ISections* Value) override;
    HRESULT STDMETHODCALLTYPE get_ID(long* Value) override;
    HRESULT STDMETHODCALLTYPE get_Index(long* Value) override;
    HRESULT STDMETHODCALLTYPE get_Count(long* Value) override;
    HRESULT STDMETHODCALLTYPE get_Level(long* Value) override;
    HRESULT STDMETHODCALLTYPE get_Items(long Index, ISections** Value) override;
    HRESULT STDMETHODCALLTYPE put_Items(long Index, ISections* Value) override;
    HRESULT STDMETHODCALLTYPE get_AbsoluteIndex(long* Value) override;
    HRESULT STDMETHODCALLTYPE get_Caption(BSTR* Value) override;
    HRESULT STDMETHODCALLTYPE put_Caption(BSTR Value) override;
    HRESULT STDMETHODCALLTYPE get_Width(long* Value) override;
    HRESULT STDMETHODCALLTYPE put_Width(long Value) override;
    HRESULT STDMETHODCALLTYPE get_Height(long* Value) override;
    HRESULT STDMETHODCALLTYPE put_Height(long Value) override;
    HRESULT STDMETHODCALLTYPE get_Alignment(TxAlignment* Value) override;
    HRESULT STDMETHODCALLTYPE put_Alignment(TxAlignment Value) override;
    HRESULT STDMETHODCALLTYPE get_WordWrap(VARIANT_BOOL* Value) override;
    HRESULT STDMETHODCALLTYPE put_WordWrap(VARIANT_BOOL Value) override;

private:
    TSections(std::shared_ptr<const TDispatchTypeInfo> typeInfo, THeaderColumns* node);
    ~TSections() override;

    // Script hosts assign object-valued properties with putref.
    WORD InvokeFlags(DISPID id, WORD flags) const override;

    // The wrapped node; raises E_UNEXPECTED for an empty wrapper.
    THeaderColumns& Node() const;
    // The wrapped node or null; raises RPC_E_WRONG_THREAD on another thread.
    THeaderColumns* NodeOrNull() const;
    // The node behind a Section argument: null for an empty wrapper; raises
    // E_UNEXPECTED for a null or foreign argument.
    static THeaderColumns* ArgumentNode(ISections* argument);
    // Hands a new wrapper of node to the caller.
    static void HandOut(THeaderColumns* node, ISections** result);
    // Clears an interface result at once and checks it is there.
    static ISections** ResultSlot(ISections** result);

    bool OnOwnThread() const override { return GetCurrentThreadId() == thread_; }
    // Every member: refused on another thread before any argument is looked at.
    // A change it made is announced to assistive technology at once.
    template <class Body> HRESULT Boundary(Body&& body) {
        const HRESULT hr = ComBoundary(IID_ISections, ErrorSource, [&] {
            if (!OnOwnThread())
                throw EComError(RPC_E_WRONG_THREAD);
            return body();
        });
        if (hr != RPC_E_WRONG_THREAD)
            win32::StrativWindow::NoteAccessibleChangesOnThread();
        return hr;
    }

    SectionRef section_;
    DWORD thread_;
};

} // namespace corvane::server
