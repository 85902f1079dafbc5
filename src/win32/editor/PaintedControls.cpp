#include "win32/editor/PaintedControls.h"

#include "win32/ErrorBox.h"
#include "win32/HighContrast.h"
#include "win32/StrativWindow.h"
#include "win32/SystemColors.h"
#include "win32/WideText.h"
#include "win32/editor/ButtonAccessible.h"
#include "win32/editor/ControlViews.h"

#include <mutex>

namespace corvane::win32::editor {
namespace {

void RegisterOnce(const char* name, WNDPROC proc) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = StrativWindowModule();
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.lpszClassName = name;
    if (::RegisterClassExA(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        RaiseLastWin32Error("RegisterClassEx");
}

template <class View> View* ViewOf(HWND hwnd) {
    return reinterpret_cast<View*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// The painting messages both painted controls answer alike: they paint
// themselves whole, so the background is never erased first.
template <class PaintTo>
LRESULT PaintMessage(HWND hwnd, UINT message, WPARAM wParam, PaintTo paint) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    PAINTSTRUCT ps;
    const HDC dc = ::BeginPaint(hwnd, &ps);
    paint(dc);
    ::EndPaint(hwnd, &ps);
    return 0;
}

HWND CreateChild(const char* className, const char* caption, HWND parent, int x, int y, int w,
                 int h, void* view, DWORD style = 0) {
    const HWND window = ::CreateWindowExA(0, className, caption, WS_CHILD | WS_VISIBLE | style, x,
                                          y, w, h, parent, nullptr, StrativWindowModule(), nullptr);
    if (window == nullptr)
        RaiseLastWin32Error("CreateWindowEx");
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    return window;
}

} // namespace

UniqueFont CreateFontFor(const TFont& font) {
    return UniqueFont(::CreateFontW(
        font.Height, 0, 0, 0, (font.Style & fsBold) ? FW_BOLD : FW_NORMAL,
        (font.Style & fsItalic) ? TRUE : FALSE, (font.Style & fsUnderline) ? TRUE : FALSE,
        (font.Style & fsStrikeOut) ? TRUE : FALSE, font.Charset, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
        WideFromUtf8(font.Name).c_str()));
}

// --- SpeedButton -------------------------------------------------------------------

SpeedButton::SpeedButton(TButtonModel& model, HWND parent, GlyphKind glyph, const char* caption,
                         int x, int y, int width, int height, int glyphMargin, int glyphSize)
    : model_(model), glyph_(MakeGlyph(glyph, glyphSize)), glyphMargin_(glyphMargin),
      glyphSize_(glyphSize) {
    static std::once_flag once;
    std::call_once(once, [] { RegisterOnce(ClassName, &SpeedButton::WindowProc); });
    // A tab stop in its place on the page, so that keyboard users can choose
    // the font and the colours too.
    window_ =
        CreateChild(ClassName, caption, parent, x, y, width, height, this, WS_TABSTOP | WS_GROUP);
    model_.SetView(this);
    Refresh();
}

SpeedButton::~SpeedButton() {
    model_.SetView(nullptr);
    if (::IsWindow(window_))
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
}

void SpeedButton::Refresh() {
    ::EnableWindow(window_, model_.Enabled());
    ::InvalidateRect(window_, nullptr, TRUE);
}

void SpeedButton::Click() {
    if (::IsWindowEnabled(window_))
        model_.UserClick();
}

void SpeedButton::Paint(HDC dc) const {
    RECT r;
    ::GetClientRect(window_, &r);
    ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    ::DrawEdge(dc, &r, pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const bool enabled = model_.Enabled();
    const int offset = pressed_ ? 1 : 0;
    const int glyphTop = (r.bottom - glyphSize_) / 2 + offset;
    {
        MemoryDC source(dc);
        const SelectedObject selected(source.get(), glyph_.get());
        ::BitBlt(dc, glyphMargin_ + offset, glyphTop, glyphSize_, glyphSize_, source.get(),
                 enabled ? 0 : glyphSize_, 0, SRCCOPY);
    }
    const SelectedObject font(dc, font_ != nullptr ? font_ : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    COLORREF ink = ::GetSysColor(COLOR_GRAYTEXT);
    if (enabled) // high contrast: the system's text colour, not the one chosen
        ink =
            SystemHighContrast() ? ::GetSysColor(COLOR_BTNTEXT) : ToColorRef(model_.CaptionColor());
    ::SetTextColor(dc, ink);
    // The gap after the glyph grows with it (4 pixels at 16).
    RECT text{glyphMargin_ + glyphSize_ + glyphSize_ / 4 + offset, offset, r.right - 4 + offset,
              r.bottom + offset};
    const std::string caption = WindowText(window_);
    ::DrawTextW(dc, WideFromUtf8(caption).c_str(), -1, &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (::GetFocus() == window_) {
        RECT focus = r;
        ::InflateRect(&focus, -3, -3);
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, RGB(255, 255, 255));
        ::DrawFocusRect(dc, &focus);
    }
}

LRESULT CALLBACK SpeedButton::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SpeedButton* self = ViewOf<SpeedButton>(hwnd);
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        switch (message) {
        case WM_SETFONT:
            self->font_ = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(self->font_);
        case WM_PAINT:
        case WM_PRINTCLIENT:
        case WM_ERASEBKGND:
            return PaintMessage(hwnd, message, wParam, [self](HDC dc) { self->Paint(dc); });
        case WM_LBUTTONDOWN: // takes no focus
            self->pressed_ = true;
            ::SetCapture(hwnd);
            ::InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_LBUTTONUP: {
            const bool wasPressed = self->pressed_;
            self->pressed_ = false;
            ::ReleaseCapture();
            ::InvalidateRect(hwnd, nullptr, TRUE);
            RECT r;
            ::GetClientRect(hwnd, &r);
            const POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (wasPressed && ::PtInRect(&r, p))
                self->Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            self->pressed_ = false;
            ::InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case BM_CLICK:
            self->Click();
            return 0;
        // From the keyboard: a button (Enter presses it through the dialog's
        // keyboard), Space pressed and released as a push button's.
        case WM_GETDLGCODE:
            return DLGC_BUTTON;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ::InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_KEYDOWN:
            if (wParam != VK_SPACE)
                break;
            if ((lParam & (1 << 30)) == 0) { // not the key's auto-repeat
                self->pressed_ = true;
                ::InvalidateRect(hwnd, nullptr, TRUE);
            }
            return 0;
        case WM_KEYUP:
            if (wParam != VK_SPACE || !self->pressed_)
                break;
            self->pressed_ = false;
            ::InvalidateRect(hwnd, nullptr, TRUE);
            self->Click();
            return 0;
        case WM_GETOBJECT:
            if (const LRESULT object = AccessibleButtonObject(hwnd, wParam, lParam))
                return object;
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

// --- PreviewPanel -------------------------------------------------------------------

PreviewPanel::PreviewPanel(TPanelModel& model, HWND parent, const char* caption, int x, int y,
                           int width, int height)
    : model_(model) {
    static std::once_flag once;
    std::call_once(once, [] { RegisterOnce(ClassName, &PreviewPanel::WindowProc); });
    window_ = CreateChild(ClassName, caption, parent, x, y, width, height, this);
    model_.SetView(this);
}

PreviewPanel::~PreviewPanel() {
    model_.SetView(nullptr);
    if (::IsWindow(window_))
        ::SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
}

void PreviewPanel::Refresh() {
    ::InvalidateRect(window_, nullptr, TRUE);
}

void PreviewPanel::Paint(HDC dc) const {
    RECT r;
    ::GetClientRect(window_, &r);
    // High contrast: the sample shows the font in the system's colours.
    const bool contrast = SystemHighContrast();
    UniqueBrush fill(
        ::CreateSolidBrush(contrast ? ::GetSysColor(COLOR_BTNFACE) : ToColorRef(model_.Color())));
    ::FillRect(dc, &r, fill.get());
    ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    UniqueFont font = CreateFontFor(model_.Font());
    const SelectedObject selected(dc, font.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, contrast ? ::GetSysColor(COLOR_BTNTEXT) : ToColorRef(model_.Font().Color));
    const std::string caption = WindowText(window_);
    ::DrawTextW(dc, WideFromUtf8(caption).c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CALLBACK PreviewPanel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    PreviewPanel* self = ViewOf<PreviewPanel>(hwnd);
    if (self == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    try {
        switch (message) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
        case WM_ERASEBKGND:
            return PaintMessage(hwnd, message, wParam, [self](HDC dc) { self->Paint(dc); });
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
