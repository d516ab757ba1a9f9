#include "importer/contour_limits.h"

#include "importer/geometry.h"

#include <cstdlib>

namespace importer {

namespace {

// True when the first point of contour `inner` lies inside contour `outer`.
bool holds(const Shape& shape, int outer, int inner) {
    IntPoint p{shape.x[shape.first[inner]], shape.y[shape.first[inner]]};
    bool inside = false;
    for (int k = shape.first[outer]; k <= shape.last[outer]; ++k) {
        int j = k == shape.last[outer] ? shape.first[outer] : k + 1;
        inside ^= rayCrosses(p, {shape.x[k], shape.y[k]}, {shape.x[j], shape.y[j]});
    }
    return inside;
}

// Drops contour c, and with an outer contour the holes it holds.
void dropContour(Shape& shape, int c, ContourFlags& keep, int& dropped) {
    keep[c] = false;
    ++dropped;
    if (!shape.outer[c]) {
        return;
    }
    for (int d = 1; d <= shape.contours; ++d) {
        if (keep[d] && !shape.outer[d] && holds(shape, c, d)) {
            keep[d] = false;
            ++dropped;
        }
    }
}

using ContourAreas = std::array<std::int64_t, maxGlyphContours + 1>;

// The kept contour of least area (outer ones only, or any); 0 when none is kept.
int smallestKept(const Shape& shape, const ContourFlags& keep, const ContourAreas& area,
                 bool outerOnly) {
    int best = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        if (keep[c] && (!outerOnly || shape.outer[c]) && (best == 0 || area[c] < area[best])) {
            best = c;
        }
    }
    return best;
}

int keptCount(const Shape& shape, const ContourFlags& keep, bool outerOnly) {
    int count = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        count += keep[c] && (!outerOnly || shape.outer[c]) ? 1 : 0;
    }
    return count;
}

} // namespace

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

void applyContourLimits(Shape& shape, int& dropped) {
    std::array<int, maxGlyphContours + 1> depth;
    nestingDepths(shape, depth);
    ContourFlags keep;
    ContourAreas area;
    for (int c = 1; c <= shape.contours; ++c) {
        shape.outer[c] = depth[c] == 0;
        keep[c] = depth[c] <= 1;
        dropped += keep[c] ? 0 : 1;
        area[c] = std::llabs(twiceArea(shape, c));
    }
    while (keptCount(shape, keep, true) > figures::maxOuterContours) {
        dropContour(shape, smallestKept(shape, keep, area, true), keep, dropped);
    }
    while (keptCount(shape, keep, false) > figures::maxContours) {
        dropContour(shape, smallestKept(shape, keep, area, false), keep, dropped);
    }
    keepContours(shape, keep);
}

} // namespace importer
