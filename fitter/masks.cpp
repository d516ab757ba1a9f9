#include "fitter/masks.h"

#include <algorithm>

namespace fitter {

namespace {

constexpr std::int64_t eighths = 2 * samplesPerUnit;

// The columns where the closed path crosses sample row `row`, in order; returns their count.
int rowCrossings(const IntPoint (&path)[4], int row, int (&columns)[4]) {
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
    return count;
}

// Walks the samples inside the closed path a, v, b, p (even-odd).
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
        const int count = rowCrossings(path, row, columns);
        for (int i = 0; i + 1 < count; i += 2) {
            for (int column = columns[i]; column < columns[i + 1]; ++column) {
                visit(row * side + column);
            }
        }
    }
}

} // namespace

Change pathChange(IntPoint a, IntPoint v, IntPoint b, IntPoint p, const FigureMask& glyphMask,
                  const FigureMask& shapeMask) {
    Change change{0, 0};
    forFlippedSamples(a, v, b, p, [&](int sample) {
        const int inGlyph = glyphMask[sample];
        const int sign = shapeMask[sample] ? -1 : 1;
        change.both += sign * inGlyph;
        change.either += sign * (1 - inGlyph);
    });
    return change;
}

void flipPath(IntPoint a, IntPoint v, IntPoint b, IntPoint p, FigureMask& shapeMask) {
    forFlippedSamples(a, v, b, p, [&](int sample) { shapeMask[sample] ^= 1; });
}

Change triangleChange(IntPoint a, IntPoint b, IntPoint c, const FigureMask& glyphMask,
                      const FigureMask& shapeMask) {
    return pathChange(a, b, c, c, glyphMask, shapeMask);
}

void flipTriangle(IntPoint a, IntPoint b, IntPoint c, FigureMask& shapeMask) {
    flipPath(a, b, c, c, shapeMask);
}

} // namespace fitter
