#pragma once
// The header as UI Automation sees it: the window's element is a Header and
// the root of a fragment whose elements are the sections (HeaderItems),
// nested as the section tree is. Both are answered from the header
// control's own tree and geometry, as the MSAA object is.
//
// Elements name their sections by SectionRef, so an element follows its
// section through moves and edits of others, and fails once the section is
// gone or has left this header. Clients may hold the providers longer than
// the control lives: once it goes, every call fails with
// UIA_E_ELEMENTNOTAVAILABLE. Calls from other threads run on the control's
// thread (UiaCallGate.h).

#include "core/model/SectionRef.h"
#include "core/model/SectionSerials.h"
#include "server/ModuleCounts.h"
#include "server/activex/ComErrors.h"
#include "server/activex/UiaApi.h"
#include "server/activex/UiaCallGate.h"
#include "server/automation/ComPtr.h"
#include "win32/AccessibleListener.h"

#include <memory>
#include <vector>

namespace corvane {
class TStrativ;
} // namespace corvane

namespace corvane::server {

class TActiveXControl;
class TUiaSection;

class TUiaHeader final : public IRawElementProviderSimple,
                         public IRawElementProviderFragment,
                         public IRawElementProviderFragmentRoot,
                         public IGridProvider,
                         public win32::TAccessibleListener {
public:
    explicit TUiaHeader(TActiveXControl& control);
    TUiaHeader(const TUiaHeader&) = delete;
    TUiaHeader& operator=(const TUiaHeader&) = delete;

    // The control goes: no call reaches it from now on.
    void Disconnect();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IRawElementProviderSimple
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override;
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** provider) override;
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override;

    // IRawElementProviderFragment
    HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction,
                                       IRawElementProviderFragment** element) override;
    HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) override;
    HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* rect) override;
    HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** roots) override;
    HRESULT STDMETHODCALLTYPE SetFocus() override;
    HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** root) override;

    // IRawElementProviderFragmentRoot
    HRESULT STDMETHODCALLTYPE
    ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** element) override;
    HRESULT STDMETHODCALLTYPE GetFocus(IRawElementProviderFragment** element) override;

    // IGridProvider: a row per level, a column per leaf.
    HRESULT STDMETHODCALLTYPE GetItem(int row, int column,
                                      IRawElementProviderSimple** item) override;
    HRESULT STDMETHODCALLTYPE get_RowCount(int* count) override;
    HRESULT STDMETHODCALLTYPE get_ColumnCount(int* count) override;

    // win32::TAccessibleListener: the window's announcements, raised as
    // UI Automation events.
    bool Listening() const override;
    void Announce(TAccessibleEvent event, const THeaderColumns* Section) override;
    void MessageDone() override;

    // --- For the section elements ------------------------------------------
    // Runs a method's body on the control's thread while the control lives,
    // as an entry into it; errors become results.
    template <class Body> HRESULT Call(Body&& body) noexcept;
    TActiveXControl& Control() const { return *control_; }
    TStrativ& Header() const;
    HWND Window() const;
    // The section an element names, while it is in this header; else
    // raises UIA_E_ELEMENTNOTAVAILABLE.
    THeaderColumns* Resolve(const SectionRef& section) const;
    // A new element for a section of this header (the header's root: this).
    TComPtr<IRawElementProviderFragment> ElementOf(const THeaderColumns* section);
    int SerialOf(const THeaderColumns* section) { return serials_.SerialOf(section); }
    // Where the section is drawn, on screen; empty when it is not drawn.
    RECT ScreenRectOf(const THeaderColumns* section) const;
    void Raise(int event, IRawElementProviderSimple& element) const;

private:
    ~TUiaHeader() = default;
    void RaisePropertyChange(IRawElementProviderSimple& element, int property,
                             const VARIANT& value) const;
    // Sections whose rectangles changed since the last look hear it.
    void RaiseMovedRectangles();

    TModuleObjectCount objectCount_;
    LONG references_ = 1;
    TActiveXControl* control_;
    win32::TEntryOwner* owner_; // the control, entered by every call
    const DWORD thread_;        // the control's, the only one that may use it
    const std::unique_ptr<TUiaCallGate> gate_;
    TSectionSerials serials_;
    // What BoundingRectangle events were last raised from.
    struct TPlacement {
        SectionRef Section;
        RECT Rect;
    };
    std::vector<TPlacement> placements_;
    uint64_t placedWidths_ = 0, placedShapes_ = 0;
    SIZE placedClient_{};
    bool placed_ = false;
};

// One section's element: a HeaderItem with the Invoke (a click, while
// clicking is on), Transform (a width, while resizing is on) and GridItem
// patterns.
class TUiaSection final : public IRawElementProviderSimple,
                          public IRawElementProviderFragment,
                          public IInvokeProvider,
                          public ITransformProvider,
                          public IGridItemProvider {
public:
    TUiaSection(TUiaHeader& root, const THeaderColumns* section);
    TUiaSection(const TUiaSection&) = delete;
    TUiaSection& operator=(const TUiaSection&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IRawElementProviderSimple
    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override;
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID pattern, IUnknown** provider) override;
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID property, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override;

    // IRawElementProviderFragment
    HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection direction,
                                       IRawElementProviderFragment** element) override;
    HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) override;
    HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* rect) override;
    HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** roots) override;
    HRESULT STDMETHODCALLTYPE SetFocus() override;
    HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** root) override;

    // IInvokeProvider
    HRESULT STDMETHODCALLTYPE Invoke() override;

    // ITransformProvider
    HRESULT STDMETHODCALLTYPE Move(double x, double y) override;
    HRESULT STDMETHODCALLTYPE Resize(double width, double height) override;
    HRESULT STDMETHODCALLTYPE Rotate(double degrees) override;
    HRESULT STDMETHODCALLTYPE get_CanMove(BOOL* result) override;
    HRESULT STDMETHODCALLTYPE get_CanResize(BOOL* result) override;
    HRESULT STDMETHODCALLTYPE get_CanRotate(BOOL* result) override;

    // IGridItemProvider
    HRESULT STDMETHODCALLTYPE get_Row(int* result) override;
    HRESULT STDMETHODCALLTYPE get_Column(int* result) override;
    HRESULT STDMETHODCALLTYPE get_RowSpan(int* result) override;
    HRESULT STDMETHODCALLTYPE get_ColumnSpan(int* result) override;
    HRESULT STDMETHODCALLTYPE get_ContainingGrid(IRawElementProviderSimple** result) override;

private:
    ~TUiaSection() = default;
    THeaderColumns* Section() const { return root_->Resolve(section_); }
    template <class Body> HRESULT Call(Body&& body) noexcept { return root_->Call(body); }
    // The click Invoke queued, from the message loop.
    void RunClick();

    TModuleObjectCount objectCount_;
    LONG references_ = 1;
    const TComPtr<TUiaHeader> root_;
    const SectionRef section_;
    const int serial_;
};

template <class Body> HRESULT TUiaHeader::Call(Body&& body) noexcept {
    // The system calls from threads of its own: the call runs on the
    // control's thread, which alone may read the header, while this one
    // waits. Until it gets there nothing of ours is read, not even control_.
    if (::GetCurrentThreadId() != thread_)
        return gate_->Run([&] { return Call(body); });
    try {
        if (control_ == nullptr)
            return UiaElementNotAvailable;
        const win32::ControlEntry entry(owner_);
        if (entry.Refused())
            return RPC_E_WRONG_THREAD;
        return body();
    } catch (...) {
        return ReportCurrentException(__uuidof(IRawElementProviderSimple), L"CorvaneC.Corvane");
    }
}

} // namespace corvane::server
