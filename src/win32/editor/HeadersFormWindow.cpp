#include "win32/editor/HeadersFormWindow.h"

#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

#include <mutex>

namespace corvane::win32::editor {
namespace {

constexpr int FormFontHeight = -11; // 8 points at 96 pixels per inch
constexpr const char* FormFontName = "MS Sans Serif";

UniqueFont CreateFormFont() {
    return UniqueFont(::CreateFontA(FormFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, FormFontName));
}

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

HeadersFormWindow::HeadersFormWindow(HWND owner) : owner_(owner), font_(CreateFormFont()) {
    RegisterFormClass();
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
    pages_.Detach();
    form_.CaptionView = nullptr;
    form_.General.SetDialogs(nullptr);
}

void HeadersFormWindow::RegisterFormClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &HeadersFormWindow::FormProc;
        wc.hInstance = StrativWindowModule();
        wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = ClassName;
        if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            RaiseLastWin32Error("RegisterClassEx");
    });
}

void HeadersFormWindow::CreateForm() {
    // The form's bounds: left 209, top 242, width 550, height 338.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    const HWND form =
        ::CreateWindowExA(exStyle, ClassName, THeadersFrm::DefaultCaption, style, 209, 242, 550,
                          338, owner_, nullptr, StrativWindowModule(), nullptr);
    if (form == nullptr)
        RaiseLastWin32Error("CreateWindowEx");
    window_.reset(form);
    ::SendMessageA(form, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    // Tab order 0..3: OK, Cancel, Apply, the page control (aligned left).
    pages_.PushButton(form, form_.OkBtn, "&OK", 464, 4, OkButtonId);
    pages_.PushButton(form, form_.CancelBtn, "&Cancel", 464, 37, CancelButtonId);
    pages_.PushButton(form, form_.ApplyBtn, "&Apply", 464, 70, ApplyButtonId);
    RECT client;
    ::GetClientRect(form, &client);
    pages_.Create(form, 0, 0, 455, client.bottom);

    ::SetWindowLongPtrA(form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
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

void HeadersFormWindow::ShowModal() {
    form_.ModalResult = mrNone;
    form_.FormShow();
    const HWND form = window_.get();
    ModalScope modal(form, owner_);
    ::ShowWindow(form, SW_SHOW);
    ::SetActiveWindow(form);
    ::SetFocus(pages_.PageControl());
    while (form_.ModalResult == mrNone) {
        // Destroyed with its owner (the host's window went): nothing is left
        // to wait for.
        if (!::IsWindow(form)) {
            form_.ModalResult = mrCancel;
            break;
        }
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

LRESULT CALLBACK HeadersFormWindow::FormProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<HeadersFormWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        if (message == WM_CLOSE) { // the close box: the Cancel result
            self->form_.ModalResult = mrCancel;
            return 0;
        }
        LRESULT result = 0;
        if (self->pages_.Route(message, wParam, lParam, result))
            return result;
    } catch (...) {
        ShowCurrentException(hwnd);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace corvane::win32::editor
