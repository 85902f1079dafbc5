#include "win32/VisualStyle.h"

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
    if (theme_ == nullptr)
        return;
    Uxtheme()->Close(theme_); // a theme was only ever opened through it
    theme_ = nullptr;
}

bool WindowTheme::DrawBackground(HDC dc, int part, int state, const RECT& rect) const {
    return theme_ != nullptr && SUCCEEDED(Uxtheme()->Draw(theme_, dc, part, state, &rect, nullptr));
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
