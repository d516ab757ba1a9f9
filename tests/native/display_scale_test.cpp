#include "figure_setup.h"
#include "figures/scale.h"
#include "saver/saver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

using namespace figures;
using namespace figure_setup;

namespace {

constexpr std::int64_t most64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t least64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int32_t most32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t least32 = std::numeric_limits<std::int32_t>::min();

struct Case {
    std::int64_t value;
    std::int32_t dpi;
    std::int64_t expected;
};

TEST(DisplayScale, NinetySixDpiValuesScaleRoundedHalfAwayFromZeroAndSaturate) {
    const std::vector<Case> cases{
        // 96 DPI leaves every value as it is, the far ends of the range included.
        {1, 96, 1},
        {-7, 96, -7},
        {most64, 96, most64},
        {least64, 96, least64},
        // 120 DPI (125 %): quarters round to the nearer whole, halves away from zero.
        {1, 120, 1},
        {2, 120, 3},
        {-2, 120, -3},
        {3, 120, 4},
        {10, 120, 13},
        {50, 120, 63},
        // 144 DPI (150 %).
        {1, 144, 2},
        {-1, 144, -2},
        {3, 144, 5},
        {10, 144, 15},
        {640, 144, 960},
        {480, 144, 720},
        // 168 DPI (175 %).
        {1, 168, 2},
        {2, 168, 4},
        {3, 168, 5},
        {-3, 168, -5},
        {10, 168, 18},
        {50, 168, 88},
        // 192 DPI (200 %), with the largest values the settings and their products reach.
        {1, 192, 2},
        {-7, 192, -14},
        {most32, 192, 2 * std::int64_t{most32}},
        {least32, 192, 2 * std::int64_t{least32}},
        {std::int64_t{1} << 62, 192, most64},
        {-(std::int64_t{1} << 62), 192, least64},
        {most64, 192, most64},
        {least64, 192, least64},
        {most64, 120, most64},
        {least64, 144, least64},
        // Below 96 DPI, and DPIs no display reports, held to the range.
        {1, 48, 1},
        {3, 48, 2},
        {-3, 48, -2},
        {100, 0, 100},
        {100, -5, 100},
        {100, 1, 25},
        {100, most32, 2500}};
    for (const Case& c : cases) {
        EXPECT_EQ(toDpi(c.value, c.dpi), c.expected) << c.value << " at " << c.dpi;
    }
}

TEST(DisplayScale, StoredPlacesComeBackUnchangedThroughEveryScale) {
    EXPECT_EQ(fromDpi(900, 144), 600);
    EXPECT_EQ(fromDpi(675, 144), 450);
    EXPECT_EQ(toDpi(-8, 144), -12) << "the maximised window's edge";
    EXPECT_EQ(fromDpi(-12, 144), -8);
    EXPECT_EQ(fromDpi(most64, 192), most64 / 2 + 1) << "rounded half away from zero";
    EXPECT_EQ(fromDpi(least64, 120), -7378697629483820646); // of -...646.4
    for (std::int32_t d : {96, 120, 144, 168, 192}) {
        for (std::int64_t stored = -3000; stored <= 3000; ++stored) {
            ASSERT_EQ(fromDpi(toDpi(stored, d), d), stored) << stored << " at " << d;
        }
    }
}

// A two-slot travelling row of squares built at 96 DPI and at another DPI from the same seed.
struct Row {
    std::vector<Point> outline;
    std::int32_t centre1, centre2;
    std::int32_t minX, maxX, minY, maxY;
    std::int32_t speedX, speedY;
    double frontDepth;
};

void setUpRow(std::int32_t at, std::int32_t width, std::int32_t height) {
    resetFigureModel();
    settings::OPTIONN = 2;
    settings::OPTIONP = 2;
    settings::STEPRAG = 0;
    for (int s = 1; s <= 2; ++s) {
        setOutline(s, {{{-40, -33}, {41, -40}, {40, 40}, {-37, 40}}});
    }
    figures::dpi = at;
    figures::clientWidth = width;
    figures::clientHeight = height;
}

Row buildRowAt(std::int32_t at, std::int32_t width, std::int32_t height) {
    setUpRow(at, width, height);
    figures::buildFigures();
    figures::projectFigures();
    Row row{outlineOf(1), slotCentreX[1], slotCentreX[2], rowMinX, rowMaxX,
            rowMinY,      rowMaxY,        speedX,         speedY,  projZ[1][1]};
    for (Point p : outlineOf(2)) {
        row.outline.push_back(p);
    }
    return row;
}

TEST(DisplayScale, EveryPixelQuantityOfTheRowIsItsNinetySixDpiValueScaled) {
    const Row base = buildRowAt(96, 640, 480);
    EXPECT_EQ(base.centre1, -50);
    EXPECT_EQ(base.minX, 100);
    EXPECT_EQ(base.frontDepth, -30.0);
    for (std::int32_t d : {120, 144, 168, 192}) {
        SCOPED_TRACE(d);
        const std::int32_t width = static_cast<std::int32_t>(toDpi(640, d));
        const std::int32_t height = static_cast<std::int32_t>(toDpi(480, d));
        const Row row = buildRowAt(d, width, height);
        ASSERT_EQ(row.outline.size(), base.outline.size());
        for (std::size_t k = 0; k < base.outline.size(); ++k) {
            EXPECT_EQ(row.outline[k].x, toDpi(base.outline[k].x, d)) << k;
            EXPECT_EQ(row.outline[k].y, toDpi(base.outline[k].y, d)) << k;
        }
        EXPECT_EQ(row.centre1, toDpi(base.centre1, d));
        EXPECT_EQ(row.centre2, toDpi(base.centre2, d));
        EXPECT_EQ(row.minX, toDpi(base.minX, d));
        EXPECT_EQ(row.maxX, width - toDpi(base.minX, d));
        EXPECT_EQ(row.minY, toDpi(base.minY, d));
        EXPECT_EQ(row.maxY, height - toDpi(base.minY, d));
        // The travel step: the same draws, each step scaled.
        EXPECT_EQ(row.speedX, (base.speedX < 0 ? -1 : 1) * toDpi(std::abs(base.speedX), d));
        EXPECT_EQ(row.speedY, (base.speedY < 0 ? -1 : 1) * toDpi(std::abs(base.speedY), d));
        EXPECT_EQ(row.frontDepth, static_cast<double>(toDpi(-30, d)));
    }
}

// Turned, tilted and in strong perspective, the picture at 144 and 192 DPI is the one at 96 DPI
// made larger, within the roundings.
TEST(DisplayScale, PerspectiveAndTiltOnlyEnlargeThePicture) {
    auto picture = [](std::int32_t at) {
        setUpRow(at, 640 * at / 96, 480 * at / 96);
        settings::ENKIN = 50;
        settings::VIEW = 3;
        settings::KAITEN = 1;
        figures::buildFigures();
        figures::overallAngle = 37;
        figures::rowY = figures::clientHeight / 4;
        figures::projectFigures();
        std::vector<double> points;
        for (int v = 1; v <= 8; ++v) {
            points.push_back(projX[1][v]);
            points.push_back(projY[2][v]);
        }
        return points;
    };
    const std::vector<double> small = picture(96);
    for (std::int32_t d : {144, 192}) {
        const std::vector<double> large = picture(d);
        for (std::size_t i = 0; i < small.size(); ++i) {
            EXPECT_NEAR(large[i], small[i] * d / 96, 2.0) << i << " at " << d;
        }
    }
}

// Twenty-six figures at the largest dialog size, and every 32-bit extreme, at 192 DPI: nothing
// overflows (the sanitizers watch), and the dialog's largest row is exactly twice as wide.
TEST(DisplayScale, LargestRowsAtTwoHundredPercent) {
    resetFigureModel();
    settings::OPTIONN = 26;
    settings::OPTIONP = 2;
    settings::SIZE = 50;
    settings::SIZEY = 50;
    for (int s = 1; s <= 26; ++s) {
        setOutline(s, {{{-50, -50}, {50, -50}, {50, 50}, {-50, 50}}});
    }
    figures::dpi = 192;
    figures::buildFigures();
    EXPECT_EQ(slotCentreX[1], -2 * 5 * 25 * 50);
    EXPECT_EQ(outlineX[26][1], 2 * (5 * 25 * 50 + 250));
    figures::projectFigures();
    EXPECT_EQ(projZ[1][1], -2.0 * 3 * 50);

    for (std::int32_t extreme : {most32, least32}) {
        settings::SIZE = extreme;
        settings::SIZEY = extreme;
        settings::SIZEIDO = extreme;
        settings::HABAJIDO = 0;
        settings::HABA = extreme;
        settings::ENKIN = extreme;
        for (int s = 1; s <= 26; ++s) {
            setOutline(s, {{{least32, least32}, {most32, least32}, {most32, most32}}});
        }
        figures::buildFigures();
        for (int frame = 0; frame < 3; ++frame) {
            figures::projectFigures();
            figures::advanceMotion();
        }
        EXPECT_GT(randomSpeed, least32) << "its negation fits";
    }
}

// The preview at 150 % and 200 %: a preview as many times larger holds the row the fit made for
// the one at 96 DPI, and every vertex of a full turn stays inside.
TEST(DisplayScale, PreviewFitKeepsTheWholeRowInsideAtEveryScale) {
    double sizeAt96 = 0;
    for (std::int32_t d : {96, 144, 192}) {
        SCOPED_TRACE(d);
        resetFigureModel();
        settings::OPTIONN = 2;
        for (int s = 1; s <= 2; ++s) {
            setOutline(s, {{{-50, -50}, {50, -50}, {50, -30}, {-30, -30}, {-30, 50}, {-50, 50}}});
            settings::ZKAITEN[s] = 1;
            settings::STEPRAGS[s] = 7 * s;
        }
        settings::SIZE = 40;
        settings::SIZEY = 40;
        settings::HABAJIDO = 0;
        settings::HABA = 5;
        settings::ENKIN = 20;
        settings::STEPRAG = 7;
        figures::dpi = d;
        const std::int32_t width = static_cast<std::int32_t>(toDpi(304, d));
        const std::int32_t height = static_cast<std::int32_t>(toDpi(224, d));
        saver::fitRowInto(width, height);
        // The row's size on the screen: SIZE drawn at the DPI the fit left, seen at d.
        const double physical = settings::SIZE * figures::dpi / static_cast<double>(d);
        if (d == 96) {
            sizeAt96 = physical;
        }
        EXPECT_GE(physical, 4);
        EXPECT_NEAR(physical, sizeAt96, 1) << "the same physical size";
        figures::clientWidth = width;
        figures::clientHeight = height;
        figures::buildFigures();
        for (int frame = 0; frame < 720; ++frame) {
            figures::projectFigures();
            for (int s = 1; s <= 2; ++s) {
                for (int v = 1; v <= 2 * figures::pointCount[s]; ++v) {
                    const std::int64_t x = std::int64_t{rowX} + screenX[s][v];
                    const std::int64_t y = std::int64_t{rowY} - screenY[s][v];
                    ASSERT_TRUE(x >= 0 && x < width && y >= 0 && y < height)
                        << "frame " << frame << " slot " << s << " vertex " << v;
                }
            }
            figures::advanceMotion();
        }
    }
}

} // namespace
