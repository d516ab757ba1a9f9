// Whole frames composed into a window of the test's own and read back from the screen: the
// background modes, the figures as solids, the slot order, a minimised window, and that no frame
// leaves a drawing object behind.
#include "figures/builder.h"
#include "figures/motion.h"
#include "render/frame.h"
#include "render/frame_box.h"
#include "settings/settings.h"

#include <gtest/gtest.h>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

constexpr int width = 320, height = 240;
constexpr COLORREF white = RGB(255, 255, 255);

HWND createWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestaRenderTest";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"KestaRenderTest", L"", WS_POPUP | WS_VISIBLE,
                                  200, 150, width, height, nullptr, nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&msg);
    }
    return window;
}

class Frames : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { window = createWindow(); }
    static void TearDownTestSuite() { DestroyWindow(window); }

    void SetUp() override {
        settings::OPTIONN = 0;
        settings::OPTIONP = 1;
        settings::BKMODE = 1;
        settings::ZANZOU = 0;
        settings::KAITEN = 0;
        settings::VIEW = 0;
        settings::ENKIN = 0;
        settings::STEPRAG = 0;
        settings::SIZE = 10;
        settings::SIZEY = 10;
        settings::HABA = 1;
        settings::HABAJIDO = 0;
        settings::COLORS = 1;
        figures::clientWidth = width;
        figures::clientHeight = height;
        figures::rowX = width / 2;
        figures::rowY = height / 2;
        figures::stepX = figures::stepY = 0;
        figures::boxMinX = figures::boxMinY = figures::boxMaxX = figures::boxMaxY = 0;
        figures::overallAngle = 0;
        backdrop = {};
        fill(white);
    }

    static void fill(COLORREF colour, RECT area = {0, 0, width, height}) {
        HDC dc = GetDC(window);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
        ReleaseDC(window, dc);
    }

    static COLORREF at(int x, int y) {
        HDC dc = GetDC(window);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return c;
    }

    // Row-centre coordinates of the window's centre (y up) as window pixels.
    static COLORREF atRow(int x, int y) { return at(width / 2 + x, height / 2 - y); }

    // The previous frame's extent, around an empty row whose only point is the row centre.
    static void previousExtent(int minX, int minY, int maxX, int maxY) {
        figures::screenX[1][1] = figures::screenY[1][1] = 0;
        figures::boxMinX = minX;
        figures::boxMinY = minY;
        figures::boxMaxX = maxX;
        figures::boxMaxY = maxY;
    }

    // One figure per slot, outline points in outline units (pixels at SIZE and SIZEY 10): an
    // outer contour, then holes.
    using Contour = std::vector<std::pair<int, int>>;
    static void setOutline(int s, int colour, std::initializer_list<Contour> contours) {
        int n = 0, c = 0;
        for (const Contour& contour : contours) {
            figures::contourStart[s][++c] = n + 1;
            for (auto [x, y] : contour) {
                ++n;
                figures::outlineX[s][n] = x;
                figures::outlineY[s][n] = y;
            }
            figures::contourEnd[s][c] = n;
        }
        figures::pointCount[s] = n;
        figures::figureHeader[s] = {0, 1, 0, 0, 0, c};
        settings::OPTIONC[s] = colour;
        settings::OPTIONN = std::max(settings::OPTIONN, s);
    }

    static void ring(int s, int colour, int half = 40, int hole = 15) {
        setOutline(s, colour,
                   {{{-half, -half}, {half, -half}, {half, half}, {-half, half}},
                    {{-hole, -hole}, {hole, -hole}, {hole, hole}, {-hole, hole}}});
    }

    static HWND window;
    static render::Backdrop backdrop;
};

HWND Frames::window;
render::Backdrop Frames::backdrop;

TEST_F(Frames, BlackBackgroundPaintsOverThePreviousPicture) {
    previousExtent(-30, -20, 30, 20);
    render::composeFrame(window, backdrop);
    EXPECT_EQ(atRow(-30, 20), RGB(0, 0, 0));
    EXPECT_EQ(atRow(30, -20), RGB(0, 0, 0));
    EXPECT_EQ(atRow(-31, 0), white) << "nothing outside the box is touched";
    EXPECT_EQ(atRow(0, 21), white);
    EXPECT_EQ(figures::boxMaxX, 0) << "the next frame starts from this frame's extent";
}

