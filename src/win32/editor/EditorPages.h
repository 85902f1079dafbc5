#pragma once
// The editor's two pages on Windows, for any window that shows them: the
// page control with "General" and "Sections Property", every control of both
// pages bound to its model in a THeaderEditor, and the routing of the
// controls' notifications to their views. The customizing dialog puts its
// OK, Cancel and Apply around it (HeadersFormWindow); a host's property page
// can put the host's frame around it.
//
// Bounds are the layout's pixels at 96 pixels per inch, scaled to the
// density the pages are shown at (the form font is "MS Sans Serif", 8
// points, 11 pixels high at 96); controls that the layout nests in a group
// box are placed on the page at the group box's offset.
//
// Tab order is z-order, as the dialog manager walks it: the tab strip is a
// tab stop of its own, and each page (a control container, a sibling just
// after the strip) follows it with its controls in creation order; a label
// is created just before its focus control. The strip's window region
// leaves out its display area, where the page shows through.

#include "core/editor/HeaderEditor.h"
#include "core/framework/DpiScale.h"
#include "win32/GdiHandles.h"
#include "win32/editor/ControlViews.h"
#include "win32/editor/DialogKeyboard.h"
#include "win32/editor/PaintedControls.h"
#include "win32/editor/TreeViewPort.h"

#include <memory>
#include <unordered_map>
#include <vector>

namespace corvane::win32::editor {

// Control ids: none is IDOK or IDCANCEL, which the dialog manager sends for
// Enter and Esc.
struct EditorControlIds {
    enum : int {
        OkButtonId = 101,
        CancelButtonId = 102,
        ApplyButtonId = 103,
        PageControlId = 104,
        HeadersId = 110,
        WidthEditId = 111,
        HeightEditId = 112,
        HotKeysMemoId = 113,
        BorderWidthId = 120,
        BevelWidthId = 121,
        HintEditId = 122,
    };
};

// The forms' font, "MS Sans Serif" 8 points (11 pixels high at 96 pixels
// per inch), at the given density.
UniqueFont CreateFormFont(const TDpiScale& scale);

class EditorPages : public EditorControlIds {
public:
    static constexpr const char* PageClassName = "CorvaneEditorPage";

    // font: the controls' font (not owned; lives longer than the pages);
    // scale: the pixel density the pages are shown at.
    EditorPages(THeaderEditor& editor, HFONT font, TDpiScale scale);
    ~EditorPages();
    EditorPages(const EditorPages&) = delete;
    EditorPages& operator=(const EditorPages&) = delete;

    // Creates the page control at these bounds in parent (pixels as shown),
    // with both pages.
    void Create(HWND parent, int x, int y, int width, int height, DWORD tabStyle = 0);
    // Stops all routing: call before the windows are destroyed.
    void Detach();
    // Moves the page control to these bounds and fits the pages into it (a
    // host's frame may size the property page).
    void Resize(int x, int y, int width, int height);

    HWND PageControl() const { return tabs_; }
    HWND PageWindow(int page) const { return pages_.at(static_cast<size_t>(page)); }
    HWND TreeView() const { return tree_->Handle(); }
    const TDpiScale& Scale() const { return scale_; }

    // A push button of the owner, bound like the pages' controls; x and y
    // are the layout's (96 pixels per inch).
    void PushButton(HWND parent, TButtonModel& model, const char* caption, int x, int y, int id);
    // Shows the page step places on (cyclically), as Ctrl+Tab does.
    void SwitchPage(int step);
    // Routes WM_COMMAND and WM_NOTIFY of bound controls (for the pages and
    // for the owner window); false for any other message.
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void CreateGeneralPage(HWND page);
    void CreateSectionsPage(HWND page);
    // Places the pages on the strip's display area and cuts that area out
    // of the strip's window region.
    void FitPagesToStrip();
    // Layout bounds (96 pixels per inch), scaled.
    HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
               int width, int height, int id = 0, DWORD exStyle = 0);
    // Bounds in pixels as shown.
    HWND ChildAt(HWND parent, const char* className, const char* text, DWORD style, int x, int y,
                 int width, int height, int id, DWORD exStyle);
    HWND Label(HWND parent, const char* text, int x, int y, int width, int height);
    void Edit(HWND parent, TEditModel& model, int x, int y, int width, int height, int id);
    HWND CheckBox(HWND parent, TCheckBoxModel& model, const char* caption, int x, int y, int width,
                  int height);
    void RadioGroup(HWND parent, TRadioGroupModel& model, const char* caption, int x, int y,
                    int width, int height);
    template <class View> View& Keep(std::unique_ptr<View> view) {
        View& kept = *view;
        views_.push_back(std::move(view));
        return kept;
    }
    void Bind(HWND control, ControlBinding& binding) { bindings_[control] = &binding; }
    void OnPageSize(HWND page);

    static void RegisterPageClass();
    static LRESULT CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM);

    THeaderEditor& editor_;
    HFONT font_;
    TDpiScale scale_;
    HWND tabs_ = nullptr;
    RECT tabsBounds_{};
    std::vector<HWND> pages_;
    HWND groupBox1_ = nullptr; // follows the Sections page's height
    DialogKeyboard keyboard_{[this](int step) { SwitchPage(step); }};
    int nextId_ = 200;
    std::unordered_map<HWND, ControlBinding*> bindings_;
    std::vector<std::unique_ptr<TWidgetView>> views_;
    std::unique_ptr<TreeViewPort> tree_;
    std::unique_ptr<PageControlView> pageControl_;
};

} // namespace corvane::win32::editor
