#include "win32/editor/HeadersFormWindow.h"

#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

#include <mutex>

namespace corvane::win32::editor {
namespace {

// The form's bounds (left, top, width, height) and font.
constexpr RECT FormBounds{209, 242, 550, 338};
constexpr int FormFontHeight = -11;
constexpr const char* FormFontName = "MS Sans Serif";

} // namespace

void HeadersFormWindow::RegisterClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStrativWindowClass(); // the common controls
        for (const char* name : {HeadersFormWindow::ClassName, HeadersFormWindow::PageClassName}) {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &HeadersFormWindow::RouteProc; // routes once the object is attached
            wc.hInstance = StrativWindowModule();
            wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
            wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
            wc.lpszClassName = name;
            if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                RaiseLastWin32Error("RegisterClassEx");
        }
    });
}

namespace {

// Re-enables the owner and hides the form on every way out of the loop.
class ModalScope {
public:
    ModalScope(HWND form, HWND owner) : form_(form), owner_(owner) {
        if (owner_ != nullptr && ::IsWindowEnabled(owner_))
            ::EnableWindow(owner_, FALSE);
        else
            owner_ = nullptr;
    }
    ~ModalScope() {
        if (owner_ != nullptr)
            ::EnableWindow(owner_, TRUE);
        ::ShowWindow(form_, SW_HIDE);
        if (owner_ != nullptr)
            ::SetActiveWindow(owner_);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    HWND form_;
    HWND owner_;
};

} // namespace

HeadersFormWindow::HeadersFormWindow(HWND owner)
    : owner_(owner),
      font_(::CreateFontA(FormFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, FormFontName)),
      dialogs_(nullptr) {
    RegisterClasses();
    CreateForm();
    dialogs_.SetOwner(window_.get());
    form_.General.SetDialogs(&dialogs_);
    form_.CaptionView = this;
    Refresh();
    form_.FormCreate();
}

HeadersFormWindow::~HeadersFormWindow() {
    // No notification reaches a view from here on.
    ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    for (HWND page : pages_)
        ::SetWindowLongPtrA(page, GWLP_USERDATA, 0);
    form_.CaptionView = nullptr;
    bindings_.clear();
    tree_.reset();
    pageControl_.reset();
    views_.clear();
    window_.reset();
}

HeadersFormWindow* HeadersFormWindow::FromHandle(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) != ClassName)
        return nullptr;
    return reinterpret_cast<HeadersFormWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void HeadersFormWindow::Refresh() {
    ::SetWindowTextA(window_.get(), form_.Caption().c_str());
}

HWND HeadersFormWindow::Child(HWND parent, const char* className, const char* text, DWORD style,
                              int x, int y, int width, int height, int id, DWORD exStyle) {
    if (id == 0)
        id = nextId_++;
    const HWND control = ::CreateWindowExA(
        exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), StrativWindowModule(), nullptr);
    if (control == nullptr)
        RaiseLastWin32Error("CreateWindowEx");
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return control;
}

HWND HeadersFormWindow::Label(HWND parent, const char* text, int x, int y, int width, int height) {
    return Child(parent, "STATIC", text, SS_LEFT, x, y, width, height);
}

void HeadersFormWindow::Edit(HWND parent, TEditModel& model, int x, int y, int width, int height,
                             int id) {
    const HWND edit =
        Child(parent, "EDIT", model.Text().c_str(), WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, x, y,
              width, height, id, WS_EX_CLIENTEDGE);
    Bind(edit, Keep(std::make_unique<EditView>(model, edit)));
}

void HeadersFormWindow::CheckBox(HWND parent, TCheckBoxModel& model, const char* caption, int x,
                                 int y, int width, int height) {
    const HWND box = Child(parent, "BUTTON", caption, WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, x, y,
                           width, height);
    Bind(box, Keep(std::make_unique<CheckBoxView>(model, box)));
}

void HeadersFormWindow::RadioGroup(HWND parent, TRadioGroupModel& model, const char* caption, int x,
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

void HeadersFormWindow::PushButton(HWND parent, TButtonModel& model, const char* caption, int x,
                                   int y, int id) {
    const HWND button =
        Child(parent, "BUTTON", caption, WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, x, y, 75, 25, id);
    Bind(button, Keep(std::make_unique<ButtonView>(model, button)));
}

// --- The modal loop -------------------------------------------------------------------

void HeadersFormWindow::ShowModal() {
    form_.ModalResult = mrNone;
    form_.FormShow();
    const HWND form = window_.get();
    ModalScope modal(form, owner_);
    ::ShowWindow(form, SW_SHOW);
    ::SetActiveWindow(form);
    ::SetFocus(tabs_);
    while (form_.ModalResult == mrNone) {
        MSG msg;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) { // WM_QUIT: end the dialog and let the outer loop see it
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            form_.ModalResult = mrCancel;
            break;
        }
        if (got < 0)
            break;
        const bool enterOrEscape =
            msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
        if (enterOrEscape || !::IsDialogMessageA(form, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// --- Message routing --------------------------------------------------------------------

LRESULT CALLBACK HeadersFormWindow::RouteProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = reinterpret_cast<HeadersFormWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        return self->Route(hwnd, message, wParam, lParam);
    } catch (...) {
        ShowCurrentException(hwnd);
        return 0;
    }
}

LRESULT HeadersFormWindow::Route(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const auto control = reinterpret_cast<HWND>(lParam);
        const auto found = bindings_.find(control);
        if (control != nullptr && found != bindings_.end())
            found->second->Command(control, HIWORD(wParam));
        return 0; // IDOK and IDCANCEL of Enter and Esc end here: they close nothing
    }
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        const auto found = bindings_.find(header.hwndFrom);
        if (found != bindings_.end())
            return found->second->Notify(header);
        return 0;
    }
    case WM_CLOSE:
        if (hwnd == window_.get()) {
            form_.ModalResult = mrCancel;
            return 0;
        }
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace corvane::win32::editor
