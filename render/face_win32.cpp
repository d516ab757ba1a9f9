#include "render/drawers.h"

#include "render/face.h"
#include "render/walls.h"

namespace render {

void toPolygons(const FaceOutline& face, FacePolygons& polygons) {
    int total = 0;
    for (int c = 0; c < face.contours; ++c) {
        polygons.counts[c] = face.counts[c];
        for (int i = 0; i < face.counts[c]; ++i, ++total) {
            polygons.points[total] = {face.points[total].x, face.points[total].y};
        }
    }
    polygons.contours = face.contours;
}

namespace {

// A face whose pieces are joined by seams is outlined edge by edge, leaving the seams out.
void outlineWithoutSeams(HDC frameDC, HPEN pen) {
    SelectObject(frameDC, pen);
    int at = 0;
    for (int c = 0; c < faceOutline.contours; ++c) {
        for (int i = 0; i + 1 < faceOutline.counts[c]; ++i) {
            if (!faceOutline.seamFrom[at + i]) {
                const FacePoint from = faceOutline.points[at + i],
                                to = faceOutline.points[at + i + 1];
                MoveToEx(frameDC, from.x, from.y, nullptr);
                LineTo(frameDC, to.x, to.y);
            }
        }
        at += faceOutline.counts[c];
    }
}

} // namespace

// The face is filled and outlined in one call (a face with seams in two): the fill covers the
// pixels a region of the same contours would, and the outline runs along the same segments as a
// line from point to point closing each contour. Drawn this way the platform clips the fill to the
// frame bitmap, however far past it the travelling row throws the points.
void drawFace(HWND, HDC, HDC frameDC, HBITMAP) {
    if (!outlineFace(currentSlot)) {
        return;
    }
    FacePolygons face;
    toPolygons(faceOutline, face);

    HBRUSH brush = CreateSolidBrush(colourValue(faceOutline.colour));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    HGDIOBJ previousBrush = SelectObject(frameDC, brush);
    HGDIOBJ previousPen =
        SelectObject(frameDC, faceOutline.seamed ? GetStockObject(NULL_PEN) : pen);
    SetPolyFillMode(frameDC, ALTERNATE);
    PolyPolygon(frameDC, face.points, face.counts, face.contours);
    if (faceOutline.seamed) {
        outlineWithoutSeams(frameDC, pen);
    }
    SelectObject(frameDC, previousPen);
    SelectObject(frameDC, previousBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace render
