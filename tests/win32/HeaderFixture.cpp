#include "HeaderFixture.h"

#include "core/model/Levels.h"

#include <functional>

namespace corvane::win32::testing {
namespace {

THeaderColumns* Find(THeaderColumns* node, const std::string& caption) {
    for (THeaderColumns* child : node->Children()) {
        if (child->Caption() == caption)
            return child;
        if (THeaderColumns* found = Find(child, caption))
            return found;
    }
    return nullptr;
}

std::string Name(const THeaderColumns* s) {
    return s != nullptr ? s->Caption() : "none";
}

} // namespace

void HeaderFixture::BuildStandardTree() {
    THeaderColumns* root = control->Sections();
    root->Clear();
    THeaderColumns* group = root->Add("Group");
    group->SetHeight(20);
    group->Add("A")->SetWidth(100);
    group->Add("B")->SetWidth(100);
    root->Add("C")->SetWidth(100);
    root->Changed(true);
}

void HeaderFixture::SetUp() {
    host = HostWindow::Shared();
    control = std::make_unique<TStrativ>();
    control->SetColor(clBtnFace);
    control->SetHeaderstyle(bsNew);
    control->SetBounds(10, 10, ClientWidth + 2, ClientHeight + 2);

    BuildStandardTree();

    control->OnSizing = [this](TStrativ*, THeaderColumns* s, int i, int w) {
        events.push_back("Sizing " + Name(s) + " " + std::to_string(i) + " " + std::to_string(w));
    };
    control->OnSized = [this](TStrativ*, THeaderColumns* s, int i, int w) {
        events.push_back("Sized " + Name(s) + " " + std::to_string(i) + " " + std::to_string(w));
    };
    control->OnHeightChanging = [this](TStrativ*, THeaderColumns* s, int h) {
        events.push_back("HeightChanging " + Name(s) + " " + std::to_string(h));
    };
    control->OnHeightChanged = [this](TStrativ*, THeaderColumns* s, int h) {
        events.push_back("HeightChanged " + Name(s) + " " + std::to_string(h));
    };
    control->OnHeaderClick = [this](TStrativ*, THeaderColumns* s) {
        events.push_back("Click " + Name(s));
    };
    control->OnDropSection = [this](TStrativ*, THeaderColumns* src, THeaderColumns* dst,
                                    bool& asChild, bool& allow) {
        events.push_back("Drop " + Name(src) + " on " + Name(dst));
        asChild = false;
        allow = true;
    };
    control->OnBeforeCustomize = [this](TStrativ*) { events.push_back("BeforeCustomize"); };
    control->OnAfterCustomize = [this](TStrativ*) { events.push_back("AfterCustomize"); };

    window = std::make_unique<StrativWindow>(*control, host);
    ::UpdateWindow(hwnd());
    PumpMessages();
}

void HeaderFixture::TearDown() {
    if (::GetCapture() != nullptr)
        ::ReleaseCapture();
    window.reset();
    control.reset();
    PumpMessages();
}

THeaderColumns* HeaderFixture::Section(const std::string& caption) const {
    return Find(control->Sections(), caption);
}

LRESULT HeaderFixture::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(hwnd(), message, wParam, lParam);
}

HCURSOR HeaderFixture::PointAt(int x, int y) const {
    const POINT screen = ToScreen(hwnd(), x, y);
    const LRESULT hit = Send(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    Send(WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd()), MAKELPARAM(hit, WM_MOUSEMOVE));
    return ::GetCursor();
}

void HeaderFixture::MouseMove(int x, int y, WPARAM keys) const {
    Send(WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
}

void HeaderFixture::LeftDown(int x, int y) const {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void HeaderFixture::LeftUp(int x, int y) const {
    Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void HeaderFixture::RightDown(int x, int y) const {
    Send(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
}

std::unique_ptr<DibSurface> HeaderFixture::Screenshot() const {
    auto shot = std::make_unique<DibSurface>(ClientWidth, ClientHeight);
    const WindowDC screen(hwnd());
    ::BitBlt(shot->dc(), 0, 0, ClientWidth, ClientHeight, screen.get(), 0, 0, SRCCOPY);
    return shot;
}

std::unique_ptr<DibSurface> HeaderFixture::Rendering() {
    auto image = std::make_unique<DibSurface>(ClientWidth, ClientHeight);
    window->PaintTo(image->dc());
    return image;
}

} // namespace corvane::win32::testing
