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

// The face is filled and outlined in one call: the fill covers the pixels a region of the same
// contours would, and the outline runs along the same segments as a line from point to point
// closing each contour. Drawn this way the platform clips the fill to the frame bitmap, however
// far past it the travelling row throws the points.
void drawFace(HWND, HDC, HDC frameDC, HBITMAP) {
    if (!outlineFace(currentSlot)) {
        return;
    }
    FacePolygons face;
    toPolygons(faceOutline, face);

    HBRUSH brush = CreateSolidBrush(colourValue(faceOutline.colour));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(64, 64, 64));
    HGDIOBJ previousBrush = SelectObject(frameDC, brush);
    HGDIOBJ previousPen = SelectObject(frameDC, pen);
    SetPolyFillMode(frameDC, ALTERNATE);
    PolyPolygon(frameDC, face.points, face.counts, face.contours);
    SelectObject(frameDC, previousPen);
    SelectObject(frameDC, previousBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

} // namespace render
