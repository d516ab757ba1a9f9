// The figure survey's own measure of a stored figure against a rendering of its glyph, kept apart
// from the fitter's raster code so that a fault there cannot hide itself: the figure's value,
// read back as the program reads it, is filled even-odd at pixel centres of a canvas the glyph was
// drawn on, and compared by intersection over union. Then the statistics of a group and the
// fields of one line of the survey's CSV.
#pragma once

#include "figures/format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace tools {

// The glyph is drawn with its em 300 pixels high, three pixels to an outline unit: another grid
// than the fitter's four samples per unit, so rounding that suits one grid is not rewarded twice.
constexpr int emPixels = 300;
constexpr double pixelsPerUnit = emPixels / 100.0;
// 160 units square around the cell's centre: the fitter keeps figures within 64 units of it.
constexpr int canvasSide = 480;
using Canvas = std::array<std::uint8_t, canvasSide * canvasSide>;

// Where the figure's origin lands on the canvas (pixels, y down), and pixels per outline unit.
struct Placement {
    double x, y, scale;
};

// The x of every edge of the figure that crosses the centre line of pixel row `row`, sorted. An
// edge counts from its upper end down to but not including its lower end, so a vertex between
// two edges counts once and a level edge never.
inline int rowCrossings(const figures::FigureRecord& record, const Placement& at, int row,
                        std::array<double, figures::maxPoints>& xs) {
    const double centre = row + 0.5;
    const int contours = std::clamp(record.header[figures::contourCountField], 0,
                                    static_cast<std::int32_t>(figures::maxContours));
    const int points = std::clamp(record.points, 0, static_cast<std::int32_t>(figures::maxPoints));
    int n = 0;
    for (int c = 1; c <= contours; ++c) {
        const int first = record.start[c], last = record.end[c];
        if (first < 1 || first > last || last > points) {
            continue;
        }
        for (int k = first; k <= last && n < figures::maxPoints; ++k) {
            const int next = k == last ? first : k + 1;
            const double y1 = at.y - record.y[k] * at.scale;
            const double y2 = at.y - record.y[next] * at.scale;
            if ((y1 <= centre) == (y2 <= centre)) {
                continue;
            }
            const double x1 = at.x + record.x[k] * at.scale;
            const double x2 = at.x + record.x[next] * at.scale;
            const double x = x1 + (centre - y1) * (x2 - x1) / (y2 - y1);
            int i = n++;
            for (; i > 0 && xs[i - 1] > x; --i) {
                xs[i] = xs[i - 1];
            }
            xs[i] = x;
        }
    }
    return n;
}

// The columns whose centres lie in [from, to), held to the canvas.
inline void spanColumns(double from, double to, int& first, int& end) {
    first = static_cast<int>(std::clamp(std::ceil(from - 0.5), 0.0, double{canvasSide}));
    end = static_cast<int>(std::clamp(std::ceil(to - 0.5), 0.0, double{canvasSide}));
}

// Even-odd: inside between the first and second crossing of a row, the third and fourth, ...
inline void fillFigure(const figures::FigureRecord& record, const Placement& at, Canvas& canvas) {
    canvas.fill(0);
    std::array<double, figures::maxPoints> xs;
    for (int row = 0; row < canvasSide; ++row) {
        const int n = rowCrossings(record, at, row, xs);
        for (int i = 0; i + 1 < n; i += 2) {
            int first, end;
            spanColumns(xs[i], xs[i + 1], first, end);
            std::fill(canvas.begin() + row * canvasSide + first,
                      canvas.begin() + row * canvasSide + std::max(first, end), 1);
        }
    }
}

// The glyph's pixels counted along every row, so the overlap of a figure's span with it is one
// subtraction: prefix[row * (canvasSide + 1) + column] counts the glyph's pixels left of column.
struct GlyphRows {
    std::array<std::int32_t, canvasSide*(canvasSide + 1)> prefix;
    std::int64_t area;
};

inline void countGlyphRows(const Canvas& glyph, GlyphRows& rows) {
    rows.area = 0;
    for (int row = 0; row < canvasSide; ++row) {
        std::int32_t* counts = rows.prefix.data() + row * (canvasSide + 1);
        counts[0] = 0;
        for (int column = 0; column < canvasSide; ++column) {
            counts[column + 1] = counts[column] + (glyph[row * canvasSide + column] ? 1 : 0);
        }
        rows.area += counts[canvasSide];
    }
}

