// The flat face of one figure as the face drawer paints it: every contour of the visible face
// as one closed polygon, in frame-bitmap pixels. Platform-free: the drawing lives in
// face_win32.cpp.
#pragma once

#include "figures/builder.h"

#include <array>
#include <cstdint>

namespace render {

struct FacePoint {
    std::int32_t x, y;
};

// 45 outline points plus one closing point for each of 13 contours.
constexpr int maxFacePoints = figures::maxPoints + figures::maxContours;

struct FaceOutline {
    std::array<FacePoint, maxFacePoints> points;
    std::array<std::int32_t, figures::maxContours + 1> counts;
    std::int32_t contours;
    figures::Rgb colour;
    // Where the edge from a point is a seam, which the outline leaves out; seamed when any is.
    std::array<bool, maxFacePoints> seamFrom;
    bool seamed;
};

inline FaceOutline faceOutline{};

// Fills faceOutline with the slot's visible face, the front one when both are visible; false
// when neither face turns to the viewer.
bool outlineFace(int slot);

// A colour value as the platform takes it: red + 256 * green + 65536 * blue, low 8 bits of each.
inline std::uint32_t colourValue(const figures::Rgb& c) {
    return (static_cast<std::uint32_t>(c.red) & 0xFF) |
           (static_cast<std::uint32_t>(c.green) & 0xFF) << 8 |
           (static_cast<std::uint32_t>(c.blue) & 0xFF) << 16;
}

} // namespace render
