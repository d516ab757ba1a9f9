// The fitter's second stage: the contours a figure can hold. Islands inside holes go, then the
// smallest contours beyond 4 outer and 13 in all (an outer contour takes its holes with it).
#pragma once

#include "importer/glyph.h"

namespace importer {

using ContourFlags = std::array<bool, maxGlyphContours + 1>;

// Sets every contour's outer flag from its nesting; `dropped` counts the contours that go.
void applyContourLimits(Shape& shape, int& dropped);

// Keeps the contours for which keep[c] holds, renumbering points and contours.
void keepContours(Shape& shape, const ContourFlags& keep);

} // namespace importer
