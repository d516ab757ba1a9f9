// Arbitrary contours through the figure importer's fitter: whatever the glyph, a figure that comes
// out must meet the outline format and pass every soundness check (no crossing, holes inside
// their outer contour, the limits). The bytes are read as contours of 16-bit point pairs scaled
// into the cell (-64..64 units). The fitter works briefly (the figure is checked whole after any
// number of its steps) and glyphs are held to 96 points, so that a run reaches many glyphs.
#include "fitter/fit.h"
#include "fitter/geometry.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int maxFuzzPoints = 96;
constexpr fitter::Effort fuzzEffort{1, 1, 2, 1};

fitter::FitWork work;
fitter::Glyph glyph;
fitter::Shape figure;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace fitter;
    clearGlyph(glyph);
    std::size_t at = 0;
    bool open = false;
    // Byte 0xFF starts a new contour; otherwise four bytes are one point.
    while (at < size && glyph.points < maxFuzzPoints) {
        if (data[at] == 0xFF || !open) {
            if (open) {
                endContour(glyph);
            }
            open = beginContour(glyph);
            at += data[at] == 0xFF ? 1 : 0;
            continue;
        }
        if (at + 4 > size) {
            break;
        }
        std::int16_t x, y;
        std::memcpy(&x, data + at, 2);
        std::memcpy(&y, data + at + 2, 2);
        addPoint(glyph, x / 512.0, y / 512.0);
        at += 4;
    }
    if (open) {
        endContour(glyph);
    }
    FitReport report;
    if (fitFigure(work, glyph, figure, report, fuzzEffort)) {
        figures::FigureRecord record;
        shapeToRecord(figure, record);
        check(figures::isWellFormed(record));
        check(figureFault(record) == Fault::none);
        check(report.fitted >= report.reduced);
    }
    return 0;
}
