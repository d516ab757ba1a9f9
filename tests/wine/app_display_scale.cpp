// Display scaling through the real program: the default window, the stored geometry and the
// still row's lit box at the DPI of the prefix this runs in (KESTA_DPI, 96 when unset). The run
// at 96 DPI keeps its measurements in the build folder; the runs at other DPIs compare theirs
// with them.
#include "figures/scale.h"
#include "resources/resource.h"
#include "tests/wine/support/kesta_program.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

using namespace kestatest;

namespace {

// Coordinates of the program's windows as it sees them, unscaled.
const bool dpiAware = SetProcessDPIAware() != FALSE;

std::int32_t expectedDpi() {
    const char* text = std::getenv("KESTA_DPI");
    return text ? std::atoi(text) : 96;
}

std::int64_t px(std::int64_t value96) {
    return figures::toDpi(value96, expectedDpi());
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

// What the 96-DPI run measured, and what this run measured.
struct Measures {
    int outerWidth = 0, outerHeight = 0;
    int clientWidth = 0, clientHeight = 0;
    Box row;
};
Measures measured;

std::string measuresPath() {
    return narrow(buildDirectory()) + "\\display_scale_96.txt";
}

void keepMeasures() {
    std::ofstream out(measuresPath(), std::ios::trunc);
    out << measured.outerWidth << ' ' << measured.outerHeight << ' ' << measured.clientWidth << ' '
        << measured.clientHeight << ' ' << measured.row.width() << ' ' << measured.row.height()
        << '\n';
}

double scaledFrom96(int at96) {
    return at96 * expectedDpi() / 96.0;
}

// The quantity at 96 DPI scaled to this DPI, within rounding and what the platform's own parts
// of it differ from scaled.
void expectScaled(const char* what, int here, int at96, double platformPart = 0.0) {
    EXPECT_NEAR(here, scaledFrom96(at96), 2.0 + platformPart)
        << what << ": " << here << " here, " << at96 << " at 96 DPI";
}

class DisplayScale : public ::testing::Test {
  protected:
    void TearDown() override {
        closeProgram(program);
        removeIni();
    }
    Program program{};
};

TEST_F(DisplayScale, ThePrefixRunsAtTheExpectedDpi) {
    ASSERT_TRUE(dpiAware);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), expectedDpi());
    ReleaseDC(nullptr, screen);
}

TEST_F(DisplayScale, TheDefaultWindowKeepsItsPhysicalSizeAndIsStoredInNinetySixDpiUnits) {
    writeIni(squareFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    const RECT r = windowRect(program.window);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, px(640));
    EXPECT_EQ(r.bottom - r.top, px(480));
    RECT client{};
    GetClientRect(program.window, &client);
    measured.outerWidth = r.right - r.left;
    measured.outerHeight = r.bottom - r.top;
    measured.clientWidth = client.right;
    measured.clientHeight = client.bottom;
    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_EQ(iniValue("SCREEN_L"), "0");
    EXPECT_EQ(iniValue("SCREEN_T"), "0");
    EXPECT_EQ(iniValue("SCREEN_W"), "640");
    EXPECT_EQ(iniValue("SCREEN_H"), "480");
}

