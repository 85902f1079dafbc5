#include "win32/editor/DialogWindow.h"

#include "win32/ErrorBox.h"
#include "win32/StrativWindow.h"

#include <cstring>
#include <vector>

namespace corvane::win32::editor {
namespace {

// The class's window procedure does the work; DefDlgProc asks this one only
// to let it do its defaults.
INT_PTR CALLBACK NoDialogProcedure(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

void AppendWide(std::vector<WORD>& out, const char* text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    out.insert(out.end(), wide.begin(), wide.end());
}

// A DLGTEMPLATE with no controls, no menu, this class and title, and no
// font (the window gets its font with WM_SETFONT). Sizes are set in pixels
// after creation, so the template's dialog units are left at 0.
std::vector<WORD> MakeTemplate(const char* className, const char* title, DWORD style,
                               DWORD exStyle) {
    DLGTEMPLATE header{};
    header.style = style;
    header.dwExtendedStyle = exStyle;
    std::vector<WORD> out(sizeof header / sizeof(WORD));
    std::memcpy(out.data(), &header, sizeof header);
    out.push_back(0); // no menu
    AppendWide(out, className);
    AppendWide(out, title);
    return out;
}

} // namespace

void RegisterDialogClass(const char* className, WNDPROC windowProc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = StrativWindowModule();
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        RaiseLastWin32Error("RegisterClassEx");
}

HWND CreateDialogWindow(const char* className, const char* title, DWORD style, DWORD exStyle,
                        HWND parent, int x, int y, int width, int height) {
    if (style & WS_CHILD) {
        style |= DS_CONTROL;
        exStyle |= WS_EX_CONTROLPARENT;
    }
    const std::vector<WORD> dialogTemplate = MakeTemplate(className, title, style, exStyle);
    const HWND window = ::CreateDialogIndirectParamA(
        StrativWindowModule(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), parent,
        &NoDialogProcedure, 0);
    if (window == nullptr)
        RaiseLastWin32Error("CreateDialogIndirectParam");
    ::SetWindowPos(window, nullptr, x, y, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return window;
}

void RepaintOnSystemChange(HWND dialog, UINT message) {
    if (message == WM_SETTINGCHANGE || message == WM_SYSCOLORCHANGE)
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

} // namespace corvane::win32::editor
