// Contour work of the figure builder: a fixed start and winding for every contour, the successor
// of every outline point within its contour, and the edges on the figure's outer boundary.
#pragma once

#include "figures/figures.h"

namespace figures {

// next[k] is the outline point that point k joins; always within 1..pointCount.
using Successors = std::array<int, maxPoints + 1>;

// In outline units: every contour starts at its rightmost point (greatest x, then greatest y)
// and, when it does not cross itself, runs clockwise with y up.
void normaliseContours(int slot);

void findSuccessors(int slot, Successors& next);

// seamEdge is 1 for an edge that another edge runs back along; in outline units, before the
// scaling can make distinct points meet.
void markSeamEdges(int slot, const Successors& next);

// hullEdge is 1 for an edge whose line has no point of the slot strictly on both sides.
void markHullEdges(int slot, const Successors& next);

} // namespace figures
