// The soundness of a figure beyond what the program itself checks: contours of at least three
// points that turn at every point, none crossing or touching itself or another, and the header
// listing exactly the outer contours (those inside an even number of others: a piece standing in
// a hole is an outer contour again). One contour may hold several pieces joined by seams: an edge
// run there and straight back (a bridge of no width, which has no wall and no outline in the
// program); a seam's two ends are the only points a contour may pass twice.
#pragma once

#include "figures/format.h"
#include "fitter/glyph.h"

#include <cstdint>

namespace fitter {

struct IntPoint {
    std::int64_t x, y;
};

inline IntPoint pointOf(const Shape& shape, int k) {
    return {shape.x[k], shape.y[k]};
}

std::int64_t cross(IntPoint o, IntPoint a, IntPoint b);

// True when the closed segments share any point, touching included.
bool segmentsMeet(IntPoint a, IntPoint b, IntPoint c, IntPoint d);

// Crossing parity of a ray from p to the right over the edge from a to b, exact in integers;
// over a closed path it tells inside (odd) from outside.
bool rayCrosses(IntPoint p, IntPoint a, IntPoint b);

enum class Fault {
    none,
    format,        // the program would not draw it
    tooLarge,      // coordinates beyond what the checks can weigh
    unordered,     // contour ranges not 1..N in order, or a spare header field in use
    tooFewPoints,  // a contour of fewer than 3 points
    straightPoint, // a contour runs straight or doubles back at a point
    selfCrossing,
    contoursMeet,
    crossingSeam, // the pieces at the end of a seam overlap there
    outerNotListed,
    holeListed,
    tooManyOuter,
};

const char* faultText(Fault fault);

// Coordinates within this magnitude can be checked exactly.
constexpr std::int32_t checkedCoordinateLimit = 1 << 20;

struct ShapeLimits {
    int points, contours, outer;
};
// What the outline format holds.
constexpr ShapeLimits figureLimits{figures::maxPoints, figures::maxContours,
                                   figures::maxOuterContours};
// While the fitter works, before pieces are joined to fit the format's limits.
constexpr ShapeLimits workingLimits{maxGlyphPoints, maxGlyphContours, maxGlyphContours};

// Contours, their outer flags and the limits.
Fault shapeFault(const Shape& shape, const ShapeLimits& limits = figureLimits);

// True when the point's parity of nesting makes it an outer contour.
inline bool isOuterDepth(int depth) {
    return depth % 2 == 0;
}

// True when the edge from k to its successor runs back along another edge of its contour.
bool isSeam(const Shape& shape, int contour, int k);

// A figure as the file holds it.
Fault figureFault(const figures::FigureRecord& record);

// The figure as the outline format holds it (contours in order, outer contours listed), and
// back; a record must be well formed (figures::isWellFormed) to become a shape.
void shapeToRecord(const Shape& shape, figures::FigureRecord& record);
void recordToShape(const figures::FigureRecord& record, Shape& shape);

// The depth of every contour: how many other contours hold its first point.
void nestingDepths(const Shape& shape, std::array<int, maxGlyphContours + 1>& depth);

std::int64_t twiceArea(const Shape& shape, int contour);

// How many points run straight and how many pairs of edges meet where they must not.
int contactCount(const Shape& shape);

} // namespace fitter
