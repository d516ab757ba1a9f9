#include "fitter/seams.h"

#include "figures/figures.h"
#include "fitter/contour_limits.h"
#include "fitter/geometry.h"

#include <algorithm>

namespace fitter {

namespace {

struct Seam {
    int from, to;        // points of two contours
    std::int64_t length; // squared; 0 while none is found
};

int contourHolding(const Shape& shape, int k) {
    int c = 1;
    while (c < shape.contours && shape.last[c] < k) {
        ++c;
    }
    return c;
}

int successorOf(const Shape& shape, int k) {
    const int c = contourHolding(shape, k);
    return k == shape.last[c] ? shape.first[c] : k + 1;
}

int predecessorOf(const Shape& shape, int k) {
    const int c = contourHolding(shape, k);
    return k == shape.first[c] ? shape.last[c] : k - 1;
}

bool standsOnce(const Shape& shape, int k) {
    for (int m = 1; m <= shape.points; ++m) {
        if (m != k && shape.x[m] == shape.x[k] && shape.y[m] == shape.y[k]) {
            return false;
        }
    }
    return true;
}

// The contour's greatest point by x, then y: where the program decides the contour's turn.
int rightmostPoint(const Shape& shape, int c) {
    int best = shape.first[c];
    for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
        if (shape.x[k] > shape.x[best] ||
            (shape.x[k] == shape.x[best] && shape.y[k] > shape.y[best])) {
            best = k;
        }
    }
    return best;
}

bool greater(const Shape& shape, int a, int b) {
    return shape.x[a] > shape.x[b] || (shape.x[a] == shape.x[b] && shape.y[a] > shape.y[b]);
}

// A seam from p to q keeps the figure sound: it meets no edge but at its own two ends, turns at
// both of them, and neither end stands twice already.
bool seamIsFree(const Shape& shape, int p, int q) {
    const IntPoint a = pointOf(shape, p), b = pointOf(shape, q);
    if (cross(pointOf(shape, predecessorOf(shape, p)), a, b) == 0 ||
        cross(b, a, pointOf(shape, successorOf(shape, p))) == 0 ||
        cross(a, b, pointOf(shape, successorOf(shape, q))) == 0 ||
        cross(pointOf(shape, predecessorOf(shape, q)), b, a) == 0 || !standsOnce(shape, p) ||
        !standsOnce(shape, q)) {
        return false;
    }
    for (int w = 1; w <= shape.points; ++w) {
        const int n = successorOf(shape, w);
        if (w == p || w == q || n == p || n == q) {
            continue;
        }
        if (segmentsMeet(a, b, pointOf(shape, w), pointOf(shape, n))) {
            return false;
        }
    }
    return true;
}

// Contours x and y as one: x from p, the seam, y from q round to q, the seam back. y may run
// either way round; the soundness check says which one the nesting asks.
void splice(const Shape& shape, int x, int p, int y, int q, bool reverseY, Shape& joined) {
    joined.points = 0;
    joined.contours = 0;
    auto add = [&](int k) {
        ++joined.points;
        joined.x[joined.points] = shape.x[k];
        joined.y[joined.points] = shape.y[k];
    };
    for (int c = 1; c <= shape.contours; ++c) {
        if (c == y) {
            continue;
        }
        ++joined.contours;
        joined.first[joined.contours] = joined.points + 1;
        if (c != x) {
            for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
                add(k);
            }
        } else {
            add(p);
            int k = q;
            do {
                add(k);
                k = reverseY ? predecessorOf(shape, k) : successorOf(shape, k);
            } while (k != q);
            add(q);
            add(p);
            for (k = successorOf(shape, p); k != p; k = successorOf(shape, k)) {
                add(k);
            }
        }
        joined.last[joined.contours] = joined.points;
        joined.outer[joined.contours] = shape.outer[c];
    }
    // The joined contour is outer as the piece holding its rightmost point is.
    const int holder = greater(shape, rightmostPoint(shape, y), rightmostPoint(shape, x)) ? y : x;
    joined.outer[x < y ? x : x - 1] = shape.outer[holder];
}

// The shortest free seam between two contours that lowers the outer count (when that is what is
// needed) and keeps clear of both contours' rightmost points.
Seam shortestSeam(const Shape& shape, bool fewerOuter) {
    Seam best{0, 0, 0};
    for (int x = 1; x <= shape.contours; ++x) {
        for (int y = x + 1; y <= shape.contours; ++y) {
            const int rx = rightmostPoint(shape, x), ry = rightmostPoint(shape, y);
            const bool joinedOuter = shape.outer[greater(shape, ry, rx) ? y : x];
            const int outerBefore = (shape.outer[x] ? 1 : 0) + (shape.outer[y] ? 1 : 0);
            if (fewerOuter && outerBefore - (joinedOuter ? 1 : 0) < 1) {
                continue;
            }
            const int top = greater(shape, ry, rx) ? ry : rx;
            for (int p = shape.first[x]; p <= shape.last[x]; ++p) {
                for (int q = shape.first[y]; q <= shape.last[y]; ++q) {
                    if (p == top || q == top) {
                        continue;
                    }
                    const std::int64_t dx = shape.x[p] - shape.x[q], dy = shape.y[p] - shape.y[q];
                    const std::int64_t length = dx * dx + dy * dy;
                    if ((best.length == 0 || length < best.length) && seamIsFree(shape, p, q)) {
                        best = {p, q, length};
                    }
                }
            }
        }
    }
    return best;
}

} // namespace

bool joinPieces(Shape& shape, Shape& work) {
    for (;;) {
        const int outers = outerContourCount(shape);
        const bool fewerOuter = outers > figures::maxOuterContours;
        if (!fewerOuter && shape.contours <= figures::maxContours) {
            return true;
        }
        if (shape.points + 2 > figures::maxPoints) {
            return false;
        }
        const Seam seam = shortestSeam(shape, fewerOuter);
        if (seam.length == 0) {
            return false;
        }
        const int x = contourHolding(shape, seam.from), y = contourHolding(shape, seam.to);
        bool joined = false;
        for (bool reverseY : {false, true}) {
            splice(shape, x, seam.from, y, seam.to, reverseY, work);
            if (shapeFault(work, workingLimits) == Fault::none) {
                joined = true;
                break;
            }
        }
        if (!joined) {
            return false;
        }
        shape = work;
    }
}

} // namespace fitter
