// The screensaver on two monitors of different sizes, the primary on the left or on the right
// (tests/wine/desks.sh sets the monitors up and names the layout in KESTA_DESK; elsewhere these
// tests are skipped): /s covers every monitor in every background mode, and the travelling row
// stays where the monitors show it. With KESTA_SHOTS set, the pictures checked are kept there.
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

using namespace kestatest;

namespace {

struct Desk {
    const char* name;
    RECT primary, other, shown; // shown: the largest rectangle on both monitors
};

const Desk* desk() {
    static const Desk left{"left", {0, 0, 1024, 768}, {1024, 0, 1824, 600}, {0, 0, 1824, 600}};
    static const Desk right{"right", {0, 0, 800, 600}, {-1024, 0, 0, 768}, {-1024, 0, 800, 600}};
    const char* name = std::getenv("KESTA_DESK");
    if (!name) {
        return nullptr;
    }
    return std::string(name) == "right" ? &right : &left;
}

void pumpFor(int milliseconds) {
    waitFor(
        [] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            return false;
        },
        milliseconds);
}

RECT virtualScreen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
            top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void keepShot(const std::string& name, const RECT& area, const std::vector<std::uint32_t>& shot) {
    const char* folder = std::getenv("KESTA_SHOTS");
    if (!folder) {
        return;
    }
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = area.right - area.left;
    info.biHeight = -(area.bottom - area.top);
    info.biPlanes = 1;
    info.biBitCount = 32;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(shot.size() * 4);
    std::ofstream out(std::string("Z:") + folder + "/" + desk()->name + "-" + name + ".bmp",
                      std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(shot.data()), std::streamsize(shot.size() * 4));
}

// A plain window of this test filling a monitor in one colour: the desktop the copy must show.
HWND fillMonitor(const RECT& monitor, COLORREF colour) {
    static const ATOM registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KestaDeskWindow";
        return RegisterClassW(&windowClass);
    }();
    (void)registered;
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"KestaDeskWindow", L"",
                                  WS_POPUP, monitor.left, monitor.top, monitor.right - monitor.left,
                                  monitor.bottom - monitor.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    SetClassLongPtrW(window, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(CreateSolidBrush(colour)));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return window;
}

struct Saver {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;

    explicit Saver(const std::string& settings) {
        writeIni("[KESTA]\r\n" + settings + squareFigures());
        std::wstring path = programPath();
        std::wstring command = L"\"" + path.substr(0, path.size() - 4) + L".scr\" /s";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return;
        }
        waitFor([&] {
            pumpFor(20);
            HWND found = FindWindowW(L"KESTA", nullptr);
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            window = owner == process.dwProcessId && IsWindowVisible(found) ? found : nullptr;
            return window != nullptr;
        });
    }
    ~Saver() {
        if (window) {
            PostMessageW(window, WM_KEYDOWN, VK_SHIFT, 0);
        }
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) {
                TerminateProcess(process.hProcess, 1);
            }
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
        removeIni();
    }
};

// The bounding box of the pixels of a monitor's picture that differ from the colour it should
// show; empty when none do.
RECT differing(const std::vector<std::uint32_t>& shot, const RECT& area, std::uint32_t colour) {
    const int width = area.right - area.left;
    RECT box{area.right, area.bottom, area.left, area.top};
    for (std::size_t i = 0; i < shot.size(); ++i) {
        if (shot[i] != colour) {
            const int x = area.left + static_cast<int>(i % width);
            const int y = area.top + static_cast<int>(i / width);
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                   std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
        }
    }
    return box;
}

class Desks : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!desk()) {
            GTEST_SKIP() << "needs the two monitors of tests/wine/desks.sh";
        }
    }
};

TEST_F(Desks, TheMonitorsAreTheLayoutAsked) {
    struct Found {
        std::vector<RECT> monitors;
    } found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT place, LPARAM data) -> BOOL {
            reinterpret_cast<Found*>(data)->monitors.push_back(*place);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    ASSERT_EQ(found.monitors.size(), 2u);
    const RECT primary = desk()->primary;
    EXPECT_TRUE(EqualRect(&found.monitors[0], &primary) || EqualRect(&found.monitors[1], &primary));
    const RECT other = desk()->other;
    EXPECT_TRUE(EqualRect(&found.monitors[0], &other) || EqualRect(&found.monitors[1], &other));
}

