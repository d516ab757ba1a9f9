// A glyph outline as the fitter takes it: closed contours of points flattened from the
// font's curves (double, y up), and the integer shapes the fitter makes of it. Contours are
// index ranges into the point tables; entry 0 of every table is left empty.
#pragma once

#include <array>
#include <cstdint>

namespace fitter {

constexpr int maxGlyphPoints = 16384;
constexpr int maxGlyphContours = 256;

struct Glyph {
    int points;
    int contours;
    std::array<int, maxGlyphContours + 1> first;
    std::array<int, maxGlyphContours + 1> last;
    std::array<double, maxGlyphPoints + 1> x;
    std::array<double, maxGlyphPoints + 1> y;
};

void clearGlyph(Glyph& glyph);

// Contours are built point by point; false when a table is full (the glyph is then unusable).
bool beginContour(Glyph& glyph);
bool addPoint(Glyph& glyph, double x, double y);
void endContour(Glyph& glyph); // drops a contour of fewer than 3 points

// Curves from the current point, flattened so that no chord strays more than tolerance from
// the curve.
bool addQuadratic(Glyph& glyph, double cx, double cy, double x, double y, double tolerance);
bool addCubic(Glyph& glyph, double c1x, double c1y, double c2x, double c2y, double x, double y,
              double tolerance);

struct Box {
    double left, bottom, right, top;
};
Box inkBox(const Glyph& glyph);

// Every point becomes ((x - originX) * scale, (y - originY) * scale).
void transformGlyph(Glyph& glyph, double originX, double originY, double scale);

// Integer contours (outline units); the fitter's working form and its result.
struct Shape {
    int points;
    int contours;
    std::array<int, maxGlyphContours + 1> first;
    std::array<int, maxGlyphContours + 1> last;
    std::array<bool, maxGlyphContours + 1> outer;
    std::array<std::int32_t, maxGlyphPoints + 1> x;
    std::array<std::int32_t, maxGlyphPoints + 1> y;
};

} // namespace fitter
