// The header's own element and the fragment root: what the window's element
// says, the way down to the sections, the grid, and the events.
#include "server/activex/UiaHeader.h"

#include "core/control/HeaderGrid.h"
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "server/activex/ActiveXControl.h"
#include "server/activex/ComErrors.h"
#include "server/activex/UiaValues.h"

#include <algorithm>

namespace corvane::server {

TUiaHeader::TUiaHeader(TActiveXControl& control)
    : control_(&control), owner_(&control), thread_(::GetCurrentThreadId()),
      gate_(std::make_unique<TUiaCallGate>()) {}

void TUiaHeader::Disconnect() {
    control_ = nullptr;
    owner_ = nullptr;
    placements_.clear();
    gate_->Close();
}

TStrativ& TUiaHeader::Header() const {
    return control_->HeaderControl();
}

HWND TUiaHeader::Window() const {
    return control_->Window().Handle();
}

THeaderColumns* TUiaHeader::Resolve(const SectionRef& section) const {
    THeaderColumns* s = section.get();
    if (s == nullptr || Header().AccessibleChildId(s) == 0)
        throw EOleError(UiaElementNotAvailable);
    return s;
}

TComPtr<IRawElementProviderFragment> TUiaHeader::ElementOf(const THeaderColumns* section) {
    if (section == nullptr || section == Header().Sections())
        return TComPtr<IRawElementProviderFragment>(
            static_cast<IRawElementProviderFragment*>(this));
    auto* element = new TUiaSection(*this, section);
    return TComPtr<IRawElementProviderFragment>::Attach(
        static_cast<IRawElementProviderFragment*>(element));
}

RECT TUiaHeader::ScreenRectOf(const THeaderColumns* section) const {
    TStrativ& header = Header();
    const HWND window = Window();
    RECT drawn{};
    if (window == nullptr || !header.SectionShown(section))
        return drawn;
    const TRect r = header.SectionRect(section);
    RECT client{};
    ::GetClientRect(window, &client);
    const RECT full{r.Left, r.Top, r.Right, r.Bottom};
    if (!::IntersectRect(&drawn, &full, &client))
        return RECT{};
    ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&drawn), 2);
    return drawn;
}

// --- IUnknown --------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TUiaHeader::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, __uuidof(IRawElementProviderSimple)))
        *object = static_cast<IRawElementProviderSimple*>(this);
    else if (IsEqualIID(riid, __uuidof(IRawElementProviderFragment)))
        *object = static_cast<IRawElementProviderFragment*>(this);
    else if (IsEqualIID(riid, __uuidof(IRawElementProviderFragmentRoot)))
        *object = static_cast<IRawElementProviderFragmentRoot*>(this);
    else if (IsEqualIID(riid, __uuidof(IGridProvider)))
        *object = static_cast<IGridProvider*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE TUiaHeader::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE TUiaHeader::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

// --- IRawElementProviderSimple ---------------------------------------------------