TEST_F(Frames, AfterImagesKeepTheWindowsPictureWhateverTheBackground) {
    for (auto [bkmode, zanzou] : {std::pair{1, 1}, {0, 1}, {2, 0}, {-1, 0}}) {
        settings::BKMODE = bkmode;
        settings::ZANZOU = zanzou;
        fill(white);
        fill(RGB(200, 0, 0), {width / 2 - 5, height / 2 - 5, width / 2 + 5, height / 2 + 5});
        previousExtent(-30, -20, 30, 20);
        render::composeFrame(window, backdrop);
        EXPECT_EQ(atRow(0, 0), RGB(200, 0, 0)) << bkmode << " " << zanzou;
        EXPECT_EQ(atRow(20, 10), white) << bkmode << " " << zanzou;
    }
}

TEST_F(Frames, DesktopBackgroundIsAlignedAsThePaintHandlerAlignsIt) {
    HDC screen = GetDC(nullptr);
    HDC desktop = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, 1024, 768);
    HGDIOBJ initial = SelectObject(desktop, image);
    for (int y = 0; y < 768; y += 4) {
        for (int x = 0; x < 1024; x += 4) {
            RECT cell{x, y, x + 4, y + 4};
            HBRUSH brush = CreateSolidBrush(RGB(x / 4 % 256, y / 4 % 256, 77));
            FillRect(desktop, &cell, brush);
            DeleteObject(brush);
        }
    }
    backdrop = {desktop, 20, 4};
    settings::BKMODE = 0;
    figures::rowX = 100;
    figures::rowY = 90;
    previousExtent(-30, -20, 30, 20);
    render::composeFrame(window, backdrop);
    RECT outer;
    GetWindowRect(window, &outer);
    for (auto [x, y] : {std::pair{70, 70}, {129, 109}, {100, 90}}) {
        int dx = outer.left + x, dy = outer.top + 20 - 4 + y;
        EXPECT_EQ(at(x, y), GetPixel(desktop, dx, dy)) << x << "," << y;
    }
    EXPECT_EQ(at(69, 90), white);
    SelectObject(desktop, initial);
    DeleteObject(image);
    DeleteDC(desktop);
    ReleaseDC(nullptr, screen);
}

TEST_F(Frames, LetterWithAHoleInColourEightAsATurningSolid) {
    settings::ZANZOU = 1;
    ring(1, 8);
    figures::buildFigures();
    render::composeFrame(window, backdrop);
    EXPECT_EQ(atRow(0, 0), white) << "the background shows through the hole";
    EXPECT_EQ(atRow(25, 0), RGB(0, 0, 0)) << "black front face";
    EXPECT_EQ(atRow(15, 0), RGB(64, 64, 64)) << "the hole's outline";
    EXPECT_EQ(atRow(50, 0), white);

    // Turned: the walls facing the viewer show beside the face, and from behind the back face.
    figures::overallAngle = 40;
    render::composeFrame(window, backdrop);
    EXPECT_EQ(atRow(-31, 0), RGB(32, 32, 32)) << "the outer left wall";
    figures::overallAngle = 180 + 20;
    render::composeFrame(window, backdrop);
    EXPECT_EQ(atRow(25, 0), RGB(48, 48, 48)) << "the back face";
    EXPECT_EQ(atRow(0, 0), white);
}

TEST_F(Frames, OverallAngleChoosesWhichEndOfTheRowIsDrawnFirst) {
    // Two wide squares overlapping about the row centre, seen from behind.
    setOutline(1, 1, {{{-80, -30}, {80, -30}, {80, 30}, {-80, 30}}});
    setOutline(2, 2, {{{-80, -30}, {80, -30}, {80, 30}, {-80, 30}}});
    figures::buildFigures();
    figures::overallAngle = 179;
    render::composeFrame(window, backdrop);
    EXPECT_EQ(atRow(0, 0), RGB(128, 0, 0)) << "slot 1 drawn last";
    figures::overallAngle = 180;
    render::composeFrame(window, backdrop);
    EXPECT_EQ(atRow(0, 0), RGB(0, 128, 0)) << "slot 2 drawn last";
}

