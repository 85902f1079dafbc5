// Small pieces of the Windows layer: reading mouse messages, alignment in a
// parent, colour resolution and the caption collation it installs, the pixel
// density of a window, message boxes of the modal loops.
#include "ModalWatch.h"
#include "core/platform/Collation.h"
#include "win32/Alignment.h"
#include "win32/Dpi.h"
#include "win32/ModalLoops.h"
#include "win32/MouseInput.h"
#include "win32/StrativWindow.h"
#include "win32/SystemColors.h"

#include <gtest/gtest.h>

namespace corvane::win32 {
namespace {

TEST(MouseInput, PositionHalvesAreSigned) {
    const TPoint p = PointFromLParam(MAKELPARAM(-5, 70));
    EXPECT_EQ(p.X, -5);
    EXPECT_EQ(p.Y, 70);
    const TPoint q = PointFromLParam(MAKELPARAM(300, -2));
    EXPECT_EQ(q.X, 300);
    EXPECT_EQ(q.Y, -2);
}

TEST(MouseInput, KeyFlagsBecomeTheShiftState) {
    EXPECT_EQ(ShiftFromKeys(0), 0u);
    EXPECT_EQ(ShiftFromKeys(MK_LBUTTON), TShiftState{ssLeft});
    EXPECT_EQ(ShiftFromKeys(MK_RBUTTON | MK_SHIFT), TShiftState{ssRight | ssShift});
    EXPECT_EQ(ShiftFromKeys(MK_MBUTTON | MK_CONTROL), TShiftState{ssMiddle | ssCtrl});
}

UINT WINAPI Answers144(HWND) {
    return 144;
}
UINT WINAPI AnswersNothing(HWND) {
    return 0;
}

// The window's own density wins over the screen's; the screen answers when
// the system has no per-window answer or no window is named.
TEST(PixelDensity, TheWindowsOwnDensityComesFirst) {
    const HDC dc = ::GetDC(nullptr);
    const int screen = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    const HWND window = ::GetDesktopWindow();
    EXPECT_EQ(WindowPixelsPerInch(window, &Answers144), 144);
    EXPECT_EQ(WindowPixelsPerInch(window, &AnswersNothing), screen);
    EXPECT_EQ(WindowPixelsPerInch(window, nullptr), screen);
    EXPECT_EQ(WindowPixelsPerInch(nullptr, &Answers144), screen);
}

TEST(ModalLoopsBox, NoBoxOnceTheLoopsAreOverForGood) {
    for (const bool over : {false, true}) {
        SCOPED_TRACE(over ? "over for good" : "running");
        ModalLoops loops;
        if (over)
            loops.EndForGood();
        const testing::MessageBoxWatch watch;
        const int answer = loops.MessageBox(nullptr, "text", "caption", MB_OK);
        EXPECT_EQ(watch.Seen().size(), over ? 0u : 1u);
        EXPECT_EQ(answer, over ? 0 : IDOK);
    }
}

TEST(Alignment, EachAlignmentTakesItsSideOfTheParent) {
    const Bounds current{7, 8, 100, 30};
    EXPECT_EQ(AlignedBounds(alNone, current, 500, 200), current);
    EXPECT_EQ(AlignedBounds(alTop, current, 500, 200), (Bounds{0, 0, 500, 30}));
    EXPECT_EQ(AlignedBounds(alBottom, current, 500, 200), (Bounds{0, 170, 500, 30}));
    EXPECT_EQ(AlignedBounds(alLeft, current, 500, 200), (Bounds{0, 0, 100, 200}));
    EXPECT_EQ(AlignedBounds(alRight, current, 500, 200), (Bounds{400, 0, 100, 200}));
    EXPECT_EQ(AlignedBounds(alClient, current, 500, 200), (Bounds{0, 0, 500, 200}));
}

TEST(SystemColours, DirectAndSystemColours) {
    EXPECT_EQ(ToColorRef(0x00123456), 0x00123456u);
    EXPECT_EQ(ToColorRef(clBtnShadow), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(ToColorRef(clWindow), ::GetSysColor(COLOR_WINDOW));
}

TEST(PlatformCollationInstall, WindowClassAndPlatformAgreeOnPunctuation) {
    // lstrcmpA puts "co-op" next to "coop" (hyphens weigh almost nothing),
    // after "cob"; so must whatever is installed, before and after the
    // first window class exists.
    const CaptionCompareFn atLoad = InstalledCaptionCompare();
    ASSERT_NE(atLoad, nullptr);
    EXPECT_EQ(CompareCaptions("co-op", "cob") > 0, ::lstrcmpA("co-op", "cob") > 0);
    RegisterStrativWindowClass();
    EXPECT_EQ(InstalledCaptionCompare(), atLoad);
    EXPECT_EQ(CompareCaptions("co-op", "cob") > 0, ::lstrcmpA("co-op", "cob") > 0);
    EXPECT_EQ(CompareCaptions("a", "B") < 0, ::lstrcmpA("a", "B") < 0);
}

} // namespace
} // namespace corvane::win32
