#pragma once
// The customizing dialog's window: a top-level window created in code with
// the page control, both pages and every control, each bound to its model in
// the THeadersFrm it holds, and the modal loop that runs it. Bounds are the
// layout's pixels at 96 pixels per inch (the form font is "MS Sans Serif",
// 8 points); controls that the layout nests in a group box are placed on the
// page at the group box's offset.
//
// Enter and Esc never close it: no button is the default or the cancel
// button, and the modal loop hands those keys to the focused control rather
// than to the dialog manager.

#include "core/editor/HeadersForm.h"
#include "win32/GdiHandles.h"
#include "win32/WindowHandles.h"
#include "win32/editor/ControlViews.h"
#include "win32/editor/PaintedControls.h"
#include "win32/editor/StandardDialogs.h"
#include "win32/editor/TreeViewPort.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace corvane::win32::editor {

class HeadersFormWindow : public TCustomizeForm, private TWidgetView {
public:
    static constexpr const char* ClassName = "CorvaneCustomizeForm";
    static constexpr const char* PageClassName = "CorvaneCustomizePage";
    // Control ids: none is IDOK or IDCANCEL, which the dialog manager sends
    // for Enter and Esc.
    enum : int {
        OkButtonId = 101,
        CancelButtonId = 102,
        ApplyButtonId = 103,
        PageControlId = 104,
        HeadersId = 110,
        WidthEditId = 111,
        HeightEditId = 112,
        BorderWidthId = 120,
        BevelWidthId = 121,
        HintEditId = 122,
    };

    // owner: the window the dialog is modal over (disabled while it runs).
    explicit HeadersFormWindow(HWND owner);
    ~HeadersFormWindow() override;
    HeadersFormWindow(const HeadersFormWindow&) = delete;
    HeadersFormWindow& operator=(const HeadersFormWindow&) = delete;

    THeadersFrm& Form() override { return form_; }
    void ShowModal() override;

    HWND Handle() const { return window_.get(); }
    HWND PageWindow(int page) const { return pages_.at(static_cast<size_t>(page)); }
    HWND TreeView() const { return tree_->Handle(); }

    // The form window of a handle (nullptr for any other window).
    static HeadersFormWindow* FromHandle(HWND window);

private:
    void Refresh() override; // the caption
    void CreateForm();
    void CreateGeneralPage(HWND page);
    void CreateSectionsPage(HWND page);

    // A child control with the form's font, bound when binding is given.
    HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
               int width, int height, int id = 0, DWORD exStyle = 0);
    HWND Label(HWND parent, const char* text, int x, int y, int width, int height);
    void Edit(HWND parent, TEditModel& model, int x, int y, int width, int height, int id);
    void CheckBox(HWND parent, TCheckBoxModel& model, const char* caption, int x, int y, int width,
                  int height);
    void RadioGroup(HWND parent, TRadioGroupModel& model, const char* caption, int x, int y,
                    int width, int height);
    void PushButton(HWND parent, TButtonModel& model, const char* caption, int x, int y, int id);
    template <class View> View& Keep(std::unique_ptr<View> view) {
        View& kept = *view;
        views_.push_back(std::move(view));
        return kept;
    }
    void Bind(HWND control, ControlBinding& binding) { bindings_[control] = &binding; }

    static void RegisterClasses();
    static LRESULT CALLBACK RouteProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    THeadersFrm form_;
    HWND owner_;
    UniqueFont font_;
    UniqueWindow window_;
    HWND tabs_ = nullptr;
    std::vector<HWND> pages_;
    int nextId_ = 200;
    StandardDialogs dialogs_;
    std::unordered_map<HWND, ControlBinding*> bindings_;
    std::vector<std::unique_ptr<TWidgetView>> views_;
    std::unique_ptr<TreeViewPort> tree_;
    std::unique_ptr<PageControlView> pageControl_;
};

} // namespace corvane::win32::editor
