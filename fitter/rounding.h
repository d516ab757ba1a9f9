// The fitter's first stage: the glyph's points rounded to whole outline units.
#pragma once

#include "fitter/glyph.h"

namespace fitter {

// Points are held to +-4096 units and rounded; repeated points, and points where a contour runs
// straight or doubles back, go; a contour left with fewer than 3 points goes. Every contour
// comes out marked outer (nesting is decided by the contour limits).
void roundGlyph(const Glyph& glyph, Shape& rounded);

} // namespace fitter
