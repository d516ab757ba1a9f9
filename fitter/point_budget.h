// The fitter's third stage: the 45 points a figure may have, less two for every seam the last
// stage will need, spent where shape is. Points are taken away one at a time across all contours
// (Visvalingam's removal), the one whose removal loses the fewest samples of the overlap with
// the glyph first, never so that an edge meets another; only when every contour is down to what
// it needs and the budget still cannot hold them does the smallest contour go.
#pragma once

#include "fitter/glyph.h"
#include "fitter/raster.h"

namespace fitter {

// What removing a point costs: first the samples it takes from the overlap with the glyph (the
// growth of the symmetric difference, which may be negative), then the triangle's area.
struct PointCost {
    std::int64_t samples;
    std::int64_t area;
};

// The stage's working tables: linked contours over the points of the rounded shape.
struct BudgetWork {
    std::array<int, maxGlyphPoints + 1> prev;
    std::array<int, maxGlyphPoints + 1> next;
    std::array<int, maxGlyphPoints + 1> contourOf;
    std::array<bool, maxGlyphPoints + 1> alive;
    std::array<bool, maxGlyphPoints + 1> blocked;
    std::array<int, maxGlyphContours + 1> head;
    std::array<int, maxGlyphContours + 1> size;
    std::array<PointCost, maxGlyphPoints + 1> costs;
    Shape remaining;
};

// The rounded shape (outer flags set) within the budget in `figure`; shapeMask is left holding
// the fill of what remains. `dropped` counts the contours that go, droppedHoles the holes among
// them.
void spendPointBudget(BudgetWork& work, const Shape& rounded, const FigureMask& glyphMask,
                      FigureMask& shapeMask, Shape& figure, int& dropped, int& droppedHoles);

} // namespace fitter
