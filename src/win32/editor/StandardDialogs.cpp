#include "win32/editor/StandardDialogs.h"

#include "win32/SystemColors.h"
#include "win32/WideText.h"

#include <commdlg.h>

#include <cwchar>
#include <string>

namespace corvane::win32::editor {

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
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    choose.rgbColors = ToColorRef(font.Color);
    if (!::ChooseFontW(&choose))
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
    choose.Flags = CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR;
    if (!::ChooseColorA(&choose))
        return false;
    color = choose.rgbResult;
    return true;
}

} // namespace corvane::win32::editor
