#include "server/activex/Himetric.h"

#include "win32/WinApi.h"

namespace corvane::server {
namespace {

constexpr int HimetricPerInch = 2540;

int ScreenPixelsPerInch(int index) {
    const HDC screen = ::GetDC(nullptr);
    const int value = screen ? ::GetDeviceCaps(screen, index) : 96;
    if (screen)
        ::ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
}

int DpiX() {
    static const int dpi = ScreenPixelsPerInch(LOGPIXELSX);
    return dpi;
}

int DpiY() {
    static const int dpi = ScreenPixelsPerInch(LOGPIXELSY);
    return dpi;
}

} // namespace

int HimetricToPixelsX(long himetric) {
    return ::MulDiv(static_cast<int>(himetric), DpiX(), HimetricPerInch);
}
int HimetricToPixelsY(long himetric) {
    return ::MulDiv(static_cast<int>(himetric), DpiY(), HimetricPerInch);
}
long PixelsToHimetricX(int pixels) {
    return ::MulDiv(pixels, HimetricPerInch, DpiX());
}
long PixelsToHimetricY(int pixels) {
    return ::MulDiv(pixels, HimetricPerInch, DpiY());
}
int HimetricToPixels(long himetric, int pixelsPerInch) {
    return ::MulDiv(static_cast<int>(himetric), pixelsPerInch, HimetricPerInch);
}
long PixelsToHimetric(int pixels, int pixelsPerInch) {
    return ::MulDiv(pixels, HimetricPerInch, pixelsPerInch);
}

} // namespace corvane::server
