// The wall and face drawers: each draws one figure, the slot in currentSlot, into the frame
// context. The frame composer calls drawSideWalls for every slot before drawFace for any.
#pragma once

#include <windows.h>

namespace render {

void drawSideWalls(HWND mainWindow, HDC windowDC, HDC frameDC, HBITMAP frameBitmap);
void drawFace(HWND mainWindow, HDC windowDC, HDC frameDC, HBITMAP frameBitmap);

} // namespace render
