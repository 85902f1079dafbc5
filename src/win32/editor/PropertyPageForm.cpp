#include "win32/editor/PropertyPageForm.h"

#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

#include <mutex>

namespace corvane::win32::editor {
namespace {

constexpr int FormFontHeight = -11;
constexpr const char* FormFontName = "MS Sans Serif";
// The page control's bounds in the layout: the whole client area.
constexpr RECT PageControlBounds{0, 0, 461, 322};

} // namespace

void PropertyPageForm::RegisterWindowClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStrativWindowClass(); // the common controls
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &PropertyPageForm::WindowProc; // routes once the object is attached
        wc.hInstance = StrativWindowModule();
        wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = ClassName;
        if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            RaiseLastWin32Error("RegisterClassEx");
    });
}

PropertyPageForm::PropertyPageForm(corvane::editor::TGenStrativ& form, HWND parent,
                                   const RECT& bounds)
    : form_(form), font_(::CreateFontA(FormFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, FormFontName)),
      dialogs_(nullptr) {
    RegisterWindowClass();
    const HWND window =
        ::CreateWindowExA(WS_EX_CONTROLPARENT, ClassName, corvane::editor::TGenStrativ::Caption,
                          WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, bounds.left, bounds.top,
                          bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                          StrativWindowModule(), nullptr);
    if (window == nullptr)
        RaiseLastWin32Error("CreateWindowEx");
    window_.reset(window);
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // Tab order 0: the page control, several rows of flat button tabs.
    pages_ = std::make_unique<EditorPages>(form_, font_.get());
    pages_->Create(window, PageControlBounds.left, PageControlBounds.top,
                   PageControlBounds.right - PageControlBounds.left,
                   PageControlBounds.bottom - PageControlBounds.top,
                   TCS_MULTILINE | TCS_BUTTONS | TCS_FLATBUTTONS);
    FitPagesToWindow();
    // The font and colour dialogs are owned by the frame the page sits in.
    dialogs_.SetOwner(::GetAncestor(parent, GA_ROOT));
    form_.General.SetDialogs(&dialogs_);
    // Messages reach the views from here on.
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    form_.FormCreate();
}

PropertyPageForm::~PropertyPageForm() {
    // No notification reaches a view from here on.
    if (::IsWindow(window_.get()))
        ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    form_.General.SetDialogs(nullptr);
    pages_->Detach();
    pages_.reset();
    window_.reset();
}

void PropertyPageForm::FitPagesToWindow() {
    RECT client{};
    ::GetClientRect(window_.get(), &client);
    pages_->Resize(0, 0, client.right, client.bottom);
}

void PropertyPageForm::Move(const RECT& bounds) {
    ::MoveWindow(window_.get(), bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, TRUE);
}

bool PropertyPageForm::TranslateAccelerator(MSG& message) {
    const HWND window = window_.get();
    if (message.hwnd == nullptr || (message.hwnd != window && !::IsChild(window, message.hwnd)))
        return false;
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    if ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE))
        return false;
    return ::IsDialogMessageA(window, &message) != FALSE;
}

LRESULT CALLBACK PropertyPageForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = reinterpret_cast<PropertyPageForm*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (self->pages_->Route(message, wParam, lParam, result))
                return result;
            break;
        }
        case WM_SIZE:
            self->FitPagesToWindow();
            return 0;
        case WM_DESTROY:
            // The host's frame may destroy its window (and so this one) first.
            ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
        }
    } catch (...) {
        ShowCurrentException(hwnd);
        return 0;
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace corvane::win32::editor
