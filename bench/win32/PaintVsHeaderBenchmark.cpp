// Painting 50 visible columns into a memory DC: our header control against
// the system's header control (comctl32 WC_HEADER) holding the same 50
// items, in one run, all driven by WM_PRINTCLIENT. The system control is
// measured twice: with the visual style it gets by default (themed item
// backgrounds drawn from bitmaps) and with theming switched off for it
// (plain 3-D edges, the same kind of drawing as ours). Ours is measured
// twice too: "New" (button faces) and "Auto", which draws the visual style's
// header items when the window has a theme. Prints the median time per paint
// of each and the ratios. A benchmark, not a test: it never
// fails on speed.
//
//   corvane_win32_bench.exe [rounds]
#include "core/control/Strativ.h"
#include "core/model/HeaderColumns.h"
#include "win32/GdiHandles.h"
#include "win32/StrativWindow.h"
#include "win32/WinApi.h"
#include "win32/WindowHandles.h"

#include <uxtheme.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace corvane;
using namespace corvane::win32;

constexpr int Columns = 50;
constexpr int ColumnWidth = 40;
constexpr int Width = Columns * ColumnWidth;
constexpr int Height = 24;
constexpr int PaintsPerSample = 10;

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Caption(int i) {
    return "Column " + std::to_string(i + 1);
}

HWND CreateHost() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "CorvaneBenchHost";
    ::RegisterClassExA(&wc);
    return ::CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_CLIPCHILDREN, 0, 0, Width,
                             Height, nullptr, nullptr, wc.hInstance, nullptr);
}

void FillOurHeader(TStrativ& header, TButtonStyle style) {
    header.SetColor(clBtnFace);
    header.SetHeaderstyle(style);
    header.SetBorderStyle(bsNone);
    header.SetBounds(0, 0, Width, Height);
    THeaderColumns* root = header.Sections();
    root->Clear();
    for (int i = 0; i < Columns; ++i)
        root->Add(Caption(i))->SetWidth(ColumnWidth);
    root->Changed(true);
}

HWND CreateSystemHeader(HWND host, HFONT font) {
    const HWND header =
        ::CreateWindowExA(0, WC_HEADERA, "", WS_CHILD | WS_VISIBLE | HDS_BUTTONS, 0, 0, Width,
                          Height, host, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(header, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (int i = 0; i < Columns; ++i) {
        std::string text = Caption(i);
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = ColumnWidth;
        item.fmt = HDF_LEFT | HDF_STRING;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        ::SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&item));
    }
    return header;
}

// Seconds per paint, over one sample.
double TimePaints(HWND window, HDC target) {
    const double start = Now();
    for (int i = 0; i < PaintsPerSample; ++i)
        ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(target), PRF_CLIENT);
    ::GdiFlush();
    return (Now() - start) / PaintsPerSample;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const UniqueWindow host(CreateHost());

    TStrativ header;
    FillOurHeader(header, bsNew);
    StrativWindow ourWindow(header, host.get());
    TStrativ themedHeader;
    FillOurHeader(themedHeader, bsAutoDetect);
    StrativWindow ourThemedWindow(themedHeader, host.get());

    const TFont& font = header.Font();
    const UniqueFont systemFont(::CreateFontA(
        font.Height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, font.Charset, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str()));
    const UniqueWindow systemHeader(CreateSystemHeader(host.get(), systemFont.get()));
    // A theme name no theme has: this one window draws the classic way.
    const UniqueWindow classicHeader(CreateSystemHeader(host.get(), systemFont.get()));
    ::SetWindowTheme(classicHeader.get(), L" ", L" ");

    const WindowDC screen(host.get());
    const MemoryDC memory(screen.get());
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), Width, Height));
    const SelectedObject selected(memory.get(), bitmap.get());

    const HWND contenders[] = {ourWindow.Handle(), systemHeader.get(), classicHeader.get(),
                               ourThemedWindow.Handle()};
    constexpr int Count = 4;
    for (HWND window : contenders) // warm up font caches and glyphs
        TimePaints(window, memory.get());

    std::vector<double> samples[Count];
    for (int round = 0; round < rounds; ++round) {
        // Rotate the order so that drift hits all alike.
        for (int k = 0; k < Count; ++k) {
            const int which = (round + k) % Count;
            samples[which].push_back(TimePaints(contenders[which], memory.get()));
        }
    }
    const double ours = Median(samples[0]);
    const double themed = Median(samples[1]);
    const double classic = Median(samples[2]);
    const double oursThemed = Median(samples[3]);
    std::printf("columns painted:                %d (%d x %d pixels)\n", Columns, Width, Height);
    std::printf("samples:                        %d x %d paints each\n", rounds, PaintsPerSample);
    std::printf("our header:                     %.1f us per paint\n", ours * 1e6);
    std::printf("our header, Auto:               %.1f us per paint (visual style %s)\n",
                oursThemed * 1e6, ::GetWindowTheme(ourThemedWindow.Handle()) ? "in use" : "off");
    std::printf("system header, themed:          %.1f us per paint (visual style %s)\n",
                themed * 1e6, ::GetWindowTheme(systemHeader.get()) ? "in use" : "off");
    std::printf("system header, classic:         %.1f us per paint (visual style %s)\n",
                classic * 1e6, ::GetWindowTheme(classicHeader.get()) ? "in use" : "off");
    std::printf("ratio ours / system themed:     %.3f\n", ours / themed);
    std::printf("ratio ours / system classic:    %.3f\n", ours / classic);
    std::printf("ratio ours Auto / system themed: %.3f\n", oursThemed / themed);
    return 0;
}
