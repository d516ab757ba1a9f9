#include "render/walls.h"

#include "figures/builder.h"
#include "figures/motion.h"
#include "figures/numbers.h"

#include <algorithm>

namespace render {

namespace {

using figures::projX;
using figures::projY;
using figures::projZ;

// Outline points of the slot, held to what the tables can index.
int pointsOf(int slot) {
    return std::clamp<int>(figures::pointCount[slot], 0, figures::maxPoints);
}

bool slotInRange(int slot) {
    return slot >= 1 && slot <= figures::maxSlots;
}

// Positive when P, Q, R turn counter-clockwise with y up.
double turn(int slot, int p, int q, int r) {
    const auto& x = projX[slot];
    const auto& y = projY[slot];
    return (x[q] - x[p]) * (y[r] - y[q]) - (y[q] - y[p]) * (x[r] - x[q]);
}

enum Side { nearSide = -1, onPlane = 0, farSide = 1 };

Side sideOf(int slot, const WallShape& plane, int vertex) {
    double d = plane.nx * projX[slot][vertex] + plane.ny * projY[slot][vertex] +
               plane.nz * projZ[slot][vertex];
    if (d > plane.reference) {
        return farSide;
    }
    if (d < plane.reference) {
        return nearSide;
    }
    return onPlane;
}

int countSide(int slot, const WallShape& plane, const WallShape& wall, Side side) {
    int count = 0;
    for (int corner : wall.corner) {
        count += sideOf(slot, plane, corner) == side;
    }
    return count;
}

// Walls sharing an edge: the neighbours of w within its contour, the contour closing on itself.
bool neighbours(int slot, int w, int o) {
    int contours = std::clamp<int>(figures::contourCount(slot), 0, figures::maxContours);
    for (int c = 1; c <= contours; ++c) {
        int first = figures::contourStart[slot][c];
        int last = figures::contourEnd[slot][c];
        if (w < first || w > last) {
            continue;
        }
        if (w == first) {
            return o == last || o == w + 1;
        }
        if (w == last) {
            return o == first || o == w - 1;
        }
        break;
    }
    return o == w - 1 || o == w + 1;
}

bool separateBoxes(const WallShape& w, const WallShape& o) {
    return o.minX >= w.maxX || w.minX >= o.maxX || o.minY >= w.maxY || w.minY >= o.maxY;
}

// One edge of a wall in the crossing test: rounded endpoints, the line through them, and the
// unrounded endpoints for the depth.
struct Edge {
    double x0, y0, x1, y1;
    bool vertical;
    double slope, intercept;
    int start, end;
};

Edge edgeOf(const WallShape& wall, int i) {
    int j = (i + 1) % 4;
    Edge e{wall.roundedX[i], wall.roundedY[i], wall.roundedX[j], wall.roundedY[j], false, 0.0, 0.0,
           wall.corner[i],   wall.corner[j]};
    e.vertical = e.x0 == e.x1;
    if (!e.vertical) {
        e.slope = (e.y1 - e.y0) / (e.x1 - e.x0);
        e.intercept = e.y0 - e.slope * e.x0;
    }
    return e;
}

bool whollyBeside(const Edge& w, const Edge& o) {
    return (o.x0 > w.x0 && o.x0 > w.x1 && o.x1 > w.x0 && o.x1 > w.x1) ||
           (o.x0 < w.x0 && o.x0 < w.x1 && o.x1 < w.x0 && o.x1 < w.x1) ||
           (o.y0 > w.y0 && o.y0 > w.y1 && o.y1 > w.y0 && o.y1 > w.y1) ||
           (o.y0 < w.y0 && o.y0 < w.y1 && o.y1 < w.y0 && o.y1 < w.y1);
}

bool within(double v, double a, double b) {
    return v >= std::min(a, b) && v <= std::max(a, b);
}

bool onEdge(const Edge& e, double x, double y) {
    return within(x, e.x0, e.x1) && within(y, e.y0, e.y1);
}

// Depth of the edge at the crossing point, interpolated along x, or along y for a vertical edge.
double depthAt(int slot, const Edge& e, double x, double y) {
    double xs = projX[slot][e.start], xe = projX[slot][e.end];
    double ys = projY[slot][e.start], ye = projY[slot][e.end];
    double zs = projZ[slot][e.start], ze = projZ[slot][e.end];
    double depth;
    if (!e.vertical) {
        depth = zs + (ze - zs) / (xe - xs) * (x - xs);
    } else {
        double slope = ys == ye ? 0.0 : (ze - zs) / (ye - ys);
        depth = zs + slope * (y - ys);
    }
    return numbers::roundToDigitsFast(depth, 12);
}

// True when the edges cross within both and w's edge lies farther there.
bool fartherAtCrossing(int slot, const Edge& we, const Edge& oe) {
    if (whollyBeside(we, oe) || (we.vertical && oe.vertical)) {
        return false;
    }
    double x, y;
    if (we.vertical) {
        x = we.x0;
        y = oe.slope * x + oe.intercept;
    } else if (oe.vertical) {
        x = oe.x0;
        y = we.slope * x + we.intercept;
    } else if (we.slope == oe.slope) {
        x = 0.0;
        y = we.intercept;
    } else {
        x = (we.intercept - oe.intercept) / (oe.slope - we.slope);
        y = we.slope * x + we.intercept;
    }
    x = numbers::roundToDigitsFast(x, 13);
    y = numbers::roundToDigitsFast(y, 13);
    if (!onEdge(we, x, y) || !onEdge(oe, x, y)) {
        return false;
    }
    return depthAt(slot, we, x, y) > depthAt(slot, oe, x, y);
}

} // namespace

void decideFaces(int slot) {
    if (!slotInRange(slot)) {
        return;
    }
    int n = pointsOf(slot);
    frontVisible[slot] = 0;
    backVisible[slot] = 0;
    // A figure of fewer than three points encloses nothing and has no face.
    if (n < 3) {
        return;
    }
    double front = -turn(slot, 1, 2, 3);
    double back = turn(slot, n + 1, n + 2, n + 3);
    if (figures::faceTurn[slot] != 0) {
        front = -front;
        back = -back;
    }
    frontVisible[slot] = front > 0 ? 1 : 0;
    backVisible[slot] = back > 0 ? 1 : 0;
}

bool shapeWall(int slot, int wall, WallShape& shape) {
    if (!slotInRange(slot) || wall < 1 || wall > pointsOf(slot)) {
        return false;
    }
    if (figures::seamEdge[slot][wall] != 0) {
        return false;
    }
    const figures::SideQuad& quad = figures::sideQuad[slot][wall];
    shape.wall = wall;
    shape.corner = {quad.corner1, quad.corner2, quad.corner3, quad.corner4};
    int vertices = 2 * pointsOf(slot);
    for (int c : shape.corner) {
        if (c < 1 || c > vertices) {
            return false;
        }
    }
    auto [c1, c2, c3, c4] = shape.corner;
    if (!(turn(slot, c1, c2, c3) > 0)) {
        return false;
    }
    const auto& x = projX[slot];
    const auto& y = projY[slot];
    const auto& z = projZ[slot];
    shape.minX = std::min({x[c1], x[c2], x[c3], x[c4]});
    shape.maxX = std::max({x[c1], x[c2], x[c3], x[c4]});
    shape.minY = std::min({y[c1], y[c2], y[c3], y[c4]});
    shape.maxY = std::max({y[c1], y[c2], y[c3], y[c4]});
    shape.nx = y[c1] * (z[c2] - z[c3]) + y[c2] * (z[c3] - z[c1]) + y[c3] * (z[c1] - z[c2]);
    shape.ny = z[c1] * (x[c2] - x[c3]) + z[c2] * (x[c3] - x[c1]) + z[c3] * (x[c1] - x[c2]);
    shape.nz = x[c1] * (y[c2] - y[c3]) + x[c2] * (y[c3] - y[c1]) + x[c3] * (y[c1] - y[c2]);
    shape.reference = shape.nx * x[c3] + shape.ny * y[c3] + shape.nz * z[c3];
    for (int i = 0; i < 4; ++i) {
        shape.roundedX[i] = numbers::roundToDigitsFast(x[shape.corner[i]], 13);
        shape.roundedY[i] = numbers::roundToDigitsFast(y[shape.corner[i]], 13);
    }
    return true;
}

bool candidateGivesWay(int slot, const WallShape& w, const WallShape& o) {
    if (neighbours(slot, w.wall, o.wall) || separateBoxes(w, o)) {
        return false;
    }
    if (countSide(slot, w, o, farSide) == 4) {
        return false;
    }
    int wFar = countSide(slot, o, w, farSide);
    int wNear = countSide(slot, o, w, nearSide);
    if (wNear == 4) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        Edge we = edgeOf(w, i);
        for (int j = 0; j < 4; ++j) {
            if (fartherAtCrossing(slot, we, edgeOf(o, j))) {
                return true;
            }
        }
    }
    bool contains = o.maxX >= w.maxX && o.maxY >= w.maxY && o.minX <= w.minX && o.minY <= w.minY;
    return wFar == 4 && contains;
}

