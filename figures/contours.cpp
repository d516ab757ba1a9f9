#include "figures/contours.h"

#include "figures/bounds.h"
#include "figures/builder.h"
#include "figures/numbers.h"

namespace figures {

namespace {

// Line values are compared with outline points after rounding to this many significant digits,
// so that a point lying on the line compares as equal despite floating-point error.
constexpr int lineDigits = 9;

double lineValue(double slope, double intercept, std::int32_t x) {
    return numbers::roundToDigits(slope * x + intercept, lineDigits);
}

double slopeOf(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY) {
    return (static_cast<double>(toY) - fromY) / (static_cast<double>(toX) - fromX);
}

// Greatest x, then greatest y; the first of equal points wins.
int rightmostPoint(int slot, int first, int last) {
    const auto& x = outlineX[slot];
    const auto& y = outlineY[slot];
    int best = first;
    for (int k = first + 1; k <= last; ++k) {
        if (x[k] > x[best] || (x[k] == x[best] && y[k] > y[best])) {
            best = k;
        }
    }
    return best;
}

// True when the contour turns the wrong way at its rightmost point: the point after it lies
// above the line through the point before it and the rightmost point.
bool runsAnticlockwise(int slot, int prev, int rightmost, int next) {
    const auto& x = outlineX[slot];
    const auto& y = outlineY[slot];
    if (x[prev] == x[rightmost]) {
        return y[rightmost] > y[prev];
    }
    double slope = slopeOf(x[prev], y[prev], x[rightmost], y[rightmost]);
    return y[next] > lineValue(slope, y[prev] - slope * x[prev], x[next]);
}

void normaliseContour(int slot, int first, int last) {
    int rightmost = rightmostPoint(slot, first, last);
    int prev = rightmost == first ? last : rightmost - 1;
    int next = rightmost == last ? first : rightmost + 1;

    std::array<int, maxPoints> order;
    int count = 0;
    if (runsAnticlockwise(slot, prev, rightmost, next)) {
        for (int k = rightmost; k >= first; --k) {
            order[count++] = k;
        }
        for (int k = last; k > rightmost; --k) {
            order[count++] = k;
        }
    } else if (rightmost != first) {
        for (int k = rightmost; k <= last; ++k) {
            order[count++] = k;
        }
        for (int k = first; k < rightmost; ++k) {
            order[count++] = k;
        }
    } else {
        return;
    }

    std::array<std::int32_t, maxPoints> newX, newY;
    for (int i = 0; i < count; ++i) {
        newX[i] = outlineX[slot][order[i]];
        newY[i] = outlineY[slot][order[i]];
    }
    for (int i = 0; i < count; ++i) {
        outlineX[slot][first + i] = newX[i];
        outlineY[slot][first + i] = newY[i];
    }
}

} // namespace

void normaliseContours(int slot) {
    int points = pointsOf(slot);
    for (int c = 1; c <= contoursOf(slot); ++c) {
        if (validContour(slot, c, points)) {
            normaliseContour(slot, contourStart[slot][c], contourEnd[slot][c]);
        }
    }
}

// A point that ends a contour joins that contour's first point. A last point that ends no
// contour joins the first point of the run after the last contour end before it, so the stray
// points form a closed contour of their own instead of leaving the figure.
void findSuccessors(int slot, Successors& next) {
    int points = pointsOf(slot);
    int contours = contoursOf(slot);
    int strayStart = 1;
    for (int k = 1; k <= points; ++k) {
        next[k] = k + 1;
        for (int c = 1; c <= contours; ++c) {
            if (validContour(slot, c, points) && contourEnd[slot][c] == k) {
                next[k] = contourStart[slot][c];
                strayStart = k + 1;
                break;
            }
        }
    }
    if (points >= 1 && next[points] > points) {
        next[points] = strayStart;
    }
}

void markSeamEdges(int slot, const Successors& next) {
    const auto& x = outlineX[slot];
    const auto& y = outlineY[slot];
    int points = pointsOf(slot);
    for (int k = 1; k <= points; ++k) {
        const int j = next[k];
        std::int32_t seam = 0;
        for (int m = 1; m <= points && seam == 0; ++m) {
            const int n = next[m];
            seam = m != k && x[m] == x[j] && y[m] == y[j] && x[n] == x[k] && y[n] == y[k] &&
                           (x[k] != x[j] || y[k] != y[j])
                       ? 1
                       : 0;
        }
        seamEdge[slot][k] = seam;
    }
}

void markHullEdges(int slot, const Successors& next) {
    const auto& x = outlineX[slot];
    const auto& y = outlineY[slot];
    int points = pointsOf(slot);
    for (int k = 1; k <= points; ++k) {
        int j = next[k];
        bool above = false;
        bool below = false;
        if (x[j] == x[k]) {
            for (int m = 1; m <= points && !(above && below); ++m) {
                above = above || x[m] > x[k];
                below = below || x[m] < x[k];
            }
        } else {
            double slope = slopeOf(x[k], y[k], x[j], y[j]);
            double intercept = y[k] - slope * x[k];
            for (int m = 1; m <= points && !(above && below); ++m) {
                double line = lineValue(slope, intercept, x[m]);
                above = above || y[m] > line;
                below = below || y[m] < line;
            }
        }
        hullEdge[slot][k] = above && below ? 0 : 1;
    }
}

} // namespace figures
