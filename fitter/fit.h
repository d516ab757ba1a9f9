// The fitter: a flattened glyph in outline units in, a figure the program draws soundly out.
// Rounds the glyph to integer points, spends the 45 points (less two for each seam the format's
// contour limits will need) where dropping one would lose the most area, moves the integer points
// to improve the overlap with the glyph, then joins pieces by seams until at most 4 contours are
// outer and 13 in all. Every piece and hole is kept unless the points cannot hold them.
#pragma once

#include "figures/format.h"
#include "fitter/geometry.h"
#include "fitter/glyph.h"
#include "fitter/optimise.h"
#include "fitter/point_budget.h"
#include "fitter/raster.h"

namespace fitter {

// A font's frame: its em square fills the 100-unit cell; the em box is centred vertically on
// the origin and every glyph's ink horizontally.
struct FontFrame {
    double emSize;
    double ascent;  // top of the em box above the baseline, font units
    double descent; // bottom of the em box, below the baseline (negative)
};
constexpr double cellSize = 100.0;

void placeInCell(Glyph& glyph, const FontFrame& frame);

struct FitReport {
    int droppedContours; // pieces and holes the points could not hold, or that broke a rule
    int droppedHoles;    // the holes among them
    double ceiling;      // overlap of all rounded points, only the contour limits applied
    double reduced;      // after spending the point budget, before moving points
    double fitted;       // after moving points
};

// Below this overlap a fifth or more of the area that glyph and figure cover between them is
// covered by only one of them: strokes run together or go missing where anyone sees it. Latin
// letters and kana fit at 0.92 and more, kanji of few strokes at 0.9 and more, and the densest
// kanji (鬱, 麗) at 0.65 to 0.75.
constexpr double roughOverlap = 0.80;

// Everything the fitter works in, some megabytes: the caller owns one (in static storage) and
// passes it to every fit; nothing in it outlives a call.
struct FitWork {
    Glyph shifted; // the glyph moved sideways to where its points round best
    Shape rounded; // its rounded contours within the contour limits
    Shape trial;   // the figure less one contour, or joined by one more seam
    FigureMask glyphMask;
    FigureMask shapeMask;
    FigureWinding winding;
    BudgetWork budget;
    OptimiserWork optimiser;
};

// False when nothing drawable is left.
bool fitFigure(FitWork& work, const Glyph& glyph, Shape& figure, FitReport& report,
               const Effort& effort = fullEffort);

// The figure's overlap with the glyph (both in outline units) on the outline-unit grid.
double overlapWithGlyph(FitWork& work, const Shape& shape, const Glyph& glyph);

} // namespace fitter
