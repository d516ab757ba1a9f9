// The wall and face drawers on hand-built figures, drawn into a memory bitmap and read back
// pixel by pixel.
#include "render/drawers.h"
#include "render/walls.h"
#include "tests/native/render_test_figures.h"

#include <gtest/gtest.h>

namespace {

using namespace rendertest;

constexpr int slot = 2;
constexpr int size = 100;
constexpr COLORREF background = RGB(10, 20, 30);

// A memory context with a bitmap of its own, cleared to the background colour.
struct Canvas {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ initial = SelectObject(dc, bitmap);

    Canvas() {
        RECT all{0, 0, size, size};
        HBRUSH brush = CreateSolidBrush(background);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc, initial);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
    void walls() {
        render::currentSlot = slot;
        render::drawSideWalls(nullptr, screen, dc, bitmap);
    }
    void face() {
        render::currentSlot = slot;
        render::drawFace(nullptr, screen, dc, bitmap);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
};

// Screen points as the frame composer leaves them: the row centre at (50, 50), y down.
void intoCanvas() {
    for (int v = 1; v <= 2 * figures::pointCount[slot]; ++v) {
        figures::screenX[slot][v] = 50 + figures::screenX[slot][v];
        figures::screenY[slot][v] = 50 - figures::screenY[slot][v];
    }
}

void buildRing(double angle) {
    buildPrism(slot, {{{30, 30}, {30, -30}, {-30, -30}, {-30, 30}},
                      {{10, 10}, {10, -10}, {-10, -10}, {-10, 10}}});
    figures::faceColour[slot] = {0, 0, 0};
    figures::shadeColour[slot] = {48, 48, 48};
    figures::sideColour[slot] = {32, 32, 32};
    projectPrism(slot, angle, 0, 10);
    intoCanvas();
}

TEST(FaceDrawer, FillsTheFaceEvenOddAndOutlinesEveryContour) {
    buildRing(0);
    figures::faceColour[slot] = {255, 0, 0};
    render::frontVisible[slot] = 1;
    render::backVisible[slot] = 1;
    Canvas canvas;
    canvas.face();
    EXPECT_EQ(canvas.at(30, 50), RGB(255, 0, 0)) << "the front face wins when both are visible";
    EXPECT_EQ(canvas.at(50, 50), background) << "the hole stays open";
    EXPECT_EQ(canvas.at(10, 50), background) << "nothing outside the outer contour";
    EXPECT_EQ(canvas.at(20, 50), RGB(64, 64, 64)) << "outer contour traced";
    EXPECT_EQ(canvas.at(40, 50), RGB(64, 64, 64)) << "hole traced";
}

TEST(FaceDrawer, BackFaceInTheShadeColourAndNoFaceEdgeOn) {
    buildRing(180);
    render::frontVisible[slot] = 0;
    render::backVisible[slot] = 1;
    {
        Canvas canvas;
        canvas.face();
        EXPECT_EQ(canvas.at(30, 50), RGB(48, 48, 48));
        EXPECT_EQ(canvas.at(50, 50), background);
    }
    render::backVisible[slot] = 0;
    Canvas canvas;
    canvas.face();
    EXPECT_EQ(canvas.at(30, 50), background);
}

TEST(WallDrawer, DrawsFacingWallsInTheSideColourOutlinedInBlack) {
    // Turned so that the outer left wall and the hole's right wall face the viewer.
    buildRing(40);
    Canvas canvas;
    canvas.walls();
    EXPECT_EQ(render::frontVisible[slot], 1);
    EXPECT_EQ(render::backVisible[slot], 0);
    int outerLeftFront = figures::screenX[slot][3], outerLeftBack = figures::screenX[slot][11];
    ASSERT_GT(outerLeftFront - outerLeftBack, 4);
    int between = (outerLeftFront + outerLeftBack) / 2;
    EXPECT_EQ(canvas.at(between, 50), RGB(32, 32, 32));
    EXPECT_EQ(canvas.at(outerLeftBack, 50), RGB(0, 0, 0)) << "outline";
    int holeRightFront = figures::screenX[slot][5], holeRightBack = figures::screenX[slot][13];
    ASSERT_GT(holeRightFront - holeRightBack, 4) << "seen through the hole";
    EXPECT_EQ(canvas.at((holeRightFront + holeRightBack) / 2, 50), RGB(32, 32, 32));
    // The outer right wall turns away and is not drawn.
    EXPECT_EQ(canvas.at(figures::screenX[slot][1] + 1, 50), background);
    canvas.face();
    EXPECT_EQ(canvas.at(between, 50), RGB(32, 32, 32)) << "the face leaves the wall visible";
}

TEST(WallDrawer, NearerWallCoversTheFartherOnesOutline) {
    clearSlot(slot);
    singleContour(slot, 4);
    figures::sideColour[slot] = {0, 0, 192};
    // The far square is numbered last so that drawing in wall order alone would put it on top.
    placeWall(slot, 3, 1, {{10, 10, 5}, {60, 10, 5}, {60, 60, 5}, {10, 60, 5}});
    placeWall(slot, 1, 5, {{30, 30, 1}, {80, 30, 1}, {80, 80, 1}, {30, 80, 1}});
    for (int v = 1; v <= 8; ++v) {
        figures::screenX[slot][v] = static_cast<int>(figures::projX[slot][v]);
        figures::screenY[slot][v] = static_cast<int>(figures::projY[slot][v]);
    }
    Canvas canvas;
    canvas.walls();
    EXPECT_EQ(canvas.at(60, 45), RGB(0, 0, 192)) << "the far wall's edge is covered";
    EXPECT_EQ(canvas.at(30, 45), RGB(0, 0, 0)) << "the near wall's edge shows";
    EXPECT_EQ(canvas.at(45, 20), RGB(0, 0, 192));
}

} // namespace
