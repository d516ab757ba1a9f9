#include "importer/geometry.h"

#include <algorithm>
#include <cstdlib>

namespace importer {

namespace {

int sign(std::int64_t v) {
    return (v > 0) - (v < 0);
}

bool onSegment(IntPoint p, IntPoint a, IntPoint b) {
    return cross(a, b, p) == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

int successor(const Shape& shape, int contour, int k) {
    return k == shape.last[contour] ? shape.first[contour] : k + 1;
}

Shape recordShape;

} // namespace

std::int64_t cross(IntPoint o, IntPoint a, IntPoint b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool segmentsMeet(IntPoint a, IntPoint b, IntPoint c, IntPoint d) {
    int d1 = sign(cross(a, b, c)), d2 = sign(cross(a, b, d));
    int d3 = sign(cross(c, d, a)), d4 = sign(cross(c, d, b));
    if (d1 * d2 < 0 && d3 * d4 < 0) {
        return true;
    }
    return onSegment(c, a, b) || onSegment(d, a, b) || onSegment(a, c, d) || onSegment(b, c, d);
}

bool rayCrosses(IntPoint p, IntPoint a, IntPoint b) {
    if ((a.y > p.y) == (b.y > p.y)) {
        return false;
    }
    // The crossing lies right of p: (p.x - a.x)(b.y - a.y) < (p.y - a.y)(b.x - a.x), minding the
    // sign of b.y - a.y.
    std::int64_t lhs = (p.x - a.x) * (b.y - a.y), rhs = (p.y - a.y) * (b.x - a.x);
    return b.y > a.y ? lhs < rhs : lhs > rhs;
}

const char* faultText(Fault fault) {
    switch (fault) {
    case Fault::none: return "OK";
    case Fault::format: return "format";
    case Fault::tooLarge: return "coordinates too large";
    case Fault::unordered: return "contour ranges out of order";
    case Fault::tooFewPoints: return "contour of fewer than 3 points";
    case Fault::straightPoint: return "contour runs straight at a point";
    case Fault::selfCrossing: return "contour crosses itself";
    case Fault::contoursMeet: return "contours meet";
    case Fault::islandInHole: return "island inside a hole";
    case Fault::outerNotListed: return "outer contour not listed";
    case Fault::holeListed: return "hole listed as outer";
    case Fault::tooManyOuter: return "more than 4 outer contours";
    }
    return "?";
}

std::int64_t twiceArea(const Shape& shape, int contour) {
    std::int64_t area = 0;
    for (int k = shape.first[contour]; k <= shape.last[contour]; ++k) {
        area += cross({0, 0}, pointOf(shape, k), pointOf(shape, successor(shape, contour, k)));
    }
    return area;
}

void nestingDepths(const Shape& shape, std::array<int, maxGlyphContours + 1>& depth) {
    for (int c = 1; c <= shape.contours; ++c) {
        depth[c] = 0;
        IntPoint p = pointOf(shape, shape.first[c]);
        for (int d = 1; d <= shape.contours; ++d) {
            if (d == c) {
                continue;
            }
            bool inside = false;
            for (int k = shape.first[d]; k <= shape.last[d]; ++k) {
                inside ^= rayCrosses(p, pointOf(shape, k), pointOf(shape, successor(shape, d, k)));
            }
            depth[c] += inside ? 1 : 0;
        }
    }
}

Fault shapeFault(const Shape& shape) {
    if (shape.points < 1 || shape.points > figures::maxPoints || shape.contours < 1 ||
        shape.contours > figures::maxContours) {
        return Fault::format;
    }
    int outers = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        const int first = shape.first[c], last = shape.last[c];
        if (last - first + 1 < 3) {
            return Fault::tooFewPoints;
        }
        for (int k = first; k <= last; ++k) {
            int j = successor(shape, c, k);
            if (cross(pointOf(shape, k), pointOf(shape, j),
                      pointOf(shape, successor(shape, c, j))) == 0) {
                return Fault::straightPoint;
            }
        }
        for (int k = first; k <= last; ++k) {
            for (int m = k + 2; m <= last; ++m) {
                if (successor(shape, c, m) != k &&
                    segmentsMeet(pointOf(shape, k), pointOf(shape, k + 1), pointOf(shape, m),
                                 pointOf(shape, successor(shape, c, m)))) {
                    return Fault::selfCrossing;
                }
            }
        }
        for (int d = c + 1; d <= shape.contours; ++d) {
            for (int k = first; k <= last; ++k) {
                for (int m = shape.first[d]; m <= shape.last[d]; ++m) {
                    if (segmentsMeet(pointOf(shape, k), pointOf(shape, successor(shape, c, k)),
                                     pointOf(shape, m), pointOf(shape, successor(shape, d, m)))) {
                        return Fault::contoursMeet;
                    }
                }
            }
        }
        outers += shape.outer[c] ? 1 : 0;
    }
    std::array<int, maxGlyphContours + 1> depth;
    nestingDepths(shape, depth);
    for (int c = 1; c <= shape.contours; ++c) {
        if (depth[c] > 1) {
            return Fault::islandInHole;
        }
        if (depth[c] == 0 && !shape.outer[c]) {
            return Fault::outerNotListed;
        }
        if (depth[c] == 1 && shape.outer[c]) {
            return Fault::holeListed;
        }
    }
    return outers > figures::maxOuterContours ? Fault::tooManyOuter : Fault::none;
}

int contactCount(const Shape& shape) {
    int count = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
            const int j = successor(shape, c, k);
            count += cross(pointOf(shape, k), pointOf(shape, j),
                           pointOf(shape, successor(shape, c, j))) == 0
                         ? 1
                         : 0;
            for (int d = c; d <= shape.contours; ++d) {
                for (int m = d == c ? k + 1 : shape.first[d]; m <= shape.last[d]; ++m) {
                    const int n = successor(shape, d, m);
                    if (d == c && (m == j || n == k)) {
                        continue;
                    }
                    count += segmentsMeet(pointOf(shape, k), pointOf(shape, j), pointOf(shape, m),
                                          pointOf(shape, n))
                                 ? 1
                                 : 0;
                }
            }
        }
    }
    return count;
}