TEST_F(DisplayScale, AStoredPlaceOpensScaledAndAMovedWindowIsStoredBack) {
    writeIni("[KESTA]\r\nSCREEN_T=30\r\nSCREEN_L=100\r\nSCREEN_H=450\r\nSCREEN_W=600\r\n" +
             squareFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    RECT r = windowRect(program.window);
    EXPECT_EQ(r.left, px(100));
    EXPECT_EQ(r.top, px(30));
    EXPECT_EQ(r.right - r.left, px(600));
    EXPECT_EQ(r.bottom - r.top, px(450));

    // Dragged half off the left edge, by the maximised window's frame.
    SetWindowPos(program.window, nullptr, static_cast<int>(px(-8)), static_cast<int>(px(40)),
                 static_cast<int>(px(500)), static_cast<int>(px(350)),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    settle(program.window);
    EXPECT_EQ(closeProgram(program), 0);
    EXPECT_EQ(iniValue("SCREEN_L"), "4294967288");
    EXPECT_EQ(iniValue("SCREEN_T"), "40");
    EXPECT_EQ(iniValue("SCREEN_W"), "500");
    EXPECT_EQ(iniValue("SCREEN_H"), "350");

    program = startProgram();
    ASSERT_TRUE(program.window);
    r = windowRect(program.window);
    EXPECT_EQ(r.left, px(-8));
    EXPECT_EQ(r.top, px(40));
    EXPECT_EQ(r.right - r.left, px(500));

    // A place whose caption lies off every screen opens at the default.
    closeProgram(program);
    writeIni("[KESTA]\r\nSCREEN_T=-2000\r\nSCREEN_L=100\r\n" + squareFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    r = windowRect(program.window);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right - r.left, px(640));
}

// The lit pixels of a rectangle of the screen.
Box litBox(const RECT& area) {
    const std::vector<std::uint32_t> shot = captureScreen(area);
    const int width = area.right - area.left;
    Box box;
    for (std::size_t i = 0; i < shot.size(); ++i) {
        if (shot[i] != 0) {
            const int x = static_cast<int>(i % width);
            const int y = static_cast<int>(i / width);
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                   std::max(box.bottom, y)};
        }
    }
    return box;
}

// Two squares 80 units wide at SIZE 10, face-on, not turning, on black: 180 by 80 pixels at
// 96 DPI.
TEST_F(DisplayScale, TheStillRowKeepsItsPhysicalSize) {
    writeIni("[KESTA]\r\nBKMODE=1\r\nZANZOU=0\r\nTIMER=20\r\nSTEPRAG=0\r\nSTEPRAG5=0\r\n"
             "STEPRAG22=0\r\nOPTIONP=1\r\nVIEW=0\r\nENKIN=0\r\nSIZE=10\r\nSIZEY=10\r\n" +
             squareFigures());
    program = startProgram();
    ASSERT_TRUE(program.window);
    sendCommand(program.window, IDM_START);
    Sleep(400);
    settle(program.window);
    RECT client{};
    GetClientRect(program.window, &client);
    POINT origin{0, 0};
    ClientToScreen(program.window, &origin);
    measured.row = litBox({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
    ASSERT_GE(measured.row.right, 0) << "the row is drawn";
    EXPECT_NEAR(measured.row.width(), px(180), 2);
    EXPECT_NEAR(measured.row.height(), px(80), 2);
    // Centred in the client area.
    EXPECT_NEAR(measured.row.left + measured.row.right, client.right, 3);
    EXPECT_NEAR(measured.row.top + measured.row.bottom, client.bottom, 3);
}

TEST_F(DisplayScale, EveryMeasureIsTheOneAtNinetySixDpiScaled) {
    ASSERT_GT(measured.clientWidth, 0) << "measured by the tests before";
    ASSERT_GE(measured.row.right, 0) << "measured by the tests before";
    if (expectedDpi() == 96) {
        keepMeasures();
        return;
    }
    std::ifstream in(measuresPath());
    Measures at96;
    int rowWidth = 0, rowHeight = 0;
    ASSERT_TRUE(in >> at96.outerWidth >> at96.outerHeight >> at96.clientWidth >>
                at96.clientHeight >> rowWidth >> rowHeight)
        << "the run at 96 DPI comes first";
    std::printf("window %dx%d, client %dx%d, row %dx%d; at 96 DPI: window %dx%d, client %dx%d, "
                "row %dx%d\n",
                measured.outerWidth, measured.outerHeight, measured.clientWidth,
                measured.clientHeight, measured.row.width(), measured.row.height(), at96.outerWidth,
                at96.outerHeight, at96.clientWidth, at96.clientHeight, rowWidth, rowHeight);
    expectScaled("window width", measured.outerWidth, at96.outerWidth);
    expectScaled("window height", measured.outerHeight, at96.outerHeight);
    // Frame, caption and menu bar are the platform's: under Wine they grow by other factors
    // than the DPI's (48 pixels high at 96 DPI, 88 at 192), and the client area by the rest.
    auto frameDeviation = [](int outer, int client, int outer96, int client96) {
        return std::abs((outer - client) - scaledFrom96(outer96 - client96));
    };
    expectScaled("client width", measured.clientWidth, at96.clientWidth,
                 frameDeviation(measured.outerWidth, measured.clientWidth, at96.outerWidth,
                                at96.clientWidth));
    expectScaled("client height", measured.clientHeight, at96.clientHeight,
                 frameDeviation(measured.outerHeight, measured.clientHeight, at96.outerHeight,
                                at96.clientHeight));
    expectScaled("row width", measured.row.width(), rowWidth);
    expectScaled("row height", measured.row.height(), rowHeight);
}

} // namespace
