#include "importer/fit.h"

#include "importer/geometry.h"
#include "importer/optimise.h"
#include "importer/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace importer {

namespace {

// Glyph points beyond this magnitude (outline units) are held to it.
constexpr double coordinateHold = 4096.0;

Shape rounded;
Shape scratch;
Glyph shifted;
FigureMask glyphMask;
FigureMask shapeMask;

// Linked contours for the point budget; indexes are points of `rounded`.
struct Links {
    std::array<int, maxGlyphPoints + 1> prev;
    std::array<int, maxGlyphPoints + 1> next;
    std::array<int, maxGlyphPoints + 1> contourOf;
    std::array<bool, maxGlyphPoints + 1> alive;
    std::array<bool, maxGlyphPoints + 1> blocked;
    std::array<int, maxGlyphContours + 1> head;
    std::array<int, maxGlyphContours + 1> size;
};
Links links;

IntPoint at(int k) {
    return {rounded.x[k], rounded.y[k]};
}

std::int32_t roundHeld(double v) {
    return static_cast<std::int32_t>(std::lround(std::clamp(v, -coordinateHold, coordinateHold)));
}

// Removes points where a contour runs straight or doubles back; false when fewer than 3 remain.
bool dropStraightPoints(std::int32_t* x, std::int32_t* y, int& count) {
    bool changed = true;
    while (changed && count >= 3) {
        changed = false;
        for (int i = 0; i < count && count >= 3; ++i) {
            int p = (i + count - 1) % count, n = (i + 1) % count;
            if (cross({x[p], y[p]}, {x[i], y[i]}, {x[n], y[n]}) == 0) {
                std::copy(x + i + 1, x + count, x + i);
                std::copy(y + i + 1, y + count, y + i);
                --count;
                changed = true;
            }
        }
    }
    return count >= 3;
}

void roundGlyph(const Glyph& glyph) {
    rounded.points = 0;
    rounded.contours = 0;
    for (int c = 1; c <= glyph.contours && rounded.contours < maxGlyphContours; ++c) {
        const int base = rounded.points + 1;
        int count = 0;
        for (int k = glyph.first[c]; k <= glyph.last[c]; ++k) {
            std::int32_t x = roundHeld(glyph.x[k]), y = roundHeld(glyph.y[k]);
            if (count > 0 && rounded.x[base + count - 1] == x && rounded.y[base + count - 1] == y) {
                continue;
            }
            rounded.x[base + count] = x;
            rounded.y[base + count] = y;
            ++count;
        }
        while (count > 1 && rounded.x[base + count - 1] == rounded.x[base] &&
               rounded.y[base + count - 1] == rounded.y[base]) {
            --count;
        }
        if (!dropStraightPoints(&rounded.x[base], &rounded.y[base], count)) {
            continue;
        }
        ++rounded.contours;
        rounded.first[rounded.contours] = base;
        rounded.last[rounded.contours] = base + count - 1;
        rounded.outer[rounded.contours] = true;
        rounded.points += count;
    }
}

// Keeps the contours for which keep[c] holds, renumbering points and contours.
void keepContours(Shape& shape, const std::array<bool, maxGlyphContours + 1>& keep) {
    int points = 0, contours = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        if (!keep[c]) {
            continue;
        }
        ++contours;
        const int first = points + 1;
        for (int k = shape.first[c]; k <= shape.last[c]; ++k) {
            ++points;
            shape.x[points] = shape.x[k];
            shape.y[points] = shape.y[k];
        }
        shape.first[contours] = first;
        shape.last[contours] = points;
        shape.outer[contours] = shape.outer[c];
    }
    shape.points = points;
    shape.contours = contours;
}

// True when the first point of contour `inner` lies inside contour `outer`.
bool holds(const Shape& shape, int outer, int inner) {
    IntPoint p{shape.x[shape.first[inner]], shape.y[shape.first[inner]]};
    bool inside = false;
    for (int k = shape.first[outer]; k <= shape.last[outer]; ++k) {
        int j = k == shape.last[outer] ? shape.first[outer] : k + 1;
        inside ^= rayCrosses(p, {shape.x[k], shape.y[k]}, {shape.x[j], shape.y[j]});
    }
    return inside;
}

