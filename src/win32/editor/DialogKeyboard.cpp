#include "win32/editor/DialogKeyboard.h"

#include "win32/ErrorBox.h"

#include <string>

namespace corvane::win32::editor {

using namespace corvane::editor;

namespace {

constexpr UINT_PTR SubclassId = 0x4B455953; // one subclass of ours per control

TKeyStroke StrokeOf(int key) {
    TKeyStroke stroke;
    stroke.Key = key;
    if (::GetKeyState(VK_SHIFT) < 0)
        stroke.Shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0)
        stroke.Shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0)
        stroke.Shift |= ssAlt;
    return stroke;
}

// The key a character comes from, for the characters of routed keys.
int KeyOfCharacter(WPARAM character) {
    switch (character) {
    case '\t':
        return KeyTab;
    case '\r':
        return KeyReturn;
    case 0x1B:
        return KeyEscape;
    default:
        return 0;
    }
}

bool HasClass(HWND window, const char* name) {
    char className[32] = {};
    ::GetClassNameA(window, className, sizeof className);
    return ::lstrcmpiA(className, name) == 0;
}

std::string TextOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// The windows under parent in tab order (z-order, control containers
// entered where they stand), visible ones only.
void CollectInTabOrder(HWND parent, std::vector<HWND>& out) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        if (::GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)
            CollectInTabOrder(child, out);
        else
            out.push_back(child);
    }
}

// A control a mnemonic can reach: a button of any kind, or a label (a
// static text or a group box) that leads to the next tab stop after it.
struct MnemonicControl {
    HWND target = nullptr;
    bool label = false;
    char mnemonic = 0;
};

std::vector<MnemonicControl> MnemonicControls(HWND root) {
    std::vector<HWND> windows;
    CollectInTabOrder(root, windows);
    std::vector<MnemonicControl> out;
    for (size_t i = 0; i < windows.size(); ++i) {
        const HWND window = windows[i];
        const bool isStatic = HasClass(window, "Static");
        const bool isButton = HasClass(window, "Button");
        if (!isStatic && !isButton)
            continue; // an edit's text is its content, not a caption
        MnemonicControl control;
        control.mnemonic = MnemonicOf(TextOf(window));
        if (control.mnemonic == 0)
            continue;
        const LONG style = ::GetWindowLongA(window, GWL_STYLE);
        control.label = isStatic || (style & BS_TYPEMASK) == BS_GROUPBOX;
        control.target = window;
        if (control.label) {
            control.target = nullptr;
            for (size_t j = i + 1; j < windows.size() && control.target == nullptr; ++j) {
                if (::GetWindowLongA(windows[j], GWL_STYLE) & WS_TABSTOP)
                    control.target = windows[j];
            }
        }
        if (control.target != nullptr && ::IsWindowEnabled(control.target))
            out.push_back(control);
    }
    return out;
}

void FocusControl(HWND control) {
    ::SetFocus(control);
    // As the dialog manager does when it moves the focus into an edit.
    if (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageA(control, EM_SETSEL, 0, -1);
}

} // namespace

DialogKeyboard::DialogKeyboard(std::function<void(int step)> switchPage)
    : switchPage_(std::move(switchPage)) {}

DialogKeyboard::~DialogKeyboard() {
    Detach();
}

void DialogKeyboard::Attach(HWND control, TKeyRole role) {
    attached_.push_back(std::make_unique<Attached>(Attached{this, control, role}));
    if (!::SetWindowSubclass(control, &DialogKeyboard::SubclassProc, SubclassId,
                             reinterpret_cast<DWORD_PTR>(attached_.back().get()))) {
        attached_.pop_back();
        RaiseLastWin32Error("SetWindowSubclass");
    }
}

void DialogKeyboard::Detach() {
    for (const auto& attached : attached_) {
        if (::IsWindow(attached->control))
            ::RemoveWindowSubclass(attached->control, &DialogKeyboard::SubclassProc, SubclassId);
    }
    attached_.clear();
}

