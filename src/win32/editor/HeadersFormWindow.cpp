#include "win32/editor/HeadersFormWindow.h"

#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"
#include "win32/WideText.h"
#include "win32/editor/DialogWindow.h"

#include <mutex>

namespace corvane::win32::editor {
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

HeadersFormWindow::HeadersFormWindow(HWND owner, std::optional<TDpiScale> scale)
    : owner_(owner), scale_(scale ? *scale : WindowDpiScale(owner)), font_(CreateFormFont(scale_)) {
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
    std::call_once(once, [] { RegisterDialogClass(ClassName, &HeadersFormWindow::FormProc); });
}

void HeadersFormWindow::CreateForm() {
    // The form's bounds: left 209, top 242 on the screen; width 550, height
    // 338 scaled.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    const HWND form = CreateDialogWindow(ClassName, THeadersFrm::DefaultCaption, style, exStyle,
                                         owner_, 209, 242, scale_(550), scale_(338));
    window_.reset(form);
    ::SendMessageA(form, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);

    // Tab order 0..3: OK, Cancel, Apply, the page control (aligned left).
    pages_.PushButton(form, form_.OkBtn, "&OK", 464, 4, OkButtonId);
    pages_.PushButton(form, form_.CancelBtn, "&Cancel", 464, 37, CancelButtonId);
    pages_.PushButton(form, form_.ApplyBtn, "&Apply", 464, 70, ApplyButtonId);
    RECT client;
    ::GetClientRect(form, &client);
    pages_.Create(form, 0, 0, scale_(455), client.bottom);

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
    ::SetWindowTextW(window_.get(), WideFromUtf8(form_.Caption()).c_str());
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
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) { // WM_QUIT: end the dialog and let the outer loop see it
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            form_.ModalResult = mrCancel;
            break;
        }
        if (got < 0)
            break;
        if (DialogKeyboard::HandleMnemonic(form, msg))
            continue;
        if (!::IsDialogMessageW(form, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

LRESULT CALLBACK HeadersFormWindow::FormProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<HeadersFormWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefDlgProcA(hwnd, message, wParam, lParam);
    try {
        if (message == WM_CLOSE) { // the close box: the Cancel result
            self->form_.ModalResult = mrCancel;
            return 0;
        }
        if (message == WM_GETFONT)
            return reinterpret_cast<LRESULT>(self->font_.get());
        RepaintOnSystemChange(hwnd, message);
        LRESULT result = 0;
        if (self->pages_.Route(message, wParam, lParam, result))
            return result;
    } catch (...) {
        ShowCurrentException(hwnd);
        return 0;
    }
    return ::DefDlgProcA(hwnd, message, wParam, lParam);
}

} // namespace corvane::win32::editor
