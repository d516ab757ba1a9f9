// The wall drawer on hand-placed walls, drawn into a memory bitmap and read back: the order list
// is drawn from its end, so the wall selected first lies over the others.
#include "render/drawers.h"
#include "render/walls.h"
#include "tests/native/render_test_figures.h"

#include <gtest/gtest.h>

namespace {

using namespace rendertest;

TEST(WallDrawer, NearerWallCoversTheFartherOnesOutline) {
    constexpr int slot = 2;
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
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 100);
    HGDIOBJ initial = SelectObject(dc, bitmap);
    render::currentSlot = slot;
    render::drawSideWalls(nullptr, screen, dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 60, 45), RGB(0, 0, 192)) << "the far wall's edge is covered";
    EXPECT_EQ(GetPixel(dc, 30, 45), RGB(0, 0, 0)) << "the near wall's edge shows";
    EXPECT_EQ(GetPixel(dc, 45, 20), RGB(0, 0, 192));
    SelectObject(dc, initial);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

} // namespace
