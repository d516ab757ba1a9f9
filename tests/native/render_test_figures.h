// Hand-built figure tables for the renderer's tests: prisms laid out as the figure builder lays
// them out and turned as the projection turns them, and loose walls placed vertex by vertex.
#pragma once

#include "figures/builder.h"
#include "figures/motion.h"
#include "render/walls.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

namespace rendertest {

using Contour = std::vector<std::pair<int, int>>;

inline void clearSlot(int s) {
    figures::pointCount[s] = 0;
    figures::figureHeader[s] = {};
    figures::contourStart[s] = {};
    figures::contourEnd[s] = {};
    figures::outlineX[s] = {};
    figures::outlineY[s] = {};
    figures::sideQuad[s] = {};
    figures::hullEdge[s] = {};
    figures::faceTurn[s] = 0;
    figures::projX[s] = {};
    figures::projY[s] = {};
    figures::projZ[s] = {};
    figures::screenX[s] = {};
    figures::screenY[s] = {};
    render::frontVisible[s] = 0;
    render::backVisible[s] = 0;
}

// Contours already in the builder's order (each starting at its rightmost point, clockwise with
// y up); the first one is the outer contour, the rest are holes. Walls join point k to its
// successor, listed so that corners 1, 2, 3 turn positively when the outer side faces the
// viewer; hullEdge marks the edges with no point strictly on both sides of their line.
inline void buildPrism(int s, std::initializer_list<Contour> contours) {
    clearSlot(s);
    int n = 0;
    int c = 0;
    for (const Contour& contour : contours) {
        ++c;
        figures::contourStart[s][c] = n + 1;
        for (auto [x, y] : contour) {
            ++n;
            figures::outlineX[s][n] = x;
            figures::outlineY[s][n] = y;
        }
        figures::contourEnd[s][c] = n;
    }
    figures::pointCount[s] = n;
    figures::figureHeader[s][1] = 1;
    figures::figureHeader[s][figures::contourCountField] = c;
    const auto& x = figures::outlineX[s];
    const auto& y = figures::outlineY[s];
    figures::faceTurn[s] = (x[2] - x[1]) * (y[3] - y[2]) - (y[2] - y[1]) * (x[3] - x[2]) >= 0;
    for (int ci = 1; ci <= c; ++ci) {
        int first = figures::contourStart[s][ci];
        int last = figures::contourEnd[s][ci];
        for (int k = first; k <= last; ++k) {
            int next = k == last ? first : k + 1;
            bool hole = ci > 1;
            figures::sideQuad[s][k] = {hole, n + k, hole ? n + next : k, next, hole ? k : n + next};
            bool above = false, below = false;
            for (int m = 1; m <= n; ++m) {
                double side =
                    double(x[next] - x[k]) * (y[m] - y[k]) - double(y[next] - y[k]) * (x[m] - x[k]);
                above |= side > 0;
                below |= side < 0;
            }
            figures::hullEdge[s][k] = !(above && below);
        }
    }
}

// Turns the prism about the vertical axis by `angle` degrees (its right side away from the
// viewer for positive angles), then tilts it by `tilt` degrees; no perspective.
inline void projectPrism(int s, double angle, double tilt = 0.0, double depth = 5.0) {
    double a = angle * 3.141593 / 180, t = tilt * 3.141593 / 180;
    int n = figures::pointCount[s];
    for (int v = 1; v <= 2 * n; ++v) {
        int k = v <= n ? v : v - n;
        double x = figures::outlineX[s][k], y = figures::outlineY[s][k];
        double z = v <= n ? -depth : depth;
        double X = std::cos(a) * x - std::sin(a) * z;
        double Z = std::sin(a) * x + std::cos(a) * z;
        double Y = std::cos(t) * y + std::sin(t) * Z;
        Z = std::cos(t) * Z - std::sin(t) * y;
        figures::projX[s][v] = X;
        figures::projY[s][v] = Y;
        figures::projZ[s][v] = Z;
        figures::screenX[s][v] = static_cast<int>(X);
        figures::screenY[s][v] = static_cast<int>(Y);
    }
}

inline void placeVertex(int s, int v, double x, double y, double z) {
    figures::projX[s][v] = x;
    figures::projY[s][v] = y;
    figures::projZ[s][v] = z;
}

// A wall given by its corner vertices, each placed at (x, y, z).
struct Corner {
    double x, y, z;
};

inline void placeWall(int s, int wall, int firstVertex, std::initializer_list<Corner> corners) {
    std::array<int, 4> v{};
    int i = 0;
    for (Corner c : corners) {
        v[i] = firstVertex + i;
        placeVertex(s, v[i], c.x, c.y, c.z);
        ++i;
    }
    figures::sideQuad[s][wall] = {0, v[0], v[1], v[2], v[3]};
}

// One contour over points 1..n, so that only walls whose numbers differ by one (or the first and
// the last) are neighbours.
inline void singleContour(int s, int n) {
    figures::pointCount[s] = n;
    figures::figureHeader[s][figures::contourCountField] = 1;
    figures::contourStart[s][1] = 1;
    figures::contourEnd[s][1] = n;
}

inline std::vector<int> order() {
    return {render::wallOrder.begin(), render::wallOrder.begin() + render::wallOrderCount};
}

} // namespace rendertest
