#include "importer/optimise.h"

#include "importer/geometry.h"

#include <algorithm>
#include <cmath>

namespace importer {

namespace {

constexpr std::int64_t eighths = 2 * samplesPerUnit;

struct Neighbours {
    std::array<int, maxGlyphPoints + 1> prev;
    std::array<int, maxGlyphPoints + 1> next;
};
Neighbours around;

void findNeighbours(const Shape& shape) {
    for (int c = 1; c <= shape.contours; ++c) {
        for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
            around.prev[k] = k == shape.first[c] ? shape.last[c] : k - 1;
            around.next[k] = k == shape.last[c] ? shape.first[c] : k + 1;
        }
    }
}

// Moving point v to p keeps the figure sound.
bool canMove(const Shape& shape, int v, IntPoint p) {
    const int a = around.prev[v], b = around.next[v];
    const IntPoint pa = pointOf(shape, a), pb = pointOf(shape, b);
    if (cross(pointOf(shape, around.prev[a]), pa, p) == 0 || cross(pa, p, pb) == 0 ||
        cross(p, pb, pointOf(shape, around.next[b])) == 0) {
        return false;
    }
    const IntPoint pv = pointOf(shape, v);
    for (int w = 1; w <= shape.points; ++w) {
        if (w == v) {
            continue;
        }
        const int n = around.next[w];
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

// Walks the samples that change sides when the path a-v-b becomes a-p-b (the even-odd area of
// the closed path a, v, b, p), counting the change or applying it.
template <typename Visit>
void forFlippedSamples(IntPoint a, IntPoint v, IntPoint b, IntPoint p, Visit visit) {
    const IntPoint path[4] = {{a.x * eighths, a.y * eighths},
                              {v.x * eighths, v.y * eighths},
                              {b.x * eighths, b.y * eighths},
                              {p.x * eighths, p.y * eighths}};
    std::int64_t top = path[0].y, bottom = path[0].y;
    for (const IntPoint& q : path) {
        top = std::max(top, q.y);
        bottom = std::min(bottom, q.y);
    }
    const int side = figureRasterSide;
    const auto firstRow =
        static_cast<int>(std::clamp<std::int64_t>((side - 1 - top) / 2 - 1, 0, side));
    const auto lastRow =
        static_cast<int>(std::clamp<std::int64_t>((side - 1 - bottom) / 2 + 2, 0, side));
    for (int row = firstRow; row < lastRow; ++row) {
        int columns[4];
        int count = 0;
        for (int e = 0; e < 4; ++e) {
            const IntPoint& from = path[e];
            const IntPoint& to = path[(e + 1) % 4];
            int column = edgeColumn(from.x, from.y, to.x, to.y, row);
            if (column >= 0) {
                columns[count++] = column;
            }
        }
        for (int i = 1; i < count; ++i) {
            for (int j = i; j > 0 && columns[j - 1] > columns[j]; --j) {
                std::swap(columns[j - 1], columns[j]);
            }
        }
        for (int i = 0; i + 1 < count; i += 2) {
            for (int column = columns[i]; column < columns[i + 1]; ++column) {
                visit(row * side + column);
            }
        }
    }
}

Change changeOf(const Shape& shape, int v, IntPoint p, const FigureMask& glyphMask,
                const FigureMask& shapeMask) {
    Change change{0, 0};
    forFlippedSamples(pointOf(shape, around.prev[v]), pointOf(shape, v),
                      pointOf(shape, around.next[v]), p, [&](int sample) {
                          const int inGlyph = glyphMask[sample];
                          const int sign = shapeMask[sample] ? -1 : 1;
                          change.both += sign * inGlyph;
                          change.either += sign * (1 - inGlyph);
                      });
    return change;
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
bool edgeIsFree(const Shape& shape, int a, int b, int skip) {
    const IntPoint pa = pointOf(shape, a), pb = pointOf(shape, b);
    for (int w = 1; w <= shape.points; ++w) {
        const int n = around.next[w];
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

bool canRemovePoint(const Shape& shape, int v) {
    const int c = contourOf(shape, v);
    const int a = around.prev[v], b = around.next[v];
    return shape.last[c] - shape.first[c] + 1 > 3 &&
           cross(pointOf(shape, around.prev[a]), pointOf(shape, a), pointOf(shape, b)) != 0 &&
           cross(pointOf(shape, a), pointOf(shape, b), pointOf(shape, around.next[b])) != 0 &&
           edgeIsFree(shape, a, b, v) &&
           noPointInside(shape, pointOf(shape, a), pointOf(shape, v), pointOf(shape, b), a, v, b);
}

// A point p between a and its successor b.
bool canInsertPoint(const Shape& shape, int a, IntPoint p) {
    const int b = around.next[a];
    const IntPoint pa = pointOf(shape, a), pb = pointOf(shape, b);
    if (cross(pointOf(shape, around.prev[a]), pa, p) == 0 || cross(pa, p, pb) == 0 ||
        cross(p, pb, pointOf(shape, around.next[b])) == 0) {
        return false;
    }
    for (int w = 1; w <= shape.points; ++w) {
        const int n = around.next[w];
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

void removePoint(Shape& shape, int v) {
    const int c = contourOf(shape, v);
    std::copy(&shape.x[v + 1], &shape.x[shape.points + 1], &shape.x[v]);
    std::copy(&shape.y[v + 1], &shape.y[shape.points + 1], &shape.y[v]);
    --shape.points;
    --shape.last[c];
    for (int d = c + 1; d <= shape.contours; ++d) {
        --shape.first[d];
        --shape.last[d];
    }
    findNeighbours(shape);
}

void insertPoint(Shape& shape, int a, IntPoint p) {
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
    findNeighbours(shape);
}

Shape saved;

} // namespace

// The even-odd area of a triangle changes sides when one of its corners is cut off or added.
Change triangleChange(IntPoint a, IntPoint b, IntPoint c, const FigureMask& glyphMask,
                      const FigureMask& shapeMask) {
    Change change{0, 0};
    forFlippedSamples(a, b, c, c, [&](int sample) {
        const int inGlyph = glyphMask[sample];
        const int sign = shapeMask[sample] ? -1 : 1;
        change.both += sign * inGlyph;
        change.either += sign * (1 - inGlyph);
    });
    return change;
}

void flipTriangle(IntPoint a, IntPoint b, IntPoint c, FigureMask& shapeMask) {
    forFlippedSamples(a, b, c, c, [&](int sample) { shapeMask[sample] ^= 1; });
}

// Moves a point from where it carries the least shape to the edge where one more carries the
// most, while that raises the overlap; the points are moved again after every such swap.
void reallocatePoints(Shape& figure, const FigureMask& glyphMask, FigureMask& shapeMask,
                      int maxPoints, const Effort& effort) {
    constexpr int reach = 8;
    for (int swap = 0; swap < effort.swaps; ++swap) {
        findNeighbours(figure);
        Overlap overlap =
            overlapOf(glyphMask.data(), shapeMask.data(), figureRasterSide * figureRasterSide);
        std::int64_t both = overlap.both, either = overlap.either;
        const double before = ratio(both, either);
        saved = figure;
        IntPoint removed[3];
        bool didRemove = false;
        if (figure.points >= maxPoints) {
            int best = 0;
            double bestValue = -1.0;
            for (int v = 1; v <= figure.points; ++v) {
                Change change =
                    triangleChange(pointOf(figure, around.prev[v]), pointOf(figure, v),
                                   pointOf(figure, around.next[v]), glyphMask, shapeMask);
                double value = ratio(both + change.both, either + change.either);
                if (value > bestValue && canRemovePoint(figure, v)) {
                    best = v;
                    bestValue = value;
                }
            }
            if (best == 0) {
                return;
            }
            removed[0] = pointOf(figure, around.prev[best]);
            removed[1] = pointOf(figure, best);
            removed[2] = pointOf(figure, around.next[best]);
            Change change =
                triangleChange(removed[0], removed[1], removed[2], glyphMask, shapeMask);
            flipTriangle(removed[0], removed[1], removed[2], shapeMask);
            both += change.both;
            either += change.either;
            removePoint(figure, best);
            didRemove = true;
        }
        Best best{before, 0, {}, {0, 0}};
        for (int a = 1; a <= figure.points; ++a) {
            const IntPoint pa = pointOf(figure, a), pb = pointOf(figure, around.next[a]);
            const double dx = static_cast<double>(pb.x - pa.x),
                         dy = static_cast<double>(pb.y - pa.y);
            const double length = std::sqrt(dx * dx + dy * dy);
            if (length < 2.0) {
                continue;
            }
            for (int t = -reach; t <= reach; ++t) {
                const IntPoint p{
                    static_cast<std::int64_t>(std::lround((pa.x + pb.x) / 2.0 - dy / length * t)),
                    static_cast<std::int64_t>(std::lround((pa.y + pb.y) / 2.0 + dx / length * t))};
                consider(best, a, p, triangleChange(pa, p, pb, glyphMask, shapeMask), both, either,
                         [&] { return canInsertPoint(figure, a, p); });
            }
        }
        if (best.where == 0) {
            if (didRemove) {
                flipTriangle(removed[0], removed[1], removed[2], shapeMask);
                figure = saved;
                findNeighbours(figure);
            }
            return;
        }
        flipTriangle(pointOf(figure, best.where), best.point,
                     pointOf(figure, around.next[best.where]), shapeMask);
        insertPoint(figure, best.where, best.point);
        movePoints(figure, glyphMask, shapeMask, effort.passes);
    }
}

void movePoints(Shape& figure, const FigureMask& glyphMask, FigureMask& shapeMask, int passes) {
    findNeighbours(figure);
    Overlap overlap =
        overlapOf(glyphMask.data(), shapeMask.data(), figureRasterSide * figureRasterSide);
    std::int64_t both = overlap.both, either = overlap.either;
    for (int pass = 0; pass < passes; ++pass) {
        bool improved = false;
        for (int v = 1; v <= figure.points; ++v) {
            Best best{ratio(both, either), 0, {}, {0, 0}};
            for (int step : steps) {
                for (const IntPoint& d : directions) {
                    IntPoint p{figure.x[v] + step * d.x, figure.y[v] + step * d.y};
                    consider(best, v, p, changeOf(figure, v, p, glyphMask, shapeMask), both, either,
                             [&] { return canMove(figure, v, p); });
                }
            }
            if (best.where == 0) {
                continue;
            }
            forFlippedSamples(pointOf(figure, around.prev[v]), pointOf(figure, v),
                              pointOf(figure, around.next[v]), best.point,
                              [&](int sample) { shapeMask[sample] ^= 1; });
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

} // namespace importer
