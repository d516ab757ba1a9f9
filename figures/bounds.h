// Limits that keep the figure model safe on any value a settings file can hold: slot, point and
// contour counts held to the tables, and integer results held to what the tables can store.
#pragma once

#include "figures/figures.h"
#include "settings/settings.h"

#include <algorithm>
#include <cstdint>

namespace figures {

// Scaled outline coordinates are held to this magnitude, far beyond any drawing area, so that
// differences and cross products of two of them fit in 64 bits.
constexpr std::int64_t coordinateLimit = (std::int64_t{1} << 30) - 1;

inline std::int32_t holdCoordinate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp(value, -coordinateLimit, coordinateLimit));
}

inline std::int32_t saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Slots 1..slotsInUse() are in use: those of the clock while it shows, else OPTIONN's; a count
// outside 0..26 is held to the tables.
inline int slotsInUse() {
    return std::clamp<std::int32_t>(clockRow.on ? clockRow.length : settings::OPTIONN, 0, maxSlots);
}

// The key number of the figure slot s shows.
inline std::int32_t figureOfSlot(int slot) {
    return clockRow.on ? clockRow.figure[slot] : settings::OPTIONA[slot];
}

inline int pointsOf(int slot) {
    return std::clamp<std::int32_t>(pointCount[slot], 0, maxPoints);
}

inline int contoursOf(int slot) {
    return std::clamp<std::int32_t>(contourCount(slot), 0, maxContours);
}

// A contour range the builder can work on: first and last index inside 1..points, in order.
inline bool validContour(int slot, int contour, int points) {
    std::int32_t first = contourStart[slot][contour];
    std::int32_t last = contourEnd[slot][contour];
    return first >= 1 && first <= last && last <= points;
}

} // namespace figures
