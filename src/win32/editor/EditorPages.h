#pragma once
// The editor's page control with its two pages ("General", "Sections
// Property") and every control on them, each bound to its model in a
// THeaderEditor. Both forms build their pages here: the customizing dialog
// (HeadersFormWindow, with OK, Cancel and Apply beside it) and the host
// property page (PropertyPageForm, inside a host's frame). Bounds are the
// layout's pixels at 96 pixels per inch; controls that the layout nests in a
// group box are placed on the page at the group box's offset.
//
// The page windows route their controls' notifications here themselves; the
// window that holds the page control forwards its WM_COMMAND and WM_NOTIFY
// messages to Dispatch.

#include "core/editor/HeaderEditor.h"
#include "win32/WinApi.h"
#include "win32/editor/ControlViews.h"
#include "win32/editor/TreeViewPort.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace corvane::win32::editor {

class EditorPages {
public:
    static constexpr const char* PageClassName = "CorvaneCustomizePage";
    // Control ids: none is IDOK or IDCANCEL, which the dialog manager sends
    // for Enter and Esc.
    enum : int {
        PageControlId = 104,
        HeadersId = 110,
        WidthEditId = 111,
        HeightEditId = 112,
        BorderWidthId = 120,
        BevelWidthId = 121,
        HintEditId = 122,
    };

    // Where and how the page control appears in its form.
    struct Layout {
        RECT tabs;           // left, top, right, bottom in the form's client area
        DWORD extraTabStyle; // e.g. several rows of flat button tabs
        bool fillParent;     // follows the form's client size
    };

    // Creates the page control in form and both pages. font: the form's
    // (outlives this object).
    EditorPages(THeaderEditor& editor, HWND form, HFONT font, const Layout& layout);
    ~EditorPages();
    EditorPages(const EditorPages&) = delete;
    EditorPages& operator=(const EditorPages&) = delete;

    HWND Tabs() const { return tabs_; }
    HWND PageWindow(int page) const { return pages_.at(static_cast<size_t>(page)); }
    HWND TreeView() const { return tree_->Handle(); }

    // Resizes the page control (and the pages in it) to the form's client area.
    void FitToParent();

    // A WM_COMMAND or WM_NOTIFY for one of the bound controls; false when the
    // message is not one of ours (result untouched).
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // --- Building blocks, also for the form's own controls ------------------------
    // A child control with the form's font.
    HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
               int width, int height, int id = 0, DWORD exStyle = 0);
    void PushButton(HWND parent, TButtonModel& model, const char* caption, int x, int y, int id);

private:
    void CreatePages(const Layout& layout);
    void CreateGeneralPage(HWND page);
    void CreateSectionsPage(HWND page);
    void PlacePages();

    HWND Label(HWND parent, const char* text, int x, int y, int width, int height);
    void Edit(HWND parent, TEditModel& model, int x, int y, int width, int height, int id);
    void CheckBox(HWND parent, TCheckBoxModel& model, const char* caption, int x, int y, int width,
                  int height);
    void RadioGroup(HWND parent, TRadioGroupModel& model, const char* caption, int x, int y,
                    int width, int height);
    template <class View> View& Keep(std::unique_ptr<View> view) {
        View& kept = *view;
        views_.push_back(std::move(view));
        return kept;
    }
    void Bind(HWND control, ControlBinding& binding) { bindings_[control] = &binding; }

    static void RegisterPageClass();
    static LRESULT CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);

    THeaderEditor& editor_;
    HWND form_;
    HFONT font_;
    HWND tabs_ = nullptr;
    std::vector<HWND> pages_;
    int nextId_ = 200;
    std::unordered_map<HWND, ControlBinding*> bindings_;
    std::vector<std::unique_ptr<TWidgetView>> views_;
    std::unique_ptr<TreeViewPort> tree_;
    std::unique_ptr<PageControlView> pageControl_;
};

} // namespace corvane::win32::editor
