// The figure survey's own score: its even-odd fill, the fast overlap against the glyph's row
// counts (which must agree with filling and comparing), the alignment search, the statistics and
// the reading of its CSV lines.
#include "tools/survey_scores.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace {

using Contour = std::initializer_list<std::pair<int, int>>;

figures::FigureRecord recordOf(std::initializer_list<Contour> contours) {
    figures::FigureRecord record{};
    int n = 0, c = 0;
    for (const Contour& contour : contours) {
        record.start[++c] = n + 1;
        for (auto [x, y] : contour) {
            ++n;
            record.x[n] = x;
            record.y[n] = y;
        }
        record.end[c] = n;
    }
    record.points = n;
    record.header[figures::contourCountField] = c;
    return record;
}

int area(const tools::Canvas& canvas) {
    int n = 0;
    for (auto v : canvas) {
        n += v;
    }
    return n;
}

const figures::FigureRecord square = recordOf({{{-10, -10}, {10, -10}, {10, 10}, {-10, 10}}});
// The hole runs the same way as the outside: even-odd leaves it empty all the same.
const figures::FigureRecord ring =
    recordOf({{{-10, -10}, {10, -10}, {10, 10}, {-10, 10}}, {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}});
const figures::FigureRecord diamond = recordOf({{{0, 10}, {10, 0}, {0, -10}, {-10, 0}}});
// Two overlapping squares in one figure: their common part is covered twice, so empty.
const figures::FigureRecord crossed =
    recordOf({{{-10, -10}, {10, -10}, {10, 10}, {-10, 10}}, {{0, 0}, {20, 0}, {20, 20}, {0, 20}}});

struct FillCase {
    const char* name;
    const figures::FigureRecord* record;
    tools::Placement at;
    int pixels;
};

TEST(SurveyScores, EvenOddFillCoversTheAreaAtPixelCentres) {
    const FillCase cases[] = {
        {"square on pixel edges", &square, {240, 240, 3}, 60 * 60},
        {"square half a pixel off", &square, {240.5, 240.5, 3}, 60 * 60},
        {"ring", &ring, {240, 240, 3}, 60 * 60 - 30 * 30},
        {"vertices on row centres count once", &diamond, {100, 100.5, 1}, 200},
        {"overlap of two contours is empty", &crossed, {240, 240, 1}, 2 * 400 - 2 * 100},
        {"cut off at the canvas edge", &square, {0, 0, 3}, 30 * 30},
    };
    for (const FillCase& c : cases) {
        static tools::Canvas canvas;
        tools::fillFigure(*c.record, c.at, canvas);
        EXPECT_EQ(area(canvas), c.pixels) << c.name;
    }
}

// The survey fills what it read back, well formed or not: ranges past the points or the tables
// are left out instead of read.
TEST(SurveyScores, ContoursOutsideThePointsAreLeftOut) {
    figures::FigureRecord broken = square;
    broken.header[figures::contourCountField] = 2;
    broken.start[2] = 3;
    broken.end[2] = 60;
    static tools::Canvas canvas;
    tools::fillFigure(broken, {240, 240, 3}, canvas);
    EXPECT_EQ(area(canvas), 60 * 60);
    broken.header[figures::contourCountField] = 99;
    broken.end[2] = 2;
    tools::fillFigure(broken, {240, 240, 3}, canvas);
    EXPECT_EQ(area(canvas), 60 * 60) << "first > last, and a contour count past the tables";
    broken.points = 200;
    broken.end[1] = 46;
    tools::fillFigure(broken, {240, 240, 3}, canvas);
    EXPECT_EQ(area(canvas), 0);
}

TEST(SurveyScores, EveryRowCrossesAnEvenNumberOfTimes) {
    std::array<double, figures::maxPoints> xs;
    for (int row = 0; row < tools::canvasSide; ++row) {
        EXPECT_EQ(tools::rowCrossings(diamond, {100, 100.5, 1}, row, xs) % 2, 0) << row;
        EXPECT_EQ(tools::rowCrossings(ring, {240.25, 240.5, 3}, row, xs) % 2, 0) << row;
    }
}

// The overlap from row counts must be the intersection over union of the two filled canvases.
TEST(SurveyScores, OverlapFromRowCountsMatchesTheFilledCanvases) {
    static tools::Canvas glyph, figure;
    static tools::GlyphRows rows;
    tools::fillFigure(ring, {238.3, 243.1, 3}, glyph);
    tools::countGlyphRows(glyph, rows);
    const tools::Placement placements[] = {
        {238.3, 243.1, 3}, {240, 240, 3}, {250.5, 230.25, 3}, {238.3, 243.1, 2.5}, {20, 20, 3}};
    for (const tools::Placement& at : placements) {
        for (const figures::FigureRecord* record : {&ring, &square, &crossed}) {
            tools::fillFigure(*record, at, figure);
            int both = 0, either = 0;
            for (int i = 0; i < tools::canvasSide * tools::canvasSide; ++i) {
                both += glyph[i] && figure[i];
                either += glyph[i] || figure[i];
            }
            EXPECT_DOUBLE_EQ(tools::overlapAt(*record, at, rows),
                             static_cast<double>(both) / either)
                << at.x << "," << at.y << " x" << at.scale;
        }
    }
    EXPECT_DOUBLE_EQ(tools::overlapAt(ring, {238.3, 243.1, 3}, rows), 1.0);
}

