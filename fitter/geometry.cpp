#include "fitter/geometry.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace fitter {

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
    case Fault::crossingSeam: return "pieces overlap at a seam";
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

namespace {

bool samePlace(const Shape& shape, int a, int b) {
    return shape.x[a] == shape.x[b] && shape.y[a] == shape.y[b];
}

int predecessor(const Shape& shape, int contour, int k) {
    return k == shape.first[contour] ? shape.last[contour] : k - 1;
}

// The edge that runs back along the seam from k; 0 when k starts no seam.
int seamTwin(const Shape& shape, int contour, int k) {
    const int j = successor(shape, contour, k);
    for (int m = shape.first[contour]; m <= shape.last[contour]; ++m) {
        if (m != k && samePlace(shape, m, j) && samePlace(shape, successor(shape, contour, m), k)) {
            return m;
        }
    }
    return 0;
}

// Two edges that are not neighbours may meet only where a seam ends: at one shared end, without
// running along each other.
bool meetOnlyAtSeamEnd(const Shape& shape, int contour, int k, int m) {
    const int kn = successor(shape, contour, k), mn = successor(shape, contour, m);
    int shared = 0, ownEnd = 0, otherEnd = 0;
    for (auto [a, b] : {std::pair{k, m}, std::pair{k, mn}, std::pair{kn, m}, std::pair{kn, mn}}) {
        if (samePlace(shape, a, b)) {
            ++shared;
            ownEnd = a == k ? kn : k;
            otherEnd = b == m ? mn : m;
            if (seamTwin(shape, contour, a) == 0 && seamTwin(shape, contour, b) == 0 &&
                seamTwin(shape, contour, predecessor(shape, contour, a)) == 0 &&
                seamTwin(shape, contour, predecessor(shape, contour, b)) == 0) {
                return false;
            }
        }
    }
    if (shared != 1) {
        return false;
    }
    const IntPoint v = pointOf(shape, k == ownEnd ? kn : k);
    const IntPoint a = pointOf(shape, ownEnd), b = pointOf(shape, otherEnd);
    const std::int64_t turn = cross(v, a, b);
    return turn != 0 || (a.x - v.x) * (b.x - v.x) + (a.y - v.y) * (b.y - v.y) < 0;
}

Fault contourCrossing(const Shape& shape, int c) {
    const int first = shape.first[c], last = shape.last[c];
    for (int k = first; k <= last; ++k) {
        int count = 0;
        for (int m = first; m <= last; ++m) {
            count += samePlace(shape, k, m) ? 1 : 0;
        }
        // A seam's end is passed twice, and only where the seam starts or ends.
        if (count > 2 || (count == 2 && seamTwin(shape, c, k) == 0 &&
                          seamTwin(shape, c, predecessor(shape, c, k)) == 0)) {
            return Fault::crossingSeam;
        }
    }
    for (int k = first; k <= last; ++k) {
        const int kn = successor(shape, c, k);
        for (int m = k + 2; m <= last; ++m) {
            const int mn = successor(shape, c, m);
            if (mn == k || !segmentsMeet(pointOf(shape, k), pointOf(shape, kn), pointOf(shape, m),
                                         pointOf(shape, mn))) {
                continue;
            }
            const bool twins = samePlace(shape, k, mn) && samePlace(shape, kn, m);
            if (!twins && !meetOnlyAtSeamEnd(shape, c, k, m)) {
                return Fault::selfCrossing;
            }
        }
    }
    return Fault::none;
}

// The pieces of a contour are the cycles of its edges that are no seam. Every piece must turn
// the way its nesting among the others asks (a piece inside another one the other way round),
// or the walls of some piece would face into the solid.
struct Piece {
    int points;
    std::array<int, figures::maxPoints + 1> point;
};

bool nextPiece(const Shape& shape, int c, std::array<bool, maxGlyphPoints + 1>& seen,
               Piece& piece) {
    int start = 0;
    for (int k = shape.first[c]; k <= shape.last[c] && start == 0; ++k) {
        if (!seen[k] && seamTwin(shape, c, k) == 0) {
            start = k;
        }
    }
    piece.points = 0;
    if (start == 0) {
        return false;
    }
    int k = start;
    do {
        seen[k] = true;
        if (piece.points >= figures::maxPoints) {
            return false;
        }
        piece.point[++piece.points] = k;
        k = successor(shape, c, k);
        for (int hops = 0; seamTwin(shape, c, k) != 0 && hops <= figures::maxPoints; ++hops) {
            seen[k] = true;
            k = successor(shape, c, seamTwin(shape, c, k));
        }
    } while (k != start && !seen[k]);
    return k == start;
}

std::int64_t pieceArea(const Shape& shape, const Piece& piece) {
    std::int64_t area = 0;
    for (int i = 1; i <= piece.points; ++i) {
        area += cross({0, 0}, pointOf(shape, piece.point[i]),
                      pointOf(shape, piece.point[i == piece.points ? 1 : i + 1]));
    }
    return area;
}

bool pieceHolds(const Shape& shape, const Piece& outer, IntPoint p) {
    bool inside = false;
    for (int i = 1; i <= outer.points; ++i) {
        inside ^= rayCrosses(p, pointOf(shape, outer.point[i]),
                             pointOf(shape, outer.point[i == outer.points ? 1 : i + 1]));
    }
    return inside;
}

std::array<Piece, figures::maxPoints / 3 + 2> pieces;
std::array<bool, maxGlyphPoints + 1> seenInPieces;

bool piecesTurnAlike(const Shape& shape, int c) {
    if (shape.last[c] - shape.first[c] + 1 > figures::maxPoints) {
        return true; // a working shape before the point budget: no seams yet
    }
    int count = 0;
    while (count + 1 < static_cast<int>(pieces.size()) &&
           nextPiece(shape, c, seenInPieces, pieces[count + 1])) {
        ++count;
    }
    for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
        seenInPieces[k] = false;
    }
    int sense = 0;
    for (int i = 1; i <= count; ++i) {
        bool inner = false;
        for (int j = 1; j <= count; ++j) {
            inner ^= j != i && pieceHolds(shape, pieces[j], pointOf(shape, pieces[i].point[1]));
        }
        const std::int64_t area = pieceArea(shape, pieces[i]);
        const int turn = (area > 0 ? 1 : -1) * (inner ? -1 : 1);
        if (area == 0 || (sense != 0 && turn != sense)) {
            return false;
        }
        sense = turn;
    }
    return true;
}

} // namespace

