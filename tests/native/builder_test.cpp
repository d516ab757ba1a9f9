#include "figure_setup.h"
#include "render/face.h"
#include "render/walls.h"

#include <gtest/gtest.h>

#include <array>

using namespace figures;
using namespace figure_setup;

namespace {

class Builder : public ::testing::Test {
  protected:
    void SetUp() override { resetFigureModel(); }
};

using Quad = std::array<int, 5>;
Quad quadOf(int k) {
    const SideQuad& w = sideQuad[1][k];
    return {w.holeWall, w.corner1, w.corner2, w.corner3, w.corner4};
}

TEST_F(Builder, ContoursStartRightmostAndRunClockwise) {
    const Contour square{{10, 10}, {10, 0}, {0, 0}, {0, 10}};
    setOutline(1, {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), square) << "anticlockwise";
    setOutline(1, {{{0, 0}, {0, 10}, {10, 10}, {10, 0}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), square) << "clockwise from a corner";

    // Of two rightmost points the one with the greater y starts the (reversed) contour.
    setOutline(1, {{{0, 0}, {5, -5}, {5, 5}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), (Contour{{5, 5}, {5, -5}, {0, 0}}));

    // The point after the rightmost lies on the line through the one before, but its line value
    // comes out a hair below -6: only the rounding to 9 digits keeps the contour unreversed.
    setOutline(1, {{{-8, 0}, {-5, -7}, {4, -4}, {-2, -6}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), (Contour{{4, -4}, {-2, -6}, {-8, 0}, {-5, -7}}));
}

TEST_F(Builder, ScalesAndLaysOutTheRow) {
    settings::OPTIONN = 3;
    settings::HABA = 7;
    for (int s = 1; s <= 3; ++s) {
        setOutline(s, {{{15, 0}, {15, -10}, {0, -10}}});
    }
    buildFigures();
    EXPECT_EQ((std::array{slotCentreX[1], slotCentreX[2], slotCentreX[3]}),
              (std::array{-100, 0, 100}));
    EXPECT_EQ(outlineX[1][1], -85);
    EXPECT_EQ(settings::HABA, 3) << "automatic depth";

    // x = -5 at SIZEY 3 is -1.5, truncated toward zero.
    resetFigureModel();
    settings::SIZEY = 3;
    settings::SIZE = 15;
    setOutline(1, {{{1, 1}, {-5, -1}, {-5, 3}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), (Contour{{0, 1}, {-1, -1}, {-1, 4}}));
}

TEST_F(Builder, ColoursFromTheCodes) {
    settings::OPTIONN = 2;
    settings::COLOR = 5;
    buildFigures();
    EXPECT_EQ((std::array{settings::OPTIONC[1], settings::OPTIONC[2], settings::OPTIONC[3]}),
              (std::array{5, 5, 3}));
    EXPECT_EQ(faceColour[2].green, 255);
    EXPECT_EQ(faceColour[2].blue, 0);

    // Code 6 draws cyan tones and code 7 magenta; an unknown code leaves the colours alone.
    settings::COLORS = 1;
    settings::OPTIONC[1] = 6;
    settings::OPTIONC[2] = 7;
    buildFigures();
    settings::OPTIONC[1] = 9;
    buildFigures();
    EXPECT_EQ((std::array{sideColour[1].red, sideColour[1].green, sideColour[1].blue}),
              (std::array{0, 192, 192}));
    EXPECT_EQ((std::array{shadeColour[2].red, shadeColour[2].green, shadeColour[2].blue}),
              (std::array{128, 0, 128}));
}

TEST_F(Builder, TravellingRowStartsInTheMiddleWithThreeDraws) {
    settings::OPTIONP = 2;
    settings::OPTIONN = 2;
    buildFigures();
    EXPECT_EQ((std::array{rowMinX, rowMaxX, rowMinY, rowMaxY, rowX, rowY}),
              (std::array{100, 540, 100, 380, 320, 240}));
    // From state 1 the generator draws 41, 18467, 6334: speeds 14 and 12, then down-left.
    EXPECT_EQ((std::array{speedX, speedY, stepX, stepY}), (std::array{-14, 12, -14, 12}));

    clientWidth = 150;
    buildFigures();
    EXPECT_EQ((std::array{rowMinX, rowMaxX}), (std::array{75, 75}));
}

TEST_F(Builder, GeneratorDrawSplitsIntoQuarters) {
    // The state from which the next draw gives r: the multiplier is odd, so a step can be undone.
    auto stateBefore = [](std::uint32_t r) {
        std::uint32_t inverse = 214013u;
        for (int i = 0; i < 5; ++i) {
            inverse *= 2u - 214013u * inverse;
        }
        return ((r << 16) - 2531011u) * inverse;
    };
    for (auto [r, direction] : {std::pair{24575u, 2}, {24576u, 1}, {16383u, 3}, {8191u, 4}}) {
        seedRandom(stateBefore(r));
        pickDirection();
        EXPECT_EQ(randomDirection, direction) << r;
        EXPECT_EQ(randomSpeed, direction + 10) << r;
    }
}

TEST_F(Builder, RectangleWithHole) {
    setOutline(1, {{{-40, -30}, {40, -30}, {40, 30}, {-40, 30}},
                   {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1)[4], (Point{20, 10})) << "the hole starts at its own rightmost point";
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(quadOf(k), (Quad{0, 8 + k, k, k % 4 + 1, 8 + k % 4 + 1}));
        EXPECT_EQ(quadOf(k + 4), (Quad{1, 12 + k, 12 + k % 4 + 1, 4 + k % 4 + 1, 4 + k}));
        EXPECT_EQ(hullEdge[1][k], 1);
        EXPECT_EQ(hullEdge[1][k + 4], 0);
    }

    // Turned by 30 degrees, right side away: the rectangle's left wall (point 3) and the hole's
    // right wall (point 5) face the viewer, the rectangle's right wall and the hole's left not.
    overallAngle = 30;
    projectFigures();
    auto turnsPositively = [](int k) {
        const SideQuad& w = sideQuad[1][k];
        const auto& x = projX[1];
        const auto& y = projY[1];
        return (x[w.corner2] - x[w.corner1]) * (y[w.corner3] - y[w.corner2]) -
                   (y[w.corner2] - y[w.corner1]) * (x[w.corner3] - x[w.corner2]) >
               0;
    };
    EXPECT_EQ((std::array{turnsPositively(3), turnsPositively(5), turnsPositively(1),
                          turnsPositively(7)}),
              (std::array{true, true, false, false}));
}

TEST_F(Builder, BoundaryEdgesOfNotchesAndCollinearPoints) {
    setOutline(1, {{{10, 10}, {10, 0}, {0, 0}, {0, 10}, {5, 5}}});
    buildFigures();
    EXPECT_EQ((std::array{hullEdge[1][1], hullEdge[1][2], hullEdge[1][3], hullEdge[1][4],
                          hullEdge[1][5]}),
              (std::array{1, 1, 1, 0, 0}));

    // A triangle with an extra point on one side whose line value is a hair off its y: only the
    // rounding keeps every edge on the boundary.
    setOutline(1, {{{-9, -3}, {-9, -32}, {-30, -12}, {-23, -9}}});
    buildFigures();
    EXPECT_EQ((std::array{hullEdge[1][1], hullEdge[1][2], hullEdge[1][3], hullEdge[1][4]}),
              (std::array{1, 1, 1, 1}));
}

TEST_F(Builder, MalformedTablesStayInBounds) {
    // A last point that ends no contour closes on the stray run after the last contour.
    setOutline(1, {{{0, 0}, {0, 10}, {10, 10}}});
    pointCount[1] = 5;
    settings::OPTIONN = 1000;
    pointCount[26] = 300;
    buildFigures();
    EXPECT_EQ((std::array{sideQuad[1][4].corner3, sideQuad[1][5].corner3}), (std::array{5, 4}));
    EXPECT_EQ(pointCount[26], maxPoints);
    EXPECT_EQ(slotCentreX[26], 1250);
}

} // namespace

namespace {

// Two squares of one contour, joined from (10,10) to (20,0) and back by a seam of no width.
TEST_F(Builder, SeamsHaveNoWallAndNoOutline) {
    setOutline(1, {{{10, 10},
                    {20, 0},
                    {30, 0},
                    {30, 10},
                    {20, 10},
                    {20, 0},
                    {10, 10},
                    {0, 10},
                    {0, 0},
                    {10, 0}}});
    buildFigures();
    std::array<int, 11> seams{};
    int seamCount = 0;
    for (int k = 1; k <= 10; ++k) {
        seamCount += seamEdge[1][k];
        seams[k] = seamEdge[1][k];
    }
    EXPECT_EQ(seamCount, 2);
    for (int angle = 0; angle < 360; angle += 15) {
        overallAngle = angle;
        projectFigures();
        render::decideFaces(1);
        render::orderWalls(1);
        for (int i = 0; i < render::wallOrderCount; ++i) {
            EXPECT_EQ(seams[render::wallOrder[i]], 0) << "angle " << angle;
        }
        if (render::outlineFace(1)) {
            EXPECT_TRUE(render::faceOutline.seamed);
            int outlined = 0;
            for (int i = 0; i + 1 < render::faceOutline.counts[0]; ++i) {
                outlined += render::faceOutline.seamFrom[i] ? 0 : 1;
            }
            EXPECT_EQ(outlined, 8) << "every edge but the seam's two";
        }
    }
}

} // namespace
