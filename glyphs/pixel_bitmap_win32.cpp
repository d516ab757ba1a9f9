#include "glyphs/pixel_bitmap_win32.h"

namespace glyphs {

BITMAPINFO pixelBitmapInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP createPixelBitmap(HDC dc, int width, int height, void*& bits) {
    const BITMAPINFO info = pixelBitmapInfo(width, height);
    bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        bits = nullptr;
    }
    return bitmap;
}

} // namespace glyphs
