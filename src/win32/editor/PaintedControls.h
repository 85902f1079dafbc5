#pragma once
// The two controls of the General page that Windows has no class for:
// the speed button (glyph and caption in a colour of its own, a tab stop
// pressed by Space, Enter and the mouse) and the panel that previews the
// chosen colour and font.

#include "core/editor/Widgets.h"
#include "win32/GdiHandles.h"
#include "win32/editor/Glyphs.h"

#include "win32/WinApi.h"

#include <string>

namespace corvane::win32::editor {

using namespace corvane::editor;

class SpeedButton : public TWidgetView {
public:
    static constexpr const char* ClassName = "CorvaneSpeedButton";
    static constexpr int GlyphMargin = 5;

    // glyphMargin, glyphSize: GlyphMargin and GlyphSize at the pixel density
    // the button is shown at.
    SpeedButton(TButtonModel& model, HWND parent, GlyphKind glyph, const char* caption, int x,
                int y, int width, int height, int glyphMargin = GlyphMargin,
                int glyphSize = GlyphSize);
    ~SpeedButton() override;
    HWND Handle() const { return window_; }
    void Refresh() override;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Paint(HDC dc) const;
    void Click();

    TButtonModel& model_;
    HWND window_ = nullptr;
    UniqueBitmap glyph_;
    HFONT font_ = nullptr; // the form's (WM_SETFONT), not owned
    int glyphMargin_;
    int glyphSize_;
    bool pressed_ = false;
};

class PreviewPanel : public TWidgetView {
public:
    static constexpr const char* ClassName = "CorvanePreviewPanel";

    PreviewPanel(TPanelModel& model, HWND parent, const char* caption, int x, int y, int width,
                 int height);
    ~PreviewPanel() override;
    HWND Handle() const { return window_; }
    void Refresh() override;

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Paint(HDC dc) const;

    TPanelModel& model_;
    HWND window_ = nullptr;
};

// A GDI font for a framework font.
UniqueFont CreateFontFor(const TFont& font);

} // namespace corvane::win32::editor
