#include "fitter/point_budget.h"

#include "fitter/contour_limits.h"
#include "fitter/geometry.h"
#include "fitter/masks.h"

#include <cstdlib>

namespace fitter {

namespace {

void linkContours(BudgetWork& work, const Shape& rounded) {
    for (int c = 1; c <= rounded.contours; ++c) {
        const int first = rounded.first[c], last = rounded.last[c];
        work.head[c] = first;
        work.size[c] = last - first + 1;
        for (int k = first; k <= last; ++k) {
            work.prev[k] = k == first ? last : k - 1;
            work.next[k] = k == last ? first : k + 1;
            work.contourOf[k] = c;
            work.alive[k] = true;
            work.blocked[k] = false;
        }
    }
}

// Removing point v joins its neighbours a and b directly; allowed when the new edge meets no
// other edge, no point falls inside the cut-off triangle, and no straight point appears.
bool canRemove(const BudgetWork& work, const Shape& rounded, int v) {
    auto at = [&](int k) { return pointOf(rounded, k); };
    const int a = work.prev[v], b = work.next[v];
    if (work.size[work.contourOf[v]] <= 3 || cross(at(work.prev[a]), at(a), at(b)) == 0 ||
        cross(at(a), at(b), at(work.next[b])) == 0) {
        return false;
    }
    for (int w = 1; w <= rounded.points; ++w) {
        if (!work.alive[w] || w == v) {
            continue;
        }
        const int n = work.next[w];
        if (w != a && w != b && n != a && n != b && segmentsMeet(at(a), at(b), at(w), at(n))) {
            return false;
        }
        if (w != a && w != b &&
            (rayCrosses(at(w), at(a), at(v)) ^ rayCrosses(at(w), at(v), at(b)) ^
             rayCrosses(at(w), at(b), at(a)))) {
            return false;
        }
    }
    return true;
}

bool operator<(const PointCost& a, const PointCost& b) {
    return a.samples != b.samples ? a.samples < b.samples : a.area < b.area;
}

void updateCost(BudgetWork& work, const Shape& rounded, const FigureMask& glyphMask,
                const FigureMask& shapeMask, int v) {
    const IntPoint a = pointOf(rounded, work.prev[v]), p = pointOf(rounded, v),
                   b = pointOf(rounded, work.next[v]);
    Change change = triangleChange(a, p, b, glyphMask, shapeMask);
    work.costs[v] = {change.either - change.both, std::llabs(cross(a, p, b))};
}

int alivePoints(const BudgetWork& work, const Shape& rounded) {
    int count = 0;
    for (int c = 1; c <= rounded.contours; ++c) {
        count += work.size[c];
    }
    return count;
}

// The points the remaining contours may keep once the seams that join them are paid for.
int pointTarget(const BudgetWork& work, const Shape& rounded) {
    int outers = 0, contours = 0;
    for (int c = 1; c <= rounded.contours; ++c) {
        contours += work.size[c] > 0 ? 1 : 0;
        outers += work.size[c] > 0 && rounded.outer[c] ? 1 : 0;
    }
    return figures::maxPoints - 2 * seamsNeeded(outers, contours);
}

void collectLinked(const BudgetWork& work, const Shape& rounded, Shape& shape) {
    shape.points = 0;
    shape.contours = 0;
    for (int c = 1; c <= rounded.contours; ++c) {
        if (work.size[c] == 0) {
            continue;
        }
        ++shape.contours;
        shape.first[shape.contours] = shape.points + 1;
        shape.outer[shape.contours] = rounded.outer[c];
        int k = work.head[c];
        do {
            ++shape.points;
            shape.x[shape.points] = rounded.x[k];
            shape.y[shape.points] = rounded.y[k];
            k = work.next[k];
        } while (k != work.head[c]);
        shape.last[shape.contours] = shape.points;
    }
}

// The linked contour of least area (it holds no other); every one of its points is taken out.
// True when it was a hole.
bool dropSmallestContour(BudgetWork& work, const Shape& rounded) {
    int smallest = 0;
    std::int64_t smallestArea = 0;
    for (int c = 1; c <= rounded.contours; ++c) {
        if (work.size[c] == 0) {
            continue;
        }
        std::int64_t area = 0;
        int k = work.head[c];
        do {
            area += cross({0, 0}, pointOf(rounded, k), pointOf(rounded, work.next[k]));
            k = work.next[k];
        } while (k != work.head[c]);
        if (smallest == 0 || std::llabs(area) < smallestArea) {
            smallest = c;
            smallestArea = std::llabs(area);
        }
    }
    for (int k = rounded.first[smallest]; k <= rounded.last[smallest]; ++k) {
        work.alive[k] = false;
    }
    work.size[smallest] = 0;
    return !rounded.outer[smallest];
}

// The cheapest point that may still go (not blocked, on a contour of more than 3); 0 for none.
int cheapestPoint(const BudgetWork& work, const Shape& rounded) {
    int best = 0;
    for (int k = 1; k <= rounded.points; ++k) {
        if (work.alive[k] && !work.blocked[k] && work.size[work.contourOf[k]] > 3 &&
            (best == 0 || work.costs[k] < work.costs[best])) {
            best = k;
        }
    }
    return best;
}

void removeLinkedPoint(BudgetWork& work, const Shape& rounded, FigureMask& shapeMask, int v) {
    const int a = work.prev[v], b = work.next[v], c = work.contourOf[v];
    flipTriangle(pointOf(rounded, a), pointOf(rounded, v), pointOf(rounded, b), shapeMask);
    work.next[a] = b;
    work.prev[b] = a;
    work.alive[v] = false;
    --work.size[c];
    if (work.head[c] == v) {
        work.head[c] = b;
    }
    work.blocked[a] = work.blocked[b] = false;
}

} // namespace

void spendPointBudget(BudgetWork& work, const Shape& rounded, const FigureMask& glyphMask,
                      FigureMask& shapeMask, Shape& figure, int& dropped, int& droppedHoles) {
    linkContours(work, rounded);
    fillShape(rounded, shapeMask);
    for (int k = 1; k <= rounded.points; ++k) {
        updateCost(work, rounded, glyphMask, shapeMask, k);
    }
    bool unblockedSinceRemoval = true;
    while (alivePoints(work, rounded) > pointTarget(work, rounded)) {
        const int best = cheapestPoint(work, rounded);
        if (best == 0 && !unblockedSinceRemoval) {
            work.blocked.fill(false);
            unblockedSinceRemoval = true;
        } else if (best == 0) {
            // Every point is held by its neighbours: the smallest contour goes.
            droppedHoles += dropSmallestContour(work, rounded) ? 1 : 0;
            ++dropped;
            collectLinked(work, rounded, work.remaining);
            fillShape(work.remaining, shapeMask);
            for (int k = 1; k <= rounded.points; ++k) {
                if (work.alive[k]) {
                    updateCost(work, rounded, glyphMask, shapeMask, k);
                }
            }
        } else if (!canRemove(work, rounded, best)) {
            work.blocked[best] = true;
        } else {
            const int a = work.prev[best], b = work.next[best];
            removeLinkedPoint(work, rounded, shapeMask, best);
            updateCost(work, rounded, glyphMask, shapeMask, a);
            updateCost(work, rounded, glyphMask, shapeMask, b);
            unblockedSinceRemoval = false;
        }
    }
    collectLinked(work, rounded, figure);
}

} // namespace fitter
