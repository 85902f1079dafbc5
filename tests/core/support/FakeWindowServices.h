#pragma once
// A window for pointer and painting tests: it records, in one log, what the
// control asks of it (capture, cursors, repaints, menus, message boxes,
// hints), shows a RecordingCanvas (or no canvas), and lets a test choose the
// menu entry the user picks and whether sizing cursors can be loaded.
// Screen coordinates are client coordinates moved by ScreenOffset.

#include "RecordingCanvas.h"
#include "core/model/HeaderColumns.h"
#include "core/platform/WindowServices.h"

#include <functional>
#include <string>
#include <vector>

namespace corvane::testing {

class FakeWindowServices : public TWindowServices {
public:
    static constexpr TPoint ScreenOffset{100, 200};

    RecordingCanvas canvas;
    bool hasCanvas = true;
    bool newStyleControls = true;
    TPlatformLook look;
    bool cursorsAvailable = true;
    int menuChoice = -1;
    // Runs inside Repaint, e.g. the control's Paint.
    std::function<void()> onRepaint;

    std::vector<std::string> log;
    std::vector<std::vector<TMenuEntry>> menus;
    std::vector<TPoint> menuPoints;
    std::vector<std::string> messageBoxes;

    void Invalidate() override { log.push_back("Invalidate"); }
    void Repaint() override {
        log.push_back("Repaint");
        if (onRepaint)
            onRepaint();
    }
    void RecreateWnd() override { log.push_back("RecreateWnd"); }
    void Realign() override { log.push_back("Realign"); }
    void UpdateWindowState() override {}
    TCanvas* Canvas() override { return hasCanvas ? &canvas : nullptr; }
    bool NewStyleControls() const override { return newStyleControls; }
    TPlatformLook PlatformLook() const override { return look; }

    void SetCapture() override {
        captured_ = true;
        log.push_back("SetCapture");
    }
    void ReleaseCapture() override {
        captured_ = false;
        log.push_back("ReleaseCapture");
    }
    bool HasCapture() const override { return captured_; }
    // Another window took the pointer: nothing of the control's asking.
    void LoseCapture() { captured_ = false; }
    bool SetSizingCursor(TSizingCursor cursor) override {
        log.push_back(cursor == TSizingCursor::WestEast ? "Cursor WE" : "Cursor NS");
        return cursorsAvailable;
    }
    TPoint ScreenToClient(TPoint p) const override {
        return TPoint{p.X - ScreenOffset.X, p.Y - ScreenOffset.Y};
    }
    TPoint ClientToScreen(TPoint p) const override {
        return TPoint{p.X + ScreenOffset.X, p.Y + ScreenOffset.Y};
    }
    int TrackPopupMenu(const std::vector<TMenuEntry>& entries, TPoint p) override {
        menus.push_back(entries);
        menuPoints.push_back(p);
        log.push_back("Menu");
        return menuChoice;
    }
    int MessageBox(const std::string& text, const std::string&, unsigned) override {
        messageBoxes.push_back(text);
        log.push_back("MessageBox");
        return 1;
    }
    void CancelHint() override { log.push_back("CancelHint"); }
    void DesignerModified() override { log.push_back("DesignerModified"); }
    void AccessibleEvent(TAccessibleEvent event, const THeaderColumns* section) override {
        static const char* const names[] = {"Focus", "NameChange", "Reorder", "Location",
                                            "DefaultAction"};
        log.push_back(std::string("Accessible ") + names[static_cast<int>(event)] + " " +
                      (section != nullptr ? section->Caption() : std::string("<header>")));
    }

    std::vector<std::string> TakeLog() {
        std::vector<std::string> out;
        out.swap(log);
        return out;
    }

private:
    bool captured_ = false;
};

} // namespace corvane::testing