// Drops contour c, and with an outer contour the holes it holds.
void dropContour(Shape& shape, int c, std::array<bool, maxGlyphContours + 1>& keep, int& dropped) {
    keep[c] = false;
    ++dropped;
    if (!shape.outer[c]) {
        return;
    }
    for (int d = 1; d <= shape.contours; ++d) {
        if (keep[d] && !shape.outer[d] && holds(shape, c, d)) {
            keep[d] = false;
            ++dropped;
        }
    }
}

// Islands inside holes go; then the smallest contours beyond 4 outer and 13 in all.
void applyContourLimits(Shape& shape, int& dropped) {
    std::array<int, maxGlyphContours + 1> depth;
    nestingDepths(shape, depth);
    std::array<bool, maxGlyphContours + 1> keep;
    std::array<std::int64_t, maxGlyphContours + 1> area;
    int outers = 0, contours = 0;
    for (int c = 1; c <= shape.contours; ++c) {
        shape.outer[c] = depth[c] == 0;
        keep[c] = depth[c] <= 1;
        dropped += keep[c] ? 0 : 1;
        area[c] = std::llabs(twiceArea(shape, c));
    }
    auto smallest = [&](bool outerOnly) {
        int best = 0;
        for (int c = 1; c <= shape.contours; ++c) {
            if (keep[c] && (!outerOnly || shape.outer[c]) && (best == 0 || area[c] < area[best])) {
                best = c;
            }
        }
        return best;
    };
    auto count = [&] {
        outers = contours = 0;
        for (int c = 1; c <= shape.contours; ++c) {
            outers += keep[c] && shape.outer[c] ? 1 : 0;
            contours += keep[c] ? 1 : 0;
        }
    };
    count();
    while (outers > figures::maxOuterContours) {
        dropContour(shape, smallest(true), keep, dropped);
        count();
    }
    while (contours > figures::maxContours) {
        dropContour(shape, smallest(false), keep, dropped);
        count();
    }
    keepContours(shape, keep);
}

void linkContours() {
    for (int c = 1; c <= rounded.contours; ++c) {
        const int first = rounded.first[c], last = rounded.last[c];
        links.head[c] = first;
        links.size[c] = last - first + 1;
        for (int k = first; k <= last; ++k) {
            links.prev[k] = k == first ? last : k - 1;
            links.next[k] = k == last ? first : k + 1;
            links.contourOf[k] = c;
            links.alive[k] = true;
            links.blocked[k] = false;
        }
    }
}

