#include "win32/editor/StandardDialogs.h"

#include "win32/SystemColors.h"
#include "win32/WideText.h"

#include <commdlg.h>

#include <cwchar>
#include <string>

namespace corvane::win32::editor {
namespace {

// The dialogs object whose dialog is opening on this thread: the hook learns
// the dialog's window from the thread, never from a message's parameters.
thread_local StandardDialogs* t_opening = nullptr;

} // namespace

UINT_PTR CALLBACK StandardDialogHook(HWND window, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG || t_opening == nullptr)
        return 0;
    StandardDialogs& dialogs = *t_opening;
    t_opening = nullptr;
    dialogs.open_ = window;
    if (dialogs.ended_)
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE; // the dialog sets its own focus
}

// One dialog's call: counted while it runs, its end reported once the last
// call returns.
class StandardDialogs::Scope {
public:
    explicit Scope(StandardDialogs& dialogs) : dialogs_(dialogs) {
        if (dialogs_.running_++ == 0)
            dialogs_.ended_ = false;
        t_opening = &dialogs_;
    }
    ~Scope() {
        t_opening = nullptr;
        dialogs_.open_ = nullptr;
        if (--dialogs_.running_ == 0 && dialogs_.OnDone)
            dialogs_.OnDone();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    StandardDialogs& dialogs_;
};

void StandardDialogs::EndRunning() {
    if (running_ == 0)
        return;
    ended_ = true;
    if (open_ != nullptr)
        ::PostMessageA(open_, WM_COMMAND, IDCANCEL, 0);
}

bool StandardDialogs::ExecuteFontDialog(TFont& font) {
    LOGFONTW logFont{};
    logFont.lfHeight = font.Height;
    logFont.lfWeight = (font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = (font.Style & fsItalic) ? TRUE : FALSE;
    logFont.lfUnderline = (font.Style & fsUnderline) ? TRUE : FALSE;
    logFont.lfStrikeOut = (font.Style & fsStrikeOut) ? TRUE : FALSE;
    logFont.lfCharSet = font.Charset;
    const std::wstring name = WideFromUtf8(font.Name);
    std::wcsncpy(logFont.lfFaceName, name.c_str(), LF_FACESIZE - 1);

    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner_;
    choose.lpLogFont = &logFont;
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    choose.lpfnHook = &StandardDialogHook;
    choose.rgbColors = ToColorRef(font.Color);
    const Scope scope(*this);
    if (!::ChooseFontW(&choose) || ended_)
        return false;
    font.Name = Utf8FromWide(logFont.lfFaceName, std::wcslen(logFont.lfFaceName));
    font.Height = logFont.lfHeight;
    font.Charset = logFont.lfCharSet;
    font.Style = static_cast<uint8_t>(
        (logFont.lfWeight >= FW_BOLD ? fsBold : 0) | (logFont.lfItalic ? fsItalic : 0) |
        (logFont.lfUnderline ? fsUnderline : 0) | (logFont.lfStrikeOut ? fsStrikeOut : 0));
    font.Color = choose.rgbColors;
    return true;
}

bool StandardDialogs::ExecuteColorDialog(TColor& color) {
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner_;
    choose.rgbResult = ToColorRef(color);
    choose.lpCustColors = customColors_;
    choose.Flags = CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR | CC_ENABLEHOOK;
    choose.lpfnHook = &StandardDialogHook;
    const Scope scope(*this);
    if (!::ChooseColorA(&choose) || ended_)
        return false;
    color = choose.rgbResult;
    return true;
}

} // namespace corvane::win32::editor
