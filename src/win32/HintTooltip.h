#pragma once
// The control's hint in a system tooltip. One tool covers the whole window;
// its text follows the control's Hint and it is active only while hints are
// on and there is something to show.

#include "win32/GdiHandles.h"
#include "win32/WindowHandles.h"

#include "win32/WinApi.h"

#include <string>

namespace corvane::win32 {

class HintTooltip {
public:
    HintTooltip() = default;

    // Creates the tooltip for `window`; destroys the previous one first.
    void Create(HWND window);
    void Destroy();
    HWND Handle() const { return tooltip_.get(); }

    // Shows `text` when `enabled` and the text is not empty; otherwise off.
    // True when this turned the tooltip on.
    bool Update(bool enabled, const std::string& text);
    // Hands a mouse message of the tool window to the tooltip. The tool's
    // own subclass already does that, but before the window saw the message:
    // one that turned the tooltip on must be handed over again, or the tip
    // waits for the next move.
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);
    // Hides a tip now on screen.
    void Pop();
    // The density of the tool window: a tip shown at another one goes, and
    // the text takes the system's tip font at the new density (the screen's
    // own needs nothing: the tooltip uses that font from the start).
    void SetPixelsPerInch(int pixelsPerInch);
    int PixelsPerInch() const { return pixelsPerInch_; }
    // High contrast: the tip draws in the system colours without a visual
    // style; kept for a tooltip created later.
    void SetClassicLook(bool classic);

    const std::string& Text() const { return text_; }
    bool Active() const { return active_; }

private:
    TOOLINFOW ToolInfo() const;

    void ApplyFont() const;

    UniqueFont font_; // outlives the tooltip that uses it
    int pixelsPerInch_ = 0;
    UniqueWindow tooltip_;
    HWND window_ = nullptr;
    std::string text_;
    std::wstring wideText_; // text_ as the tooltip holds it; lives as long as text_
    bool active_ = false;
    bool classic_ = false;
};

} // namespace corvane::win32
