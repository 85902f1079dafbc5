#include "win32/HintTooltip.h"

#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/ForeignMessages.h"
#include "win32/VisualStyle.h"
#include "win32/WideText.h"

#include <utility>

namespace corvane::win32 {

TOOLINFOW HintTooltip::ToolInfo() const {
    TOOLINFOW info{};
    // The first version of the structure is understood by every comctl32.
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(window_);
    info.lpszText = const_cast<wchar_t*>(wideText_.c_str());
    return info;
}

void HintTooltip::Create(HWND window) {
    Destroy();
    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr));
    if (!tooltip_)
        RaiseLastWin32Error("CreateWindowEx(tooltip)");
    window_ = window;
    RefuseForeignMessages(tooltip_.get(), TForeignGuard::SystemControl);
    if (classic_)
        win32::SetClassicLook(tooltip_.get(), true);
    TOOLINFOW info = ToolInfo();
    ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    ::SendMessageA(tooltip_.get(), TTM_ACTIVATE, active_ ? TRUE : FALSE, 0);
    ApplyFont();
}

void HintTooltip::SetClassicLook(bool classic) {
    if (classic == classic_)
        return;
    classic_ = classic;
    if (tooltip_)
        win32::SetClassicLook(tooltip_.get(), classic);
}

void HintTooltip::Destroy() {
    tooltip_.reset();
    window_ = nullptr;
}

bool HintTooltip::Update(bool enabled, const std::string& text) {
    if (!tooltip_)
        return false;
    if (text != text_) {
        text_ = text;
        wideText_ = WideFromUtf8(text);
        TOOLINFOW info = ToolInfo();
        ::SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
    const bool active = enabled && !text_.empty();
    if (active == active_)
        return false;
    active_ = active;
    ::SendMessageA(tooltip_.get(), TTM_ACTIVATE, active_ ? TRUE : FALSE, 0);
    return active_;
}

void HintTooltip::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!tooltip_)
        return;
    MSG msg{};
    msg.hwnd = window_;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = ::GetMessageTime();
    msg.pt.x = static_cast<short>(LOWORD(::GetMessagePos()));
    msg.pt.y = static_cast<short>(HIWORD(::GetMessagePos()));
    ::SendMessageA(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void HintTooltip::Pop() {
    if (tooltip_)
        ::SendMessageA(tooltip_.get(), TTM_POP, 0, 0);
}

void HintTooltip::SetPixelsPerInch(int pixelsPerInch) {
    if (pixelsPerInch == pixelsPerInch_)
        return;
    pixelsPerInch_ = pixelsPerInch;
    Pop();
    const int screen = WindowPixelsPerInch(nullptr);
    if (!font_ && pixelsPerInch == screen)
        return;
    // The system's tip font is sized for the screen's density.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return;
    metrics.lfStatusFont.lfHeight = ::MulDiv(metrics.lfStatusFont.lfHeight, pixelsPerInch, screen);
    UniqueFont font(::CreateFontIndirectW(&metrics.lfStatusFont));
    if (!font)
        return;
    std::swap(font_, font);
    ApplyFont(); // the old font goes only once the tooltip let go of it
}

void HintTooltip::ApplyFont() const {
    if (tooltip_ && font_)
        ::SendMessageA(tooltip_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

} // namespace corvane::win32
