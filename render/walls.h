// The side walls of one figure: which flat face turns to the viewer, which walls face it, and
// the back-to-front order in which the visible walls are drawn. Platform-free: the drawing lives
// in walls_win32.cpp.
#pragma once

#include "figures/figures.h"

#include <array>
#include <cstdint>

namespace render {

// The slot the wall and face drawers work on; the frame composer sets it before every call.
inline std::int32_t currentSlot;

// Which flat face turns to the viewer this frame, 1 or 0 per slot; the face drawer reads them.
inline figures::SlotTable frontVisible{};
inline figures::SlotTable backVisible{};

constexpr int maxWalls = figures::maxPoints;

// The visible walls of the slot last ordered, in selection order: the first selected lies over
// every later one, so they are drawn from the last entry back to the first.
inline std::array<std::int32_t, maxWalls> wallOrder{};
inline std::int32_t wallOrderCount;

// A visible wall as the ordering sees it: its corners, its screen box, its plane, and its
// corners' X and Y rounded to 13 significant digits for the crossing tests.
struct WallShape {
    std::int32_t wall;
    std::array<std::int32_t, 4> corner;
    double minX, maxX, minY, maxY;
    double nx, ny, nz, reference;
    std::array<double, 4> roundedX, roundedY;
};

// Sets frontVisible and backVisible of the slot from the first three points of each face.
void decideFaces(int slot);

// Culls the slot's walls and fills wallOrder: hull walls first, then the others by selection.
void orderWalls(int slot);

// The shape of wall j of the slot; false when the wall does not face the viewer, stands on a seam
// or its corners lie outside the slot's vertices.
bool shapeWall(int slot, int wall, WallShape& shape);

// True when the candidate wall w must give way to o, that is when o is to be drawn before w.
bool candidateGivesWay(int slot, const WallShape& w, const WallShape& o);

} // namespace render
