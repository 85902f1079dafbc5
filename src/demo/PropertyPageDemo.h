#pragma once
// Opens the control's property page in the system's property frame: a
// control and the page made by CorvaneC.ocx from the demo's own folder, so
// nothing needs to be registered.

#include <string>

namespace corvane::demo {

// Runs the frame until the user closes it. With a screenshot path, saves the
// frame as a PNG file once it shows and closes it with Cancel.
void ShowPropertyPage(const std::string& screenshot);

} // namespace corvane::demo
