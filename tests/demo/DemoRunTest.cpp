// corvane-demo.exe run as a user's host of the registered control: its
// screenshot shows the header, and scripted mouse input reaches its event log.
#include "win32/WinApi.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct RunResult {
    DWORD ExitCode = 0;
    std::string Output; // standard output
};

RunResult RunDemo(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    EXPECT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    std::string command = std::string("\"") + CORVANE_DEMO_EXE + "\" " + arguments;
    PROCESS_INFORMATION process{};
    RunResult result;
    const BOOL started = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, nullptr, &startup, &process);
    ::CloseHandle(writeEnd);
    EXPECT_TRUE(started) << command;
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            result.Output.append(buffer, read);
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.hProcess, 120000));
        ::GetExitCodeProcess(process.hProcess, &result.ExitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(readEnd);
    return result;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

uint32_t BigEndian32(const std::vector<uint8_t>& bytes, size_t at) {
    return uint32_t{bytes.at(at)} << 24 | uint32_t{bytes.at(at + 1)} << 16 |
           uint32_t{bytes.at(at + 2)} << 8 | bytes.at(at + 3);
}

// The pixels of a PNG as the demo writes it: 8-bit RGB, unfiltered rows in
// stored deflate blocks. Anything else fails the test.
struct Image {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Rgb;
    uint32_t At(int x, int y) const {
        const size_t i =
            (static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)) * 3;
        return uint32_t{Rgb[i]} << 16 | uint32_t{Rgb[i + 1]} << 8 | Rgb[i + 2];
    }
};

Image ReadStoredPng(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    Image image;
    std::vector<uint8_t> zlib;
    for (size_t at = 8; at + 12 <= bytes.size();) {
        const uint32_t length = BigEndian32(bytes, at);
        const std::string type(bytes.begin() + static_cast<std::ptrdiff_t>(at + 4),
                               bytes.begin() + static_cast<std::ptrdiff_t>(at + 8));
        if (type == "IHDR") {
            image.Width = static_cast<int>(BigEndian32(bytes, at + 8));
            image.Height = static_cast<int>(BigEndian32(bytes, at + 12));
        } else if (type == "IDAT") {
            zlib.insert(zlib.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at + 8),
                        bytes.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
        }
        at += 12 + length;
    }
    std::vector<uint8_t> raw;
    bool last = false;
    for (size_t at = 2; !last && at + 5 <= zlib.size();) {
        last = (zlib[at] & 1) != 0;
        const size_t size = zlib[at + 1] | size_t{zlib[at + 2]} << 8;
        raw.insert(raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
                   zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + size));
        at += 5 + size;
    }
    const size_t stride = static_cast<size_t>(image.Width) * 3 + 1;
    if (image.Width <= 0 || raw.size() != stride * static_cast<size_t>(image.Height))
        return Image{};
    for (int y = 0; y < image.Height; ++y)
        image.Rgb.insert(image.Rgb.end(), raw.begin() + static_cast<std::ptrdiff_t>(stride * y + 1),
                         raw.begin() + static_cast<std::ptrdiff_t>(stride * (y + 1)));
    return image;
}

// The share of pixels in [left, right) x [top, bottom) unlike the background.
double ForegroundShare(const Image& image, int left, int top, int right, int bottom) {
    const uint32_t background = image.At(2, 2); // the window's own margin
    int different = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            different += image.At(x, y) != background;
    return static_cast<double>(different) / ((right - left) * (bottom - top));
}

TEST(DemoRunTest, ScreenshotShowsTheHeaderInItsPlaceOnly) {
    const std::string path = "demo-run-test.png";
    ::DeleteFileA(path.c_str());
    const RunResult run = RunDemo("--screenshot " + path);
    ASSERT_EQ(0u, run.ExitCode) << run.Output;
    const Image image = ReadStoredPng(path);
    ASSERT_GE(image.Width, 600);
    ASSERT_GE(image.Height, 130);
    // The header sits 12 pixels in from the top left, 74 pixels high: its
    // lines and captions there, nothing drawn in the margins around it.
    struct Area {
        const char* Name;
        int Left, Top, Right, Bottom;
        double Least, Most;
    };
    const Area areas[] = {
        {"header", 12, 12, 600, 86, 0.04, 1.0},
        {"left margin", 0, 0, 10, 86, 0.0, 0.0},
        {"top margin", 0, 0, 600, 10, 0.0, 0.0},
    };
    for (const Area& area : areas)
        EXPECT_TRUE([&] {
            const double share =
                ForegroundShare(image, area.Left, area.Top, area.Right, area.Bottom);
            return share >= area.Least && share <= area.Most;
        }()) << area.Name;
}

TEST(DemoRunTest, ScriptedInputIsLoggedAsTheControlSendsIt) {
    const RunResult run = RunDemo("--script");
    ASSERT_EQ(0u, run.ExitCode) << run.Output;
    // A click on "Quantity", then the right edge of "First name" dragged
    // from x 84 to 115 (hints come from the pointer passing over sections),
    // then keys.
    const std::vector<std::string> expected = {
        "OnHint section=\"Quantity\" hint=\"Quantity (65 pixels wide)\"",
        "OnHeaderClick section=\"Quantity\"",
        "OnHint section=\"First name\" hint=\"First name (85 pixels wide)\"",
        "OnHint section=\"Last name\" hint=\"Last name (85 pixels wide)\"",
        "OnSizing section=\"First name\" index=0 width=101",
        "OnHint section=\"Last name\" hint=\"Last name (85 pixels wide)\"",
        "OnSizing section=\"First name\" index=0 width=116",
        "OnSized section=\"First name\" index=0 width=116",
        // Keys: Right from "Quantity", Space, Ctrl+Left.
        "OnHeaderClick section=\"Planned delivery date\"",
        "OnSizing section=\"Planned delivery date\" index=5 width=89",
        "OnSized section=\"Planned delivery date\" index=5 width=89",
    };
    EXPECT_EQ(expected, Lines(run.Output));
}

} // namespace
