// The figure builder: normalised and scaled outlines, side-wall records, boundary-edge marks and
// colours of every slot in use, and the row's starting place and motion.
#pragma once

#include "figures/figures.h"

namespace figures {

// The drawing area in pixels; the window procedure measures it before every build.
inline std::int32_t clientWidth;
inline std::int32_t clientHeight;

// The part of the drawing area the row stands in and travels over, in window coordinates (y
// down, right and bottom exclusive). Over several monitors the drawing area holds corners that
// no monitor shows; the full-screen run keeps the row out of them. An empty area (the default)
// means the whole drawing area.
struct Area {
    std::int32_t left, top, right, bottom;
};
inline Area travelArea{};

struct Rgb {
    std::int32_t red, green, blue;
};

// The side wall on the edge from outline point k to its successor. The four corners always name
// front k, front next, back next, back k; holeWall only chooses which way round, so that corners
// 1, 2, 3 turn positively exactly when the wall's outer side faces the viewer.
struct SideQuad {
    std::int32_t holeWall;
    std::int32_t corner1, corner2, corner3, corner4;
};

inline SlotTable slotCentreX{};
inline SlotTable faceTurn{};
inline Table<SideQuad, maxPoints> sideQuad{};
inline Table<std::int32_t, maxPoints> hullEdge{};
// 1 for an edge that another edge of the figure runs straight back along (in outline units): a
// seam of no width joining two pieces of one contour, which has no wall and no outline.
inline Table<std::int32_t, maxPoints> seamEdge{};
inline std::array<Rgb, maxSlots + 1> faceColour{};
inline std::array<Rgb, maxSlots + 1> shadeColour{};
inline std::array<Rgb, maxSlots + 1> sideColour{};

// Motion state of the row: window coordinates (y down) of the row centre, its range, the last
// step taken and the step the next frame will try.
inline std::int32_t rowX, rowY;
inline std::int32_t rowMinX, rowMaxX, rowMinY, rowMaxY;
inline std::int32_t stepX, stepY;
inline std::int32_t speedX, speedY;
inline std::int32_t overallAngle;
inline std::int32_t randomSpeed, randomDirection;
inline double perspectiveFactor;

// The frame box of the frame composer, in row-centre coordinates (y up); the builder clears it
// and the motion reads boxMaxX and boxMaxY during a frame.
inline std::int32_t boxMinX, boxMinY, boxMaxX, boxMaxY;

void buildFigures();
// Reads the figure slot `slot` (in use) shows now and builds its tables alone, with the same
// steps as buildFigures: the row's place, motion and angles, and every other slot, stay as they
// are, so a changed figure takes its place in the turning row without a jump.
void swapSlotFigure(int slot);

// The program's own generator: state * 214013 + 2531011 mod 2^32, starting at 1.
inline std::uint32_t randomState = 1;
void seedRandom(std::uint32_t seed);
void pickDirection();

} // namespace figures
