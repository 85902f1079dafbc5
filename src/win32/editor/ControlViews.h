#pragma once
// Standard Windows controls as views of the editor's widget models. A view
// shows its model's value (Refresh) and reports what the user did (the
// control's notifications) to the model; the model alone decides whether a
// value changed and runs the handler. A value a view writes into its own
// control comes back as a notification, which the model finds unchanged.

#include "core/editor/Widgets.h"
#include "win32/WinApi.h"

#include <string>
#include <vector>

namespace corvane::win32::editor {

using namespace corvane::editor;

// One bound control: gets the notifications its parent receives for it.
class ControlBinding {
public:
    virtual ~ControlBinding() = default;
    virtual void Command(HWND control, WORD code) {
        (void)control;
        (void)code;
    }
    virtual LRESULT Notify(const NMHDR& header) {
        (void)header;
        return 0;
    }
};

// The text of a window as an ANSI string.
std::string WindowText(HWND window);

class EditView : public TWidgetView, public ControlBinding {
public:
    EditView(TEditModel& model, HWND edit);
    ~EditView() override;
    void Refresh() override;
    void Focus() override { ::SetFocus(edit_); }
    void SelectAll() override { ::SendMessageA(edit_, EM_SETSEL, 0, -1); }
    void Command(HWND control, WORD code) override;

private:
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
    TEditModel& model_;
    HWND edit_;
    WNDPROC original_;
};

class CheckBoxView : public TWidgetView, public ControlBinding {
public:
    CheckBoxView(TCheckBoxModel& model, HWND box);
    ~CheckBoxView() override { model_.SetView(nullptr); }
    void Refresh() override;
    void Focus() override { ::SetFocus(box_); }
    void Command(HWND control, WORD code) override;

private:
    TCheckBoxModel& model_;
    HWND box_;
};

// A radio group: a group box and one radio button per item.
class RadioGroupView : public TWidgetView, public ControlBinding {
public:
    RadioGroupView(TRadioGroupModel& model, std::vector<HWND> buttons);
    ~RadioGroupView() override { model_.SetView(nullptr); }
    void Refresh() override;
    void Focus() override;
    void Command(HWND control, WORD code) override;

private:
    TRadioGroupModel& model_;
    std::vector<HWND> buttons_;
};

class ButtonView : public TWidgetView, public ControlBinding {
public:
    ButtonView(TButtonModel& model, HWND button);
    ~ButtonView() override { model_.SetView(nullptr); }
    void Refresh() override;
    void Focus() override { ::SetFocus(button_); }
    void Command(HWND control, WORD code) override;

private:
    TButtonModel& model_;
    HWND button_;
};

// The page control: a tab control and one window per page. When the page
// that holds the focus is hidden, the focus goes to the tab strip rather
// than staying on a control nobody sees.
class PageControlView : public TWidgetView, public ControlBinding {
public:
    PageControlView(TPageControlModel& model, HWND tabs, std::vector<HWND> pages);
    ~PageControlView() override { model_.SetView(nullptr); }
    void Refresh() override;
    LRESULT Notify(const NMHDR& header) override;

private:
    TPageControlModel& model_;
    HWND tabs_;
    std::vector<HWND> pages_;
};

} // namespace corvane::win32::editor