LRESULT CALLBACK DialogKeyboard::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    const auto* attached = reinterpret_cast<const Attached*>(data);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, &DialogKeyboard::SubclassProc, id);
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    try {
        bool handled = false;
        const LRESULT result =
            attached->keyboard->OnMessage(*attached, message, wParam, lParam, handled);
        if (handled)
            return result;
    } catch (...) {
        ShowCurrentException(window);
        return 0;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

LRESULT DialogKeyboard::OnMessage(const Attached& attached, UINT message, WPARAM wParam,
                                  LPARAM lParam, bool& handled) {
    switch (message) {
    case WM_GETDLGCODE: {
        handled = true;
        LRESULT code = ::DefSubclassProc(attached.control, message, wParam, lParam);
        // A push button presses itself on Enter; it never becomes the
        // form's default button, which would take Enter from other controls.
        if (attached.role == TKeyRole::PushButton)
            code &= ~static_cast<LRESULT>(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
        const auto* asked = reinterpret_cast<const MSG*>(lParam);
        if (asked == nullptr || (asked->message != WM_KEYDOWN && asked->message != WM_CHAR))
            return code;
        const int key = asked->message == WM_KEYDOWN ? static_cast<int>(asked->wParam)
                                                     : KeyOfCharacter(asked->wParam);
        const TKeyRoute route = RouteKey(attached.role, StrokeOf(key));
        if (IsClaimed(route))
            code |= DLGC_WANTMESSAGE;
        else if (route == TKeyRoute::DialogManager)
            code &= ~static_cast<LRESULT>(DLGC_WANTMESSAGE | DLGC_WANTTAB);
        return code;
    }
    case WM_KEYDOWN: {
        const TKeyRoute route = RouteKey(attached.role, StrokeOf(static_cast<int>(wParam)));
        switch (route) {
        case TKeyRoute::Swallow:
            handled = true;
            return 0;
        case TKeyRoute::PressButton:
            handled = true;
            if ((lParam & (1 << 30)) == 0) // not the key's auto-repeat
                ::SendMessageA(attached.control, BM_CLICK, 0, 0);
            return 0;
        case TKeyRoute::NextPage:
        case TKeyRoute::PreviousPage:
            handled = true;
            if (switchPage_)
                switchPage_(route == TKeyRoute::NextPage ? 1 : -1);
            return 0;
        default:
            return 0; // the control's own handling
        }
    }
    case WM_CHAR: {
        // The character of a claimed key (Enter, Esc, Ctrl+Tab) is not text.
        const int key = KeyOfCharacter(wParam);
        if (key != 0 && IsClaimed(RouteKey(attached.role, StrokeOf(key))))
            handled = true;
        return 0;
    }
    default:
        return 0;
    }
}

bool DialogKeyboard::HandleMnemonic(HWND root, const MSG& message) {
    if (message.message != WM_SYSCHAR && message.message != WM_CHAR)
        return false;
    if (message.hwnd == nullptr || (message.hwnd != root && !::IsChild(root, message.hwnd)))
        return false;
    const auto key = static_cast<char>(message.wParam);
    if (static_cast<unsigned char>(key) <= ' ')
        return false;
    if (message.message == WM_CHAR) {
        // A plain letter is text wherever the focused control takes text.
        if (::GetKeyState(VK_CONTROL) < 0)
            return false;
        const LRESULT code =
            ::SendMessageA(message.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&message));
        if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE))
            return false;
    }
    const std::vector<MnemonicControl> controls = MnemonicControls(root);
    const HWND focus = ::GetFocus();
    std::vector<TMnemonicCandidate> candidates;
    candidates.reserve(controls.size());
    for (const MnemonicControl& control : controls) {
        TMnemonicCandidate candidate;
        candidate.Mnemonic = control.mnemonic;
        candidate.HasFocus =
            focus != nullptr && (focus == control.target || ::IsChild(control.target, focus));
        candidates.push_back(candidate);
    }
    const auto choice = ChooseMnemonic(candidates, key);
    if (!choice)
        return false;
    const MnemonicControl& chosen = controls[choice->Index];
    if (choice->Activate && !chosen.label)
        ::SendMessageA(chosen.target, BM_CLICK, 0, 0);
    else
        FocusControl(chosen.target);
    return true;
}

} // namespace corvane::win32::editor
