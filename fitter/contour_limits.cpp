#include "fitter/contour_limits.h"

#include "figures/figures.h"
#include "fitter/geometry.h"

#include <algorithm>
#include <cstdlib>

namespace fitter {

void markOuterByNesting(Shape& shape) {
    std::array<int, maxGlyphContours + 1> depth;
    nestingDepths(shape, depth);
    for (int c = 1; c <= shape.contours; ++c) {
        shape.outer[c] = isOuterDepth(depth[c]);
    }
}

int outerContourCount(const Shape& shape) {
    int count = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        count += shape.outer[c] ? 1 : 0;
    }
    return count;
}

int seamsNeeded(int outerContours, int contours) {
    const int outerJoins = std::max(0, outerContours - figures::maxOuterContours);
    return outerJoins + std::max(0, contours - outerJoins - figures::maxContours);
}

int pointsForShape(const Shape& shape) {
    return figures::maxPoints - 2 * seamsNeeded(outerContourCount(shape), shape.contours);
}

void keepContours(Shape& shape, const ContourFlags& keep) {
    int points = 0, contours = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        if (!keep[c]) {
            continue;
        }
        ++contours;
        const int first = points + 1;
        for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
            ++points;
            shape.x[points] = shape.x[k];
            shape.y[points] = shape.y[k];
        }
        shape.first[contours] = first;
        shape.last[contours] = points;
        shape.outer[contours] = shape.outer[c];
    }
    shape.points = points;
    shape.contours = contours;
}

int smallestContour(const Shape& shape) {
    int best = 0;
    std::int64_t bestArea = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        const std::int64_t area = std::llabs(twiceArea(shape, c));
        if (best == 0 || area < bestArea) {
            best = c;
            bestArea = area;
        }
    }
    return best;
}

void dropContour(Shape& shape, int c, int& dropped, int& droppedHoles) {
    if (c < 1 || c > shape.contours) {
        return;
    }
    ++dropped;
    droppedHoles += shape.outer[c] ? 0 : 1;
    ContourFlags keep;
    keep.fill(true);
    keep[c] = false;
    keepContours(shape, keep);
}

} // namespace fitter
