// The vertex optimiser: moves the figure's integer points one at a time, a few units at most, to
// raise its overlap with the glyph (intersection over union on the outline-unit grid), never
// letting a contour cross itself or another, run straight at a point, or swallow a point.
#pragma once

#include "fitter/geometry.h"
#include "fitter/glyph.h"
#include "fitter/masks.h"
#include "fitter/raster.h"

namespace fitter {

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

// The optimiser's working tables: every point's neighbours on its contour, and the figure as it
// was before a swap that may be undone.
struct OptimiserWork {
    std::array<int, maxGlyphPoints + 1> prev;
    std::array<int, maxGlyphPoints + 1> next;
    Shape saved;
};

// shapeMask must hold the figure's even-odd fill on entry; it holds the moved figure's on return.
void movePoints(OptimiserWork& work, Shape& figure, const FigureMask& glyphMask,
                FigureMask& shapeMask, int passes = fullEffort.passes);

// Swaps points between the places where they carry the least and the most shape, moving the
// points again after each swap; the figure keeps at most maxPoints points.
void reallocatePoints(OptimiserWork& work, Shape& figure, const FigureMask& glyphMask,
                      FigureMask& shapeMask, int maxPoints, const Effort& effort = fullEffort);

} // namespace fitter
