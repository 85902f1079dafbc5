#pragma once
// TStrativ: the multi-level header control. It owns the section tree (its
// root is never shown), the level and leaf index over it and the context
// menu; the platform window reaches it through the entry points below.

#include "core/control/AccessibleWatch.h"
#include "core/control/ColumnLayout.h"
#include "core/control/SectionOrder.h"
#include "core/control/StrativTypes.h"
#include "core/framework/Control.h"
#include "core/framework/DpiScale.h"
#include "core/model/SectionRef.h"

#include <memory>
#include <string>
#include <vector>

namespace corvane {

class TCanvas;
class TCustomizeDialog;
class TCustomizePopupMenu;
class THeaderColumns;
class TLevels;

// What SectionAt finds under a point.
struct TSectionHit {
    THeaderColumns* Section = nullptr;
    TRect Rect;
    int Column = -1;
};

class TStrativ : public TCustomControl {
public:
    static constexpr const char* DefaultSectionCaption = "TStrativ v.2.8";
    static constexpr const char* DefaultCustomizeMenustring = "Customize...";
    static constexpr TColor DefaultHotTrackColor = clNavy;

    // scale: the pixel density of the screen the header is made for; its
    // default font and the band height of new sections follow it.
    explicit TStrativ(TDpiScale scale = TDpiScale());
    ~TStrativ() override;

    const char* ClassName() const override { return "TStrativ"; }

