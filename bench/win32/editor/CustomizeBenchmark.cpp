// Time to open a large header in the customizing dialog and apply it back,
// on the real controls (not run by CTest; figures in docs/performance.md).
//
//   corvane_editor_bench.exe [SECTIONS]   default 10000
//
// For each shape: "open" is creating the dialog's window, loading the
// header (properties and the whole tree into the tree view) and painting it
// shown; "apply" is Apply: the tree rebuilt into the header's sections, the
// properties written, the index rebuilt; "close" frees the dialog.

#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "win32/StrativWindow.h"
#include "win32/editor/HeadersFormWindow.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace corvane;

namespace {

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// count sections: flat, or groups of `perGroup` leaves under one parent each.
void Fill(TStrativ& header, int count, int perGroup) {
    THeaderColumns* root = header.Sections();
    root->BeginUpdate(); // one index rebuild at the end, not one per section
    root->Clear();
    int made = 0;
    while (made < count) {
        if (perGroup <= 1) {
            root->Add("Column " + std::to_string(made++));
            continue;
        }
        THeaderColumns* group = root->Add("Group " + std::to_string(made++));
        for (int i = 0; i < perGroup && made < count; ++i)
            group->Add("Column " + std::to_string(made++))->SetWidth(40 + i % 50);
    }
    root->EndUpdate();
    root->Changed(true);
}

struct Times {
    double open, apply, close;
};

Times Measure(TStrativ& header, HWND owner) {
    Times t{};
    const double start = Now();
    auto form = std::make_unique<win32::editor::HeadersFormWindow>(owner);
    form->Form().HeaderControl = &header;
    form->Form().FormShow();
    form->Form().PropertyPage.SetActivePage(editor::THeaderEditor::SectionsPageIndex);
    ::ShowWindow(form->Handle(), SW_SHOW);
    ::UpdateWindow(form->Handle());
    Pump();
    t.open = Now() - start;

    const double applyStart = Now();
    form->Form().ApplyBtnClick();
    t.apply = Now() - applyStart;

    const double closeStart = Now();
    form.reset();
    Pump();
    t.close = Now() - closeStart;
    return t;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
    win32::RegisterStrativWindowClass();
    const HWND host = ::CreateWindowExA(0, "STATIC", "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 100,
                                        nullptr, nullptr, nullptr, nullptr);
    TStrativ header;
    header.SetBounds(0, 0, 600, 60);
    win32::StrativWindow window(header, host);

    std::printf("%-28s %10s %10s %10s\n", "shape", "open ms", "apply ms", "close ms");
    const struct {
        const char* name;
        int perGroup;
    } shapes[] = {{"flat", 1}, {"groups of 99", 99}, {"groups of 9", 9}};
    for (const auto& shape : shapes) {
        Fill(header, count, shape.perGroup);
        Measure(header, host); // warm-up: classes, fonts, caches
        std::vector<Times> runs;
        for (int i = 0; i < 3; ++i) {
            Fill(header, count, shape.perGroup);
            runs.push_back(Measure(header, host));
        }
        const auto best = [&runs](double Times::*field) {
            double b = runs[0].*field;
            for (const Times& t : runs)
                b = std::min(b, t.*field);
            return b;
        };
        std::printf("%-28s %10.1f %10.1f %10.1f\n",
                    (std::to_string(count) + " sections, " + shape.name).c_str(),
                    best(&Times::open), best(&Times::apply), best(&Times::close));
    }
    ::DestroyWindow(host);
    return 0;
}