// A still row in the middle of the shown area: on each monitor only the row's place differs
// from the desktop the copy shows (background 0 and any other value) or from black (1).
TEST_F(Desks, FullScreenCoversEveryMonitorInEveryBackgroundMode) {
    const Desk& d = *desk();
    constexpr std::uint32_t primaryColour = 0xC08040, otherColour = 0x40A060;
    HWND primaryFill = fillMonitor(d.primary, RGB(0xC0, 0x80, 0x40));
    HWND otherFill = fillMonitor(d.other, RGB(0x40, 0xA0, 0x60));
    pumpFor(300);
    ASSERT_EQ(captureScreen(d.primary)[0], primaryColour) << "the screen can be read";
    ASSERT_EQ(captureScreen(d.other)[0], otherColour);

    const int centreX = d.shown.left + (d.shown.right - d.shown.left) / 2;
    const int centreY = d.shown.top + (d.shown.bottom - d.shown.top) / 2;
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        Saver saver("BKMODE=" + std::to_string(mode) +
                    "\r\nZANZOU=0\r\nOPTIONP=1\r\nTIMER=10\r\nSTEPRAG=7\r\nVIEW=0\r\n");
        ASSERT_TRUE(saver.window);
        const RECT placed = windowRect(saver.window);
        const RECT screens = virtualScreen();
        EXPECT_TRUE(EqualRect(&placed, &screens)) << "over the whole virtual screen";
        pumpFor(600);
        for (const RECT* monitor : {&d.primary, &d.other}) {
            const bool isPrimary = monitor == &d.primary;
            std::vector<std::uint32_t> shot = captureScreen(*monitor);
            keepShot("bkmode" + std::to_string(mode) + (isPrimary ? "-primary" : "-other"),
                     *monitor, shot);
            const std::uint32_t expected =
                mode == 1 ? 0u : (isPrimary ? primaryColour : otherColour);
            const RECT box = differing(shot, *monitor, expected);
            // The two squares turning in the middle: well inside 260 x 140 pixels about it.
            if (box.right > box.left) {
                EXPECT_GE(box.left, centreX - 130) << (isPrimary ? "primary" : "other");
                EXPECT_LE(box.right, centreX + 130) << (isPrimary ? "primary" : "other");
                EXPECT_GE(box.top, centreY - 70) << (isPrimary ? "primary" : "other");
                EXPECT_LE(box.bottom, centreY + 70) << (isPrimary ? "primary" : "other");
            }
        }
    }
    DestroyWindow(primaryFill);
    DestroyWindow(otherFill);
}

// Fast travel on black for a few seconds: every drawn pixel lies inside the shown area, none in
// the corner no monitor shows, and the row gets about.
TEST_F(Desks, TheTravellingRowStaysWhereTheMonitorsShowIt) {
    const Desk& d = *desk();
    Saver saver("BKMODE=1\r\nZANZOU=0\r\nOPTIONP=2\r\nTIMER=10\r\nSIZEIDO=40\r\nSTEPRAG=7\r\n"
                "VIEW=0\r\n");
    ASSERT_TRUE(saver.window);
    const RECT screens = virtualScreen();
    RECT travelled{screens.right, screens.bottom, screens.left, screens.top};
    std::vector<std::uint32_t> trail;
    for (int i = 0; i < 40; ++i) {
        pumpFor(75);
        std::vector<std::uint32_t> shot = captureScreen(screens);
        const RECT box = differing(shot, screens, 0);
        if (trail.empty()) {
            trail = shot;
        }
        for (std::size_t p = 0; p < shot.size(); ++p) {
            trail[p] |= shot[p];
        }
        if (box.right <= box.left) {
            continue;
        }
        ASSERT_GE(box.left, d.shown.left) << "shot " << i;
        ASSERT_LE(box.right, d.shown.right) << "shot " << i;
        ASSERT_GE(box.top, d.shown.top) << "shot " << i;
        ASSERT_LE(box.bottom, d.shown.bottom) << "shot " << i;
        UnionRect(&travelled, &travelled, &box);
    }
    keepShot("travel", screens, trail);
    EXPECT_GT(travelled.right - travelled.left, (d.shown.right - d.shown.left) / 2)
        << "the row travels";
}

} // namespace