    // --- Published properties ---------------------------------------------
    const std::string& About() const { return about_; }
    void SetAbout(const std::string& value) { about_ = value; }
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor value) { hotTrackColor_ = value; }
    const std::string& Properties() const { return properties_; }
    void SetProperties(const std::string& value) { properties_ = value; }
    const std::string& CustomizeMenustring() const { return customizeMenustring_; }
    void SetCustomizeMenustring(const std::string& value) { customizeMenustring_ = value; }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TButtonStyle Headerstyle() const { return headerstyle_; }
    void SetHeaderstyle(TButtonStyle value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    THeaderOptions Options() const { return options_; }
    void SetOptions(THeaderOptions value);
    // The root of the tree; assigning copies a tree into it.
    THeaderColumns* Sections() const { return sections_.get(); }
    void SetSections(const THeaderColumns* value);
    TLevels& Levels() const { return *levels_; }
    TCustomizePopupMenu& CustomizeMenu() const { return *customizeMenu_; }

    // Plain field writes (no repaint), as the automation layer does them.
    void StoreHotTrackColor(TColor value) { hotTrackColor_ = value; }

    int BorderSize() const override { return borderStyle_ == bsSingle ? 1 : 0; }

    // --- Pixel density ----------------------------------------------------------
    const TDpiScale& Scale() const { return scale_; }
    // The window moved to a screen of another density. What the control
    // sizes itself follows: the default font (while it is still the parent's
    // and nobody replaced it), the band of new sections, the resize zones and
    // the drop mark. Sizes a host set in pixels (widths, band heights, the
    // bounds) stay as they are. Repaints when anything changed.
    void ChangeScale(TDpiScale scale);
    // Half-width of the band around a section's edge where a resize can be
    // grabbed, and the rows above the control's bottom where none can.
    int ZoneReach() const { return scale_(4); }

    // --- Events ---------------------------------------------------------------
    TSectionEvent OnSizing, OnSized;
    THeightSectionEvent OnHeightChanged, OnHeightChanging;
    THeaderClickEvent OnHeaderClick;
    TDropSectionEvent OnDropSection;
    TNotifyEvent OnBeforeCustomize, OnAfterCustomize, OnBeforeApply, OnAfterApply;
    THintEvent OnHint;

    // --- Public methods -------------------------------------------------------
    void BeforeCustomize();
    void AfterCustomize();
    void BeforeApply();
    void AfterApply();
    // With hoCustomize: OnBeforeCustomize, the dialog, OnAfterCustomize.
    void Customize();
    void ShowAbout();
    int ColumnCount() const;
    // The dialog Customize runs; nullptr runs none (the events still fire).
    void SetCustomizeDialog(TCustomizeDialog* dialog) { customizeDialog_ = dialog; }
    static const char* AboutText();

    void Loaded() override;

    // --- Dispatch methods -----------------------------------------------------
    virtual void DoSized(THeaderColumns* Section, int Index, int Width);
    virtual void DoSizing(THeaderColumns* Section, int Index, int Width);
    virtual void DoHeightChanging(THeaderColumns* Section, int Height);
    virtual void DoHeightChanged(THeaderColumns* Section, int Height);
    virtual void DoHeaderClick(THeaderColumns* Section);
    virtual void DoDropSection(THeaderColumns* Source, THeaderColumns* Dest, bool& AsChild,
                               bool& AllowDrop);
    virtual void DoHint(THeaderColumns* Section, std::string& Hint);

    // --- Geometry (client pixels, exclusive right and bottom) ----------------
    void SectionBand(const THeaderColumns* Section, int& Top, int& Bottom) const;
    TRect SectionRect(const THeaderColumns* Section) const;
    TSectionHit SectionAt(TPoint P) const;

    // --- Painting -------------------------------------------------------------
    void Paint(TCanvas& Canvas);
    void PaintColumn(TCanvas& Canvas, int Column);
    void PaintSection(TCanvas& Canvas, const THeaderColumns* Section, TRect Rect);

    // --- Pointer input, in the order the platform delivers it ----------------
    void WMNCHitTest(TPoint Screen);   // after the framework's own handling
    bool WMSetCursor(int HitTestCode); // true when the control set the cursor
    void WMMouseMove(TPoint Client);   // before the mouse-move method
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    void MouseLeave();
    void MouseEnter() {}
    // A second press of the left button soon after the first: in an armed
    // width zone it fits the section to its caption (see StrativAutofit.cpp),
    // elsewhere it is a press like any other.
    void DblClick(TShiftState Shift, int X, int Y);
    // The pointer capture or the window went in the middle of a gesture: it
    // ends as if it had never begun (nothing stored or moved, no event), and
    // the repaint takes a tracking line or drop mark off the screen. A gesture
    // whose release has already arrived runs to its end.
    void CancelGesture();

    // --- Keyboard (StrativKeyboard.cpp, StrativFocus.cpp) ----------------------
    // The control is worth a stop when tabbing: a click or a gesture is on.
    bool WantsTabStop() const;
    // The window got or lost the keyboard focus.
    void FocusEnter();
    void FocusExit();
    bool HasKeyboardFocus() const { return hasFocus_; }
    // The section keys act on. It follows its section through edits; when the
    // section goes, the nearest sibling takes over, then the parent.
    THeaderColumns* FocusedSection();
    void SetFocusedSection(THeaderColumns* Section);
    // Whether KeyDown would use the key now (containers and dialogs ask first).
    bool WantsKey(uint16_t Key, TShiftState Shift) const;
    // A key pressed while the control has the focus; true when it was used.
    bool KeyDown(uint16_t Key, TShiftState Shift);
    // The context menu at the focused section, as the menu key opens it;
    // false when the control has no menu to show.
    bool ContextMenuAtFocus();
    // Where a navigation key (arrows, Home, End) moves the focus from a
    // section; nullptr when it stays.
    THeaderColumns* NavigationTarget(THeaderColumns* From, uint16_t Key) const;

    // --- Fitting widths (StrativAutofit.cpp) -----------------------------------
    // Width at which the section's caption shows whole, focus mark included:
    // its widest line (for word-wrapped captions, its widest word) plus the
    // face's margins. -1 when there is no canvas to measure with.
    int FittedWidth(const THeaderColumns* Section);
    // Fits a leaf, or each leaf under a section, firing OnSizing and OnSized
    // for each as a drag would.
    void Autofit(THeaderColumns* Section);
    // Narrowest leaf a keyboard resize or a proportional resize leaves.
    static constexpr int MinimumLeafWidth = 8;
    // Gives the section the width asked for as Ctrl+Left/Right would, by
    // changing its last leaf (OnSizing, the store, OnSized), never narrowing
    // a leaf below MinimumLeafWidth. For clients that set a width outright.
    void ResizeSectionTo(THeaderColumns* Section, int64_t Width);

    // --- Assistive technology (StrativAccessibility.cpp) --------------------
    // The sections in tree order; child ids count from 1 in that order.
    int AccessibleChildCount();
    THeaderColumns* AccessibleChild(int ChildId);
    int AccessibleChildId(const THeaderColumns* Section); // 0: not in this header
    // "Customer, Name, First name": the captions from the top-level section down.
    static std::string SectionPath(const THeaderColumns* Section);
    // Some part of the section is painted inside the client area.
    bool SectionShown(const THeaderColumns* Section);
    // The last column painting reaches (the one at the right edge); -1
    // without columns.
    int LastPaintedColumn() const;
    // What assistive technology may do with sections now: click them (with
    // hoClick, not designing) and focus them (a tab stop); neither while the
    // control is disabled.
    bool AccessibleClickable() const;
    bool AccessibleFocusable() const;
    // Tells the window's services what changed since the last call: names,
    // rectangles, the order of sections, whether they can be clicked, the
    // focused section after an edit. The platform calls it after each
    // message it handled and after each call a host made.
    void NoteAccessibleChanges();

    // --- State the pointer machine drives (read-only views for tests) --------
    TTrackState TrackState() const { return trackState_; }
    bool Pressed() const { return pressed_; }
    THeaderColumns* HotSection() const { return hotSection_.get(); }
    THeaderColumns* DragSection() const { return dragSection_.get(); }
    THeaderColumns* ResizeSection() const { return resizeSection_.get(); }
    TPoint DragPoint() const { return dragPoint_; }
    TPoint TrackLine() const { return trackLine_; }
    TPoint PendingSize() const { return pendingSize_; }
    TPoint HitPoint() const { return hitPoint_; }
    TPoint GrabOffset() const { return grabOffset_; }
    bool ResizeAllowed() const { return resizeAllowed_; }
    int ResizeColumn() const { return resizeColumn_; }
    // A Shift+drag of a parent's edge: its leaves share the new width.
    bool ProportionalResize() const { return proportional_; }

private:
    void DrawTrackLine();
    void DrawDropMark();
    void DropSection(THeaderColumns* Target);
    bool InThisTree(const THeaderColumns* Section) const;

    // Geometry and painting helpers.
    TColumnLayout& Layout() const;
    TRect ClientRect() const;
    bool FindInColumn(TColumnLayout& Layout, int Column, TPoint P, TSectionHit& Hit) const;
    // PaintSection on the window's canvas, outside a full repaint; nothing
    // without a window.
    void RepaintSection(const THeaderColumns* Section, const TRect& Rect);

    // Pointer helpers.
    bool ColumnExists(int Column) const;
    void TrackWidth(int X);
    void TrackHeight(int Y);
    void TrackProportional(int X);
    void EndWidthResize();
    void EndProportionalResize();
    void EndHeightResize();
    void StartDrag(int X, int Y);
    void EndGesture(int X, int Y);
    void BackToIdle();
    void TrackHotSection(int X, int Y);
    bool CanDrop(const THeaderColumns* Source, const THeaderColumns* Target) const;
    // Source goes in front of Target (After: behind it) or becomes its last child.
    void MoveSection(THeaderColumns* Source, THeaderColumns* Target, bool AsChild,
                     bool After = false);

    // Keyboard helpers.
    int ColumnOf(const THeaderColumns* Leaf) const;
    THeaderColumns* LastLeafOf(THeaderColumns* Section) const;
    THeaderColumns* LevelEnd(const THeaderColumns* From, bool Last) const;
    bool StartsInPaintedColumn(const THeaderColumns* Section) const;
    void ResizeByKey(THeaderColumns* Section, int Delta);
    void ChangeHeightByKey(THeaderColumns* Section, int Delta);
    void MoveByKey(THeaderColumns* Section, bool Right);
    void RememberFocusPath(const THeaderColumns* Section);
    THeaderColumns* FollowFocusPath() const;
    void RepaintFocusMark();
    void AnnounceFocus();
    // Horizontal room the face and the focus mark take from a caption.
    int64_t CaptionMargin(const THeaderColumns* Section) const;

    THeaderOptions options_ = AllHeaderOptions;
    bool pressed_ = false;
    bool endingGesture_ = false; // between a release and the end of its gesture
    // After a cancelled gesture the button still held is not a new drag: one
    // starts only after a fresh press.
    bool awaitingFreshPress_ = false;
    std::string about_;
    TColor hotTrackColor_ = DefaultHotTrackColor;
    SectionRef hotSection_;
    TPoint dragPoint_;
    SectionRef dragSection_;
    std::string properties_;
    std::unique_ptr<TCustomizePopupMenu> customizeMenu_;
    TTrackState trackState_ = tsIdle;
    TPoint trackLine_{-1, -1};
    TPoint pendingSize_{-1, -1};
    std::string customizeMenustring_;
    int bevelWidth_ = 1;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvNone;
    int borderWidth_ = 0;
    TButtonStyle headerstyle_ = bsAutoDetect;
    std::unique_ptr<THeaderColumns> sections_;
    SectionRef resizeSection_;
    std::unique_ptr<TLevels> levels_;
    TPoint hitPoint_;
    bool resizeAllowed_ = false;
    int resizeColumn_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    TPoint grabOffset_;
    TCustomizeDialog* customizeDialog_ = nullptr;
    mutable TColumnLayout layout_; // cached column edges; see ColumnLayout.h

    // Keyboard focus: the section, and where it hung when last seen (its
    // parent and index there, then the parent's, up to the root), so that
    // focus can move to a neighbour when an edit frees it.
    struct TFocusLink {
        SectionRef Parent;
        int Index = 0;
    };
    SectionRef focusedSection_;
    std::vector<TFocusLink> focusPath_;
    bool hasFocus_ = false;
    bool proportional_ = false;
    // A double click fitted a width: its release ends nothing more.
    bool releaseAfterFit_ = false;
    TSectionOrder order_;
    TAccessibleWatch accessibleWatch_;
    TDpiScale scale_;
};

} // namespace corvane
