// The format's contour limits as the fitter meets them: every contour is kept (a piece standing
// in a hole is an outer contour of its own) until the last stage joins pieces by seams, two
// points each, so that at most 4 contours are outer and 13 in all. The point budget keeps those
// points free; only when 3 points a contour and the seams cannot fit do contours go.
#pragma once

#include "fitter/glyph.h"

namespace fitter {

using ContourFlags = std::array<bool, maxGlyphContours + 1>;

// Every contour's outer flag from its nesting: inside an even number of others.
void markOuterByNesting(Shape& shape);

int outerContourCount(const Shape& shape);

// The seams needed to bring outerContours and contours within the format's limits.
int seamsNeeded(int outerContours, int contours);

// The points left for the shape once its seams are paid for.
int pointsForShape(const Shape& shape);

// Keeps the contours for which keep[c] holds, renumbering points and contours.
void keepContours(Shape& shape, const ContourFlags& keep);

// The contour of least area; it holds no other, since a contour's area exceeds its holes'.
int smallestContour(const Shape& shape);

// Takes out contour c, counting it as a piece or a hole.
void dropContour(Shape& shape, int c, int& dropped, int& droppedHoles);

} // namespace fitter
