#include "server/activex/AccessibleHeader.h"

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "server/activex/ActiveXControl.h"
#include "server/activex/ComErrors.h"
#include "server/activex/ParkingWindow.h"
#include "server/automation/Bstr.h"

#include <algorithm>
#include <memory>

namespace corvane::server {
namespace {

void Fail(HRESULT hr) {
    throw EOleError(hr);
}

void SetChildId(VARIANT& out, LONG id) {
    VariantInit(&out);
    out.vt = VT_I4;
    out.lVal = id;
}

// A string for the caller; an empty one is no string at all (S_FALSE).
HRESULT GiveString(const std::string& text, BSTR* out) {
    *out = TextToBstr(text).Detach();
    return *out != nullptr ? S_OK : S_FALSE;
}

} // namespace

TAccessibleHeader::TAccessibleHeader(TActiveXControl& control)
    : TComObject(__uuidof(IAccessible), 1), control_(&control), thread_(::GetCurrentThreadId()) {}

void TAccessibleHeader::Disconnect() {
    control_ = nullptr;
    standard_.Reset();
    standardWindow_ = nullptr;
}

template <class Body> HRESULT TAccessibleHeader::Call(Body&& body) noexcept {
    try {
        // Another thread reads nothing of ours, not even control_: the
        // control may be going on its own thread at this very moment.
        if (::GetCurrentThreadId() != thread_)
            return RPC_E_WRONG_THREAD;
        if (control_ == nullptr)
            return CO_E_OBJNOTCONNECTED;
        // A call into the control like any other: it stays alive throughout,
        // even if a host lets go inside the click it raises.
        const win32::ControlEntry entry(control_);
        if (entry.Refused())
            return RPC_E_WRONG_THREAD;
        return body();
    } catch (...) {
        return ReportCurrentException(__uuidof(IAccessible), L"CorvaneC.Corvane");
    }
}

TStrativ& TAccessibleHeader::Header() const {
    return control_->HeaderControl();
}

HWND TAccessibleHeader::Window() const {
    return control_->Window().Handle();
}

IAccessible& TAccessibleHeader::Standard() {
    const HWND window = Window();
    if (window == nullptr)
        Fail(CO_E_OBJNOTCONNECTED);
    if (!standard_ || standardWindow_ != window) {
        standard_.Reset();
        Check(::CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          standard_.PutVoid()));
        standardWindow_ = window;
    }
    return *standard_.Get();
}

TAccessibleHeader::TTarget TAccessibleHeader::Resolve(const VARIANT& child) const {
    LONG id = 0;
    if (child.vt == VT_I4)
        id = child.lVal;
    else if (child.vt == VT_I2)
        id = child.iVal;
    else if (child.vt == VT_INT)
        id = child.intVal;
    else
        Fail(E_INVALIDARG);
    TTarget target;
    if (id == CHILDID_SELF) {
        target.Self = true;
        return target;
    }
    target.Section = Header().AccessibleChild(id);
    if (target.Section == nullptr)
        Fail(E_INVALIDARG);
    return target;
}

// --- IUnknown, IDispatch -------------------------------------------------------

HRESULT STDMETHODCALLTYPE TAccessibleHeader::GetTypeInfoCount(UINT* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info == nullptr)
        return E_POINTER;
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*,
                                                    VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// --- IAccessible: the tree --------------------------------------------------------

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accParent(IDispatch** parent) {
    if (parent == nullptr)
        return E_POINTER;
    *parent = nullptr;
    return Call([&] { return Standard().get_accParent(parent); });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accChildCount(long* count) {
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return Call([&] {
        *count = Header().AccessibleChildCount();
        return S_OK;
    });
}

// Sections are simple children: they have ids, not objects of their own.
HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    return Call([&]() -> HRESULT {
        if (Resolve(child).Self)
            return E_INVALIDARG;
        return S_FALSE;
    });
}