bool isSeam(const Shape& shape, int contour, int k) {
    return seamTwin(shape, contour, k) != 0;
}

Fault shapeFault(const Shape& shape, const ShapeLimits& limits) {
    if (shape.points < 1 || shape.points > limits.points || shape.contours < 1 ||
        shape.contours > limits.contours) {
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
        if (const Fault crossing = contourCrossing(shape, c); crossing != Fault::none) {
            return crossing;
        }
        if (!piecesTurnAlike(shape, c)) {
            return Fault::crossingSeam;
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
        if (isOuterDepth(depth[c]) && !shape.outer[c]) {
            return Fault::outerNotListed;
        }
        if (!isOuterDepth(depth[c]) && shape.outer[c]) {
            return Fault::holeListed;
        }
    }
    return outers > limits.outer ? Fault::tooManyOuter : Fault::none;
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

void shapeToRecord(const Shape& shape, figures::FigureRecord& record) {
    record = {};
    record.points = shape.points;
    record.header[figures::contourCountField] = shape.contours;
    int listed = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        record.start[c] = shape.first[c];
        record.end[c] = shape.last[c];
        if (shape.outer[c] && listed < figures::maxOuterContours) {
            record.header[++listed] = shape.first[c];
        }
    }
    for (int k = 1; k <= shape.points; ++k) {
        record.x[k] = shape.x[k];
        record.y[k] = shape.y[k];
    }
}

void recordToShape(const figures::FigureRecord& record, Shape& shape) {
    const int contours = record.header[figures::contourCountField];
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
    recordToShape(record, shape);
    return shapeFault(shape);
}

} // namespace fitter
