#include "win32/editor/EditorPages.h"

#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

#include <mutex>

namespace corvane::win32::editor {

void EditorPages::RegisterPageClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStrativWindowClass(); // the common controls
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &EditorPages::PageProc; // routes once the object is attached
        wc.hInstance = StrativWindowModule();
        wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = PageClassName;
        if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            RaiseLastWin32Error("RegisterClassEx");
    });
}

EditorPages::EditorPages(THeaderEditor& editor, HWND form, HFONT font, const Layout& layout)
    : editor_(editor), form_(form), font_(font) {
    RegisterPageClass();
    CreatePages(layout);
}

EditorPages::~EditorPages() {
    // No notification reaches a view from here on.
    for (HWND page : pages_)
        ::SetWindowLongPtrA(page, GWLP_USERDATA, 0);
    bindings_.clear();
    tree_.reset();
    pageControl_.reset();
    views_.clear();
}

void EditorPages::CreatePages(const Layout& layout) {
    tabs_ = Child(form_, WC_TABCONTROLA, "",
                  WS_TABSTOP | WS_GROUP | WS_CLIPCHILDREN | layout.extraTabStyle, layout.tabs.left,
                  layout.tabs.top, layout.tabs.right - layout.tabs.left,
                  layout.tabs.bottom - layout.tabs.top, PageControlId, WS_EX_CONTROLPARENT);
    const char* captions[] = {"General", "Sections Property"};
    for (const char* caption : captions) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(caption);
        ::SendMessageA(tabs_, TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&item));
        const HWND page = ::CreateWindowExA(WS_EX_CONTROLPARENT, PageClassName, caption,
                                            WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, tabs_,
                                            nullptr, StrativWindowModule(), nullptr);
        if (page == nullptr)
            RaiseLastWin32Error("CreateWindowEx");
        pages_.push_back(page);
    }
    PlacePages();
    CreateGeneralPage(pages_[THeaderEditor::GeneralPageIndex]);
    CreateSectionsPage(pages_[THeaderEditor::SectionsPageIndex]);
    pageControl_ = std::make_unique<PageControlView>(editor_.PropertyPage, tabs_, pages_);
    Bind(tabs_, *pageControl_);

    // Messages reach the views from here on.
    for (HWND page : pages_)
        ::SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void EditorPages::PlacePages() {
    // The display area below the tabs, which may take several rows.
    RECT area;
    ::GetClientRect(tabs_, &area);
    ::SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND page : pages_)
        ::MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     TRUE);
}

void EditorPages::FitToParent() {
    RECT client;
    ::GetClientRect(form_, &client);
    ::MoveWindow(tabs_, 0, 0, client.right, client.bottom, TRUE);
    PlacePages();
}

HWND EditorPages::Child(HWND parent, const char* className, const char* text, DWORD style, int x,
                        int y, int width, int height, int id, DWORD exStyle) {
    if (id == 0)
        id = nextId_++;
    const HWND control = ::CreateWindowExA(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), StrativWindowModule(), nullptr);
    if (control == nullptr)
        RaiseLastWin32Error("CreateWindowEx");
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

HWND EditorPages::Label(HWND parent, const char* text, int x, int y, int width, int height) {
    return Child(parent, "STATIC", text, SS_LEFT, x, y, width, height);
}

void EditorPages::Edit(HWND parent, TEditModel& model, int x, int y, int width, int height,
                       int id) {
    const HWND edit =
        Child(parent, "EDIT", model.Text().c_str(), WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, x, y,
              width, height, id, WS_EX_CLIENTEDGE);
    Bind(edit, Keep(std::make_unique<EditView>(model, edit)));
}

void EditorPages::CheckBox(HWND parent, TCheckBoxModel& model, const char* caption, int x, int y,
                           int width, int height) {
    const HWND box = Child(parent, "BUTTON", caption, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, x, y,
                           width, height);
    Bind(box, Keep(std::make_unique<CheckBoxView>(model, box)));
}

void EditorPages::RadioGroup(HWND parent, TRadioGroupModel& model, const char* caption, int x,
                             int y, int width, int height) {
    Child(parent, "BUTTON", caption, BS_GROUPBOX | WS_GROUP, x, y, width, height);
    // Items run down the columns; the rows share the height below the caption.
    constexpr int CaptionHeight = 13;
    const int count = static_cast<int>(model.Items().size());
    const int columns = model.Columns();
    const int perColumn = (count + columns - 1) / columns;
    const int columnWidth = (width - 10) / columns;
    const int room = height - CaptionHeight - 5;
    const int rowHeight = room / perColumn;
    const int topMargin = CaptionHeight + 1 + (room % perColumn) / 2;
    std::vector<HWND> buttons;
    for (int i = 0; i < count; ++i) {
        const DWORD style = BS_AUTORADIOBUTTON | BS_NOTIFY | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
        buttons.push_back(Child(parent, "BUTTON", model.Items()[static_cast<size_t>(i)].c_str(),
                                style, x + 8 + (i / perColumn) * columnWidth,
                                y + topMargin + (i % perColumn) * rowHeight, columnWidth,
                                rowHeight));
    }
    auto& view = Keep(std::make_unique<RadioGroupView>(model, buttons));
    for (HWND button : buttons)
        Bind(button, view);
}

void EditorPages::PushButton(HWND parent, TButtonModel& model, const char* caption, int x, int y,
                             int id) {
    const HWND button =
        Child(parent, "BUTTON", caption, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, x, y, 75, 25, id);
    Bind(button, Keep(std::make_unique<ButtonView>(model, button)));
}

// --- Message routing --------------------------------------------------------------------

bool EditorPages::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND) {
        const auto control = reinterpret_cast<HWND>(lParam);
        const auto found = bindings_.find(control);
        if (control == nullptr || found == bindings_.end())
            return false;
        found->second->Command(control, HIWORD(wParam));
        result = 0;
        return true;
    }
    if (message == WM_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        const auto found = bindings_.find(header.hwndFrom);
        if (found == bindings_.end())
            return false;
        result = found->second->Notify(header);
        return true;
    }
    return false;
}

LRESULT CALLBACK EditorPages::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditorPages*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        LRESULT result = 0;
        if (self->Dispatch(message, wParam, lParam, result))
            return result;
        if (message == WM_COMMAND)
            return 0; // IDOK and IDCANCEL of Enter and Esc end here: they close nothing
    } catch (...) {
        ShowCurrentException(hwnd);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace corvane::win32::editor
