#include "win32/GdiCanvas.h"

#include "win32/SystemColors.h"
#include "win32/WideText.h"

#include <vsstyle.h>
#include <vssym32.h>

#include <vector>

namespace corvane::win32 {
namespace {

RECT ToRECT(const TRect& r) {
    return RECT{r.Left, r.Top, r.Right, r.Bottom};
}

} // namespace

TGdiCanvas::TGdiCanvas() {
    RebuildFont();
    RebuildPen();
    RebuildBrush();
}

TGdiCanvas::~TGdiCanvas() {
    // Our objects must leave the DC before they are deleted.
    Detach();
}

void TGdiCanvas::Attach(HDC dc) {
    Detach();
    if (dc == nullptr)
        return;
    dc_ = dc;
    savedState_ = ::SaveDC(dc_);
    ::SelectObject(dc_, fontHandle_.get());
    ::SelectObject(dc_, penHandle_.get());
    ::SelectObject(dc_, BrushHandle());
    ::SetROP2(dc_, pen_.Mode == TPenMode::Not ? R2_NOT : R2_COPYPEN);
    ApplyTextColors();
}

void TGdiCanvas::Detach() {
    if (dc_ == nullptr)
        return;
    ::RestoreDC(dc_, savedState_);
    dc_ = nullptr;
    savedState_ = 0;
}

void TGdiCanvas::SetFont(const TFont& font) {
    const bool sameFace = font.Name == font_.Name && font.Height == font_.Height &&
                          font.Style == font_.Style && font.Charset == font_.Charset;
    font_ = font;
    if (!sameFace)
        RebuildFont();
    ApplyTextColors();
}

void TGdiCanvas::SetFontColor(TColor color) {
    font_.Color = color;
    ApplyTextColors();
}

void TGdiCanvas::SetBrushColor(TColor color) {
    brushColor_ = color;
    brushStyle_ = TBrushStyle::Solid;
    RebuildBrush();
    ApplyTextColors();
}

void TGdiCanvas::SetBrushStyle(TBrushStyle style) {
    if (style == brushStyle_)
        return;
    brushStyle_ = style;
    RebuildBrush();
    ApplyTextColors();
}

void TGdiCanvas::SetPen(const TPen& pen) {
    if (pen == pen_)
        return;
    pen_ = pen;
    RebuildPen();
    if (dc_ != nullptr)
        ::SetROP2(dc_, pen_.Mode == TPenMode::Not ? R2_NOT : R2_COPYPEN);
}

void TGdiCanvas::FillRect(const TRect& rect) {
    if (dc_ == nullptr || brushStyle_ == TBrushStyle::Clear)
        return;
    const RECT r = ToRECT(rect);
    ::FillRect(dc_, &r, brushHandle_.get());
}

void TGdiCanvas::MoveTo(int x, int y) {
    if (dc_ != nullptr)
        ::MoveToEx(dc_, x, y, nullptr);
}

void TGdiCanvas::LineTo(int x, int y) {
    if (dc_ != nullptr)
        ::LineTo(dc_, x, y);
}

void TGdiCanvas::Rectangle(const TRect& rect) {
    if (dc_ != nullptr)
        ::Rectangle(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TGdiCanvas::DrawEdge(const TRect& rect, unsigned edge, unsigned flags) {
    if (dc_ == nullptr)
        return;
    RECT r = ToRECT(rect);
    ::DrawEdge(dc_, &r, edge, flags);
}

void TGdiCanvas::DrawTextEx(const std::string& text, const TRect& rect, unsigned format) {
    if (dc_ == nullptr)
        return;
    // DrawTextExW takes a writable buffer (and may add an ellipsis to it).
    std::wstring buffer = WideFromUtf8(text);
    const int length = static_cast<int>(buffer.size());
    buffer.append(4, L'\0');
    RECT r = ToRECT(rect);
    ::DrawTextExW(dc_, buffer.data(), length, &r, format, nullptr);
}

void TGdiCanvas::DrawFocusRect(const TRect& rect) {
    if (dc_ == nullptr)
        return;
    // The dotted pattern takes the DC's text and background colours: black
    // and white make it invert every other pixel, whatever the caption colour.
    const COLORREF text = ::SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF back = ::SetBkColor(dc_, RGB(255, 255, 255));
    const RECT r = ToRECT(rect);
    ::DrawFocusRect(dc_, &r);
    ::SetTextColor(dc_, text);
    ::SetBkColor(dc_, back);
}

bool TGdiCanvas::DrawThemedHeaderItem(const TRect& rect, THeaderItemState state, TColor background,
                                      TColor& textColor) {
    if (dc_ == nullptr || headerTheme_ == nullptr || !*headerTheme_)
        return false;
    int itemState = HIS_NORMAL;
    if (state == THeaderItemState::Hot)
        itemState = HIS_HOT;
    else if (state == THeaderItemState::Pressed)
        itemState = HIS_PRESSED;
    if (!headerTheme_->DrawBackground(dc_, HP_HEADERITEM, itemState, ToRECT(rect),
                                      ToColorRef(background)))
        return false;
    const std::optional<COLORREF> text =
        headerTheme_->Color(HP_HEADERITEM, itemState, TMT_TEXTCOLOR);
    textColor = text ? static_cast<TColor>(*text) : clBtnText;
    return true;
}

int TGdiCanvas::TextWidth(const std::string& text) {
    if (dc_ == nullptr)
        return 0;
    SIZE size{};
    const std::wstring wide = WideFromUtf8(text);
    ::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void TGdiCanvas::RebuildFont() {
    UniqueFont created(::CreateFontW(
        font_.Height, 0, 0, 0, (font_.Style & fsBold) ? FW_BOLD : FW_NORMAL,
        (font_.Style & fsItalic) ? TRUE : FALSE, (font_.Style & fsUnderline) ? TRUE : FALSE,
        (font_.Style & fsStrikeOut) ? TRUE : FALSE, font_.Charset, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
        WideFromUtf8(font_.Name).c_str()));
    if (dc_ != nullptr)
        ::SelectObject(dc_, created.get());
    fontHandle_ = std::move(created);
}

void TGdiCanvas::RebuildPen() {
    const int style = pen_.Style == TPenStyle::Dot ? PS_DOT : PS_SOLID;
    UniquePen created(::CreatePen(style, pen_.Width, ToColorRef(pen_.Color)));
    if (dc_ != nullptr)
        ::SelectObject(dc_, created.get());
    penHandle_ = std::move(created);
}

void TGdiCanvas::RebuildBrush() {
    UniqueBrush created;
    if (brushStyle_ == TBrushStyle::Solid)
        created.reset(::CreateSolidBrush(ToColorRef(brushColor_)));
    if (dc_ != nullptr)
        ::SelectObject(dc_, created ? static_cast<HGDIOBJ>(created.get())
                                    : ::GetStockObject(NULL_BRUSH));
    brushHandle_ = std::move(created);
}

HBRUSH TGdiCanvas::BrushHandle() const {
    return brushHandle_ ? brushHandle_.get() : static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void TGdiCanvas::ApplyTextColors() const {
    if (dc_ == nullptr)
        return;
    ::SetTextColor(dc_, ToColorRef(font_.Color));
    // A clear brush lets the background show through the caption.
    if (brushStyle_ == TBrushStyle::Clear) {
        ::SetBkMode(dc_, TRANSPARENT);
    } else {
        ::SetBkMode(dc_, OPAQUE);
        ::SetBkColor(dc_, ToColorRef(brushColor_));
    }
}

} // namespace corvane::win32
