#include "render/drawers.h"

#include "figures/builder.h"
#include "figures/motion.h"
#include "render/face.h"
#include "render/walls.h"

namespace render {

namespace {

POINT screenPoint(int slot, int vertex) {
    return {figures::screenX[slot][vertex], figures::screenY[slot][vertex]};
}

// One call fills the wall and traces its four edges, each from corner to corner and the last
// back to the first, as a line from point to point would.
void drawWall(HDC frameDC, int slot, int wall) {
    const figures::SideQuad& quad = figures::sideQuad[slot][wall];
    const POINT corners[4] = {screenPoint(slot, quad.corner1), screenPoint(slot, quad.corner2),
                              screenPoint(slot, quad.corner3), screenPoint(slot, quad.corner4)};

    HBRUSH brush = CreateSolidBrush(colourValue(figures::sideColour[slot]));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ previousBrush = SelectObject(frameDC, brush);
    HGDIOBJ previousPen = SelectObject(frameDC, pen);
    SetPolyFillMode(frameDC, ALTERNATE);
    Polygon(frameDC, corners, 4);
    SelectObject(frameDC, previousPen);
    SelectObject(frameDC, previousBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace

void drawSideWalls(HWND, HDC, HDC frameDC, HBITMAP) {
    int slot = currentSlot;
    if (slot < 1 || slot > figures::maxSlots) {
        return;
    }
    decideFaces(slot);
    orderWalls(slot);
    for (int i = wallOrderCount - 1; i >= 0; --i) {
        drawWall(frameDC, slot, wallOrder[i]);
    }
}

} // namespace render
