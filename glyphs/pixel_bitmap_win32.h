// A bitmap whose pixels the program and its tools read directly: 32 bits a pixel, rows from the
// top, each pixel 0x00RRGGBB.
#pragma once

#include <windows.h>

namespace glyphs {

// The header of such a bitmap, also what a .bmp file of its pixels starts with.
BITMAPINFO pixelBitmapInfo(int width, int height);

// Null on failure; bits then holds null too.
HBITMAP createPixelBitmap(HDC dc, int width, int height, void*& bits);

} // namespace glyphs
