#include "CustomizeScreenshots.h"

#include "Screenshot.h"
#include "core/framework/Exceptions.h"
#include "win32/editor/HeadersFormWindow.h"

namespace corvane::demo {
namespace {

using win32::editor::HeadersFormWindow;

// What the timer does next; it fires inside the menu's and the dialog's
// modal loops.
struct Script {
    std::string generalPath, sectionsPath;
    int step = 0;
    std::string error;
};
Script* g_script = nullptr;

struct WindowSearch {
    const char* name;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == search->name && ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindThreadWindow(const char* className) {
    WindowSearch search{className, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The dialog belongs to the control's module: its windows are found by
// class, never through that module's objects.
HWND FindDescendant(HWND parent, const char* className) {
    WindowSearch search{className, nullptr};
    ::EnumChildWindows(parent, &MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Redraw(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    Script* s = g_script;
    if (s == nullptr)
        return;
    if (s->step == 0) { // the context menu: choose its last item, "Customize..."
        if (const HWND menu = FindThreadWindow("#32768")) {
            s->step = 1;
            ::PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
            ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        }
        return;
    }
    const HWND form = FindThreadWindow(HeadersFormWindow::ClassName);
    if (form == nullptr)
        return;
    try {
        if (s->step == 1) {
            Redraw(form);
            SaveClientScreenshot(form, s->generalPath);
            // Click the second tab, then select a column with values to show.
            const HWND tabs = ::GetDlgItem(form, HeadersFormWindow::PageControlId);
            RECT r{};
            ::SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::SendMessageA(tabs, WM_LBUTTONUP, 0, at);
            const HWND tree = FindDescendant(form, WC_TREEVIEWA);
            const auto first =
                reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
            const auto child = reinterpret_cast<HTREEITEM>(
                ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(first)));
            ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                           reinterpret_cast<LPARAM>(child != nullptr ? child : first));
            ::SetFocus(tree);
            s->step = 2;
        } else if (s->step == 2) {
            Redraw(form);
            SaveClientScreenshot(form, s->sectionsPath);
            s->step = 3;
            ::PostMessageA(form, WM_CLOSE, 0, 0);
        }
    } catch (const std::exception& e) {
        s->error = e.what();
        s->step = 3;
        ::PostMessageA(form, WM_CLOSE, 0, 0);
    }
}

} // namespace

void SaveCustomizeScreenshots(MainWindow& window, const std::string& generalPath,
                              const std::string& sectionsPath) {
    Script script;
    script.generalPath = generalPath;
    script.sectionsPath = sectionsPath;
    g_script = &script;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, &OnTimer);
    // A right click on the header opens its context menu (and returns when
    // the dialog chosen from it has closed).
    ::SendMessageA(window.HeaderHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(40, 20));
    ::SendMessageA(window.HeaderHandle(), WM_RBUTTONUP, 0, MAKELPARAM(40, 20));
    ::KillTimer(nullptr, timer);
    g_script = nullptr;
    if (!script.error.empty())
        throw Exception(script.error);
    if (script.step != 3)
        throw Exception("The customizing dialog did not open");
}

} // namespace corvane::demo