HRESULT STDMETHODCALLTYPE TUiaHeader::get_ProviderOptions(ProviderOptions* options) {
    if (options == nullptr)
        return E_POINTER;
    *options = UiaProviderOptions;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TUiaHeader::GetPatternProvider(PATTERNID pattern, IUnknown** provider) {
    if (provider == nullptr)
        return E_POINTER;
    *provider = nullptr;
    return Call([&] {
        if (pattern == UIA_GridPatternId) {
            *provider = static_cast<IGridProvider*>(this);
            Hold(*provider);
        }
        return S_OK;
    });
}

// What the window's own element (the host provider) does not know; the
// rest, the window's name among it, comes from there when the window has
// no text of its own.
HRESULT STDMETHODCALLTYPE TUiaHeader::GetPropertyValue(PROPERTYID property, VARIANT* value) {
    if (value == nullptr)
        return E_POINTER;
    VariantInit(value);
    return Call([&] {
        TStrativ& header = Header();
        const HWND window = Window();
        switch (property) {
        case UIA_ControlTypePropertyId:
            SetInt(*value, UiaHeaderControlTypeId);
            break;
        case UIA_NamePropertyId:
            SetWindowText(*value, window);
            break;
        case UIA_IsKeyboardFocusablePropertyId:
            SetBool(*value, header.WantsTabStop());
            break;
        case UIA_HasKeyboardFocusPropertyId:
            SetBool(*value, window != nullptr && ::GetFocus() == window);
            break;
        default:
            break;
        }
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaHeader::get_HostRawElementProvider(IRawElementProviderSimple** host) {
    if (host == nullptr)
        return E_POINTER;
    *host = nullptr;
    return Call([&]() -> HRESULT {
        const auto fromWindow = UiaCore().HostProviderFromHwnd;
        if (fromWindow == nullptr || Window() == nullptr)
            return S_OK;
        return fromWindow(Window(), host);
    });
}

// --- IRawElementProviderFragment --------------------------------------------------

// The header's parent and siblings are the window's, which the host provider
// knows; inside, its children are the top-level sections.
HRESULT STDMETHODCALLTYPE TUiaHeader::Navigate(NavigateDirection direction,
                                               IRawElementProviderFragment** element) {
    if (element == nullptr)
        return E_POINTER;
    *element = nullptr;
    return Call([&] {
        THeaderColumns* root = Header().Sections();
        THeaderColumns* to = nullptr;
        if (direction == NavigateDirection_FirstChild)
            to = root->GetFirstChild();
        else if (direction == NavigateDirection_LastChild)
            to = root->GetLastChild();
        if (to != nullptr)
            *element = ElementOf(to).Detach();
        return S_OK;
    });
}

// The window's element has its id from the host provider.
HRESULT STDMETHODCALLTYPE TUiaHeader::GetRuntimeId(SAFEARRAY** id) {
    if (id == nullptr)
        return E_POINTER;
    *id = nullptr;
    return Call([] { return S_OK; });
}

HRESULT STDMETHODCALLTYPE TUiaHeader::get_BoundingRectangle(UiaRect* rect) {
    if (rect == nullptr)
        return E_POINTER;
    *rect = UiaRect{};
    return Call([] { return S_OK; }); // the host provider's, from the window
}

HRESULT STDMETHODCALLTYPE TUiaHeader::GetEmbeddedFragmentRoots(SAFEARRAY** roots) {
    if (roots == nullptr)
        return E_POINTER;
    *roots = nullptr;
    return Call([] { return S_OK; });
}

HRESULT STDMETHODCALLTYPE TUiaHeader::SetFocus() {
    return Call([&] {
        if (Window() != nullptr && ::GetFocus() != Window())
            ::SetFocus(Window());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaHeader::get_FragmentRoot(IRawElementProviderFragmentRoot** root) {
    if (root == nullptr)
        return E_POINTER;
    *root = nullptr;
    return Call([&] {
        *root = static_cast<IRawElementProviderFragmentRoot*>(this);
        Hold(*root);
        return S_OK;
    });
}

// --- IRawElementProviderFragmentRoot ----------------------------------------------

HRESULT STDMETHODCALLTYPE
TUiaHeader::ElementProviderFromPoint(double x, double y, IRawElementProviderFragment** element) {
    if (element == nullptr)
        return E_POINTER;
    *element = nullptr;
    return Call([&] {
        if (!(x >= -1e9 && x <= 1e9 && y >= -1e9 && y <= 1e9))
            return S_OK; // no point of any screen (NaN among them)
        POINT p{static_cast<LONG>(x), static_cast<LONG>(y)};
        ::ScreenToClient(Window(), &p);
        RECT client{};
        ::GetClientRect(Window(), &client);
        if (!::PtInRect(&client, p))
            return S_OK;
        *element = ElementOf(Header().SectionAt(TPoint{p.x, p.y}).Section).Detach();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaHeader::GetFocus(IRawElementProviderFragment** element) {
    if (element == nullptr)
        return E_POINTER;
    *element = nullptr;
    return Call([&] {
        THeaderColumns* focused = Header().FocusedSection();
        if (focused != nullptr && ::GetFocus() == Window())
            *element = ElementOf(focused).Detach();
        return S_OK;
    });
}

// --- IGridProvider ----------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TUiaHeader::GetItem(int row, int column,
                                              IRawElementProviderSimple** item) {
    if (item == nullptr)
        return E_POINTER;
    *item = nullptr;
    return Call([&]() -> HRESULT {
        THeaderColumns* section = GridItemAt(Header(), row, column);
        if (section == nullptr)
            return E_INVALIDARG;
        return ElementOf(section)->QueryInterface(__uuidof(IRawElementProviderSimple),
                                                  reinterpret_cast<void**>(item));
    });
}

HRESULT STDMETHODCALLTYPE TUiaHeader::get_RowCount(int* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return Call([&] {
        *count = GridRowCount(Header());
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TUiaHeader::get_ColumnCount(int* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return Call([&] {
        *count = GridColumnCount(Header());
        return S_OK;
    });
}

// --- Events -----------------------------------------------------------------------

bool TUiaHeader::Listening() const {
    const auto listening = UiaCore().ClientsAreListening;
    return control_ != nullptr && listening != nullptr && listening() != FALSE;
}

void TUiaHeader::Raise(int event, IRawElementProviderSimple& element) const {
    if (const auto raise = UiaCore().RaiseAutomationEvent)
        raise(&element, event);
}

void TUiaHeader::RaisePropertyChange(IRawElementProviderSimple& element, int property,
                                     const VARIANT& value) const {
    const auto raise = UiaCore().RaiseAutomationPropertyChangedEvent;
    if (raise == nullptr)
        return;
    VARIANT before;
    VariantInit(&before); // not kept: clients read the new value
    raise(&element, property, before, value);
}

// The announcements come from inside the control's code, which must not
// see an error of ours: a lost event is all that can go wrong.
void TUiaHeader::Announce(TAccessibleEvent event, const THeaderColumns* Section) {
    if (control_ == nullptr)
        return;
    try {
        const TComPtr<IRawElementProviderFragment> element = ElementOf(Section);
        auto simple = TComPtr<IRawElementProviderSimple>::From(element.Get(),
                                                               __uuidof(IRawElementProviderSimple));
        switch (event) {
        case TAccessibleEvent::Focus:
            Raise(UiaAutomationFocusChangedEventId, *simple.Get());
            break;
        case TAccessibleEvent::NameChange: {
            TVariant name;
            SetText(name, Section != nullptr ? Section->Caption() : std::string());
            RaisePropertyChange(*simple.Get(), UIA_NamePropertyId, name);
            break;
        }
        case TAccessibleEvent::Reorder:
            // Sections came, went or moved somewhere below the header: its
            // children are to be read afresh.
            if (const auto raise = UiaCore().RaiseStructureChangedEvent) {
                int id[] = {UiaHwndRuntimeIdBase,
                            static_cast<int>(reinterpret_cast<INT_PTR>(Window()))};
                raise(simple.Get(), UiaChildrenInvalidated, id, 2);
            }
            break;
        case TAccessibleEvent::LocationChange:
            // Rectangles are raised once per message, after widths and the
            // size are settled (MessageDone).
        case TAccessibleEvent::DefaultActionChange:
            // No property of a client's carries the action's name.
            break;
        }
    } catch (...) {
    }
}

void TUiaHeader::MessageDone() {
    if (control_ == nullptr)
        return;
    try {
        RaiseMovedRectangles();
    } catch (...) {
        // Out of memory: the next message looks again.
    }
}

// Widths, the tree's shape and the client size decide every rectangle; only
// when one of them changed are the sections compared.
void TUiaHeader::RaiseMovedRectangles() {
    const HWND window = Window();
    RECT client{};
    if (window != nullptr)
        ::GetClientRect(window, &client);
    const SIZE size{client.right, client.bottom};
    const uint64_t widths = section_registry::WidthChanges();
    const uint64_t shapes = section_registry::ShapeChanges();
    if (placed_ && widths == placedWidths_ && shapes == placedShapes_ &&
        size.cx == placedClient_.cx && size.cy == placedClient_.cy)
        return;
    TStrativ& header = Header();
    std::vector<TPlacement> now;
    const int count = header.AccessibleChildCount();
    now.reserve(static_cast<size_t>(count));
    for (int id = 1; id <= count; ++id) {
        const THeaderColumns* section = header.AccessibleChild(id);
        now.push_back(TPlacement{SectionRef(section), ScreenRectOf(section)});
    }
    std::vector<TPlacement> before;
    before.swap(placements_);
    placements_ = now;
    const bool compare = placed_;
    placed_ = true;
    placedWidths_ = widths;
    placedShapes_ = shapes;
    placedClient_ = size;
    if (!compare)
        return;
    for (size_t i = 0; i < now.size(); ++i) {
        const TPlacement& placement = now[i];
        const THeaderColumns* section = placement.Section.get();
        // Mostly in the same place of the order; else searched for.
        auto old = before.begin() + static_cast<ptrdiff_t>(std::min(i, before.size()));
        if (old == before.end() || old->Section != section)
            old = std::find_if(before.begin(), before.end(),
                               [&](const TPlacement& p) { return p.Section == section; });
        if (old != before.end() && ::EqualRect(&old->Rect, &placement.Rect))
            continue;
        if (old == before.end())
            continue; // a new section: the structure event covers it
        const TComPtr<IRawElementProviderFragment> element = ElementOf(section);
        auto simple = TComPtr<IRawElementProviderSimple>::From(element.Get(),
                                                               __uuidof(IRawElementProviderSimple));
        TVariant rect;
        SetRect(rect, placement.Rect);
        RaisePropertyChange(*simple.Get(), UIA_BoundingRectanglePropertyId, rect);
    }
}

} // namespace corvane::server
