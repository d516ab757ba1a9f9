#include "render/backdrop_win32.h"

#include "figures/bounds.h"

#include <algorithm>
#include <limits>

namespace render {

namespace {} // namespace

SIZE screenSize() {
    HDC screen = GetDC(nullptr);
    const SIZE size{GetDeviceCaps(screen, HORZRES), GetDeviceCaps(screen, VERTRES)};
    ReleaseDC(nullptr, screen);
    return size;
}

HDC takeDesktop(const RECT& area, const RECT& from, Taking taking) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC picture = CreateCompatibleDC(screen);
    SelectObject(picture, bitmap);
    SetWindowOrgEx(picture, area.left, area.top, nullptr);
    if (taking == Taking::shrunk) {
        SetStretchBltMode(picture, HALFTONE);
        SetBrushOrgEx(picture, 0, 0, nullptr);
        StretchBlt(picture, area.left, area.top, width, height, screen, from.left, from.top,
                   from.right - from.left, from.bottom - from.top, SRCCOPY);
    } else {
        BitBlt(picture, area.left, area.top, width, height, screen, from.left, from.top, SRCCOPY);
    }
    ReleaseDC(nullptr, screen);
    return picture;
}

void releaseBackdrop(Backdrop& backdrop) {
    if (!backdrop.picture) {
        return;
    }
    HGDIOBJ bitmap = GetCurrentObject(backdrop.picture, OBJ_BITMAP);
    DeleteDC(backdrop.picture);
    DeleteObject(bitmap);
    backdrop.picture = nullptr;
}

void moveBackdrop(const Backdrop& backdrop, int left, int top) {
    SetWindowOrgEx(backdrop.picture, left, top, nullptr);
}

void copyBackdrop(HDC target, int width, int height, const Backdrop& backdrop, std::int64_t left,
                  std::int64_t top) {
    BitBlt(target, 0, 0, width, height, backdrop.picture, figures::saturate(left),
           figures::saturate(top + backdrop.menuOffset - backdrop.frameOffset), SRCCOPY);
}

void paintBlack(HDC target, int width, int height) {
    HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    HGDIOBJ previous = SelectObject(target, black);
    SetPolyFillMode(target, WINDING);
    const POINT corners[4] = {{0, 0}, {width, 0}, {width, height}, {0, height}};
    Polygon(target, corners, 4);
    SelectObject(target, previous);
    DeleteObject(black);
}

} // namespace render
