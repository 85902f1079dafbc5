#include "win32/HintTooltip.h"

#include "win32/ErrorBox.h"

namespace corvane::win32 {

TOOLINFOA HintTooltip::ToolInfo() const {
    TOOLINFOA info{};
    // The first version of the structure is understood by every comctl32.
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(window_);
    info.lpszText = const_cast<char*>(text_.c_str());
    return info;
}

void HintTooltip::Create(HWND window) {
    Destroy();
    tooltip_.reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr));
    if (!tooltip_)
        RaiseLastWin32Error("CreateWindowEx(tooltip)");
    window_ = window;
    TOOLINFOA info = ToolInfo();
    ::SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(tooltip_.get(), TTM_ACTIVATE, active_ ? TRUE : FALSE, 0);
}

void HintTooltip::Destroy() {
    tooltip_.reset();
    window_ = nullptr;
}

void HintTooltip::Update(bool enabled, const std::string& text) {
    if (!tooltip_)
        return;
    if (text != text_) {
        text_ = text;
        TOOLINFOA info = ToolInfo();
        ::SendMessageA(tooltip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    }
    const bool active = enabled && !text_.empty();
    if (active != active_) {
        active_ = active;
        ::SendMessageA(tooltip_.get(), TTM_ACTIVATE, active_ ? TRUE : FALSE, 0);
    }
}

void HintTooltip::Pop() {
    if (tooltip_)
        ::SendMessageA(tooltip_.get(), TTM_POP, 0, 0);
}

} // namespace corvane::win32
