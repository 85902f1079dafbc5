#include "KeyboardDriver.h"

#include "CustomizeDialogWatch.h"
#include "win32/editor/EditorPages.h"

#include <ostream>

namespace corvane::win32::testing {
namespace {

using Ids = editor::EditorControlIds;

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsButtonOfType(HWND window, LONG type) {
    return ::lstrcmpiA(ClassOf(window).c_str(), "Button") == 0 &&
           (::GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK) == type;
}

void HoldModifiers(unsigned modifiers) {
    BYTE state[256];
    ::GetKeyboardState(state);
    const auto hold = [&state](bool down, std::initializer_list<int> keys) {
        for (int key : keys)
            state[key] = down ? 0x80 : 0;
    };
    hold((modifiers & ShiftKey) != 0, {VK_SHIFT, VK_LSHIFT});
    hold((modifiers & CtrlKey) != 0, {VK_CONTROL, VK_LCONTROL});
    hold((modifiers & AltKey) != 0, {VK_MENU, VK_LMENU});
    ::SetKeyboardState(state);
}

void Collect(HWND parent, std::vector<HWND>& out) {
    for (HWND c = ::GetWindow(parent, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
        if (!(::GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE))
            continue;
        out.push_back(c);
        Collect(c, out);
    }
}

} // namespace

void PostKey(int virtualKey, unsigned modifiers) {
    HoldModifiers(modifiers);
    const HWND focus = ::GetFocus();
    const UINT scan = ::MapVirtualKeyA(static_cast<UINT>(virtualKey), 0); // MAPVK_VK_TO_VSC
    const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
    ::PostMessageA(focus, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), down);
    ::PostMessageA(focus, WM_KEYUP, static_cast<WPARAM>(virtualKey), up);
}

void PostMnemonic(char letter) {
    HoldModifiers(AltKey);
    ::PostMessageA(::GetFocus(), WM_SYSCHAR,
                   static_cast<WPARAM>(static_cast<unsigned char>(letter)), 1 | (LPARAM{1} << 29));
}

void PostCharacter(char character) {
    ::PostMessageA(::GetFocus(), WM_CHAR,
                   static_cast<WPARAM>(static_cast<unsigned char>(character)), 1);
}

void ReleaseModifiers() {
    HoldModifiers(NoKeys);
}

std::string ControlName(HWND control) {
    if (control == nullptr)
        return "(none)";
    const std::string className = ClassOf(control);
    if (className == WC_TABCONTROLA)
        return "tabs";
    if (className == WC_TREEVIEWA)
        return "tree";
    if (::lstrcmpiA(className.c_str(), "Edit") == 0) {
        if (ClassOf(::GetParent(control)) == WC_TREEVIEWA)
            return "caption edit";
        switch (::GetDlgCtrlID(control)) {
        case Ids::WidthEditId:
            return "width";
        case Ids::HeightEditId:
            return "height";
        case Ids::HintEditId:
            return "hint";
        case Ids::BorderWidthId:
            return "borderwidth";
        case Ids::BevelWidthId:
            return "bevelwidth";
        case Ids::HotKeysMemoId:
            return "memo";
        default:
            return "edit?";
        }
    }
    if (IsButtonOfType(control, BS_AUTORADIOBUTTON)) {
        // The group box the layout put just before the group's items.
        for (HWND g = ::GetWindow(control, GW_HWNDPREV); g != nullptr;
             g = ::GetWindow(g, GW_HWNDPREV)) {
            if (IsButtonOfType(g, BS_GROUPBOX))
                return TextOf(g) + ":" + TextOf(control);
        }
    }
    return TextOf(control);
}

HWND ControlNamed(HWND root, const std::string& name) {
    std::vector<HWND> windows;
    Collect(root, windows);
    for (HWND w : windows) {
        if (ControlName(w) == name)
            return w;
    }
    return nullptr;
}

std::string FocusName(HWND root) {
    const HWND focus = ::GetFocus();
    if (focus == nullptr || (focus != root && !::IsChild(root, focus)))
        return "outside";
    return ControlName(focus);
}

EditorState ReadEditorState(HWND root, HWND pageWindows[2]) {
    EditorState state;
    state.rootShown = ::IsWindow(root) && ::IsWindowVisible(root);
    state.pagesAlive = ::IsWindow(pageWindows[0]) && ::IsWindow(pageWindows[1]) &&
                       (::IsWindowVisible(pageWindows[0]) || ::IsWindowVisible(pageWindows[1]));
    if (!state.rootShown)
        return state;
    if (HWND tabs = ControlNamed(root, "tabs"))
        state.page = static_cast<int>(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    for (HWND page : {pageWindows[0], pageWindows[1]}) {
        if (!::IsWindow(page))
            continue;
        for (HWND c = ::GetWindow(page, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
            if (IsButtonOfType(c, BS_AUTOCHECKBOX))
                state.checks += TextOf(c) + "=" +
                                (::SendMessageA(c, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0") +
                                " ";
            if (ClassOf(c) == WC_TREEVIEWA)
                state.items = TreeOutline(c);
        }
    }
    return state;
}

std::ostream& operator<<(std::ostream& out, const EditorState& s) {
    return out << "{shown " << s.rootShown << ", pages " << s.pagesAlive << ", page " << s.page
               << ", items [" << s.items << "], " << s.checks << "}";
}

} // namespace corvane::win32::testing
