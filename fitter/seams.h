// The fitter's last stage: pieces joined by seams until the figure keeps the format's contour
// limits (4 outer contours, 13 in all). A seam runs from a point of one contour to a point of
// another and straight back, so both points stand twice and the fill does not change; the
// program draws no wall and no outline along it. Each seam takes the shortest free path between
// two contours that border one region (two pieces side by side, a piece and the hole it stands
// in, a hole and the piece around it), and never starts at a contour's rightmost point, from
// which the program tells the way a contour turns.
#pragma once

#include "fitter/glyph.h"

namespace fitter {

// False when a seam is still needed and none can be laid within 45 points; the shape is then
// as far as it got. `work` is room for a trial.
bool joinPieces(Shape& shape, Shape& work);

} // namespace fitter
