// The preview's drawing, seen on the screen: the program's preview run inside this process (under
// Wine a child window of another process's window never reaches the screen), with a parent
// window of this test standing for the small screen of the screensaver settings.
#include "app/app.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

using namespace kestatest;

namespace {

constexpr int width = 152;
constexpr int height = 112;

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void pumpFor(int milliseconds) {
    waitFor(
        [] {
            pump();
            return false;
        },
        milliseconds);
}

} // namespace

TEST(PreviewDrawing, LargeFiguresAreMadeSmallEnoughThatTheWholeRowStaysInside) {
    // Squares 320 pixels wide unscaled, turning about the middle, on black.
    writeIni("[KESTA]\r\nBKMODE=1\r\nZANZOU=0\r\nTIMER=20\r\nSIZE=40\r\nSIZEY=40\r\n"
             "STEPRAG=11\r\nOPTIONP=1\r\n" +
             squareFigures());
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(RGB(0, 0, 255));
    windowClass.lpszClassName = L"KestaPreviewParent";
    RegisterClassW(&windowClass);
    const int left = 600;
    const int top = 80;
    HWND parent =
        CreateWindowExW(WS_EX_TOOLWINDOW, L"KestaPreviewParent", L"", WS_POPUP, left, top, width,
                        height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(parent, SW_SHOW);
    UpdateWindow(parent);

    const std::wstring arguments =
        L"/p " + std::to_wstring(reinterpret_cast<std::uintptr_t>(parent));
    int exitCode = -1;
    std::thread preview([&] {
        exitCode = app::runProgram(GetModuleHandleW(nullptr), nullptr, arguments.c_str(), SW_SHOW);
    });
    ASSERT_TRUE(waitFor([&] {
        pump();
        return FindWindowExW(parent, nullptr, L"KESTA", nullptr) != nullptr;
    }));

    pumpFor(300); // the first paint
    // Over many frames (and a repaint, which rebuilds the figures from the file) the figures
    // show inside and the edge of the preview stays background.
    bool drawn = false;
    int edgeHits = 0;
    for (int i = 0; i < 30; ++i) {
        pumpFor(50);
        if (i == 15) {
            InvalidateRect(FindWindowExW(parent, nullptr, L"KESTA", nullptr), nullptr, TRUE);
        }
        std::vector<std::uint32_t> shot = captureScreen({left, top, left + width, top + height});
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (shot[std::size_t(y) * width + x] == 0) {
                    continue;
                }
                if (x == 0 || y == 0 || x == width - 1 || y == height - 1) {
                    ++edgeHits;
                } else {
                    drawn = true;
                }
            }
        }
    }
    EXPECT_TRUE(drawn) << "the figures are drawn";
    EXPECT_EQ(edgeHits, 0) << "the whole row lies inside the preview";

    DestroyWindow(parent);
    preview.join();
    EXPECT_EQ(exitCode, 0);
    removeIni();
}