// The client area of a window as 32-bit pixels, top row first.
std::vector<std::uint32_t> windowPixels(HWND window, int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC windowDC = GetDC(window);
    HBITMAP copy = CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC copyDC = CreateCompatibleDC(windowDC);
    HGDIOBJ initial = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, w, h, windowDC, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + std::size_t(w) * h);
    SelectObject(copyDC, initial);
    DeleteDC(copyDC);
    DeleteObject(copy);
    ReleaseDC(window, windowDC);
    return pixels;
}

TEST_F(Frames, FarPerspectivePointsDrawAsWithTheWholeBox) {
    // Two large slots under strong perspective, turned a little: the left end of the row is thrown
    // more than a drawing area out to the left while the right end stays in the window.
    constexpr int w = 640, h = 480;
    HWND large = CreateWindowExW(WS_EX_TOPMOST, L"KestaRenderTest", L"", WS_POPUP | WS_VISIBLE, 100,
                                 100, w, h, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ring(1, 2);
    ring(2, 4);
    settings::SIZE = settings::SIZEY = 30;
    settings::HABA = 3;
    settings::ENKIN = 50;
    settings::VIEW = 1;
    figures::clientWidth = w;
    figures::clientHeight = h;
    figures::buildFigures();
    int compared = 0;
    for (int angle = 8; angle <= 88; angle += 2) {
        std::vector<std::uint32_t> frames[2];
        for (bool stops : {false, true}) {
            figures::overallAngle = angle;
            figures::boxMinX = figures::boxMinY = figures::boxMaxX = figures::boxMaxY = 0;
            HDC dc = GetDC(large);
            PatBlt(dc, 0, 0, w, h, WHITENESS);
            ReleaseDC(large, dc);
            render::composeFrame(large, backdrop,
                                 stops ? render::BoxLimit::stopsOutside : render::BoxLimit::whole);
            frames[stops] = windowPixels(large, w, h);
        }
        // After the frame the box values hold its extent.
        if (figures::boxMinX >= -w || figures::boxMaxX > w / 2) {
            continue;
        }
        ++compared;
        EXPECT_TRUE(frames[0] == frames[1]) << "angle " << angle;
    }
    EXPECT_GE(compared, 20) << "angles that throw points past the box's stop";
    DestroyWindow(large);
}

TEST_F(Frames, MinimisedWindowKeepsRunning) {
    ring(1, 3);
    settings::VIEW = 9;
    settings::STEPRAG = 7;
    settings::OPTIONP = 2;
    figures::buildFigures();
    ShowWindow(window, SW_MINIMIZE);
    figures::clientWidth = 0;
    figures::clientHeight = 0;
    for (int i = 0; i < 200; ++i) {
        render::composeFrame(window, backdrop);
    }
    EXPECT_GE(figures::boxMaxX, figures::boxMinX);
    ShowWindow(window, SW_RESTORE);
}

// How many more drawing objects the process can create. The platform's object count
// (GetGuiResources) is not kept under Wine, so the test measures the room left in the handle
// table instead, which any leak shrinks by exactly the leaked objects.
int roomForObjects() {
    static HBRUSH brushes[100000];
    int n = 0;
    while (n < 100000 && (brushes[n] = CreateSolidBrush(RGB(n & 255, 1, 2))) != nullptr) {
        ++n;
    }
    for (int i = 0; i < n; ++i) {
        DeleteObject(brushes[i]);
    }
    return n;
}

TEST_F(Frames, ThousandsOfFramesLeaveNoDrawingObjectBehind) {
    ring(1, 1);
    ring(2, 4, 30, 20);
    setOutline(3, 8, {{{0, 0}, {100, 0}, {100, 100}}});
    settings::STEPRAG = 13;
    settings::OPTIONP = 2;
    settings::VIEW = 3;
    settings::ENKIN = 20;
    figures::buildFigures();
    for (int i = 0; i < 50; ++i) {
        render::composeFrame(window, backdrop);
    }
    DWORD objects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    int room = roomForObjects();
    for (int i = 0; i < 3000; ++i) {
        settings::BKMODE = i % 3;
        settings::ZANZOU = i / 1000 == 1;
        render::composeFrame(window, backdrop);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objects);
    EXPECT_EQ(roomForObjects(), room);
    EXPECT_GT(room, 1000);
}

} // namespace
