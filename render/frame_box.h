// The frame composer's arithmetic: the extent of this frame's projected points, the box that the
// frame bitmap covers (this extent united with the previous one, held to the drawing area at the
// right and top), and the rewrite of the points into frame-bitmap pixels. Platform-free.
#pragma once

#include <cstdint>

namespace render {

struct Extent {
    std::int32_t minX, minY, maxX, maxY;
};

// The frame bitmap's place: left, bottom, right, top in row-centre coordinates (y up), its size,
// and the magnitudes of left and top that move a point into the bitmap. stoppedLeft and
// stoppedBottom tell that the box stops a drawing area out on that side short of the points.
struct FrameBox {
    std::int32_t left, bottom, right, top;
    std::int32_t width, height;
    std::int32_t offsetX, offsetY;
    bool stoppedLeft, stoppedBottom;
};

// Whether the box stops a drawing area out at the left and the bottom, as the program always
// has it; the whole box lets a test show that the stop changes no pixel.
enum class BoxLimit : std::uint8_t { stopsOutside, whole };

// The extent of every vertex of the slots in use, starting from the first vertex of slot 1.
Extent measureExtent();

// Unites the extent with the previous one carried by the row's last step, limits it to the
// drawing area (half of it at the right and top, a whole one at the left and bottom) and stores
// it into boxMinX.. for the motion to read.
FrameBox placeFrameBox(const Extent& extent, BoxLimit limit = BoxLimit::stopsOutside);

// Rewrites screenX and screenY of the slots in use into frame-bitmap pixels, held to 0..width
// and 0..height, except that a point past a side where the box stopped short keeps its place
// outside the bitmap (drawing clips it there).
void rewriteIntoFrame(const FrameBox& box);

// Keeps this frame's extent for the next frame.
void keepExtent(const Extent& extent);

// Whether the slots are visited from the last one down (overall angles 0 to 179, 360 to 539..).
bool lastSlotFirst();

// The slots in use, held to the tables' size.
int slotsInUse();

} // namespace render