// First and last child lead from the header to its first and last section;
// a section is a simple child and has none. Next and previous go through
// every section in child-id order (a client walking the children with them
// meets each one); up, down, left and right go as the arrow keys go. From
// the header the other directions lead to the window's siblings, which the
// system's object knows.
HRESULT STDMETHODCALLTYPE TAccessibleHeader::accNavigate(long direction, VARIANT start,
                                                         VARIANT* end) {
    if (end == nullptr)
        return E_POINTER;
    VariantInit(end);
    return Call([&]() -> HRESULT {
        const TTarget from = Resolve(start);
        TStrativ& header = Header();
        const int count = header.AccessibleChildCount();
        int id = 0;
        if (from.Self) {
            if (direction == NAVDIR_FIRSTCHILD)
                id = 1;
            else if (direction == NAVDIR_LASTCHILD)
                id = count;
            else
                return Standard().accNavigate(direction, start, end);
        } else {
            const int fromId = header.AccessibleChildId(from.Section);
            THeaderColumns* to = nullptr;
            switch (direction) {
            case NAVDIR_FIRSTCHILD:
            case NAVDIR_LASTCHILD:
                return E_INVALIDARG;
            case NAVDIR_NEXT:
                id = fromId + 1;
                break;
            case NAVDIR_PREVIOUS:
                id = fromId - 1;
                break;
            case NAVDIR_UP:
                to = header.NavigationTarget(from.Section, vkUp);
                break;
            case NAVDIR_DOWN:
                to = header.NavigationTarget(from.Section, vkDown);
                break;
            case NAVDIR_LEFT:
                to = header.NavigationTarget(from.Section, vkLeft);
                break;
            case NAVDIR_RIGHT:
                to = header.NavigationTarget(from.Section, vkRight);
                break;
            default:
                return E_INVALIDARG;
            }
            if (to != nullptr)
                id = header.AccessibleChildId(to);
        }
        if (id < 1 || id > count)
            return S_FALSE;
        SetChildId(*end, id);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::accHitTest(long x, long y, VARIANT* child) {
    if (child == nullptr)
        return E_POINTER;
    VariantInit(child);
    return Call([&]() -> HRESULT {
        POINT p{x, y};
        ::ScreenToClient(Window(), &p);
        RECT client{};
        ::GetClientRect(Window(), &client);
        if (!::PtInRect(&client, p))
            return S_FALSE;
        TStrativ& header = Header();
        const TSectionHit hit = header.SectionAt(TPoint{p.x, p.y});
        SetChildId(*child,
                   hit.Section != nullptr ? header.AccessibleChildId(hit.Section) : CHILDID_SELF);
        return S_OK;
    });
}

// --- IAccessible: what each section says ------------------------------------------

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accName(VARIANT child, BSTR* name) {
    if (name == nullptr)
        return E_POINTER;
    *name = nullptr;
    return Call([&] {
        const TTarget target = Resolve(child);
        if (target.Self)
            return GiveString(control_->AccessibleName(), name);
        return GiveString(target.Section->Caption(), name);
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accValue(VARIANT child, BSTR* value) {
    if (value == nullptr)
        return E_POINTER;
    *value = nullptr;
    return Call([&]() -> HRESULT {
        if (Resolve(child).Self)
            return Standard().get_accValue(child, value);
        return DISP_E_MEMBERNOTFOUND;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accDescription(VARIANT child, BSTR* description) {
    if (description == nullptr)
        return E_POINTER;
    *description = nullptr;
    return Call([&] {
        const TTarget target = Resolve(child);
        if (target.Self)
            return Standard().get_accDescription(child, description);
        // The groups the section is in; its own name is said already.
        return GiveString(TStrativ::SectionPath(target.Section->Parent()), description);
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr)
        return E_POINTER;
    VariantInit(role);
    return Call([&]() -> HRESULT {
        // A list of column headers, as the system's own header control is.
        SetChildId(*role, Resolve(child).Self ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_COLUMNHEADER);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr)
        return E_POINTER;
    VariantInit(state);
    return Call([&]() -> HRESULT {
        const TTarget target = Resolve(child);
        TStrativ& header = Header();
        const HWND window = Window();
        if (target.Self) {
            const HRESULT hr = Standard().get_accState(child, state);
            // Disabled: nothing to do and nowhere to stop, whatever the
            // window's own style says.
            if (hr == S_OK && state->vt == VT_I4 && !header.Enabled())
                state->lVal = (state->lVal & ~STATE_SYSTEM_FOCUSABLE) | STATE_SYSTEM_UNAVAILABLE;
            return hr;
        }
        THeaderColumns* section = target.Section;
        LONG flags = 0;
        if (header.AccessibleFocusable())
            flags |= STATE_SYSTEM_FOCUSABLE;
        if (::GetFocus() == window && header.HasKeyboardFocus() &&
            header.FocusedSection() == section)
            flags |= STATE_SYSTEM_FOCUSED;
        // Hot and pressed as they look: the hot colour only with hot tracking.
        const bool hot = header.HotSection() == section;
        if (hot && (header.Options() & hoHotTrack))
            flags |= STATE_SYSTEM_HOTTRACKED;
        if (hot && header.Pressed())
            flags |= STATE_SYSTEM_PRESSED;
        if (!header.SectionShown(section) || !::IsWindowVisible(window))
            flags |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        if (!header.Enabled() || !::IsWindowEnabled(window))
            flags |= STATE_SYSTEM_UNAVAILABLE;
        SetChildId(*state, flags);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accHelp(VARIANT child, BSTR* help) {
    if (help == nullptr)
        return E_POINTER;
    *help = nullptr;
    return Call([&]() -> HRESULT {
        if (Resolve(child).Self)
            return Standard().get_accHelp(child, help);
        return DISP_E_MEMBERNOTFOUND;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accHelpTopic(BSTR* helpFile, VARIANT child,
                                                              long* topic) {
    if (helpFile == nullptr || topic == nullptr)
        return E_POINTER;
    *helpFile = nullptr;
    *topic = 0;
    return Call([&]() -> HRESULT {
        if (Resolve(child).Self)
            return Standard().get_accHelpTopic(helpFile, child, topic);
        return DISP_E_MEMBERNOTFOUND;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accKeyboardShortcut(VARIANT child,
                                                                     BSTR* shortcut) {
    if (shortcut == nullptr)
        return E_POINTER;
    *shortcut = nullptr;
    return Call([&]() -> HRESULT {
        if (Resolve(child).Self)
            return Standard().get_accKeyboardShortcut(child, shortcut);
        return DISP_E_MEMBERNOTFOUND;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accFocus(VARIANT* child) {
    if (child == nullptr)
        return E_POINTER;
    VariantInit(child);
    return Call([&]() -> HRESULT {
        if (::GetFocus() != Window())
            return S_FALSE;
        TStrativ& header = Header();
        THeaderColumns* focused = header.FocusedSection();
        SetChildId(*child, focused != nullptr ? header.AccessibleChildId(focused) : CHILDID_SELF);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accSelection(VARIANT* children) {
    if (children == nullptr)
        return E_POINTER;
    VariantInit(children);
    return Call([]() -> HRESULT { return DISP_E_MEMBERNOTFOUND; });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::accLocation(long* left, long* top, long* width,
                                                         long* height, VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr)
        return E_POINTER;
    *left = *top = *width = *height = 0;
    return Call([&]() -> HRESULT {
        const TTarget target = Resolve(child);
        if (target.Self)
            return Standard().accLocation(left, top, width, height, child);
        const TRect r = Header().SectionRect(target.Section);
        POINT origin{r.Left, r.Top};
        ::ClientToScreen(Window(), &origin);
        *left = origin.x;
        *top = origin.y;
        // A column past the right edge can come out inverted: it has no size.
        *width = std::max(0, r.Right - r.Left);
        *height = std::max(0, r.Bottom - r.Top);
        return S_OK;
    });
}

// --- IAccessible: actions -----------------------------------------------------------

HRESULT STDMETHODCALLTYPE TAccessibleHeader::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (action == nullptr)
        return E_POINTER;
    *action = nullptr;
    return Call([&]() -> HRESULT {
        if (Resolve(child).Self)
            return Standard().get_accDefaultAction(child, action);
        if (!Header().AccessibleClickable())
            return S_FALSE;
        *action = TBstr::FromWide(ClickAction, wcslen(ClickAction)).Detach();
        return S_OK;
    });
}

// A click waiting for the message loop: the object and the section it is
// for, and a use of the thread's parking window, which runs it (so the
// window and its queue stay until it has run).
struct TAccessibleHeader::TPendingClick {
    TParkingWindowRef Parking;
    TComPtr<TAccessibleHeader> Object;
    SectionRef Section;
};

void TAccessibleHeader::RunPendingClick(void* context) {
    const std::unique_ptr<TPendingClick> pending(static_cast<TPendingClick*>(context));
    TAccessibleHeader& self = *pending->Object.Get();
    self.Call([&]() -> HRESULT {
        // Much may have happened since it was asked for.
        THeaderColumns* section = pending->Section.get();
        TStrativ& header = self.Header();
        if (section != nullptr && header.AccessibleChildId(section) != 0 &&
            header.AccessibleClickable())
            header.DoHeaderClick(section);
        return S_OK;
    });
}

// A click, as the mouse or the space bar makes it. It runs once the message
// loop does: a host's handler may show a box, and the screen reader that
// asked must not wait for it to close.
HRESULT STDMETHODCALLTYPE TAccessibleHeader::accDoDefaultAction(VARIANT child) {
    return Call([&]() -> HRESULT {
        const TTarget target = Resolve(child);
        if (target.Self)
            return Standard().accDoDefaultAction(child);
        if (!Header().AccessibleClickable())
            return DISP_E_MEMBERNOTFOUND;
        auto pending = std::make_unique<TPendingClick>();
        pending->Object = TComPtr<TAccessibleHeader>(this);
        pending->Section = target.Section;
        if (!pending->Parking.PostCall(&RunPendingClick, pending.get()))
            return E_FAIL;
        pending.release(); // the queue's now
        return S_OK;
    });
}

// Taking the focus is the one selection a section knows. The section is
// chosen before the window takes the focus, so the one focus event a client
// hears is the new section's.
HRESULT STDMETHODCALLTYPE TAccessibleHeader::accSelect(long flags, VARIANT child) {
    return Call([&]() -> HRESULT {
        const TTarget target = Resolve(child);
        if (target.Self)
            return Standard().accSelect(flags, child);
        if (flags != SELFLAG_TAKEFOCUS)
            return DISP_E_MEMBERNOTFOUND;
        TStrativ& header = Header();
        if (!header.AccessibleFocusable())
            return DISP_E_MEMBERNOTFOUND;
        const SectionRef section(target.Section);
        header.SetFocusedSection(section.get());
        if (::GetFocus() != Window())
            ::SetFocus(Window());
        if (control_ == nullptr || ::GetFocus() != Window())
            return E_FAIL; // a hidden window, or a host that took the focus back
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TAccessibleHeader::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

} // namespace corvane::server