Fault figureFault(const figures::FigureRecord& record) {
    if (!figures::isWellFormed(record)) {
        return Fault::format;
    }
    const int contours = record.header[figures::contourCountField];
    if (record.header[0] != 0) {
        return Fault::unordered;
    }
    std::int32_t next = 1;
    for (int c = 1; c <= figures::maxContours; ++c) {
        if (c > contours) {
            if (record.start[c] != 0 || record.end[c] != 0) {
                return Fault::unordered;
            }
            continue;
        }
        if (record.start[c] != next) {
            return Fault::unordered;
        }
        next = record.end[c] + 1;
    }
    for (int h = 1; h <= figures::maxOuterContours; ++h) {
        for (int g = h + 1; g <= figures::maxOuterContours; ++g) {
            if (record.header[h] != 0 && record.header[h] == record.header[g]) {
                return Fault::unordered;
            }
        }
        bool namesContour = record.header[h] == 0;
        for (int c = 1; c <= contours; ++c) {
            namesContour = namesContour || record.header[h] == record.start[c];
        }
        if (!namesContour) {
            return Fault::unordered;
        }
    }
    for (int k = 1; k <= record.points; ++k) {
        if (std::abs(std::int64_t{record.x[k]}) > checkedCoordinateLimit ||
            std::abs(std::int64_t{record.y[k]}) > checkedCoordinateLimit) {
            return Fault::tooLarge;
        }
    }
    Shape& shape = recordShape;
    shape.points = record.points;
    shape.contours = contours;
    for (int c = 1; c <= contours; ++c) {
        shape.first[c] = record.start[c];
        shape.last[c] = record.end[c];
        shape.outer[c] = false;
        for (int h = 1; h <= figures::maxOuterContours; ++h) {
            shape.outer[c] = shape.outer[c] || record.header[h] == record.start[c];
        }
    }
    for (int k = 1; k <= record.points; ++k) {
        shape.x[k] = record.x[k];
        shape.y[k] = record.y[k];
    }
    return shapeFault(shape);
}

} // namespace importer
