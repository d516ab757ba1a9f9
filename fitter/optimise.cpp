#include "fitter/optimise.h"

#include "fitter/geometry.h"

#include <algorithm>
#include <cmath>

namespace fitter {

namespace {

void findNeighbours(OptimiserWork& work, const Shape& shape) {
    for (int c = 1; c <= shape.contours; ++c) {
        for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
            work.prev[k] = k == shape.first[c] ? shape.last[c] : k - 1;
            work.next[k] = k == shape.last[c] ? shape.first[c] : k + 1;
        }
    }
}

// Moving point v to p keeps the figure sound.
bool canMove(const OptimiserWork& work, const Shape& shape, int v, IntPoint p) {
    const int a = work.prev[v], b = work.next[v];
    const IntPoint pa = pointOf(shape, a), pb = pointOf(shape, b);
    if (cross(pointOf(shape, work.prev[a]), pa, p) == 0 || cross(pa, p, pb) == 0 ||
        cross(p, pb, pointOf(shape, work.next[b])) == 0) {
        return false;
    }
    const IntPoint pv = pointOf(shape, v);
    for (int w = 1; w <= shape.points; ++w) {
        if (w == v) {
            continue;
        }
        const int n = work.next[w];
        const IntPoint pw = pointOf(shape, w), pn = pointOf(shape, n);
        if (n != v) {
            if (w != a && n != a && segmentsMeet(pa, p, pw, pn)) {
                return false;
            }
            if (w != b && n != b && segmentsMeet(p, pb, pw, pn)) {
                return false;
            }
        }
        // No point may lie in the area that changes sides.
        if (w != a && w != b &&
            (rayCrosses(pw, pa, pv) ^ rayCrosses(pw, pv, pb) ^ rayCrosses(pw, pb, p) ^
             rayCrosses(pw, p, pa))) {
            return false;
        }
    }
    return true;
}

double ratio(std::int64_t both, std::int64_t either) {
    return either == 0 ? 0.0 : static_cast<double>(both) / either;
}

// The best step found so far: where it acts (a point or an edge; 0 until one is found), the
// overlap it gives, the new point and its change of the sample counts.
struct Best {
    double value;
    int where;
    IntPoint point;
    Change change;
};

// Keeps the step when it raises the overlap above the best so far and the figure allows it
// (asked last, as the costlier test).
template <typename Allowed>
void consider(Best& best, int where, IntPoint point, Change change, std::int64_t both,
              std::int64_t either, Allowed allowed) {
    const double value = ratio(both + change.both, either + change.either);
    if (value > best.value + 1e-12 && allowed()) {
        best = {value, where, point, change};
    }
}

constexpr IntPoint directions[8] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                    {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr int steps[2] = {1, 2};

// The new edge from a to b meets no edge but those sharing a or b, and turns nowhere straight.
bool edgeIsFree(const OptimiserWork& work, const Shape& shape, int a, int b, int skip) {
    const IntPoint pa = pointOf(shape, a), pb = pointOf(shape, b);
    for (int w = 1; w <= shape.points; ++w) {
        const int n = work.next[w];
        if (w == skip || n == skip || w == a || w == b || n == a || n == b) {
            continue;
        }
        if (segmentsMeet(pa, pb, pointOf(shape, w), pointOf(shape, n))) {
            return false;
        }
    }
    return true;
}

bool noPointInside(const Shape& shape, IntPoint a, IntPoint b, IntPoint c, int skip1, int skip2,
                   int skip3) {
    for (int w = 1; w <= shape.points; ++w) {
        if (w == skip1 || w == skip2 || w == skip3) {
            continue;
        }
        const IntPoint pw = pointOf(shape, w);
        if (rayCrosses(pw, a, b) ^ rayCrosses(pw, b, c) ^ rayCrosses(pw, c, a)) {
            return false;
        }
    }
    return true;
}

int contourOf(const Shape& shape, int k) {
    int c = 1;
    while (c < shape.contours && shape.last[c] < k) {
        ++c;
    }
    return c;
}

bool canRemovePoint(const OptimiserWork& work, const Shape& shape, int v) {
    const int c = contourOf(shape, v);
    const int a = work.prev[v], b = work.next[v];
    return shape.last[c] - shape.first[c] + 1 > 3 &&
           cross(pointOf(shape, work.prev[a]), pointOf(shape, a), pointOf(shape, b)) != 0 &&
           cross(pointOf(shape, a), pointOf(shape, b), pointOf(shape, work.next[b])) != 0 &&
           edgeIsFree(work, shape, a, b, v) &&
           noPointInside(shape, pointOf(shape, a), pointOf(shape, v), pointOf(shape, b), a, v, b);
}

// A point p between a and its successor b.
bool canInsertPoint(const OptimiserWork& work, const Shape& shape, int a, IntPoint p) {
    const int b = work.next[a];
    const IntPoint pa = pointOf(shape, a), pb = pointOf(shape, b);
    if (cross(pointOf(shape, work.prev[a]), pa, p) == 0 || cross(pa, p, pb) == 0 ||
        cross(p, pb, pointOf(shape, work.next[b])) == 0) {
        return false;
    }
    for (int w = 1; w <= shape.points; ++w) {
        const int n = work.next[w];
        if (w == a && n == b) {
            continue;
        }
        const IntPoint pw = pointOf(shape, w), pn = pointOf(shape, n);
        if ((w != a && n != a && segmentsMeet(pa, p, pw, pn)) ||
            (w != b && n != b && segmentsMeet(p, pb, pw, pn))) {
            return false;
        }
    }
    return noPointInside(shape, pa, p, pb, a, b, 0);
}

void removePoint(OptimiserWork& work, Shape& shape, int v) {
    const int c = contourOf(shape, v);
    std::copy(&shape.x[v + 1], &shape.x[shape.points + 1], &shape.x[v]);
    std::copy(&shape.y[v + 1], &shape.y[shape.points + 1], &shape.y[v]);
    --shape.points;
    --shape.last[c];
    for (int d = c + 1; d <= shape.contours; ++d) {
        --shape.first[d];
        --shape.last[d];
    }
    findNeighbours(work, shape);
}

void insertPoint(OptimiserWork& work, Shape& shape, int a, IntPoint p) {
    const int c = contourOf(shape, a);
    const int at = a + 1; // after a; when a is the last point this ends the contour
    std::copy_backward(&shape.x[at], &shape.x[shape.points + 1], &shape.x[shape.points + 2]);
    std::copy_backward(&shape.y[at], &shape.y[shape.points + 1], &shape.y[shape.points + 2]);
    shape.x[at] = static_cast<std::int32_t>(p.x);
    shape.y[at] = static_cast<std::int32_t>(p.y);
    ++shape.points;
    ++shape.last[c];
    for (int d = c + 1; d <= shape.contours; ++d) {
        ++shape.first[d];
        ++shape.last[d];
    }
    findNeighbours(work, shape);
}

// The sample counts of the figure's overlap with the glyph, kept up to date through a swap.
struct Counts {
    std::int64_t both;
    std::int64_t either;
};

// Takes out the point whose corner carries the least shape (the triangle it cuts off is stored
// in `removed`); false when no point may go.
bool removeWeakestPoint(OptimiserWork& work, Shape& figure, const FigureMask& glyphMask,
                        FigureMask& shapeMask, Counts& counts, IntPoint (&removed)[3]) {
    int best = 0;
    double bestValue = -1.0;
    for (int v = 1; v <= figure.points; ++v) {
        Change change = triangleChange(pointOf(figure, work.prev[v]), pointOf(figure, v),
                                       pointOf(figure, work.next[v]), glyphMask, shapeMask);
        double value = ratio(counts.both + change.both, counts.either + change.either);
        if (value > bestValue && canRemovePoint(work, figure, v)) {
            best = v;
            bestValue = value;
        }
    }
    if (best == 0) {
        return false;
    }
    removed[0] = pointOf(figure, work.prev[best]);
    removed[1] = pointOf(figure, best);
    removed[2] = pointOf(figure, work.next[best]);
    Change change = triangleChange(removed[0], removed[1], removed[2], glyphMask, shapeMask);
    flipTriangle(removed[0], removed[1], removed[2], shapeMask);
    counts.both += change.both;
    counts.either += change.either;
    removePoint(work, figure, best);
    return true;
}

// The edge where one more point, a few units off its middle, raises the overlap the most above
// `before`; where 0 when none does.
Best strongestInsertion(const OptimiserWork& work, const Shape& figure, const FigureMask& glyphMask,
                        const FigureMask& shapeMask, const Counts& counts, double before) {
    constexpr int reach = 8;
    Best best{before, 0, {}, {0, 0}};
    for (int a = 1; a <= figure.points; ++a) {
        const IntPoint pa = pointOf(figure, a), pb = pointOf(figure, work.next[a]);
        const double dx = static_cast<double>(pb.x - pa.x), dy = static_cast<double>(pb.y - pa.y);
        const double length = std::sqrt(dx * dx + dy * dy);
        if (length < 2.0) {
            continue;
        }
        for (int t = -reach; t <= reach; ++t) {
            const IntPoint p{
                static_cast<std::int64_t>(std::lround((pa.x + pb.x) / 2.0 - dy / length * t)),
                static_cast<std::int64_t>(std::lround((pa.y + pb.y) / 2.0 + dx / length * t))};
            consider(best, a, p, triangleChange(pa, p, pb, glyphMask, shapeMask), counts.both,
                     counts.either, [&] { return canInsertPoint(work, figure, a, p); });
        }
    }
    return best;
}

} // namespace

// Moves a point from where it carries the least shape to the edge where one more carries the
// most, while that raises the overlap; the points are moved again after every such swap.
void reallocatePoints(OptimiserWork& work, Shape& figure, const FigureMask& glyphMask,
                      FigureMask& shapeMask, int maxPoints, const Effort& effort) {
    for (int swap = 0; swap < effort.swaps; ++swap) {
        findNeighbours(work, figure);
        Overlap overlap =
            overlapOf(glyphMask.data(), shapeMask.data(), figureRasterSide * figureRasterSide);
        Counts counts{overlap.both, overlap.either};
        const double before = ratio(counts.both, counts.either);
        work.saved = figure;
        IntPoint removed[3];
        bool didRemove = false;
        if (figure.points >= maxPoints) {
            if (!removeWeakestPoint(work, figure, glyphMask, shapeMask, counts, removed)) {
                return;
            }
            didRemove = true;
        }
        const Best best = strongestInsertion(work, figure, glyphMask, shapeMask, counts, before);
        if (best.where == 0) {
            if (didRemove) {
                flipTriangle(removed[0], removed[1], removed[2], shapeMask);
                figure = work.saved;
                findNeighbours(work, figure);
            }
            return;
        }
        flipTriangle(pointOf(figure, best.where), best.point,
                     pointOf(figure, work.next[best.where]), shapeMask);
        insertPoint(work, figure, best.where, best.point);
        movePoints(work, figure, glyphMask, shapeMask, effort.passes);
    }
}

void movePoints(OptimiserWork& work, Shape& figure, const FigureMask& glyphMask,
                FigureMask& shapeMask, int passes) {
    findNeighbours(work, figure);
    Overlap overlap =
        overlapOf(glyphMask.data(), shapeMask.data(), figureRasterSide * figureRasterSide);
    std::int64_t both = overlap.both, either = overlap.either;
    for (int pass = 0; pass < passes; ++pass) {
        bool improved = false;
        for (int v = 1; v <= figure.points; ++v) {
            const IntPoint pa = pointOf(figure, work.prev[v]), pv = pointOf(figure, v),
                           pb = pointOf(figure, work.next[v]);
            Best best{ratio(both, either), 0, {}, {0, 0}};
            for (int step : steps) {
                for (const IntPoint& d : directions) {
                    IntPoint p{figure.x[v] + step * d.x, figure.y[v] + step * d.y};
                    consider(best, v, p, pathChange(pa, pv, pb, p, glyphMask, shapeMask), both,
                             either, [&] { return canMove(work, figure, v, p); });
                }
            }
            if (best.where == 0) {
                continue;
            }
            flipPath(pa, pv, pb, best.point, shapeMask);
            figure.x[v] = static_cast<std::int32_t>(best.point.x);
            figure.y[v] = static_cast<std::int32_t>(best.point.y);
            both += best.change.both;
            either += best.change.either;
            improved = true;
        }
        if (!improved) {
            return;
        }
    }
}

} // namespace fitter
