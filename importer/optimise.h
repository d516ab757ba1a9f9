// The vertex optimiser: moves the figure's integer points one at a time, a few units at most, to
// raise its overlap with the glyph (intersection over union on the outline-unit grid), never
// letting a contour cross itself or another, run straight at a point, or swallow a point.
#pragma once

#include "importer/geometry.h"
#include "importer/glyph.h"
#include "importer/raster.h"

namespace importer {

// The change of the intersection and union sample counts when the samples of a triangle change
// sides (a corner cut off or added), and the change itself.
struct Change {
    std::int64_t both;
    std::int64_t either;
};
Change triangleChange(IntPoint a, IntPoint b, IntPoint c, const FigureMask& glyphMask,
                      const FigureMask& shapeMask);
void flipTriangle(IntPoint a, IntPoint b, IntPoint c, FigureMask& shapeMask);

// How long the fitter works: sideways shifts of the glyph tried (1 to 5), moves that part edges
// brought into contact by rounding, rounds of moving every point, and point swaps (each followed
// by moving the points again). The importer
// uses the full effort; a fuzz run chooses a small one to reach more glyphs, since the figure
// is checked whole after any number of these steps.
struct Effort {
    int shifts;
    int repairs;
    int passes;
    int swaps;
};
constexpr Effort fullEffort{5, 20, 40, 12};

// shapeMask must hold the figure's even-odd fill on entry; it holds the moved figure's on return.
void movePoints(Shape& figure, const FigureMask& glyphMask, FigureMask& shapeMask,
                int passes = fullEffort.passes);

// Swaps points between the places where they carry the least and the most shape, moving the
// points again after each swap; the figure keeps at most maxPoints points.
void reallocatePoints(Shape& figure, const FigureMask& glyphMask, FigureMask& shapeMask,
                      int maxPoints, const Effort& effort = fullEffort);

} // namespace importer
