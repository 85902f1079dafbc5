#include "win32/HighContrast.h"

#include "win32/WinApi.h"

#include <atomic>

namespace corvane::win32 {
namespace {

std::atomic<HighContrastProbe> g_probe{nullptr};

} // namespace

bool SystemHighContrast() {
    if (const HighContrastProbe probe = g_probe.load())
        return probe();
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    if (!::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0))
        return false;
    return (settings.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SetHighContrastProbe(HighContrastProbe probe) {
    g_probe.store(probe);
}

} // namespace corvane::win32