TEST(SurveyScores, AlignmentFindsAFigureUpToHalfAUnitAway) {
    static tools::Canvas glyph;
    static tools::GlyphRows rows;
    // Off the half pixels, so no edge lies on a pixel centre where rounding could tip it.
    const tools::Placement centre{240.2, 240.2, 3};
    struct Case {
        double dx, dy; // units
        bool found;
    };
    for (const Case c : {Case{0.5, -0.5, true}, Case{-1.0 / 3, 1.0 / 6, true}, Case{2, 0, false}}) {
        tools::fillFigure(ring, {240.2 + 3 * c.dx, 240.2 + 3 * c.dy, 3}, glyph);
        tools::countGlyphRows(glyph, rows);
        tools::Placement best;
        const double overlap = tools::bestOverlap(ring, centre, rows, best);
        if (c.found) {
            EXPECT_DOUBLE_EQ(overlap, 1.0) << c.dx << "," << c.dy;
            // Pixel centres cannot tell placements less than a pixel apart from each other.
            EXPECT_NEAR(best.x, 240.2 + 3 * c.dx, 0.5 + 1e-9);
            EXPECT_NEAR(best.y, 240.2 + 3 * c.dy, 0.5 + 1e-9);
        } else {
            EXPECT_LT(overlap, 1.0);
            EXPECT_NEAR(best.x, 241.7, 1e-9) << "the nearest it may go";
        }
    }
}

TEST(SurveyScores, PercentilesReadBetweenTheNearestRanks) {
    struct Case {
        std::initializer_list<double> values;
        double p, expected;
    };
    const Case cases[] = {
        {{0.9, 0.5, 0.7}, 0.5, 0.7},
        {{0.8, 0.6}, 0.5, 0.7},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0.1, 2},
        {{10, 0, 5, 20}, 0.1, 0.3 * 5},
        {{0.4}, 0.1, 0.4},
        {{3, 1, 2}, 1.0, 3},
        {{3, 1, 2}, -1.0, 1},
        {{}, 0.5, 0.0},
    };
    for (const Case& c : cases) {
        static tools::Overlaps values;
        int n = 0;
        for (double v : c.values) {
            values[n++] = v;
        }
        EXPECT_DOUBLE_EQ(tools::percentile(values, n, c.p), c.expected) << c.p << " of " << n;
    }
}

TEST(SurveyScores, SharesCountTheirBoundaries) {
    static tools::Overlaps values;
    const double given[] = {0.90, 0.8999, 0.80, 0.7999, 0.95};
    std::copy(std::begin(given), std::end(given), values.begin());
    const tools::OverlapSummary s = tools::summarise(values, 5);
    EXPECT_DOUBLE_EQ(s.good, 2.0 / 5) << "0.90 counts as good";
    EXPECT_DOUBLE_EQ(s.rough, 1.0 / 5) << "0.80 is not rough";
    EXPECT_DOUBLE_EQ(s.median, 0.8999);
    const tools::OverlapSummary none = tools::summarise(values, 0);
    EXPECT_EQ(none.good, 0.0);
    EXPECT_EQ(none.median, 0.0);
}

TEST(SurveyScores, CsvFieldsKeepCommasInsideQuotes) {
    struct Case {
        const char* line;
        std::initializer_list<const char*> fields;
    };
    const Case cases[] = {
        {"kana,あ,U+3042\r\n", {"kana", "あ", "U+3042"}},
        {"ascii,\",\",U+002C,\"U+002C,3,0\"\n", {"ascii", ",", "U+002C", "U+002C,3,0"}},
        {"ascii,\"\"\"\",U+0022", {"ascii", "\"\"", "U+0022"}},
        {"a,,b,", {"a", "", "b", ""}},
        {"a,\"open", {"a", "open"}},
        {"", {""}},
    };
    for (const Case& c : cases) {
        std::array<std::string_view, 12> fields;
        const int n = tools::csvFields(c.line, fields);
        ASSERT_EQ(n, static_cast<int>(c.fields.size())) << c.line;
        int i = 0;
        for (const char* expected : c.fields) {
            EXPECT_EQ(fields[i++], expected) << c.line;
        }
    }
    std::array<std::string_view, 2> two;
    EXPECT_EQ(tools::csvFields("a,b,c,d", two), 2) << "fields past the table are not read";
    EXPECT_EQ(two[1], "b");
}

} // namespace
