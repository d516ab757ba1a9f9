#include "render/frame.h"

#include "figures/bounds.h"
#include "figures/builder.h"
#include "figures/motion.h"
#include "render/drawers.h"
#include "render/frame_box.h"
#include "render/walls.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace render {

namespace {

// The desktop copy lines up with the client area as the paint handler lines it up: by the
// window's outer corner on the screen and the menu corrections.
void copyDesktop(HWND mainWindow, HDC frameDC, const FrameBox& box, const Backdrop& backdrop) {
    RECT outer{};
    GetWindowRect(mainWindow, &outer);
    copyBackdrop(frameDC, box.width, box.height, backdrop,
                 std::int64_t{outer.left} + figures::rowX - box.offsetX,
                 std::int64_t{outer.top} + figures::rowY - box.offsetY);
}

void paintBackground(HWND mainWindow, HDC windowDC, HDC frameDC, const FrameBox& box, int left,
                     int top, const Backdrop& backdrop) {
    if (settings::ZANZOU != 0 || (settings::BKMODE != 0 && settings::BKMODE != 1)) {
        // After-images: the picture already on the screen stays under the new figures.
        BitBlt(frameDC, 0, 0, box.width, box.height, windowDC, left, top, SRCCOPY);
    } else if (settings::BKMODE == 0) {
        copyDesktop(mainWindow, frameDC, box, backdrop);
    } else {
        paintBlack(frameDC, box.width, box.height);
    }
}

template <typename Drawer>
void visitSlots(Drawer draw, HWND mainWindow, HDC windowDC, HDC frameDC, HBITMAP frameBitmap) {
    int slots = slotsInUse();
    bool downwards = lastSlotFirst();
    for (int i = 0; i < slots; ++i) {
        currentSlot = downwards ? slots - i : i + 1;
        draw(mainWindow, windowDC, frameDC, frameBitmap);
    }
}

} // namespace

void composeFrame(HWND mainWindow, const Backdrop& backdrop, BoxLimit limit) {
    figures::projectFigures();
    Extent extent = measureExtent();
    FrameBox box = placeFrameBox(extent, limit);
    rewriteIntoFrame(box);
    int left = figures::saturate(std::int64_t{figures::rowX} - box.offsetX);
    int top = figures::saturate(std::int64_t{figures::rowY} - box.offsetY);

    HDC windowDC = GetDC(mainWindow);
    HBITMAP frameBitmap = CreateCompatibleBitmap(windowDC, box.width, box.height);
    HDC frameDC = CreateCompatibleDC(windowDC);
    SelectObject(frameDC, frameBitmap);

    paintBackground(mainWindow, windowDC, frameDC, box, left, top, backdrop);
    visitSlots(drawSideWalls, mainWindow, windowDC, frameDC, frameBitmap);
    visitSlots(drawFace, mainWindow, windowDC, frameDC, frameBitmap);
    BitBlt(windowDC, left, top, box.width, box.height, frameDC, 0, 0, SRCCOPY);

    ReleaseDC(mainWindow, windowDC);
    DeleteDC(frameDC);
    DeleteObject(frameBitmap);

    figures::advanceMotion();
    keepExtent(extent);
}

} // namespace render