namespace {

// Working storage of one ordering, indexed by position in the visible list (from 1).
struct Visible {
    std::array<WallShape, maxWalls + 1> shape;
    std::array<bool, maxWalls + 1> placed;
    // A pair is marked in the pass whose number it holds; a new pass clears all marks at once.
    std::array<std::array<std::int32_t, maxWalls + 1>, maxWalls + 1> markedInPass;
    std::int32_t pass;
    int count;
};

Visible visible;

// One selection pass: the remaining wall that no test found behind another remaining wall.
int selectFrontmost(int slot) {
    ++visible.pass;
    int candidate = 0;
    int k = 1;
    while (k <= visible.count) {
        if (visible.placed[k] || k == candidate) {
            ++k;
        } else if (candidate == 0) {
            candidate = k++;
        } else if (visible.markedInPass[candidate][k] == visible.pass) {
            ++k;
        } else if (candidateGivesWay(slot, visible.shape[candidate], visible.shape[k])) {
            visible.markedInPass[candidate][k] = visible.pass;
            visible.markedInPass[k][candidate] = visible.pass;
            candidate = k;
            k = 1;
        } else {
            ++k;
        }
    }
    return candidate;
}

} // namespace

void orderWalls(int slot) {
    wallOrderCount = 0;
    visible.count = 0;
    visible.pass = 0;
    for (auto& row : visible.markedInPass) {
        row.fill(0);
    }
    if (!slotInRange(slot)) {
        return;
    }
    int n = pointsOf(slot);
    for (int j = 1; j <= n; ++j) {
        WallShape& shape = visible.shape[visible.count + 1];
        if (shapeWall(slot, j, shape)) {
            ++visible.count;
            visible.placed[visible.count] = figures::hullEdge[slot][j] == 1;
        }
    }
    for (int k = 1; k <= visible.count; ++k) {
        if (visible.placed[k]) {
            wallOrder[wallOrderCount++] = visible.shape[k].wall;
        }
    }
    while (wallOrderCount < visible.count) {
        int chosen = selectFrontmost(slot);
        visible.placed[chosen] = true;
        wallOrder[wallOrderCount++] = visible.shape[chosen].wall;
    }
}

} // namespace render
