#include "win32/VisualStyle.h"

#include "win32/TopDownDib.h"

namespace corvane::win32 {
namespace {

// The few uxtheme entries the control draws with. Loaded once for the life
// of the process and never freed: a theme handle may outlive any one window.
struct ThemeEntries {
    using OpenFn = HTHEME(WINAPI*)(HWND, LPCWSTR);
    using CloseFn = HRESULT(WINAPI*)(HTHEME);
    using DrawFn = HRESULT(WINAPI*)(HTHEME, HDC, int, int, LPCRECT, LPCRECT);
    using ColorFn = HRESULT(WINAPI*)(HTHEME, int, int, int, COLORREF*);
    using SetWindowFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

    OpenFn Open = nullptr;
    CloseFn Close = nullptr;
    DrawFn Draw = nullptr;
    ColorFn Color = nullptr;
    SetWindowFn SetWindow = nullptr;

    bool Complete() const { return Open && Close && Draw && Color && SetWindow; }
};

template <class F> F Entry(HMODULE module, const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// Null when uxtheme or one of its entries is missing.
const ThemeEntries* Uxtheme() {
    static const ThemeEntries entries = [] {
        ThemeEntries e;
        // From the system folder only: never a planted copy beside the host.
        const HMODULE module =
            ::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (module == nullptr)
            return e;
        e.Open = Entry<ThemeEntries::OpenFn>(module, "OpenThemeData");
        e.Close = Entry<ThemeEntries::CloseFn>(module, "CloseThemeData");
        e.Draw = Entry<ThemeEntries::DrawFn>(module, "DrawThemeBackground");
        e.Color = Entry<ThemeEntries::ColorFn>(module, "GetThemeColor");
        e.SetWindow = Entry<ThemeEntries::SetWindowFn>(module, "SetWindowTheme");
        return e;
    }();
    return entries.Complete() ? &entries : nullptr;
}

} // namespace

void WindowTheme::Open(HWND window, const wchar_t* classList) {
    Close();
    if (const ThemeEntries* ux = Uxtheme(); ux != nullptr && window != nullptr)
        theme_ = ux->Open(window, classList);
}

void WindowTheme::Close() {
    drawn_.clear();
    if (theme_ == nullptr)
        return;
    Uxtheme()->Close(theme_); // a theme was only ever opened through it
    theme_ = nullptr;
}

bool WindowTheme::DrawBackground(HDC dc, int part, int state, const RECT& rect,
                                 COLORREF background) const {
    if (theme_ == nullptr)
        return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (const HBITMAP drawn = Cached(dc, part, state, width, height, background)) {
        const MemoryDC source(dc);
        const SelectedObject selected(source.get(), drawn);
        return ::BitBlt(dc, rect.left, rect.top, width, height, source.get(), 0, 0, SRCCOPY) !=
               FALSE;
    }
    return DrawDirect(dc, part, state, rect, background);
}

bool WindowTheme::DrawDirect(HDC dc, int part, int state, const RECT& rect,
                             COLORREF background) const {
    const UniqueBrush brush(::CreateSolidBrush(background));
    ::FillRect(dc, &rect, brush.get());
    return SUCCEEDED(Uxtheme()->Draw(theme_, dc, part, state, &rect, nullptr));
}

HBITMAP WindowTheme::Cached(HDC dc, int part, int state, int width, int height,
                            COLORREF background) const {
    // A few drawings of at most 1 MB each; a device that records or prints
    // gets the theme's own drawing.
    constexpr int MaxPixels = 512 * 512;
    constexpr size_t MaxKept = 16;
    if (width <= 0 || height <= 0 || width > MaxPixels / height ||
        ::GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY)
        return nullptr;
    for (const Drawn& d : drawn_)
        if (d.Part == part && d.State == state && d.Width == width && d.Height == height &&
            d.Background == background)
            return d.Bitmap.get();
    const MemoryDC target(dc);
    void* bits = nullptr;
    UniqueBitmap bitmap = CreateTopDownDib(target.get(), width, height, &bits);
    if (!bitmap || target.get() == nullptr)
        return nullptr;
    {
        const SelectedObject selected(target.get(), bitmap.get());
        if (!DrawDirect(target.get(), part, state, RECT{0, 0, width, height}, background))
            return nullptr;
    }
    if (drawn_.size() == MaxKept)
        drawn_.erase(drawn_.begin());
    drawn_.push_back(Drawn{part, state, width, height, background, std::move(bitmap)});
    return drawn_.back().Bitmap.get();
}

std::optional<COLORREF> WindowTheme::Color(int part, int state, int property) const {
    COLORREF color = 0;
    if (theme_ == nullptr || FAILED(Uxtheme()->Color(theme_, part, state, property, &color)))
        return std::nullopt;
    return color;
}

void SetClassicLook(HWND window, bool classic) {
    const ThemeEntries* ux = Uxtheme();
    if (ux == nullptr || window == nullptr)
        return;
    // A class list no theme has turns the style off; nulls restore it.
    ux->SetWindow(window, classic ? L" " : nullptr, classic ? L" " : nullptr);
}

} // namespace corvane::win32
