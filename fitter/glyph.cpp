#include "fitter/glyph.h"

#include <algorithm>
#include <cmath>

namespace fitter {

void clearGlyph(Glyph& glyph) {
    glyph.points = 0;
    glyph.contours = 0;
}

bool beginContour(Glyph& glyph) {
    if (glyph.contours >= maxGlyphContours) {
        return false;
    }
    ++glyph.contours;
    glyph.first[glyph.contours] = glyph.points + 1;
    glyph.last[glyph.contours] = glyph.points;
    return true;
}

bool addPoint(Glyph& glyph, double x, double y) {
    if (glyph.contours < 1 || glyph.points >= maxGlyphPoints || !std::isfinite(x) ||
        !std::isfinite(y)) {
        return false;
    }
    const int c = glyph.contours;
    // A point repeating the one before adds nothing to the contour.
    if (glyph.last[c] >= glyph.first[c] && glyph.x[glyph.points] == x &&
        glyph.y[glyph.points] == y) {
        return true;
    }
    ++glyph.points;
    glyph.x[glyph.points] = x;
    glyph.y[glyph.points] = y;
    glyph.last[c] = glyph.points;
    return true;
}

void endContour(Glyph& glyph) {
    const int c = glyph.contours;
    if (c < 1) {
        return;
    }
    // The closing point repeats the first.
    if (glyph.last[c] > glyph.first[c] && glyph.x[glyph.last[c]] == glyph.x[glyph.first[c]] &&
        glyph.y[glyph.last[c]] == glyph.y[glyph.first[c]]) {
        --glyph.last[c];
        --glyph.points;
    }
    if (glyph.last[c] - glyph.first[c] + 1 < 3) {
        glyph.points = glyph.first[c] - 1;
        --glyph.contours;
    }
}

namespace {

// Segments enough for a curve whose control polygon deviates by at most deviation from the
// chord, within tolerance (deviation / 4 * n^-2 bound of a subdivided Bezier).
int segmentsFor(double deviation, double tolerance) {
    if (!(tolerance > 0.0) || !std::isfinite(deviation)) {
        return 1;
    }
    double n = std::ceil(std::sqrt(deviation / (4.0 * tolerance)));
    return static_cast<int>(std::clamp(n, 1.0, 64.0));
}

double distanceFromLine(double px, double py, double ax, double ay, double bx, double by) {
    double dx = bx - ax, dy = by - ay;
    double length = std::hypot(dx, dy);
    if (length == 0.0) {
        return std::hypot(px - ax, py - ay);
    }
    return std::fabs((px - ax) * dy - (py - ay) * dx) / length;
}

} // namespace

bool addQuadratic(Glyph& glyph, double cx, double cy, double x, double y, double tolerance) {
    if (glyph.contours < 1 || glyph.last[glyph.contours] < glyph.first[glyph.contours]) {
        return addPoint(glyph, x, y);
    }
    const double x0 = glyph.x[glyph.points], y0 = glyph.y[glyph.points];
    int n = segmentsFor(2.0 * distanceFromLine(cx, cy, x0, y0, x, y), tolerance);
    for (int i = 1; i <= n; ++i) {
        double t = static_cast<double>(i) / n, u = 1.0 - t;
        if (!addPoint(glyph, u * u * x0 + 2 * u * t * cx + t * t * x,
                      u * u * y0 + 2 * u * t * cy + t * t * y)) {
            return false;
        }
    }
    return true;
}

bool addCubic(Glyph& glyph, double c1x, double c1y, double c2x, double c2y, double x, double y,
              double tolerance) {
    if (glyph.contours < 1 || glyph.last[glyph.contours] < glyph.first[glyph.contours]) {
        return addPoint(glyph, x, y);
    }
    const double x0 = glyph.x[glyph.points], y0 = glyph.y[glyph.points];
    double deviation = std::max(distanceFromLine(c1x, c1y, x0, y0, x, y),
                                distanceFromLine(c2x, c2y, x0, y0, x, y));
    int n = segmentsFor(3.0 * deviation, tolerance);
    for (int i = 1; i <= n; ++i) {
        double t = static_cast<double>(i) / n, u = 1.0 - t;
        double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        if (!addPoint(glyph, a * x0 + b * c1x + c * c2x + d * x,
                      a * y0 + b * c1y + c * c2y + d * y)) {
            return false;
        }
    }
    return true;
}

Box inkBox(const Glyph& glyph) {
    Box box{0, 0, 0, 0};
    for (int k = 1; k <= glyph.points; ++k) {
        if (k == 1) {
            box = {glyph.x[k], glyph.y[k], glyph.x[k], glyph.y[k]};
        }
        box.left = std::min(box.left, glyph.x[k]);
        box.right = std::max(box.right, glyph.x[k]);
        box.bottom = std::min(box.bottom, glyph.y[k]);
        box.top = std::max(box.top, glyph.y[k]);
    }
    return box;
}

void transformGlyph(Glyph& glyph, double originX, double originY, double scale) {
    for (int k = 1; k <= glyph.points; ++k) {
        glyph.x[k] = (glyph.x[k] - originX) * scale;
        glyph.y[k] = (glyph.y[k] - originY) * scale;
    }
}

} // namespace fitter