// Removing point v joins its neighbours a and b directly; allowed when the new edge meets no
// other edge, no point falls inside the cut-off triangle, and no straight point appears.
bool canRemove(int v) {
    const int a = links.prev[v], b = links.next[v];
    if (links.size[links.contourOf[v]] <= 3 || cross(at(links.prev[a]), at(a), at(b)) == 0 ||
        cross(at(a), at(b), at(links.next[b])) == 0) {
        return false;
    }
    for (int w = 1; w <= rounded.points; ++w) {
        if (!links.alive[w] || w == v) {
            continue;
        }
        const int n = links.next[w];
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

// What removing point v costs: first the samples it takes from the overlap with the glyph (the
// growth of the symmetric difference, which may be negative), then the triangle's area.
struct Cost {
    std::int64_t samples;
    std::int64_t area;
};
std::array<Cost, maxGlyphPoints + 1> costs;

bool operator<(const Cost& a, const Cost& b) {
    return a.samples != b.samples ? a.samples < b.samples : a.area < b.area;
}

void updateCost(int v) {
    const IntPoint a = at(links.prev[v]), p = at(v), b = at(links.next[v]);
    Change change = triangleChange(a, p, b, glyphMask, shapeMask);
    costs[v] = {change.either - change.both, std::llabs(cross(a, p, b))};
}

int alivePoints() {
    int count = 0;
    for (int c = 1; c <= rounded.contours; ++c) {
        count += links.size[c];
    }
    return count;
}

void removeContourLinks(int c) {
    for (int k = rounded.first[c]; k <= rounded.last[c]; ++k) {
        links.alive[k] = false;
    }
    links.size[c] = 0;
}

void collectLinked(Shape& shape) {
    shape.points = 0;
    shape.contours = 0;
    for (int c = 1; c <= rounded.contours; ++c) {
        if (links.size[c] == 0) {
            continue;
        }
        ++shape.contours;
        shape.first[shape.contours] = shape.points + 1;
        shape.outer[shape.contours] = rounded.outer[c];
        int k = links.head[c];
        do {
            ++shape.points;
            shape.x[shape.points] = rounded.x[k];
            shape.y[shape.points] = rounded.y[k];
            k = links.next[k];
        } while (k != links.head[c]);
        shape.last[shape.contours] = shape.points;
    }
}

// Visvalingam's removal across all contours at once, so the budget goes where shape is: the point
// whose removal loses the fewest samples of the overlap with the glyph goes first.
void spendPointBudget(int& dropped) {
    linkContours();
    fillShape(rounded, shapeMask);
    for (int k = 1; k <= rounded.points; ++k) {
        updateCost(k);
    }
    bool unblockedSinceRemoval = true;
    while (alivePoints() > figures::maxPoints) {
        int best = 0;
        for (int k = 1; k <= rounded.points; ++k) {
            if (links.alive[k] && !links.blocked[k] && links.size[links.contourOf[k]] > 3 &&
                (best == 0 || costs[k] < costs[best])) {
                best = k;
            }
        }
        if (best == 0) {
            if (!unblockedSinceRemoval) {
                for (int k = 1; k <= rounded.points; ++k) {
                    links.blocked[k] = false;
                }
                unblockedSinceRemoval = true;
                continue;
            }
            // Every point is held by its neighbours: the smallest contour goes.
            int smallest = 0;
            std::int64_t smallestArea = 0;
            for (int c = 1; c <= rounded.contours; ++c) {
                if (links.size[c] == 0) {
                    continue;
                }
                std::int64_t area = 0;
                int k = links.head[c];
                do {
                    area += cross({0, 0}, at(k), at(links.next[k]));
                    k = links.next[k];
                } while (k != links.head[c]);
                if (smallest == 0 || std::llabs(area) < smallestArea) {
                    smallest = c;
                    smallestArea = std::llabs(area);
                }
            }
            removeContourLinks(smallest);
            ++dropped;
            collectLinked(scratch);
            fillShape(scratch, shapeMask);
            for (int k = 1; k <= rounded.points; ++k) {
                if (links.alive[k]) {
                    updateCost(k);
                }
            }
            continue;
        }
        if (!canRemove(best)) {
            links.blocked[best] = true;
            continue;
        }
        const int a = links.prev[best], b = links.next[best], c = links.contourOf[best];
        flipTriangle(at(a), at(best), at(b), shapeMask);
        links.next[a] = b;
        links.prev[b] = a;
        links.alive[best] = false;
        --links.size[c];
        if (links.head[c] == best) {
            links.head[c] = b;
        }
        links.blocked[a] = links.blocked[b] = false;
        updateCost(a);
        updateCost(b);
        unblockedSinceRemoval = false;
    }
}

// Rounding can bring two edges that were apart in the glyph into contact (a gap of a tenth of a
// unit between two pieces, say): points move by a unit or two, one at a time, while that lowers
// the number of contacts.
void repairContacts(Shape& shape, int maxMoves) {
    int contacts = contactCount(shape);
    for (int move = 0; move < maxMoves && contacts > 0; ++move) {
        int bestPoint = 0, bestContacts = contacts;
        IntPoint bestOffset{0, 0};
        for (int k = 1; k <= shape.points; ++k) {
            for (int dx = -2; dx <= 2; ++dx) {
                for (int dy = -2; dy <= 2; ++dy) {
                    shape.x[k] += dx;
                    shape.y[k] += dy;
                    const int found = contactCount(shape);
                    shape.x[k] -= dx;
                    shape.y[k] -= dy;
                    if (found < bestContacts) {
                        bestContacts = found;
                        bestPoint = k;
                        bestOffset = {dx, dy};
                    }
                }
            }
        }
        if (bestPoint == 0) {
            return;
        }
        shape.x[bestPoint] += static_cast<std::int32_t>(bestOffset.x);
        shape.y[bestPoint] += static_cast<std::int32_t>(bestOffset.y);
        contacts = bestContacts;
    }
}

// Whatever the glyph, the figure must be sound: contacts are repaired where a small move does it,
// contours that still break a rule go, the smallest first, and listing follows nesting.
void dropFaultyContours(Shape& shape, int& dropped, int repairs) {
    repairContacts(shape, repairs);
    for (;;) {
        std::array<int, maxGlyphContours + 1> depth;
        nestingDepths(shape, depth);
        for (int c = 1; c <= shape.contours; ++c) {
            shape.outer[c] = depth[c] == 0;
        }
        if (shape.contours == 0 || shapeFault(shape) == Fault::none) {
            return;
        }
        // Drop the smallest contour that takes part in a fault.
        std::array<bool, maxGlyphContours + 1> keep;
        int worst = 0;
        for (int c = 1; c <= shape.contours; ++c) {
            keep.fill(true);
            keep[c] = false;
            scratch = shape;
            keepContours(scratch, keep);
            nestingDepths(scratch, depth);
            for (int d = 1; d <= scratch.contours; ++d) {
                scratch.outer[d] = depth[d] == 0;
            }
            bool helps = scratch.contours == 0 || shapeFault(scratch) != shapeFault(shape);
            if (helps && (worst == 0 ||
                          std::llabs(twiceArea(shape, c)) < std::llabs(twiceArea(shape, worst)))) {
                worst = c;
            }
        }
        keep.fill(true);
        keep[worst == 0 ? 1 : worst] = false;
        keepContours(shape, keep);
        ++dropped;
    }
}

} // namespace

void placeInCell(Glyph& glyph, const FontFrame& frame) {
    const Box box = inkBox(glyph);
    const double scale = frame.emSize > 0 ? cellSize / frame.emSize : 1.0;
    transformGlyph(glyph, (box.left + box.right) / 2, (frame.ascent + frame.descent) / 2, scale);
}

double overlapWithGlyph(const Shape& shape, const Glyph& glyph) {
    fillGlyphFigureGrid(glyph, glyphMask);
    fillShape(shape, shapeMask);
    return iouOf(
        overlapOf(glyphMask.data(), shapeMask.data(), figureRasterSide * figureRasterSide));
}

bool fitFigure(const Glyph& source, Shape& figure, FitReport& report, const Effort& effort) {
    // The glyph may move sideways by less than half a unit, to where its rounded points lie best
    // on it: centred on its origin all the same, and its upright edges on the grid.
    constexpr double shifts[] = {0.0, -0.4, -0.2, 0.2, 0.4};
    const int samples = figureRasterSide * figureRasterSide;
    double bestCeiling = -1.0;
    double bestShift = 0.0;
    for (int trial = 0; trial < std::clamp(effort.shifts, 1, 5); ++trial) {
        const double shift = shifts[trial];
        shifted = source;
        transformGlyph(shifted, -shift, 0.0, 1.0);
        int dropped = 0;
        roundGlyph(shifted);
        applyContourLimits(rounded, dropped);
        fillGlyphFigureGrid(shifted, glyphMask);
        fillShape(rounded, shapeMask);
        const double ceiling = iouOf(overlapOf(glyphMask.data(), shapeMask.data(), samples));
        if (ceiling > bestCeiling + 1e-9) {
            bestCeiling = ceiling;
            bestShift = shift;
        }
    }
    report = {};
    shifted = source;
    transformGlyph(shifted, -bestShift, 0.0, 1.0);
    const Glyph& glyph = shifted;
    roundGlyph(glyph);
    applyContourLimits(rounded, report.droppedContours);
    fillGlyphFigureGrid(glyph, glyphMask);
    fillShape(rounded, shapeMask);
    report.ceiling = iouOf(overlapOf(glyphMask.data(), shapeMask.data(), samples));

    spendPointBudget(report.droppedContours);
    collectLinked(figure);
    dropFaultyContours(figure, report.droppedContours, effort.repairs);
    if (figure.contours == 0) {
        return false;
    }
    fillShape(figure, shapeMask);
    report.reduced = iouOf(overlapOf(glyphMask.data(), shapeMask.data(), samples));
    movePoints(figure, glyphMask, shapeMask, effort.passes);
    reallocatePoints(figure, glyphMask, shapeMask, figures::maxPoints, effort);
    fillShape(figure, shapeMask);
    report.fitted = iouOf(overlapOf(glyphMask.data(), shapeMask.data(), samples));
    return shapeFault(figure) == Fault::none;
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

} // namespace importer
