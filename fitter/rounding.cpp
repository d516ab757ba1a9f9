#include "fitter/rounding.h"

#include "fitter/geometry.h"

#include <algorithm>
#include <cmath>

namespace fitter {

namespace {

// Glyph points beyond this magnitude (outline units) are held to it.
constexpr double coordinateHold = 4096.0;

std::int32_t roundHeld(double v) {
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -coordinateHold, coordinateHold)));
}

// Removes points where a contour runs straight or doubles back; false when fewer than 3 remain.
bool dropStraightPoints(std::int32_t* x, std::int32_t* y, int& count) {
    bool changed = true;
    while (changed && count >= 3) {
        changed = false;
        for (int i = 0; i < count && count >= 3; ++i) {
            int p = (i + count - 1) % count, n = (i + 1) % count;
            if (cross({x[p], y[p]}, {x[i], y[i]}, {x[n], y[n]}) == 0) {
                std::copy(x + i + 1, x + count, x + i);
                std::copy(y + i + 1, y + count, y + i);
                --count;
                changed = true;
            }
        }
    }
    return count >= 3;
}

} // namespace

void roundGlyph(const Glyph& glyph, Shape& rounded) {
    rounded.points = 0;
    rounded.contours = 0;
    for (int c = 1; c <= glyph.contours && rounded.contours < maxGlyphContours; ++c) {
        const int base = rounded.points + 1;
        int count = 0;
        for (int k = glyph.first[c]; k <= glyph.last[c]; ++k) {
            std::int32_t x = roundHeld(glyph.x[k]), y = roundHeld(glyph.y[k]);
            if (count > 0 && rounded.x[base + count - 1] == x && rounded.y[base + count - 1] == y) {
                continue;
            }
            rounded.x[base + count] = x;
            rounded.y[base + count] = y;
            ++count;
        }
        while (count > 1 && rounded.x[base + count - 1] == rounded.x[base] &&
               rounded.y[base + count - 1] == rounded.y[base]) {
            --count;
        }
        if (!dropStraightPoints(&rounded.x[base], &rounded.y[base], count)) {
            continue;
        }
        ++rounded.contours;
        rounded.first[rounded.contours] = base;
        rounded.last[rounded.contours] = base + count - 1;
        rounded.outer[rounded.contours] = true;
        rounded.points += count;
    }
}

} // namespace fitter
