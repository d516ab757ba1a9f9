#include "fitter/fit.h"

#include "fitter/contour_limits.h"
#include "fitter/geometry.h"
#include "fitter/repair.h"
#include "fitter/rounding.h"
#include "fitter/seams.h"

#include <algorithm>

namespace fitter {

namespace {

constexpr int samples = figureRasterSide * figureRasterSide;

// Rounds the glyph moved left by `shift` into work.rounded, its outer contours marked, and fills
// both masks; returns the overlap of the two.
double roundShifted(FitWork& work, const Glyph& source, double shift) {
    work.shifted = source;
    transformGlyph(work.shifted, -shift, 0.0, 1.0);
    roundGlyph(work.shifted, work.rounded);
    markOuterByNesting(work.rounded);
    fillGlyphFigureGrid(work.shifted, work.glyphMask, work.winding);
    fillShape(work.rounded, work.shapeMask);
    return iouOf(overlapOf(work.glyphMask.data(), work.shapeMask.data(), samples));
}

// The glyph may move sideways by less than half a unit, to where its rounded points lie best
// on it: centred on its origin all the same, and its upright edges on the grid.
double bestShift(FitWork& work, const Glyph& source, const Effort& effort) {
    constexpr double shifts[] = {0.0, -0.4, -0.2, 0.2, 0.4};
    double bestRounded = -1.0;
    double best = 0.0;
    for (int trial = 0; trial < std::clamp(effort.shifts, 1, 5); ++trial) {
        const double rounded = roundShifted(work, source, shifts[trial]);
        if (rounded > bestRounded + 1e-9) {
            bestRounded = rounded;
            best = shifts[trial];
        }
    }
    return best;
}

} // namespace

void placeInCell(Glyph& glyph, const FontFrame& frame) {
    const Box box = inkBox(glyph);
    const double scale = frame.emSize > 0 ? cellSize / frame.emSize : 1.0;
    transformGlyph(glyph, (box.left + box.right) / 2, (frame.ascent + frame.descent) / 2, scale);
}

double overlapWithGlyph(FitWork& work, const Shape& shape, const Glyph& glyph) {
    fillGlyphFigureGrid(glyph, work.glyphMask, work.winding);
    fillShape(shape, work.shapeMask);
    return iouOf(overlapOf(work.glyphMask.data(), work.shapeMask.data(), samples));
}

bool fitFigure(FitWork& work, const Glyph& source, Shape& figure, FitReport& report,
               const Effort& effort) {
    const double shift = bestShift(work, source, effort);
    report = {};
    report.ceiling = roundShifted(work, source, shift);
    spendPointBudget(work.budget, work.rounded, work.glyphMask, work.shapeMask, figure,
                     report.droppedContours, report.droppedHoles);
    dropFaultyContours(figure, work.trial, report.droppedContours, report.droppedHoles,
                       effort.repairs);
    if (figure.contours == 0) {
        return false;
    }
    fillShape(figure, work.shapeMask);
    report.reduced = iouOf(overlapOf(work.glyphMask.data(), work.shapeMask.data(), samples));
    movePoints(work.optimiser, figure, work.glyphMask, work.shapeMask, effort.passes);
    reallocatePoints(work.optimiser, figure, work.glyphMask, work.shapeMask, pointsForShape(figure),
                     effort);
    // Where no seam can be laid, the smallest contour goes and the seams are sought again.
    while (figure.contours > 0 && !joinPieces(figure, work.trial)) {
        dropContour(figure, smallestContour(figure), report.droppedContours, report.droppedHoles);
        markOuterByNesting(figure);
    }
    if (figure.contours == 0) {
        return false;
    }
    fillShape(figure, work.shapeMask);
    report.fitted = iouOf(overlapOf(work.glyphMask.data(), work.shapeMask.data(), samples));
    return shapeFault(figure) == Fault::none;
}

} // namespace fitter
