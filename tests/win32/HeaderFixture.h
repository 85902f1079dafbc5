#pragma once
// A header control in a real window inside a visible host window, with every
// event it fires recorded, and helpers that send it real mouse messages.
//
// The standard tree (client 400 x 60, window border on):
//
//   x:   0        100        200                 400
//   y 0  +---- Group ---------+                   |
//     20 +---- A ----+--- B ---+        C          |
//     60 +-----------+---------+-------------------+

#include "DibSurface.h"
#include "TestHost.h"
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "win32/StrativWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane::win32::testing {

class HeaderFixture : public ::testing::Test {
protected:
    static constexpr int ClientWidth = 400;
    static constexpr int ClientHeight = 60;

    void SetUp() override;
    void TearDown() override;

    // The sections of the standard tree, made anew (none hot or pressed).
    void BuildStandardTree();
    HWND hwnd() const { return window->Handle(); }
    THeaderColumns* Section(const std::string& caption) const;

    // Real messages, as the system would send them.
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    // WM_NCHITTEST then WM_SETCURSOR for the client point; the cursor shown.
    HCURSOR PointAt(int x, int y) const;
    void MouseMove(int x, int y, WPARAM keys = 0) const;
    void LeftDown(int x, int y) const;
    void LeftUp(int x, int y) const;
    void RightDown(int x, int y) const;

    // The window's client pixels as they are on screen now.
    std::unique_ptr<DibSurface> Screenshot() const;
    // The control painted from scratch into a bitmap.
    std::unique_ptr<DibSurface> Rendering();

    HWND host = nullptr; // the shared host window
    std::unique_ptr<TStrativ> control;
    std::unique_ptr<StrativWindow> window;
    std::vector<std::string> events;
};

} // namespace corvane::win32::testing
