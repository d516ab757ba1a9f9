// The wall and face drawers: each draws one figure, the slot in currentSlot, into the frame
// context. The frame composer calls drawSideWalls for every slot before drawFace for any.
#pragma once

#include "render/face.h"

#include <windows.h>

namespace render {

// A face outline in the form the platform's polygon calls take.
struct FacePolygons {
    POINT points[maxFacePoints];
    INT counts[figures::maxContours];
    int contours;
};

void toPolygons(const FaceOutline& face, FacePolygons& polygons);

void drawSideWalls(HWND mainWindow, HDC windowDC, HDC frameDC, HBITMAP frameBitmap);
void drawFace(HWND mainWindow, HDC windowDC, HDC frameDC, HBITMAP frameBitmap);

} // namespace render
