// In-place and UI activation, IOleInPlaceObject, IOleInPlaceActiveObject.
#include "server/activex/ActiveXControl.h"

#include "server/activex/ComErrors.h"
#include "win32/MouseInput.h"

namespace corvane::server {

HRESULT TActiveXControl::ActivateInPlace(bool withUI) {
    // A host that let go is not handed the object again (SetActiveObject).
    if (!clientSite_ || GoingAway())
        return E_UNEXPECTED;
    // Inside any call to its site the host may close, deactivate or drop the
    // control, let go of it or destroy its own window: after each call the
    // activation goes on only while the host left everything as it was.
    const unsigned hostTurns = hostTurns_, uiTurns = uiTurns_;
    HWND parent = window_->Handle() ? ::GetParent(window_->Handle()) : nullptr;
    const auto hostChanged = [&] {
        return hostTurns_ != hostTurns || GoingAway() || (parent != nullptr && !::IsWindow(parent));
    };
    const auto abandon = [&] {
        DeactivateInPlace();
        return E_UNEXPECTED;
    };
    if (!inPlaceActive_) {
        auto site = TComPtr<IOleInPlaceSite>::From(clientSite_.Get(), IID_IOleInPlaceSite);
        if (!site)
            return E_NOINTERFACE;
        parent = nullptr;
        if (site->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        if (hostChanged())
            return E_UNEXPECTED;
        Check(site->OnInPlaceActivate());
        // From here on the site hears OnInPlaceDeactivate however this ends.
        inPlaceSite_ = site;
        inPlaceActive_ = true;
        if (hostChanged())
            return abandon();
        const HRESULT gotWindow = site->GetWindow(&parent);
        if (hostChanged())
            return abandon();
        RECT pos{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        TComPtr<IOleInPlaceFrame> frame;
        TComPtr<IOleInPlaceUIWindow> uiWindow;
        if (FAILED(gotWindow) || parent == nullptr ||
            FAILED(site->GetWindowContext(frame.Put(), uiWindow.Put(), &pos, &clip, &frameInfo)) ||
            hostChanged()) {
            DeactivateInPlace();
            return hostChanged() ? E_UNEXPECTED : E_FAIL;
        }
        frame_ = std::move(frame);
        uiWindow_ = std::move(uiWindow);
        window_->SetParentWindow(parent);
        SetObjectRects(&pos, &clip);
        if (hostChanged()) // the header's events reach the host too
            return abandon();
    }
    // Every activating verb shows the window, also after the hide verb.
    window_->SetHiddenByHost(false);
    // The host may also end only the user interface (UIDeactivate): the
    // control stays in place, without the focus or the frame's attention.
    if (!withUI || uiActive_ || uiTurns_ != uiTurns)
        return S_OK;
    const auto uiStopped = [&] {
        if (hostChanged()) {
            DeactivateInPlace();
            return true;
        }
        return uiTurns_ != uiTurns || !uiActive_ || !inPlaceActive_;
    };
    const auto stopResult = [&] { return inPlaceActive_ ? S_OK : E_UNEXPECTED; };
    uiActive_ = true;
    const TComPtr<IOleInPlaceSite> site = inPlaceSite_;
    site->OnUIActivate();
    if (uiStopped())
        return stopResult();
    if (::GetFocus() != window_->Handle())
        ::SetFocus(window_->Handle()); // the site hears OnFocus
    if (uiStopped())
        return stopResult();
    auto active = static_cast<IOleInPlaceActiveObject*>(this);
    const TComPtr<IOleInPlaceFrame> frame = frame_;
    const TComPtr<IOleInPlaceUIWindow> uiWindow = uiWindow_;
    if (frame) {
        frame->SetActiveObject(active, nullptr);
        if (uiStopped())
            return stopResult();
    }
    if (uiWindow) {
        uiWindow->SetActiveObject(active, nullptr);
        if (uiStopped())
            return stopResult();
    }
    if (frame) {
        frame->SetBorderSpace(nullptr);
        if (uiStopped())
            return stopResult();
    }
    if (uiWindow) {
        uiWindow->SetBorderSpace(nullptr);
        if (uiStopped())
            return stopResult();
    }
    return S_OK;
}

void TActiveXControl::DeactivateUI() {
    if (!uiActive_)
        return;
    uiActive_ = false;
    // The host may deactivate further inside these calls (which lets go of
    // the members): each goes to the object it is meant for, held here, and
    // the site that saw OnUIActivate hears OnUIDeactivate.
    const TComPtr<IOleInPlaceUIWindow> uiWindow = uiWindow_;
    const TComPtr<IOleInPlaceFrame> frame = frame_;
    const TComPtr<IOleInPlaceSite> site = inPlaceSite_;
    if (uiWindow)
        uiWindow->SetActiveObject(nullptr, nullptr);
    if (frame)
        frame->SetActiveObject(nullptr, nullptr);
    if (site)
        site->OnUIDeactivate(FALSE);
    // The host's window went inside these calls, and the control's with it.
    if (inPlaceActive_ && !window_->Handle())
        DeactivateInPlace();
}

void TActiveXControl::DeactivateInPlace() {
    if (!inPlaceActive_)
        return;
    DeactivateUI();
    if (!inPlaceActive_) // deactivated by the host from inside DeactivateUI
        return;
    inPlaceActive_ = false;
    ParkWindow();
    const TComPtr<IOleInPlaceSite> site = std::move(inPlaceSite_);
    frame_.Reset();
    uiWindow_.Reset();
    if (site)
        site->OnInPlaceDeactivate();
}

void TActiveXControl::ParkWindow() {
    if (!window_)
        return;
    window_->SetHiddenByHost(true);
    window_->SetParentWindow(parking_.Handle());
}

bool TActiveXControl::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A host that let go hears nothing more: no focus news, no activation
    // (which would hand it the object again).
    if (GoingAway())
        return false;
    switch (message) {
    case WM_GETOBJECT:
        // The object id travels in the low 32 bits, also on 64-bit Windows.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
            result = AccessibleObject(wParam);
            return true;
        }
        return AutomationObject(wParam, lParam, result);
    case WM_SETFOCUS:
        OnControlFocus(true);
        break;
    case WM_KILLFOCUS:
        OnControlFocus(false);
        break;
    case WM_MOUSEACTIVATE:
        // A click into the control makes it the UI-active object.
        if (inPlaceActive_ && !uiActive_) {
            ActivateInPlace(true);
            result = MA_ACTIVATE;
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

LRESULT TActiveXControl::AccessibleObject(WPARAM flags) {
    if (!accessible_)
        accessible_ = TComPtr<TAccessibleHeader>::Attach(new TAccessibleHeader(*this));
    return ::LresultFromObject(__uuidof(IAccessible), flags, accessible_.Get());
}

bool TActiveXControl::AutomationObject(WPARAM flags, LPARAM id, LRESULT& result) {
    if (static_cast<DWORD>(id) != static_cast<DWORD>(UiaRootObject))
        return false;
    const auto answer = UiaCore().ReturnRawElementProvider;
    if (answer == nullptr)
        return false; // no UI Automation on this system: the default answer
    result = answer(window_->Handle(), flags, id, &AutomationRoot());
    return true;
}

TUiaHeader& TActiveXControl::AutomationRoot() {
    if (!automation_) {
        automation_ = TComPtr<TUiaHeader>::Attach(new TUiaHeader(*this));
        window_->SetAccessibleListener(automation_.Get());
    }
    return *automation_.Get();
}

void TActiveXControl::OnControlFocus(bool gotFocus) {
    const unsigned uiTurns = uiTurns_;
    auto controlSite = TComPtr<IOleControlSite>::From(clientSite_.Get(), IID_IOleControlSite);
    if (controlSite)
        controlSite->OnFocus(gotFocus ? TRUE : FALSE);
    // Not against the host's word given inside OnFocus.
    if (gotFocus && inPlaceActive_ && !uiActive_ && uiTurns_ == uiTurns)
        ActivateInPlace(true);
}

// --- IOleWindow -------------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::GetWindow(HWND* window) {
    CONTROL_ENTRY(this);
    if (window == nullptr)
        return E_POINTER;
    *window = window_ ? window_->Handle() : nullptr;
    return *window ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::ContextSensitiveHelp(BOOL) {
    CONTROL_ENTRY(this);
    return E_NOTIMPL;
}

// --- IOleInPlaceObject ------------------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::InPlaceDeactivate() {
    CONTROL_ENTRY(this);
    HostTurned(false);
    return Guarded(IID_IOleInPlaceObject, class_.ProgId, [&]() -> HRESULT {
        DeactivateInPlace();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::UIDeactivate() {
    CONTROL_ENTRY(this);
    HostTurned(true);
    return Guarded(IID_IOleInPlaceObject, class_.ProgId, [&]() -> HRESULT {
        DeactivateUI();
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::SetObjectRects(LPCRECT posRect, LPCRECT clipRect) {
    CONTROL_ENTRY(this);
    if (posRect == nullptr)
        return E_POINTER;
    return Guarded(IID_IOleInPlaceObject, class_.ProgId, [&]() -> HRESULT {
        control_->SetBounds(posRect->left, posRect->top, posRect->right - posRect->left,
                            posRect->bottom - posRect->top);
        // A control partly scrolled out of the host's view shows only what
        // lies inside the host's clip rectangle.
        std::optional<RECT> visible;
        RECT inside{};
        if (clipRect != nullptr) {
            if (!::IntersectRect(&inside, posRect, clipRect))
                ::SetRectEmpty(&inside);
            if (!::EqualRect(&inside, posRect)) {
                if (!::IsRectEmpty(&inside))
                    ::OffsetRect(&inside, -posRect->left, -posRect->top);
                visible = inside;
            }
        }
        window_->SetVisibleArea(visible);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE TActiveXControl::ReactivateAndUndo() {
    CONTROL_ENTRY(this);
    return INPLACE_E_NOTUNDOABLE;
}

// --- IOleInPlaceActiveObject ------------------------------------------------------

HRESULT STDMETHODCALLTYPE TActiveXControl::TranslateAccelerator(LPMSG msg) {
    CONTROL_ENTRY(this);
    if (msg == nullptr)
        return E_INVALIDARG;
    if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
        // Keys the header uses go straight to its window, before a container
        // that works like a dialog takes arrows or Enter for itself.
        const HWND window = window_ ? window_->Handle() : nullptr;
        if (window != nullptr && msg->hwnd == window &&
            control_->WantsKey(static_cast<uint16_t>(msg->wParam),
                               win32::ShiftFromKeyboard(msg->lParam))) {
            ::SendMessageA(window, msg->message, msg->wParam, msg->lParam);
            return S_OK;
        }
        // Every other key (Tab among them) goes back to the container, which
        // moves the focus on.
        auto controlSite = TComPtr<IOleControlSite>::From(clientSite_.Get(), IID_IOleControlSite);
        if (controlSite) {
            DWORD modifiers = 0;
            if (::GetKeyState(VK_SHIFT) < 0)
                modifiers |= 1; // KEYMOD_SHIFT
            if (::GetKeyState(VK_CONTROL) < 0)
                modifiers |= 2; // KEYMOD_CONTROL
            if (::GetKeyState(VK_MENU) < 0)
                modifiers |= 4; // KEYMOD_ALT
            return controlSite->TranslateAccelerator(msg, modifiers) == S_OK ? S_OK : S_FALSE;
        }
    }
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TActiveXControl::OnFrameWindowActivate(BOOL) {
    CONTROL_ENTRY(this);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TActiveXControl::OnDocWindowActivate(BOOL) {
    CONTROL_ENTRY(this);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TActiveXControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    CONTROL_ENTRY(this);
    return S_OK;
}
HRESULT STDMETHODCALLTYPE TActiveXControl::EnableModeless(BOOL) {
    CONTROL_ENTRY(this);
    return S_OK;
}

} // namespace corvane::server
