#include "CustomizeDialogWatch.h"

#include "win32/editor/HeadersFormWindow.h"

namespace corvane::win32::testing {
namespace {

constexpr UINT TimerPeriod = 40;
CustomizeDialogWatch* g_watch = nullptr;

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindForm(HWND window, LPARAM search) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == editor::HeadersFormWindow::ClassName && ::IsWindowVisible(window) &&
        ::IsWindowEnabled(window)) {
        reinterpret_cast<Search*>(search)->found = window;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    int id = 0;
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<ChildSearch*>(search);
    if ((s->id != 0 && ::GetDlgCtrlID(window) == s->id) ||
        (s->id == 0 && Text(window) == s->caption)) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

CustomizeDialogWatch::CustomizeDialogWatch(std::vector<Step> steps) : steps_(std::move(steps)) {
    g_watch = this;
    timer_ = ::SetTimer(nullptr, 0, TimerPeriod, &CustomizeDialogWatch::OnTimer);
}

CustomizeDialogWatch::~CustomizeDialogWatch() {
    ::KillTimer(nullptr, timer_);
    g_watch = nullptr;
}

void CALLBACK CustomizeDialogWatch::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_watch == nullptr || g_watch->running_ || g_watch->next_ >= g_watch->steps_.size())
        return;
    Search search;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindForm, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr)
        return;
    // A step may open a nested modal loop (a box) in which this timer fires again.
    g_watch->running_ = true;
    const Step step = g_watch->steps_[g_watch->next_++];
    step(search.found);
    if (g_watch != nullptr)
        g_watch->running_ = false;
}

HWND DialogControl(HWND form, int id) {
    ChildSearch search;
    search.id = id;
    ::EnumChildWindows(form, &FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ButtonWithCaption(HWND form, const std::string& caption) {
    ChildSearch search;
    search.caption = caption;
    ::EnumChildWindows(form, &FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND control) {
    ::SendMessageA(control, BM_CLICK, 0, 0);
}

void ChoosePage(HWND form, int page) {
    const HWND tabs = DialogControl(form, editor::HeadersFormWindow::PageControlId);
    RECT r{};
    ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&r));
    const LPARAM middle = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    ::SendMessageA(tabs, WM_LBUTTONUP, 0, middle);
}

std::string Text(HWND window) {
    char text[1024] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ItemText(HWND tree, HTREEITEM item) {
    char text[256] = {};
    TVITEMA tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

namespace {

void Walk(HWND tree, HTREEITEM item, int depth, const std::function<bool(HTREEITEM, int)>& visit) {
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        if (!visit(item, depth))
            return;
        Walk(tree, TreeView_GetChild(tree, item), depth + 1, visit);
    }
}

} // namespace

HTREEITEM FindItem(HWND tree, const std::string& text) {
    HTREEITEM found = nullptr;
    Walk(tree, TreeView_GetRoot(tree), 0, [&](HTREEITEM item, int) {
        if (found == nullptr && ItemText(tree, item) == text)
            found = item;
        return true;
    });
    return found;
}

std::string TreeOutline(HWND tree) {
    std::string out;
    Walk(tree, TreeView_GetRoot(tree), 0, [&](HTREEITEM item, int depth) {
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + ItemText(tree, item) + "\n";
        return true;
    });
    return out;
}

} // namespace corvane::win32::testing
