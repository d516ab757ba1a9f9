#include "render/drawers.h"

#include "render/face.h"
#include "render/walls.h"

namespace render {

void drawFace(HWND, HDC, HDC frameDC, HBITMAP) {
    if (!outlineFace(currentSlot)) {
        return;
    }
    POINT points[maxFacePoints];
    INT counts[figures::maxContours];
    int total = 0;
    for (int c = 0; c < faceOutline.contours; ++c) {
        counts[c] = faceOutline.counts[c];
        for (int i = 0; i < counts[c]; ++i, ++total) {
            points[total] = {faceOutline.points[total].x, faceOutline.points[total].y};
        }
    }

    HBRUSH brush = CreateSolidBrush(colourValue(faceOutline.colour));
    HGDIOBJ previousBrush = SelectObject(frameDC, brush);
    HRGN region = CreatePolyPolygonRgn(points, counts, faceOutline.contours, ALTERNATE);
    PaintRgn(frameDC, region);
    DeleteObject(region);
    SelectObject(frameDC, previousBrush);
    DeleteObject(brush);

    HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    HGDIOBJ previousPen = SelectObject(frameDC, pen);
    total = 0;
    for (int c = 0; c < faceOutline.contours; ++c) {
        MoveToEx(frameDC, points[total].x, points[total].y, nullptr);
        for (int i = 1; i < counts[c]; ++i) {
            LineTo(frameDC, points[total + i].x, points[total + i].y);
        }
        total += counts[c];
    }
    SelectObject(frameDC, previousPen);
    DeleteObject(pen);
}

} // namespace render
