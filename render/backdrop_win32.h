// The background of paints and frames: a copy of the desktop taken once, or plain black.
#pragma once

#include <windows.h>

#include <cstdint>

namespace render {

// The desktop copy and the vertical corrections with which it lines up with the client area (set
// when the menu bar is shown). A null copy leaves what it would cover as it was.
struct Backdrop {
    HDC picture;
    std::int32_t menuOffset;
    std::int32_t frameOffset;
};

// How the screen's picture goes into the copy: pixel for pixel, or shrunk with halftone.
enum class Taking { asIs, shrunk };

// The screen's size as its device reports it.
SIZE screenSize();

// A new copy addressed in the coordinates of `area` (its size and its logical origin), holding
// the screen's picture in `from`. `releaseBackdrop` frees it.
HDC takeDesktop(const RECT& area, const RECT& from, Taking taking);
void releaseBackdrop(Backdrop& backdrop);
// The copy's logical origin moves to another place, as a window that moves on the screen.
void moveBackdrop(const Backdrop& backdrop, int left, int top);

// Fills width x height from the target's origin: with the copy's picture at the screen place
// (left, top) lined up by the corrections, or with black.
void copyBackdrop(HDC target, int width, int height, const Backdrop& backdrop, std::int64_t left,
                  std::int64_t top);
void paintBlack(HDC target, int width, int height);

} // namespace render
