#pragma once
// Opens the customizing dialog from the demo header's context menu, as a
// user would, and saves both of its pages as PNG files.

#include "MainWindow.h"

#include <string>

namespace corvane::demo {

// Returns when the dialog has been closed again (with Cancel: nothing changes).
void SaveCustomizeScreenshots(MainWindow& window, const std::string& generalPath,
                              const std::string& sectionsPath);

} // namespace corvane::demo
