// corvane-demo: the registered header control (CorvaneC.ocx), made through
// COM and in place in a window, every event it sends printed to standard
// output.
//
//   corvane-demo.exe                      run until the window is closed
//   corvane-demo.exe --script             click a column, drag a column edge, exit
//   corvane-demo.exe --screenshot F.png   show the window, save it as F.png, exit
//   corvane-demo.exe --customize-screenshots G.png S.png
//                                         open Customize from the context menu, save
//                                         its General and Sections pages, exit
//   corvane-demo.exe --property-page [F.png]
//                                         the control's property page in the system's
//                                         frame (CorvaneC.ocx from the demo's folder);
//                                         with F.png: save the frame, cancel it, exit
#include "CustomizeScreenshots.h"
#include "InputScript.h"
#include "MainWindow.h"
#include "PropertyPageDemo.h"
#include "Screenshot.h"
#include "core/framework/Exceptions.h"
#include "host/ContainerWindow.h"
#include "win32/ErrorBox.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

// OLE for the thread while the demo runs: the control needs it.
class OleSession {
public:
    OleSession() {
        if (FAILED(::OleInitialize(nullptr)))
            throw corvane::Exception("OLE cannot be initialized");
    }
    ~OleSession() { ::OleUninitialize(); }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
};

int Run(int argc, char** argv) {
    std::string screenshot, generalShot, sectionsShot;
    bool script = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--script") == 0) {
            script = true;
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--customize-screenshots") == 0 && i + 2 < argc) {
            generalShot = argv[++i];
            sectionsShot = argv[++i];
        } else if (std::strcmp(argv[i], "--property-page") == 0) {
            corvane::demo::ShowPropertyPage(i + 1 < argc ? argv[i + 1] : "");
            return 0;
        } else {
            std::fprintf(stderr, "usage: corvane-demo [--script] [--screenshot FILE.png] "
                                 "[--customize-screenshots GENERAL.png SECTIONS.png] "
                                 "[--property-page [FILE.png]]\n");
            return 2;
        }
    }

    const OleSession ole;
    corvane::demo::MainWindow window;
    if (script) {
        corvane::demo::RunInputScript(window.HeaderHandle());
        if (screenshot.empty() && generalShot.empty())
            return 0;
    }
    if (screenshot.empty() && generalShot.empty())
        return corvane::host::RunMessageLoop();

    if (!generalShot.empty()) {
        corvane::host::PumpMessages();
        corvane::demo::SaveCustomizeScreenshots(window, generalShot, sectionsShot);
        std::printf("screenshots saved to %s and %s\n", generalShot.c_str(), sectionsShot.c_str());
        if (screenshot.empty())
            return 0;
    }

    corvane::host::PumpMessages();
    ::RedrawWindow(window.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    corvane::host::PumpMessages();
    corvane::demo::SaveClientScreenshot(window.Handle(), screenshot);
    std::printf("screenshot saved to %s\n", screenshot.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "corvane-demo: %s\n", e.what());
        // Nobody would see a box on a hidden display.
        if (argc == 1)
            corvane::win32::ShowErrorBox(nullptr, e.what());
        return 1;
    }
}
