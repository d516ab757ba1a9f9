// The fitter's fourth stage: whatever the glyph, the figure must be sound. Rounding can bring two
// edges that were apart in the glyph into contact (a gap of a tenth of a unit between two pieces,
// say); points move by a unit or two where that parts them, contours that still break a rule go,
// the smallest first, and outer flags follow nesting.
#pragma once

#include "fitter/glyph.h"

namespace fitter {

// `trial` is working room for the shape less one contour. `dropped` counts the contours that go,
// droppedHoles the holes among them. The format's contour limits are not asked for yet.
void dropFaultyContours(Shape& shape, Shape& trial, int& dropped, int& droppedHoles, int repairs);

} // namespace fitter
