// The vertex optimiser: moves the figure's integer points one at a time, a few units at most, to
// raise its overlap with the glyph (intersection over union on the outline-unit grid), never
// letting a contour cross itself or another, run straight at a point, or swallow a point.
#pragma once

#include "importer/glyph.h"
#include "importer/raster.h"

namespace importer {

// shapeMask must hold the figure's even-odd fill on entry; it holds the moved figure's on return.
void movePoints(Shape& figure, const FigureMask& glyphMask, FigureMask& shapeMask);

// Swaps points between the places where they carry the least and the most shape, moving the
// points again after each swap; the figure keeps at most maxPoints points.
void reallocatePoints(Shape& figure, const FigureMask& glyphMask, FigureMask& shapeMask,
                      int maxPoints);

} // namespace importer
