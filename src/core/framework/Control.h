#pragma once
// The windowed custom control the header stands on: name, component state,
// bounds and the framework properties hosts read and write. The window itself
// is the platform's, reached through TWindowServices.

#include "core/framework/Graphics.h"
#include "core/framework/Persistent.h"
#include "core/platform/WindowServices.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace corvane {

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TBiDiMode : uint8_t {
    bdLeftToRight,
    bdRightToLeft,
    bdRightToLeftNoAlign,
    bdRightToLeftReadingOnly
};

enum TComponentStateFlag : unsigned { csLoading = 0x1, csDesigning = 0x10 };
enum TControlStyleFlag : unsigned { csOpaque = 0x1, csDesignInteractive = 0x2 };

class TCustomControl : public TPersistent {
public:
    TCustomControl();
    ~TCustomControl() override;
    TCustomControl(const TCustomControl&) = delete;
    TCustomControl& operator=(const TCustomControl&) = delete;

    // The platform window; nullptr gives back the headless services.
    void SetWindowServices(TWindowServices* services);
    TWindowServices& Services() const { return *services_; }

    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    unsigned ComponentState() const { return componentState_; }
    bool Designing() const { return (componentState_ & csDesigning) != 0; }
    void SetDesigning(bool value);
    unsigned ControlStyle() const { return controlStyle_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Pixels of window border on each side (the client area lies inside).
    virtual int BorderSize() const { return 0; }
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientSize(int width, int height);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value) { parentColor_ = value; }
    // The parent window's colour changed: followed until Color is set.
    void ParentColorChanged(TColor value);

    const TFont& Font() const { return font_; }
    // Called after the font changed by any path (an embedding object keeps
    // its OLE font in step with it).
    std::function<void()> OnFontChange;
    void SetFont(const TFont& value);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    void ParentFontChanged(const TFont& value);

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value) { parentShowHint_ = value; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    int16_t Cursor() const { return cursor_; }
    void SetCursor(int16_t value) { cursor_ = value; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value) { tabOrder_ = value; }
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);

    void Invalidate() { services_->Invalidate(); }
    void Repaint() { services_->Repaint(); }

    // The framework's loaded notification, after reading from a stream.
    virtual void Loaded() { componentState_ &= ~csLoading; }
    void BeginLoading() { componentState_ |= csLoading; }

protected:
    void AddControlStyle(unsigned flags) { controlStyle_ |= flags; }

private:
    THeadlessWindowServices headless_;
    TWindowServices* services_ = &headless_;
    std::string name_;
    unsigned componentState_ = 0;
    unsigned controlStyle_ = 0;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    TFont font_;
    bool parentFont_ = true;
    bool visible_ = true;
    bool enabled_ = true;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    std::string hint_;
    TAlign align_ = alNone;
    int16_t cursor_ = 0; // crDefault
    int tabOrder_ = -1;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

} // namespace corvane
