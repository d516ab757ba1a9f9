#include "importer/optimise.h"

#include "importer/geometry.h"

#include <algorithm>

namespace importer {

namespace {

constexpr int maxPasses = 60;
constexpr std::int64_t eighths = 2 * samplesPerUnit;

struct Neighbours {
    std::array<int, maxGlyphPoints + 1> prev;
    std::array<int, maxGlyphPoints + 1> next;
};
Neighbours around;

IntPoint pointOf(const Shape& shape, int k) {
    return {shape.x[k], shape.y[k]};
}

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

struct Change {
    std::int64_t both;
    std::int64_t either;
};

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

constexpr IntPoint directions[8] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},
                                    {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
constexpr int steps[3] = {1, 2, 3};

} // namespace

void movePoints(Shape& figure, const FigureMask& glyphMask, FigureMask& shapeMask) {
    findNeighbours(figure);
    Overlap overlap =
        overlapOf(glyphMask.data(), shapeMask.data(), figureRasterSide * figureRasterSide);
    std::int64_t both = overlap.both, either = overlap.either;
    for (int pass = 0; pass < maxPasses; ++pass) {
        bool improved = false;
        for (int v = 1; v <= figure.points; ++v) {
            double best = ratio(both, either);
            IntPoint bestPoint{};
            Change bestChange{0, 0};
            bool found = false;
            for (int step : steps) {
                for (const IntPoint& d : directions) {
                    IntPoint p{figure.x[v] + step * d.x, figure.y[v] + step * d.y};
                    Change change = changeOf(figure, v, p, glyphMask, shapeMask);
                    double value = ratio(both + change.both, either + change.either);
                    if (value > best + 1e-12 && canMove(figure, v, p)) {
                        best = value;
                        bestPoint = p;
                        bestChange = change;
                        found = true;
                    }
                }
            }
            if (!found) {
                continue;
            }
            forFlippedSamples(pointOf(figure, around.prev[v]), pointOf(figure, v),
                              pointOf(figure, around.next[v]), bestPoint,
                              [&](int sample) { shapeMask[sample] ^= 1; });
            figure.x[v] = static_cast<std::int32_t>(bestPoint.x);
            figure.y[v] = static_cast<std::int32_t>(bestPoint.y);
            both += bestChange.both;
            either += bestChange.either;
            improved = true;
        }
        if (!improved) {
            return;
        }
    }
}

} // namespace importer
