#include "figure_setup.h"

#include "figures/bounds.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace figures;
using namespace figure_setup;

namespace {

class Builder : public ::testing::Test {
  protected:
    void SetUp() override { resetFigureModel(); }
};

// The state that makes the next draw of the generator return r: the generator's multiplier is
// odd, so each step can be undone.
std::uint32_t stateBefore(int r) {
    std::uint32_t inverse = 214013u;
    for (int i = 0; i < 5; ++i) {
        inverse *= 2u - 214013u * inverse;
    }
    return ((static_cast<std::uint32_t>(r) << 16) - 2531011u) * inverse;
}

TEST_F(Builder, ContoursStartRightmostAndRunClockwise) {
    const Contour expected{{10, 10}, {10, 0}, {0, 0}, {0, 10}};
    setOutline(1, {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), expected) << "anticlockwise square";

    setOutline(1, {{{0, 0}, {0, 10}, {10, 10}, {10, 0}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), expected) << "clockwise square from a corner";

    // Two points share the rightmost x: the one with the greater y starts the reversed contour.
    setOutline(1, {{{0, 0}, {5, -5}, {5, 5}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), (Contour{{5, 5}, {5, -5}, {0, 0}}));
}

TEST_F(Builder, HolesAreRewoundWithinTheirOwnRange) {
    setOutline(1, {{{-40, -30}, {40, -30}, {40, 30}, {-40, 30}},
                   {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), (Contour{{40, 30},
                                     {40, -30},
                                     {-40, -30},
                                     {-40, 30},
                                     {20, 10},
                                     {20, -10},
                                     {-20, -10},
                                     {-20, 10}}));
}

// The point after the rightmost one lies exactly on the line through the point before it, but
// the line value comes out a hair below -6 in floating point: only the rounding to 9 digits
// keeps the contour from being reversed.
TEST_F(Builder, PointOnTheReversalLineDoesNotReverse) {
    setOutline(1, {{{-8, 0}, {-5, -7}, {4, -4}, {-2, -6}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), (Contour{{4, -4}, {-2, -6}, {-8, 0}, {-5, -7}}));
}

TEST_F(Builder, ScalesAndLaysOutTheRow) {
    settings::OPTIONN = 3;
    for (int s = 1; s <= 3; ++s) {
        setOutline(s, {{{15, 0}, {15, -10}, {0, -10}}});
    }
    buildFigures();
    EXPECT_EQ(slotCentreX[1], -100);
    EXPECT_EQ(slotCentreX[2], 0);
    EXPECT_EQ(slotCentreX[3], 100);
    EXPECT_EQ(outlineX[1][1], -85);
    EXPECT_EQ(outlineX[3][1], 115);

    // SIZEY 3 turns x = -5 into -1.5, truncated toward zero.
    resetFigureModel();
    settings::SIZEY = 3;
    settings::SIZE = 15;
    setOutline(1, {{{1, 1}, {-5, -1}, {-5, 3}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1), (Contour{{0, 1}, {-1, -1}, {-1, 4}}));
}

TEST_F(Builder, AutomaticDepthAndColoursChangeSettingsInMemory) {
    settings::HABA = 7;
    settings::OPTIONN = 2;
    settings::COLOR = 5;
    buildFigures();
    EXPECT_EQ(settings::HABA, 3);
    for (int s = 1; s <= 2; ++s) {
        EXPECT_EQ(settings::OPTIONC[s], 5);
        EXPECT_EQ(faceColour[s].red, 255);
        EXPECT_EQ(faceColour[s].green, 255);
        EXPECT_EQ(faceColour[s].blue, 0);
    }
    EXPECT_EQ(settings::OPTIONC[3], 3) << "slots out of use keep their code";

    settings::HABAJIDO = 0;
    settings::HABA = 7;
    settings::COLORS = 1;
    settings::OPTIONC[1] = 6;
    settings::OPTIONC[2] = 7;
    buildFigures();
    EXPECT_EQ(settings::HABA, 7);
    // Code 6 draws cyan tones and code 7 magenta, whatever the buttons are called.
    EXPECT_EQ(sideColour[1].red, 0);
    EXPECT_EQ(sideColour[1].green, 192);
    EXPECT_EQ(sideColour[1].blue, 192);
    EXPECT_EQ(shadeColour[2].red, 128);
    EXPECT_EQ(shadeColour[2].green, 0);
    EXPECT_EQ(shadeColour[2].blue, 128);

    settings::OPTIONC[1] = 9;
    settings::OPTIONC[2] = 0;
    buildFigures();
    EXPECT_EQ(sideColour[1].green, 192) << "an unknown code leaves the colours alone";
    EXPECT_EQ(shadeColour[2].blue, 128);
}

TEST_F(Builder, TravellingRowStartsInTheMiddleWithThreeDraws) {
    settings::OPTIONP = 2;
    settings::OPTIONN = 2;
    buildFigures();
    EXPECT_EQ(rowMinX, 100);
    EXPECT_EQ(rowMaxX, 540);
    EXPECT_EQ(rowMinY, 100);
    EXPECT_EQ(rowMaxY, 380);
    EXPECT_EQ(rowX, 320);
    EXPECT_EQ(rowY, 240);
    // From state 1 the generator draws 41, 18467, 6334: speeds 14 and 12, direction 4 (down-left).
    EXPECT_EQ(speedX, -14);
    EXPECT_EQ(speedY, 12);
    EXPECT_EQ(stepX, -14);
    EXPECT_EQ(stepY, 12);

    clientWidth = 150;
    clientHeight = 150;
    buildFigures();
    EXPECT_EQ(rowMinX, 75);
    EXPECT_EQ(rowMaxX, 75);
    EXPECT_EQ(rowMinY, 75);
    EXPECT_EQ(rowMaxY, 75);

    // Rotating at the centre stops the row and keeps its old range.
    settings::OPTIONP = 1;
    clientWidth = 640;
    buildFigures();
    EXPECT_EQ(speedX, 0);
    EXPECT_EQ(stepY, 0);
    EXPECT_EQ(rowMaxX, 75);
    EXPECT_EQ(rowX, 320);
}

TEST_F(Builder, DirectionQuartersOfTheGenerator) {
    const int draws[][2] = {{24575, 2}, {24576, 1}, {16384, 2}, {16383, 3},
                            {8192, 3},  {8191, 4},  {0, 4},     {32767, 1}};
    for (auto [r, direction] : draws) {
        seedRandom(stateBefore(r));
        pickDirection();
        EXPECT_EQ(randomDirection, direction) << r;
        EXPECT_EQ(randomSpeed, direction + 10) << r;
    }
    settings::SIZEIDO = INT_MAX;
    pickDirection();
    EXPECT_EQ(randomSpeed, INT_MAX);
}

TEST_F(Builder, RectangleWithHoleWallsAndBoundary) {
    settings::HABA = 3; // depth 30 pixels
    setOutline(1, {{{-40, -30}, {40, -30}, {40, 30}, {-40, 30}},
                   {{-20, -10}, {20, -10}, {20, 10}, {-20, 10}}});
    buildFigures();
    const int n = 8;
    for (int k = 1; k <= 4; ++k) {
        int next = k % 4 + 1;
        const SideQuad& wall = sideQuad[1][k];
        EXPECT_EQ(wall.holeWall, 0);
        EXPECT_EQ(wall.corner1, n + k);
        EXPECT_EQ(wall.corner2, k);
        EXPECT_EQ(wall.corner3, next);
        EXPECT_EQ(wall.corner4, n + next);
        EXPECT_EQ(hullEdge[1][k], 1);
    }
    for (int k = 5; k <= 8; ++k) {
        int next = k == 8 ? 5 : k + 1;
        const SideQuad& wall = sideQuad[1][k];
        EXPECT_EQ(wall.holeWall, 1);
        EXPECT_EQ(wall.corner1, n + k);
        EXPECT_EQ(wall.corner2, n + next);
        EXPECT_EQ(wall.corner3, next);
        EXPECT_EQ(wall.corner4, k);
        EXPECT_EQ(hullEdge[1][k], 0);
    }
    EXPECT_EQ(faceTurn[1], 0) << "clockwise at the second point";

    // Turned by 30 degrees, right side away: the walls whose outer side faces the viewer are
    // the rectangle's left wall (point 3) and the hole's right wall (point 5).
    overallAngle = 30;
    projectFigures();
    auto turnsPositively = [](int k) {
        const SideQuad& w = sideQuad[1][k];
        double x1 = projX[1][w.corner1], y1 = projY[1][w.corner1];
        double x2 = projX[1][w.corner2], y2 = projY[1][w.corner2];
        double x3 = projX[1][w.corner3], y3 = projY[1][w.corner3];
        return (x2 - x1) * (y3 - y2) - (y2 - y1) * (x3 - x2) > 0;
    };
    EXPECT_TRUE(turnsPositively(3));
    EXPECT_TRUE(turnsPositively(5));
    EXPECT_FALSE(turnsPositively(1));
    EXPECT_FALSE(turnsPositively(7));
}

TEST_F(Builder, BoundaryEdgesOfNotchesAndCollinearPoints) {
    setOutline(1, {{{10, 10}, {10, 0}, {0, 0}, {0, 10}, {5, 5}}});
    buildFigures();
    EXPECT_EQ(outlineOf(1)[4], (Point{5, 5}));
    const int notched[] = {0, 1, 1, 1, 0, 0};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(hullEdge[1][k], notched[k]) << k;
    }

    // A triangle with an extra point on one side: the point's line value is a hair off its y
    // in floating point, and only the rounding keeps every edge on the boundary.
    setOutline(1, {{{-9, -3}, {-9, -32}, {-30, -12}, {-23, -9}}});
    buildFigures();
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(hullEdge[1][k], 1) << k;
    }
}

// Whatever the tables hold, every wall corner names a vertex of the figure and every successor
// stays inside it.
void expectWallsInside(int slot) {
    int n = pointCount[slot];
    ASSERT_GE(n, 0);
    ASSERT_LE(n, maxPoints);
    for (int k = 1; k <= n; ++k) {
        const SideQuad& w = sideQuad[slot][k];
        for (int corner : {w.corner1, w.corner2, w.corner3, w.corner4}) {
            EXPECT_GE(corner, 1) << k;
            EXPECT_LE(corner, 2 * n) << k;
        }
    }
}

TEST_F(Builder, MalformedTablesStayInBounds) {
    // A last point that ends no contour closes on the stray run after the last contour.
    setOutline(1, {{{0, 0}, {0, 10}, {10, 10}}});
    pointCount[1] = 5;
    outlineX[1][4] = -5;
    outlineX[1][5] = -5;
    outlineY[1][5] = -5;
    buildFigures();
    expectWallsInside(1);
    EXPECT_EQ(sideQuad[1][4].corner3, 5);
    EXPECT_EQ(sideQuad[1][5].corner3, 4);

    // Overlapping, reversed and out-of-range contour ranges, counts beyond the tables.
    resetFigureModel();
    settings::OPTIONN = 1000;
    for (int s = 1; s <= maxSlots; ++s) {
        setOutline(s, {{{0, 0}, {3, 4}, {5, 1}, {2, -2}}});
    }
    contourStart[1][2] = 2;
    contourEnd[1][2] = 3;
    figureHeader[1][contourCountField] = 2;
    contourStart[2][1] = 4;
    contourEnd[2][1] = 2;
    contourStart[3][1] = 0;
    contourEnd[3][1] = 60;
    pointCount[4] = 300;
    figureHeader[4][contourCountField] = 40;
    pointCount[5] = -3;
    figureHeader[6][contourCountField] = -1;
    buildFigures();
    for (int s = 1; s <= maxSlots; ++s) {
        expectWallsInside(s);
    }
    EXPECT_EQ(pointCount[4], maxPoints);
    EXPECT_EQ(pointCount[5], 0);
    EXPECT_EQ(slotCentreX[26], 1250);
    projectFigures();
    advanceMotion();

    settings::OPTIONN = -4;
    buildFigures();
    projectFigures();
}

TEST_F(Builder, ExtremeCoordinatesAndSizesAreHeld) {
    settings::OPTIONP = 2;
    settings::OPTIONN = 26;
    settings::SIZE = INT_MAX;
    settings::SIZEY = INT_MIN;
    settings::HABA = INT_MAX;
    settings::HABAJIDO = 0;
    settings::ENKIN = INT_MIN;
    settings::SIZEIDO = INT_MIN;
    for (int s = 1; s <= maxSlots; ++s) {
        setOutline(s, {{{INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {INT_MIN, INT_MIN}}});
    }
    buildFigures();
    for (int k = 1; k <= 3; ++k) {
        EXPECT_LE(std::abs(outlineX[1][k]), coordinateLimit);
        EXPECT_LE(std::abs(outlineY[1][k]), coordinateLimit);
    }
    EXPECT_GT(speedX, INT_MIN);
    settings::VIEW = INT_MAX;
    settings::KAITEN = 1;
    settings::ZKAITEN[1] = 1;
    slotAngle[1] = INT_MIN;
    overallAngle = INT_MAX;
    projectFigures();
    for (int v = 1; v <= 6; ++v) {
        EXPECT_TRUE(std::isfinite(projX[1][v]) && std::isfinite(projY[1][v]) &&
                    std::isfinite(projZ[1][v]));
    }
    advanceMotion();
}

} // namespace