// Intersection over union of the figure placed so with the glyph; 0 when both are empty.
inline double overlapAt(const figures::FigureRecord& record, const Placement& at,
                        const GlyphRows& glyph) {
    std::int64_t both = 0, figure = 0;
    std::array<double, figures::maxPoints> xs;
    for (int row = 0; row < canvasSide; ++row) {
        const int n = rowCrossings(record, at, row, xs);
        const std::int32_t* counts = glyph.prefix.data() + row * (canvasSide + 1);
        for (int i = 0; i + 1 < n; i += 2) {
            int first, end;
            spanColumns(xs[i], xs[i + 1], first, end);
            if (end > first) {
                figure += end - first;
                both += counts[end] - counts[first];
            }
        }
    }
    const std::int64_t either = glyph.area + figure - both;
    return either > 0 ? static_cast<double>(both) / static_cast<double>(either) : 0.0;
}

// The fitter places glyphs by their outline, the rendering only shows whole pixels: the figure
// may move up to half a unit either way, in steps of half a pixel, to where it overlaps best.
constexpr int alignmentSteps = 3;
constexpr double alignmentStep = 0.5 / alignmentSteps; // units

inline double bestOverlap(const figures::FigureRecord& record, const Placement& centre,
                          const GlyphRows& glyph, Placement& best) {
    double overlap = -1.0;
    best = centre;
    for (int dy = -alignmentSteps; dy <= alignmentSteps; ++dy) {
        for (int dx = -alignmentSteps; dx <= alignmentSteps; ++dx) {
            const Placement at{centre.x + dx * alignmentStep * centre.scale,
                               centre.y + dy * alignmentStep * centre.scale, centre.scale};
            const double o = overlapAt(record, at, glyph);
            if (o > overlap) {
                overlap = o;
                best = at;
            }
        }
    }
    return overlap;
}

// The statistics of the overlaps of a group, in a fixed table (the largest group has 2,965
// characters).
constexpr int maxSurveyed = 4096;
using Overlaps = std::array<double, maxSurveyed>;

// The value below which a share p of the first `count` values lie, read between the two nearest
// ranks of the sorted values (which it sorts); 0 for none.
inline double percentile(Overlaps& values, int count, double p) {
    count = std::clamp(count, 0, maxSurveyed);
    if (count == 0) {
        return 0.0;
    }
    std::sort(values.begin(), values.begin() + count);
    const double rank = std::clamp(p, 0.0, 1.0) * (count - 1);
    const int below = static_cast<int>(std::floor(rank));
    const int above = std::min(below + 1, count - 1);
    return values[below] + (rank - below) * (values[above] - values[below]);
}

struct OverlapSummary {
    double median, tenth;
    double good;  // share at 0.90 and more
    double rough; // share below 0.80
};

inline OverlapSummary summarise(Overlaps& values, int count) {
    count = std::clamp(count, 0, maxSurveyed);
    OverlapSummary s{};
    if (count == 0) {
        return s;
    }
    int good = 0, rough = 0;
    for (int i = 0; i < count; ++i) {
        good += values[i] >= 0.90 ? 1 : 0;
        rough += values[i] < 0.80 ? 1 : 0;
    }
    s.good = static_cast<double>(good) / count;
    s.rough = static_cast<double>(rough) / count;
    s.median = percentile(values, count, 0.5);
    s.tenth = percentile(values, count, 0.1);
    return s;
}

// Splits one CSV line into fields; a field in double quotes may hold commas (and doubled quotes,
// left as they are: only the quoted character field holds one, and nothing reads it back). Returns
// the number of fields, at most N; the fields past N are not read.
template <std::size_t N>
int csvFields(std::string_view line, std::array<std::string_view, N>& fields) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    int n = 0;
    std::size_t at = 0;
    while (n < static_cast<int>(N)) {
        if (at < line.size() && line[at] == '"') {
            std::size_t end = at + 1;
            while (end < line.size() &&
                   !(line[end] == '"' && (end + 1 == line.size() || line[end + 1] != '"'))) {
                end += line[end] == '"' ? 2 : 1;
            }
            fields[n++] = line.substr(at + 1, std::min(end, line.size()) - at - 1);
            at = std::min(end + 1, line.size());
        } else {
            const std::size_t comma = std::min(line.find(',', at), line.size());
            fields[n++] = line.substr(at, comma - at);
            at = comma;
        }
        if (at >= line.size()) {
            break;
        }
        ++at; // the comma
    }
    return n;
}

} // namespace tools
