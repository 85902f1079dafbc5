#pragma once
// What the control asks of the window it lives in. The Win32 layer implements
// it over a real window; without a window (tools, tests of the state alone)
// the control uses a headless implementation that does nothing visible.

#include "core/framework/Graphics.h"

#include <string>
#include <vector>

namespace corvane {

class TCanvas;
class THeaderColumns;

enum class TSizingCursor { WestEast, NorthSouth };

// What assistive technology (screen readers) is told about.
enum class TAccessibleEvent {
    Focus,               // the section with the keyboard focus
    NameChange,          // a section's caption
    Reorder,             // sections moved, came or went (no section: the header itself)
    LocationChange,      // a section's rectangle moved or changed size
    DefaultActionChange, // a section can be clicked now, or no longer
};

// What the platform's settings ask of the header's look right now.
struct TPlatformLook {
    // High contrast: system colours only, no visual style, the focus mark
    // always shown.
    bool HighContrast = false;
    // The window's keyboard cues are hidden (the mouse put the focus there):
    // no focus mark until the keyboard is used.
    bool FocusCuesHidden = false;
};

struct TMenuEntry {
    std::string Caption; // "-" draws a separator
    bool Enabled = true;
    bool Checked = false;
};

class TWindowServices {
public:
    virtual ~TWindowServices() = default;

    virtual void Invalidate() = 0;
    // Paints the whole control at once (the control's Paint on its canvas).
    virtual void Repaint() = 0;
    virtual void RecreateWnd() = 0;
    virtual void Realign() = 0;
    // Bounds, visibility or enabled state of the control changed: the window
    // follows them.
    virtual void UpdateWindowState() = 0;

    // Canvas for drawing outside a full repaint (single sections, track lines).
    virtual TCanvas* Canvas() = 0;
    virtual bool NewStyleControls() const = 0;
    virtual TPlatformLook PlatformLook() const = 0;

    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    // Loads the system sizing cursor and shows it; false when it cannot be had.
    virtual bool SetSizingCursor(TSizingCursor cursor) = 0;
    virtual TPoint ScreenToClient(TPoint p) const = 0;
    virtual TPoint ClientToScreen(TPoint p) const = 0;

    // Shows a popup menu at screen point p and returns the index of the chosen
    // entry, or -1; returns when the menu has closed.
    virtual int TrackPopupMenu(const std::vector<TMenuEntry>& entries, TPoint p) = 0;
    // A modal message box owned by the application's main window.
    virtual int MessageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
    virtual void CancelHint() = 0;
    // Tells a form designer that the form it edits was modified.
    virtual void DesignerModified() = 0;
    // Tells assistive technology about a change; Section is null for the
    // header as a whole.
    virtual void AccessibleEvent(TAccessibleEvent event, const THeaderColumns* Section) = 0;
};

// Does nothing visible; the control's own state still changes as asked.
class THeadlessWindowServices : public TWindowServices {
public:
    void Invalidate() override {}
    void Repaint() override {}
    void RecreateWnd() override {}
    void Realign() override {}
    void UpdateWindowState() override {}
    TCanvas* Canvas() override { return nullptr; }
    bool NewStyleControls() const override { return true; }
    TPlatformLook PlatformLook() const override { return {}; }
    void SetCapture() override { captured_ = true; }
    void ReleaseCapture() override { captured_ = false; }
    bool HasCapture() const override { return captured_; }
    bool SetSizingCursor(TSizingCursor) override { return true; }
    TPoint ScreenToClient(TPoint p) const override { return p; }
    TPoint ClientToScreen(TPoint p) const override { return p; }
    int TrackPopupMenu(const std::vector<TMenuEntry>&, TPoint) override { return -1; }
    int MessageBox(const std::string&, const std::string&, unsigned) override { return 1; }
    void CancelHint() override {}
    void DesignerModified() override {}
    void AccessibleEvent(TAccessibleEvent, const THeaderColumns*) override {}

private:
    bool captured_ = false;
};

} // namespace corvane
