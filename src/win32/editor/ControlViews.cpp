#include "win32/editor/ControlViews.h"

#include "win32/ErrorBox.h"
#include "win32/WideText.h"

namespace corvane::win32::editor {

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    return Utf8FromWide(text.data(), static_cast<size_t>(copied < 0 ? 0 : copied));
}

// --- EditView -----------------------------------------------------------------

namespace {
constexpr const char* EditViewProperty = "CorvaneEditView";
}

EditView::EditView(TEditModel& model, HWND edit) : model_(model), edit_(edit) {
    // Typed characters pass the model's filter first.
    ::SetPropA(edit_, EditViewProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditView::EditProc)));
    model_.SetView(this);
    Refresh();
}

EditView::~EditView() {
    model_.SetView(nullptr);
    if (::IsWindow(edit_)) {
        ::SetWindowLongPtrW(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        ::RemovePropA(edit_, EditViewProperty);
    }
}

LRESULT CALLBACK EditView::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<EditView*>(::GetPropA(hwnd, EditViewProperty));
    if (self == nullptr)
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_CHAR) {
        try {
            // The filter sees ASCII as it is and any other character as one
            // byte above ASCII: accepted or refused, the character stays.
            const bool ascii = wParam < 0x80;
            const char key = self->model_.UserKeyPress(static_cast<char>(ascii ? wParam : 0x80));
            if (key == 0)
                return 0;
            if (ascii)
                wParam = static_cast<unsigned char>(key);
        } catch (...) {
            ShowCurrentException(hwnd);
            return 0;
        }
    }
    return ::CallWindowProcW(self->original_, hwnd, message, wParam, lParam);
}

void EditView::Refresh() {
    if (WindowText(edit_) != model_.Text())
        ::SetWindowTextW(edit_, WideFromUtf8(model_.Text()).c_str());
    ::EnableWindow(edit_, model_.Enabled());
}

void EditView::Command(HWND, WORD code) {
    if (code == EN_CHANGE)
        model_.UserSetText(WindowText(edit_));
    else if (code == EN_KILLFOCUS)
        model_.UserExit();
}

// --- CheckBoxView -----------------------------------------------------------------

CheckBoxView::CheckBoxView(TCheckBoxModel& model, HWND box) : model_(model), box_(box) {
    model_.SetView(this);
    Refresh();
}

void CheckBoxView::Refresh() {
    ::SendMessageA(box_, BM_SETCHECK, model_.Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    ::EnableWindow(box_, model_.Enabled());
}

void CheckBoxView::Command(HWND, WORD code) {
    if (code == BN_CLICKED)
        model_.UserSetChecked(::SendMessageA(box_, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

// --- RadioGroupView -----------------------------------------------------------------

RadioGroupView::RadioGroupView(TRadioGroupModel& model, std::vector<HWND> buttons)
    : model_(model), buttons_(std::move(buttons)) {
    model_.SetView(this);
    Refresh();
}

void RadioGroupView::Refresh() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const bool chosen = static_cast<int>(i) == model_.ItemIndex();
        ::SendMessageA(buttons_[i], BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
        ::EnableWindow(buttons_[i], model_.Enabled());
    }
}

void RadioGroupView::Focus() {
    const size_t chosen = static_cast<size_t>(model_.ItemIndex());
    if (chosen < buttons_.size())
        ::SetFocus(buttons_[chosen]);
}

void RadioGroupView::Command(HWND control, WORD code) {
    if (code == BN_CLICKED) {
        for (size_t i = 0; i < buttons_.size(); ++i) {
            if (buttons_[i] == control && ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                model_.UserSetItemIndex(static_cast<int>(i));
        }
    } else if (code == BN_KILLFOCUS) {
        // Focus leaving the group, not moving between its buttons.
        const HWND focus = ::GetFocus();
        for (HWND button : buttons_) {
            if (button == focus)
                return;
        }
        model_.UserExit();
    }
}

// --- ButtonView -----------------------------------------------------------------

ButtonView::ButtonView(TButtonModel& model, HWND button) : model_(model), button_(button) {
    model_.SetView(this);
    Refresh();
}

void ButtonView::Refresh() {
    ::EnableWindow(button_, model_.Enabled());
    ::InvalidateRect(button_, nullptr, TRUE);
}

void ButtonView::Command(HWND, WORD code) {
    if (code == BN_CLICKED)
        model_.UserClick();
}

// --- PageControlView -----------------------------------------------------------------

PageControlView::PageControlView(TPageControlModel& model, HWND tabs, std::vector<HWND> pages)
    : model_(model), tabs_(tabs), pages_(std::move(pages)) {
    model_.SetView(this);
    Refresh();
}

void PageControlView::Refresh() {
    const int active = model_.ActivePage();
    const HWND focus = ::GetFocus();
    bool focusHidden = false;
    ::SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(active), 0);
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (static_cast<int>(i) == active)
            ::ShowWindow(pages_[i], SW_SHOW);
    }
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (static_cast<int>(i) == active)
            continue;
        if (focus != nullptr && ::IsChild(pages_[i], focus))
            focusHidden = true;
        ::ShowWindow(pages_[i], SW_HIDE);
    }
    if (focusHidden)
        ::SetFocus(tabs_);
}

LRESULT PageControlView::Notify(const NMHDR& header) {
    if (header.code == static_cast<UINT>(TCN_SELCHANGE))
        model_.UserSetActivePage(static_cast<int>(::SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
    return 0;
}

} // namespace corvane::win32::editor
