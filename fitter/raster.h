// Sampled coverage of glyphs and figures: a mask holds one byte per sample, 1 inside. Samples sit
// at pixel centres of a device grid, x to the right and y down; a point (x, y) of the glyph or the
// figure (y up) lands at (originX + x * scale, originY - y * scale).
#pragma once

#include "fitter/glyph.h"

#include <cstdint>
#include <span>

namespace fitter {

constexpr int maxRasterSide = 2048;

// The outline-unit grid the fitter works on: 4 samples per unit, covering -64..64 both ways.
constexpr int figureRasterSide = 512;
constexpr int samplesPerUnit = 4;
using FigureMask = std::array<std::uint8_t, figureRasterSide * figureRasterSide>;

// Nonzero winding, as fonts fill their glyphs. The caller's winding table holds a count for
// every sample and one more per row; rows that do not fit in it are left out.
void fillGlyph(const Glyph& glyph, double scale, double originX, double originY, int width,
               int height, std::uint8_t* mask, std::span<std::int32_t> winding);
using FigureWinding = std::array<std::int32_t, figureRasterSide*(figureRasterSide + 1)>;
void fillGlyphFigureGrid(const Glyph& glyph, FigureMask& mask, FigureWinding& winding);

// Even-odd filling of integer contours on the outline-unit grid, as the face drawer fills.
void fillShape(const Shape& shape, FigureMask& mask);

// The number of grid columns left of the point where the edge from (x1, y1) to (x2, y2), in
// eighths of an outline unit, crosses sample row `row`; -1 when it does not cross that row.
// Exact in integers, and the same whichever way the edge runs.
int edgeColumn(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2, int row);

// Intersection and union sample counts of two masks.
struct Overlap {
    std::int64_t both;
    std::int64_t either;
};
Overlap overlapOf(const std::uint8_t* a, const std::uint8_t* b, int samples);
double iouOf(const Overlap& overlap);

// The overlap of two masks of one size where a sample covered by only one of them is forgiven
// when the other covers a sample within `reach` of it (rasterisers part ways by a sample along
// every edge); the forgiven samples count as covered by both.
double tolerantOverlap(const std::uint8_t* a, const std::uint8_t* b, int width, int height,
                       int reach);

// The mean position of the samples inside; false for an empty mask.
bool centroidOf(const std::uint8_t* mask, int width, int height, double& x, double& y);

} // namespace fitter
