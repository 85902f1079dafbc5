#include "win32/editor/PropertyPageForm.h"

#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"
#include "win32/editor/DialogWindow.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace corvane::win32::editor {
namespace {

// The page control's bounds in the layout: the whole client area.
constexpr RECT PageControlBounds{0, 0, 461, 322};

// The page windows of the process with their threads, for the dialog
// manager's message filter, which looks only at those of its own thread.
struct ActivePageForms {
    std::mutex Lock;
    std::vector<std::pair<PropertyPageForm*, DWORD>> Forms;
};

ActivePageForms& ActiveForms() {
    static ActivePageForms forms;
    return forms;
}

std::vector<PropertyPageForm*> ThisThreadsForms() {
    ActivePageForms& active = ActiveForms();
    const std::lock_guard<std::mutex> lock(active.Lock);
    std::vector<PropertyPageForm*> forms;
    for (const auto& [form, thread] : active.Forms)
        if (thread == ::GetCurrentThreadId())
            forms.push_back(form);
    return forms;
}

} // namespace

void PropertyPageForm::RegisterWindowClass() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterStrativWindowClass(); // the common controls
        RegisterDialogClass(ClassName, &PropertyPageForm::WindowProc);
    });
}

PropertyPageForm::PropertyPageForm(corvane::editor::TGenStrativ& form, HWND parent,
                                   const RECT& bounds, std::optional<TDpiScale> scale)
    : form_(form), scale_(scale ? *scale : WindowDpiScale(parent)), font_(CreateFormFont(scale_)),
      dialogs_(nullptr) {
    RegisterWindowClass();
    window_.reset(CreateDialogWindow(ClassName, corvane::editor::TGenStrativ::Caption,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, parent,
                                     bounds.left, bounds.top, bounds.right - bounds.left,
                                     bounds.bottom - bounds.top));
    const HWND window = window_.get();
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // Tab order 0: the page control, several rows of flat button tabs.
    pages_ = std::make_unique<EditorPages>(form_, font_.get(), scale_);
    pages_->Create(window, scale_(PageControlBounds.left), scale_(PageControlBounds.top),
                   scale_(PageControlBounds.right - PageControlBounds.left),
                   scale_(PageControlBounds.bottom - PageControlBounds.top),
                   TCS_MULTILINE | TCS_BUTTONS | TCS_FLATBUTTONS);
    FitPagesToWindow();
    // The font and colour dialogs are owned by the frame the page sits in.
    dialogs_.SetOwner(::GetAncestor(parent, GA_ROOT));
    form_.General.SetDialogs(&dialogs_);
    // Messages reach the views from here on.
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    {
        ActivePageForms& active = ActiveForms();
        const std::lock_guard<std::mutex> lock(active.Lock);
        active.Forms.emplace_back(this, ::GetCurrentThreadId());
    }
    filter_ = ::SetWindowsHookExA(WH_MSGFILTER, &PropertyPageForm::MessageFilter, nullptr,
                                  ::GetCurrentThreadId());
}

PropertyPageForm::~PropertyPageForm() {
    if (filter_ != nullptr)
        ::UnhookWindowsHookEx(filter_);
    {
        ActivePageForms& active = ActiveForms();
        const std::lock_guard<std::mutex> lock(active.Lock);
        auto& forms = active.Forms;
        forms.erase(std::remove_if(forms.begin(), forms.end(),
                                   [this](const auto& entry) { return entry.first == this; }),
                    forms.end());
    }
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
    if (DialogKeyboard::HandleMnemonic(window, message))
        return true;
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
        return false;
    // Alt with a letter no control of ours has: the frame's own mnemonics.
    if (message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP ||
        message.message == WM_SYSCHAR)
        return false;
    if ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
        (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
        // The frame's OK and Cancel, unless the focused control claims the key.
        const LRESULT code =
            ::SendMessageA(message.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&message));
        if (!(code & DLGC_WANTMESSAGE))
            return false;
    }
    return ::IsDialogMessageW(window, &message) != FALSE;
}

LRESULT CALLBACK PropertyPageForm::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && lParam != 0) {
        const auto& message = *reinterpret_cast<const MSG*>(lParam);
        for (PropertyPageForm* form : ThisThreadsForms()) {
            try {
                if (DialogKeyboard::HandleMnemonic(form->Handle(), message))
                    return 1; // used up: the dialog manager does nothing more with it
            } catch (...) {
                ShowCurrentException(form->Handle());
                return 1;
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK PropertyPageForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = reinterpret_cast<PropertyPageForm*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefDlgProcA(hwnd, message, wParam, lParam);
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
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(self->font_.get());
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            RepaintOnSystemChange(hwnd, message);
            break;
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
    return ::DefDlgProcA(hwnd, message, wParam, lParam);
}

} // namespace corvane::win32::editor
