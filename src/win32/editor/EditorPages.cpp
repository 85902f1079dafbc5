#include "win32/editor/EditorPages.h"

#include "win32/ErrorBox.h"
#include "win32/ForeignMessages.h"
#include "win32/StrativWindow.h"
#include "win32/WideText.h"
#include "win32/editor/DialogWindow.h"

#include <algorithm>
#include <mutex>

namespace corvane::win32::editor {
namespace {

constexpr const char* MemoText = "  Hot Keys:\r\n"
                                 "  Edit Caption - F2; Add Item - F3; Add Subtem - Ctrl-F3\r\n"
                                 "  Delete Iitem - F4; Go to Properies - Enter";

// Offsets of the group boxes whose controls the layout places inside them.
constexpr int OptionsLeft = 6, OptionsTop = 6;
constexpr int GroupBox1Left = 0, GroupBox1Top = 0, GroupBox1Width = 437;

RECT BoundsInParent(HWND window) {
    RECT r;
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

UniqueFont CreateFormFont(const TDpiScale& scale) {
    TFont font; // "MS Sans Serif", 11 pixels
    return CreateFontFor(scale.Font(font));
}

EditorPages::EditorPages(THeaderEditor& editor, HFONT font, TDpiScale scale)
    : editor_(editor), font_(font), scale_(scale) {
    RegisterPageClass();
}

EditorPages::~EditorPages() {
    Detach();
    if (tree_ != nullptr && ::IsWindow(tree_->Handle())) {
        // Emptied without a repaint first: much faster than item by item as
        // the window goes.
        ::SendMessageA(tree_->Handle(), WM_SETREDRAW, FALSE, 0);
        ::SendMessageA(tree_->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    }
}

void EditorPages::RegisterPageClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStrativWindowClass(); // the common controls
        RegisterDialogClass(PageClassName, &EditorPages::PageProc);
    });
}

void EditorPages::Create(HWND parent, int x, int y, int width, int height, DWORD tabStyle) {
    tabs_ = ChildAt(parent, WC_TABCONTROLA, "", WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS | tabStyle,
                    x, y, width, height, PageControlId, 0);
    keyboard_.Attach(tabs_, TKeyRole::TabStrip);
    RefuseForeignMessages(parent, TForeignGuard::OwnWindow);
    RefuseForeignMessages(tabs_, TForeignGuard::SystemControl);
    RefuseForeignMessages(reinterpret_cast<HWND>(::SendMessageA(tabs_, TCM_GETTOOLTIPS, 0, 0)),
                          TForeignGuard::SystemControl);
    // Each tab goes after the last (the pages themselves are made below).
    WPARAM tabIndex = 0;
    for (const char* caption : {"General", "Sections Property"}) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(caption);
        ::SendMessageA(tabs_, TCM_INSERTITEMA, tabIndex++, reinterpret_cast<LPARAM>(&item));
    }
    // The pages come right after the strip in z-order, so in tab order.
    for (const char* caption : {"General", "Sections Property"}) {
        const HWND page = CreateDialogWindow(PageClassName, caption, WS_CHILD | WS_CLIPSIBLINGS, 0,
                                             parent, 0, 0, 0, 0);
        ::SetWindowPos(page, pages_.empty() ? tabs_ : pages_.back(), 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SendMessageA(page, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        RefuseForeignMessages(page, TForeignGuard::OwnWindow);
        pages_.push_back(page);
    }
    FitPagesToStrip();
    CreateGeneralPage(pages_[THeaderEditor::GeneralPageIndex]);
    CreateSectionsPage(pages_[THeaderEditor::SectionsPageIndex]);
    pageControl_ = std::make_unique<PageControlView>(editor_.PropertyPage, tabs_, pages_);
    Bind(tabs_, *pageControl_);
    // Notifications reach the views from here on.
    for (HWND page : pages_)
        ::SetWindowLongPtrA(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void EditorPages::Resize(int x, int y, int width, int height) {
    ::MoveWindow(tabs_, x, y, width, height, TRUE);
    FitPagesToStrip();
}

void EditorPages::FitPagesToStrip() {
    tabsBounds_ = BoundsInParent(tabs_);
    // Several rows of tabs take more room as the strip narrows.
    RECT area{0, 0, tabsBounds_.right - tabsBounds_.left, tabsBounds_.bottom - tabsBounds_.top};
    const RECT whole = area;
    ::SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (HWND page : pages_)
        ::SetWindowPos(page, nullptr, tabsBounds_.left + area.left, tabsBounds_.top + area.top,
                       area.right - area.left, area.bottom - area.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    // The strip keeps its tabs and its frame; its display area belongs to the
    // page below it in z-order.
    UniqueRegion region(::CreateRectRgnIndirect(&whole));
    const UniqueRegion hole(::CreateRectRgnIndirect(&area));
    if (!region || !hole)
        return;
    ::CombineRgn(region.get(), region.get(), hole.get(), RGN_DIFF);
    if (::SetWindowRgn(tabs_, region.get(), TRUE) != 0)
        region.release(); // the window owns it now
}

void EditorPages::SwitchPage(int step) {
    const int count = static_cast<int>(pages_.size());
    if (count == 0 || pageControl_ == nullptr)
        return;
    const int next = ((editor_.PropertyPage.ActivePage() + step) % count + count) % count;
    editor_.PropertyPage.UserSetActivePage(next);
}

void EditorPages::Detach() {
    keyboard_.Detach();
    for (HWND page : pages_) {
        if (::IsWindow(page))
            ::SetWindowLongPtrA(page, GWLP_USERDATA, 0);
    }
    bindings_.clear();
}

void EditorPages::OnPageSize(HWND page) {
    // GroupBox1 is aligned to the page's left edge: always the page's height.
    if (groupBox1_ == nullptr || ::GetParent(groupBox1_) != page)
        return;
    RECT area;
    ::GetClientRect(page, &area);
    ::SetWindowPos(groupBox1_, nullptr, 0, 0, scale_(GroupBox1Width), area.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK EditorPages::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditorPages*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self != nullptr) {
        try {
            if (message == WM_SIZE)
                self->OnPageSize(hwnd);
            if (message == WM_GETFONT)
                return reinterpret_cast<LRESULT>(self->font_);
            LRESULT result = 0;
            if (self->Route(message, wParam, lParam, result))
                return result;
        } catch (...) {
            ShowCurrentException(hwnd);
            return 0;
        }
    }
    // A page is never closed: the dialog manager turns WM_CLOSE into a
    // command, which Route ignores.
    return ::DefDlgProcA(hwnd, message, wParam, lParam);
}

bool EditorPages::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (message == WM_COMMAND) {
        const auto control = reinterpret_cast<HWND>(lParam);
        const auto found = bindings_.find(control);
        if (control != nullptr && found != bindings_.end())
            found->second->Command(control, HIWORD(wParam));
        return true; // IDOK and IDCANCEL of Enter and Esc end here: they close nothing
    }
    if (message == WM_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        const auto found = bindings_.find(header.hwndFrom);
        if (found != bindings_.end())
            result = found->second->Notify(header);
        return true;
    }
    return false;
}

HWND EditorPages::ChildAt(HWND parent, const char* className, const char* text, DWORD style, int x,
                          int y, int width, int height, int id, DWORD exStyle) {
    if (id == 0)
        id = nextId_++;
    // Unicode windows, so that what users type and read is any text at all.
    const HWND control = ::CreateWindowExW(
        exStyle, WideFromUtf8(className).c_str(), WideFromUtf8(text).c_str(),
        WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), StrativWindowModule(), nullptr);
    if (control == nullptr)
        RaiseLastWin32Error("CreateWindowEx");
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

HWND EditorPages::Child(HWND parent, const char* className, const char* text, DWORD style, int x,
                        int y, int width, int height, int id, DWORD exStyle) {
    return ChildAt(parent, className, text, style, scale_(x), scale_(y), scale_(width),
                   scale_(height), id, exStyle);
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
    keyboard_.Attach(edit, TKeyRole::Edit);
}

HWND EditorPages::CheckBox(HWND parent, TCheckBoxModel& model, const char* caption, int x, int y,
                           int width, int height) {
    const HWND box = Child(parent, "BUTTON", caption, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, x, y,
                           width, height);
    Bind(box, Keep(std::make_unique<CheckBoxView>(model, box)));
    keyboard_.Attach(box, TKeyRole::CheckBox);
    return box;
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
        // Edges scaled, not sizes: neighbours meet at any density.
        const int left = x + 8 + (i / perColumn) * columnWidth;
        const int top = y + topMargin + (i % perColumn) * rowHeight;
        const HWND button =
            ChildAt(parent, "BUTTON", model.Items()[static_cast<size_t>(i)].c_str(), style,
                    scale_(left), scale_(top), scale_(left + columnWidth) - scale_(left),
                    scale_(top + rowHeight) - scale_(top), 0, 0);
        keyboard_.Attach(button, TKeyRole::RadioButton);
        buttons.push_back(button);
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
    keyboard_.Attach(button, TKeyRole::PushButton);
}

void EditorPages::CreateGeneralPage(HWND page) {
    TGeneralPage& g = editor_.General;
    // Tab order 0..5: the radio groups, Hint (with its label), Align.
    RadioGroup(page, g.HeadersStyle, "HeadersStyle", 12, 86, 173, 30);
    RadioGroup(page, g.BevelInner, "BevelInner", 12, 121, 173, 30);
    RadioGroup(page, g.BevelOuter, "BevelOuter", 12, 155, 173, 30);
    RadioGroup(page, g.BorderStyle, "BorderStyle", 12, 190, 173, 30);
    Label(page, "&Hint:", 200, 90, 22, 13);
    Edit(page, g.Hint, 226, 88, 211, 21, HintEditId);
    RadioGroup(page, g.Align, "Align", 194, 110, 243, 53);

    // 6: the speed buttons below Align, where they are on screen, then the
    // preview panel (no tab stop) below them.
    const TDpiScale& s = scale_;
    struct Speed {
        TButtonModel TGeneralPage::*model;
        GlyphKind glyph;
        const char* caption;
        int y;
    };
    static const Speed speeds[] = {
        {&TGeneralPage::Font, GlyphKind::Font, "Click to Select a Font...", 168},
        {&TGeneralPage::Color, GlyphKind::Color, "Click to Select a Color...", 196},
        {&TGeneralPage::HotTrackButton, GlyphKind::HotTrack, "Click to Select a Hot Track Color...",
         224},
    };
    for (const Speed& speed : speeds) {
        auto& button = Keep(std::make_unique<SpeedButton>(
            g.*speed.model, page, speed.glyph, speed.caption, s(196), s(speed.y), s(245), s(25),
            s(SpeedButton::GlyphMargin), s(GlyphSize)));
        ::SendMessageA(button.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        keyboard_.Attach(button.Handle(), TKeyRole::PushButton);
    }
    Keep(std::make_unique<PreviewPanel>(g.ColorPanel, page, "Selected Color and Font", s(196),
                                        s(252), s(245), s(29)));

    // 7: the Options group with its check boxes in their own tab order.
    Child(page, "BUTTON", "Options", BS_GROUPBOX | WS_GROUP, OptionsLeft, OptionsTop, 431, 73);
    struct Box {
        TCheckBoxModel TGeneralPage::*model;
        const char* caption;
        int x, y, width, height;
    };
    // Four columns of three rows that neither overlap nor cut a caption at
    // any density; the tab order is the options' own.
    static const Box boxes[] = {
        {&TGeneralPage::VisibleCheck, "&Visible", 16, 14, 100, 15},
        {&TGeneralPage::ShowhintCheck, "&ShowHint", 222, 14, 98, 15},
        {&TGeneralPage::Customizecheck, "&Customizing", 16, 30, 100, 15},
        {&TGeneralPage::HotTrack, "H&otTrack", 118, 30, 102, 15},
        {&TGeneralPage::VResizeCheck, "&Height Resize", 16, 46, 100, 15},
        {&TGeneralPage::HresizeCheckBox, "&Width Resize", 118, 46, 102, 15},
        {&TGeneralPage::HintSections, "H&intSections", 118, 14, 102, 15},
        {&TGeneralPage::MoveSections, "&Move Sections", 222, 30, 98, 15},
        {&TGeneralPage::ShowAbout, "Show A&bout", 222, 46, 98, 15},
        {&TGeneralPage::SectionClick, "Section Click", 322, 14, 103, 15},
    };
    for (const Box& b : boxes)
        CheckBox(page, g.*b.model, b.caption, OptionsLeft + b.x, OptionsTop + b.y, b.width,
                 b.height);

    // 8, 9: the two number fields with their labels.
    Label(page, "BorderWidth:", 53, 228, 62, 13);
    Edit(page, g.BorderWidth, 126, 228, 57, 21, BorderWidthId);
    Label(page, "&Bevelwidth:", 60, 256, 55, 13);
    Edit(page, g.BevelWidth, 126, 252, 57, 21, BevelWidthId);
}

void EditorPages::CreateSectionsPage(HWND page) {
    TSectionsPage& s = editor_.Sections;
    RECT area;
    ::GetClientRect(page, &area);
    // Full page height, in pixels as shown (and again whenever the page is sized).
    groupBox1_ = ChildAt(page, "BUTTON", "ColumnHeaders Collection", BS_GROUPBOX | WS_GROUP,
                         scale_(GroupBox1Left), scale_(GroupBox1Top), scale_(GroupBox1Width),
                         area.bottom, 0, 0);
    const int x0 = GroupBox1Left, y0 = GroupBox1Top;

    // In the order they are on screen: the hot-key memo at the top
    // (read-only, borderless, in the page's colour), the tree, the property
    // column beside it, the row of commands below.
    const HWND memo =
        Child(page, "EDIT", MemoText, WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_READONLY, x0 + 2,
              y0 + 15, 433, 48, HotKeysMemoId);
    keyboard_.Attach(memo, TKeyRole::HotKeyMemo);

    Label(page, "&Items:", x0 + 6, y0 + 64, 40, 13);
    const HWND tree = Child(page, WC_TREEVIEWA, "",
                            WS_TABSTOP | WS_GROUP | TVS_HASBUTTONS | TVS_HASLINES |
                                TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS,
                            x0 + 4, y0 + 84, 271, 153, HeadersId, WS_EX_CLIENTEDGE);
    ::SendMessageA(tree, TVM_SETINDENT, static_cast<WPARAM>(scale_(19)), 0);
    // The page is an ANSI window; the tree notifies in UTF-16 all the same.
    ::SendMessageW(tree, TVM_SETUNICODEFORMAT, TRUE, 0);
    tree_ = std::make_unique<TreeViewPort>(s.Headers, tree);
    Bind(tree, *tree_);
    keyboard_.Attach(tree, TKeyRole::Tree);
    RefuseForeignMessages(tree, TForeignGuard::SystemControl);
    RefuseForeignMessages(reinterpret_cast<HWND>(::SendMessageA(tree, TVM_GETTOOLTIPS, 0, 0)),
                          TForeignGuard::SystemControl);

    Label(page, "&Width:", x0 + 292, y0 + 66, 40, 13);
    Edit(page, s.widthEdit, x0 + 292, y0 + 82, 123, 21, WidthEditId);
    Label(page, "&Height:", x0 + 292, y0 + 110, 40, 13);
    Edit(page, s.HeightEdit, x0 + 292, y0 + 126, 121, 21, HeightEditId);
    RadioGroup(page, s.AlignGroup, "A&lignment", x0 + 292, y0 + 154, 125, 65);
    CheckBox(page, s.WordWrap, "&WordWrap", x0 + 292, y0 + 224, 97, 17);

    PushButton(page, s.AddBtn, "Add", x0 + 8, y0 + 248, 0);
    PushButton(page, s.AddSubbtn, "Add Subitem", x0 + 90, y0 + 248, 0);
    PushButton(page, s.DeleteBtn, "Delete", x0 + 172, y0 + 248, 0);
    PushButton(page, s.MoveUpBtn, "Move Up...", x0 + 254, y0 + 248, 0);
    PushButton(page, s.MovedownBtn, "Move Down...", x0 + 336, y0 + 248, 0);
}

} // namespace corvane::win32::editor
