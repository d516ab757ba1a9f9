// Changes to the figure's mask on the outline-unit grid, one corner at a time: the samples that
// change sides when the path a-v-b of a contour becomes a-p-b (the even-odd area of the closed
// path a, v, b, p), counted against the glyph's mask or applied to the figure's. A triangle is
// the case p = b: its corner v cut off or added.
#pragma once

#include "fitter/geometry.h"
#include "fitter/raster.h"

namespace fitter {

// The change of the intersection and union sample counts.
struct Change {
    std::int64_t both;
    std::int64_t either;
};

Change pathChange(IntPoint a, IntPoint v, IntPoint b, IntPoint p, const FigureMask& glyphMask,
                  const FigureMask& shapeMask);
void flipPath(IntPoint a, IntPoint v, IntPoint b, IntPoint p, FigureMask& shapeMask);

Change triangleChange(IntPoint a, IntPoint b, IntPoint c, const FigureMask& glyphMask,
                      const FigureMask& shapeMask);
void flipTriangle(IntPoint a, IntPoint b, IntPoint c, FigureMask& shapeMask);

} // namespace fitter
